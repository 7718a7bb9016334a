// The LAN check window on the real logic: a report saved on one fake PC, compared on another,
// dropped or chosen; a report that cannot be read is refused and leaves the window as it was;
// the second PC made like the report; the whole game compared, or its reading cancelled. Over the
// loopback: a guest that finds a host, compares with it and matches it, the host told each
// verdict; the window's own share and its table.
#include <filesystem>
#include <functional>
#include <mutex>

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTcpServer>
#include <QTreeWidget>

#include "core/installation_lock.hpp"
#include "grip/grip.hpp"
#include "harmonizer/harmonizer.hpp"
#include "lan/gui/frm_lan_check.hpp"
#include "lan/gui/lan_network_box.hpp"
#include "lan/lan_protocol.hpp"
#include "lan/lan_share.hpp"
#include "match/match_texts.hpp"
#include "report/folder_lists.hpp"
#include "report/sha256.hpp"
#include "report/status_report.hpp"
#include "support/window_test_support.hpp"

using namespace korvane;
using namespace korvane::testing;

namespace {

// Two PCs with the same games, each with its own fake installation.
struct TwoPcs {
    explicit TwoPcs(const QString& language) {
        for (AppState* state : {&host, &guest}) {
            state->settings.directory = dir.Text();
            state->language = LanguageOfCode(language.toStdString());
        }
        host.install = hostFake.Install();
        guest.install = guestFake.Install();
    }
    // Cars of the EA season the guest has lost.
    void Lose(const QStringList& cars) const {
        for (const QString& car : cars) {
            std::filesystem::remove(guestFake.f1Path + "season02/vehicles/" + car.toStdString() +
                                    '/' + car.toStdString() + ".hdv");
        }
    }
    TempDir dir;
    FakeInstall hostFake{dir.Path() / "host"};
    FakeInstall guestFake{dir.Path() / "guest"};
    AppState host, guest;
    RecordingSink sink;
    std::string report = (dir.Path() / "report.json").string(); // as messages name it
};

// What the window shows of a comparison: the verdict, "match|" while it offers to make this PC
// match, then the lines, each file indented below its component.
QString Shown(QWidget* window) {
    QString lines;
    auto* list = Child<QTreeWidget>(window, "LstDifferences");
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        lines += list->topLevelItem(i)->text(0) + '\n';
        for (int k = 0; k < list->topLevelItem(i)->childCount(); ++k) {
            const QTreeWidgetItem* file = list->topLevelItem(i)->child(k);
            lines += "    " + file->text(0) + " | " + file->text(1) + " | " + file->text(2) + '\n';
        }
    }
    return ShownText(window, "LblVerdict") + '|' +
           (Child(window, "BtnMatch")->isHidden() ? "" : "match|") + lines;
}

// Whether the window read this PC's games, and did what it read them for, within ten seconds.
bool GamesRead(QWidget* window) {
    return QTest::qWaitFor([window] { return Child(window, "BtnCancelScan")->isHidden(); }, 10000);
}

// Every row of the comparison, each row's rows indented below it by two spaces.
QString Lines(QWidget* window) {
    QString lines;
    const std::function<void(QTreeWidgetItem*, int)> add = [&](QTreeWidgetItem* row, int depth) {
        lines += QString(2 * depth, ' ') + row->text(0) + '\n';
        for (int k = 0; k < row->childCount(); ++k) {
            add(row->child(k), depth + 1);
        }
    };
    auto* list = Child<QTreeWidget>(window, "LstDifferences");
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        add(list->topLevelItem(i), 0);
    }
    return lines;
}

// Saves the host's report where the dialog is told to, typed without its ending; what the dialog
// was asked.
QStringList SaveHostReport(TwoPcs& pcs) {
    QStringList asked;
    frmLanCheck window(pcs.host, pcs.sink);
    window.SetSaveDialog(
        [&](QWidget*, const QString& title, const QString& name, const QString& filter) {
            asked << title + " | " + name.section('-', 0, 1) + " | " + filter;
            return QString::fromStdString((pcs.dir.Path() / "report").string());
        });
    QTest::mouseClick(Child(&window, "BtnSaveReport"), Qt::LeftButton);
    GamesRead(&window);
    return asked;
}

// The state column of the status list.
QString States(QWidget* window) {
    QStringList states;
    auto* rows = Child<QTreeWidget>(window, "LstStatus");
    for (int i = 0; i < rows->topLevelItemCount(); ++i) {
        states << rows->topLevelItem(i)->text(1);
    }
    return states.join(", ");
}

// What the sink got: of each text, the first line of each paragraph, a line each.
std::string FirstLines(const std::vector<std::string>& texts) {
    std::string lines;
    for (const std::string& text : texts) {
        for (std::size_t at = 0; at != std::string::npos;) {
            lines += text.substr(at, text.find("\r\n", at) - at) + '\n';
            at = text.find("\r\n\r\n", at);
            at = at == std::string::npos ? at : at + 4;
        }
    }
    return lines;
}

// A row of a list as "column | column ...", its children's first column below it.
QString Row(QWidget* window, const char* list, int index) {
    const QTreeWidgetItem* item = Child<QTreeWidget>(window, list)->topLevelItem(index);
    if (!item) {
        return QStringLiteral("<none>");
    }
    QStringList columns;
    for (int i = 0; i < item->columnCount(); ++i) {
        columns << item->text(i);
    }
    QString row = columns.join(" | ");
    for (int k = 0; k < item->childCount(); ++k) {
        row += "\n    " + item->child(k)->text(0);
    }
    return row;
}

const std::string Loopback = "127.0.0.1";
constexpr int NetworkWait = 15000; // milliseconds; a search alone takes two seconds

} // namespace

class FrmLanCheckTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CloseAllWindows(); }

    void saveThenCompare_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("lost"); // cars of the EA season the second PC has lost
        QTest::addColumn<bool>("dropped");     // else chosen in the dialog
        QTest::addColumn<QStringList>("edit"); // a text of the saved report, and what replaces it
        QTest::addColumn<QString>("shown");
        const QString rest = "Quillon season: %1\nGT Racing 2002 mod: %1\nF1 Challenge: %1\n"
                             "grip EA 2002: %1\ngrip Quillon: %1\n";
        const QString games = "F1 2002, rest of the game: same\nF1 Challenge, rest of the game: same\n";
        QTest::newRow("same, dropped") << "uk" << QStringList() << true << QStringList()
                                       << "All files are the same as in the report.|EA 2002 "
                                          "season: same, original\n" +
                                              rest.arg("same, original") + games;
        QTest::newRow("one file differs, chosen")
            << "de" << QStringList{"Sauber"} << false << QStringList()
            << "1 Datei weicht vom Bericht ab.|match|EA-2002-Saison: hier wie im Bericht original, "
               "doch Dateien weichen ab\n"
               "    season02/vehicles/Sauber/Sauber.hdv | fehlt | Sauber\n"
               "Quillon-Saison: gleich, original\nGT-Racing-2002-Mod: gleich, original\n"
               "F1 Challenge: gleich, original\nGrip EA 2002: gleich, original\n"
               "Grip Quillon: gleich, original\n"
               "F1 2002, übriges Spiel: gleich\nF1 Challenge, übriges Spiel: gleich\n";
        // A name in the report can neither make up a line nor reach the screen as a control.
        QTest::newRow("a path with a line break and an escape sequence")
            << "uk" << QStringList() << false
            << QStringList{"terrain.ini\"", "terrain.ini\\nQuillon season: same\\u001b[2J\""}
            << "2 files differ from the report.|match|grip EA 2002: original here and in the "
               "report, yet files differ\n"
               "    season02/tracks/terrain.ini\\x0aQuillon season: same\\x1b[2J | (no such "
               "file) | "
               "original\n"
               "    season02/tracks/terrain.ini | original | (no such file)\n"
               "EA 2002 season: same, original\nQuillon season: same, original\n"
               "GT Racing 2002 mod: same, original\nF1 Challenge: same, original\n"
               "grip Quillon: same, original\n" +
                   games;
    }

    void saveThenCompare() {
        QFETCH(QString, language);
        QFETCH(QStringList, lost);
        QFETCH(bool, dropped);
        QFETCH(QStringList, edit);
        TwoPcs pcs(language);
        const QStringList asked = SaveHostReport(pcs);
        if (!edit.isEmpty()) {
            const std::string from = edit[0].toStdString();
            std::string text = ReadAll(pcs.report);
            WriteAll(pcs.report, text.replace(text.find(from), from.size(), edit[1].toStdString()));
        }
        const QString saved =
            language == "uk" ? "The report is saved:" : "Der Bericht ist gespeichert:";
        QCOMPARE(pcs.sink.texts.at(0), saved.toStdString() + "\r\n" + pcs.report);
        QCOMPARE(asked,
                 QStringList(language == "uk"
                                 ? "Save report | korvane-status | Reports (*.json *.txt)"
                                 : "Bericht speichern | korvane-status | Berichte (*.json *.txt)"));
        pcs.Lose(lost);
        frmLanCheck window(pcs.guest, pcs.sink);
        window.show();
        // The rows and the copied lines: one per component, as status gives them.
        auto* rows = Child<QTreeWidget>(&window, "LstStatus");
        QTest::mouseClick(Child(&window, "BtnCopy"), Qt::LeftButton);
        const QStringList copied = QGuiApplication::clipboard()->text().split('\n');
        QCOMPARE(rows->topLevelItemCount(), 6);
        QCOMPARE(copied.size(), 7); // and the last line's end
        const bool german = language == "de";
        const QString fingerprint = german ? ", Fingerabdruck " : ", fingerprint ";
        QCOMPARE(copied.at(0).section(fingerprint, 0, 0),
                 QString(german ? "EA-2002-Saison: original" : "EA 2002 season: original"));
        QCOMPARE(rows->topLevelItem(5)->text(0) + ' ' + rows->topLevelItem(5)->text(1),
                 QString(german ? "Grip Quillon original" : "grip Quillon original"));
        QCOMPARE(copied.at(5).section(fingerprint, 1), rows->topLevelItem(5)->text(2));
        const QString report = QString::fromStdString(pcs.report);
        if (dropped) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(report)});
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(&window, &enter); // a drop goes where a drag was accepted
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(&window, &drop);
        } else {
            QString folder;
            window.SetOpenDialog(
                [&](QWidget*, const QString&, const QString& start, const QString&) {
                    folder = start;
                    return report;
                });
            QTest::mouseClick(Child(&window, "BtnCompare"), Qt::LeftButton);
            QCOMPARE(folder, QString::fromStdString(pcs.dir.Path().string())); // where it was saved
        }
        QVERIFY(GamesRead(&window));
        QFETCH(QString, shown); // files named with "/", as Linux shows them
        QCOMPARE(Shown(&window), QDir::toNativeSeparators(shown));
        QCOMPARE(pcs.sink.texts.size(), std::size_t(1));
    }

    void unreadableReportClearsTheComparison_data() {
        QTest::addColumn<QString>("damage"); // a shell-like edit of the saved report
        QTest::addColumn<QString>("reason");
        QTest::newRow("cut off") << "cut"
                                 << "This report is damaged or cut off.";
        QTest::newRow("newer version")
            << "version"
            << "This report was written by another version of Korvane and cannot be read here.";
        QTest::newRow("larger than 1 MiB")
            << "grow"
            << "This file is larger than 1 MiB, too large for a report.";
    }

    void unreadableReportClearsTheComparison() {
        QFETCH(QString, damage);
        TwoPcs pcs("uk");
        SaveHostReport(pcs);
        frmLanCheck window(pcs.guest, pcs.sink);
        window.CompareWith(QString::fromStdString(pcs.report));
        QVERIFY(Shown(&window).startsWith("All files are the same"));
        QVERIFY(ShownText(&window, "LblComparedWith").startsWith("Compared with report.json at "));
        std::string text = ReadAll(pcs.report);
        if (damage == "cut") {
            text.resize(text.size() / 2);
        } else if (damage == "version") {
            text.replace(text.find("\"version\": 1"), 12, "\"version\": 2");
        } else {
            text += std::string(1024 * 1024, ' ');
        }
        WriteAll(pcs.report, text);
        window.CompareWith(QString::fromStdString(pcs.report));
        QFETCH(QString, reason);
        QCOMPARE(pcs.sink.texts.back(),
                 "Cannot compare with " + pcs.report + "\r\n\r\n" + reason.toStdString());
        QCOMPARE(Shown(&window), QString::fromStdString("Cannot compare with " + pcs.report + "|"));
        QVERIFY(Child(&window, "LblComparedWith")->isHidden());
    }

    // The report's PC harmonized the EA and the Quillon season to Ferrari and put the optimized
    // grip values in place; the second one harmonized them to McLaren, and then:
    void matchTheReport_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("twist");  // what else happened on the second PC
        QTest::addColumn<bool>("yes");       // the answer to the question
        QTest::addColumn<QString>("asked");  // the question, empty when there is none
        QTest::addColumn<QString>("said");   // what the sink shows, a text per line
        QTest::addColumn<QString>("states"); // the status list after
        QTest::addColumn<QString>("shown");  // the comparison after
        const QString plan =
            "Steps that make this PC like the report:\n"
            "  1. Harmonize EA 2002 season and Quillon season to Ferrari\n"
            "  2. Put the optimized grip values in place for EA 2002 and Quillon\n\n"
            "Run these steps now?";
        const QString asBefore =
            "24 files differ from the report.|match|EA 2002 season: here harmonized to McLaren, "
            "the report harmonized to Ferrari\n    season02/vehicles/Arrows/Arrows.hdv | "
            "McLaren | Ferrari";
        const QString mcLaren = "harmonized to McLaren, harmonized to McLaren, original, "
                                "original, original, original";
        // The player's Sauber.hdv as the plan and the run name it (its words: test_match_run.cpp).
        const auto left = [](Language language) {
            const lancheck::Leftover sauber{lancheck::ComponentEA2002,
                                            "season02\\vehicles\\Sauber\\Sauber.hdv",
                                            lancheck::Unmatchable::ChangedHere};
            return QString::fromStdString(lancheck::LeftoverText(sauber, language)) + '\n';
        };
        QTest::newRow("yes")
            << "uk"
            << "" << true << plan
            << "Step 1 of 2: Harmonize EA 2002 season and Quillon season to Ferrari\n"
               "Step 2 of 2: Put the optimized grip values in place for EA 2002 and Quillon\n"
            << "harmonized to Ferrari, harmonized to Ferrari, original, original, "
               "optimized, optimized"
            << "All files are the same as in the report.|EA 2002 season: same, "
               "harmonized to Ferrari\nQuillon season: same, harmonized to Ferrari";
        QTest::newRow("no") << "uk"
                            << "" << false << plan << "" << mcLaren << asBefore;
        QTest::newRow("a player's file here")
            << "de"
            << "edited" << true
            << "Schritte, die diesen PC dem Bericht angleichen:\n"
               "  1. EA-2002-Saison und Quillon-Saison an Ferrari angleichen\n"
               "  2. Optimierte Gripwerte für EA 2002 und Quillon einsetzen\n"
               "Was Korvane nicht angleichen kann:\n  " +
                   left(Language::German) + "\nDiese Schritte jetzt ausführen?"
            << "Schritt 2 von 2: Optimierte Gripwerte für EA 2002 und Quillon einsetzen\nMit "
               "Fehlern beendet, 1 von 2 Schritten fehlgeschlagen:\n"
            << "geändert, an Ferrari angeglichen, original, original, optimiert, optimiert"
            << "1 Datei weicht vom Bericht ab.|match|EA-2002-Saison: hier geändert, im Bericht an "
               "Ferrari angeglichen\n    season02/vehicles/Sauber/Sauber.hdv | geändert | "
               "Ferrari";
        // Matched before: the step that failed on the player's file is not offered again.
        const QString cannot = "What Korvane cannot make equal:\n  " + left(Language::English);
        QTest::newRow("again with a player's file here")
            << "uk"
            << "again" << true << ""
            << "No step of Korvane's makes this PC more alike.\n" + cannot + '\n'
            << "changed, harmonized to Ferrari, original, original, optimized, optimized"
            << "1 file differs from the report.|match|EA 2002 season: here changed, the report "
               "harmonized to Ferrari\n    season02/vehicles/Sauber/Sauber.hdv | changed | "
               "Ferrari";
        // The steps that can change something run, and the result gives the advice again.
        QTest::newRow("a player's file here, the grip to do")
            << "uk"
            << "grip" << true
            << "Steps that make this PC like the report:\n  1. Put the optimized grip values in "
               "place for EA 2002 and Quillon\n" +
                   cannot + "\nRun these steps now?"
            << "Step 1 of 1: Put the optimized grip values in place for EA 2002 and Quillon\n" +
                   cannot
            << "changed, harmonized to Ferrari, original, original, optimized, optimized"
            << "1 file differs from the report.|match|EA 2002 season: here changed, the report "
               "harmonized to Ferrari\n    season02/vehicles/Sauber/Sauber.hdv | changed | "
               "Ferrari";
        // The player's file deleted as advised: the step writes it from the master's backup.
        QTest::newRow("the player's file deleted")
            << "de"
            << "deleted" << true
            << "Schritte, die diesen PC dem Bericht angleichen:\n"
               "  1. EA-2002-Saison an Ferrari angleichen\n\nDiese Schritte jetzt ausführen?"
            << "Schritt 1 von 1: EA-2002-Saison an Ferrari angleichen\n"
            << "an Ferrari angeglichen, an Ferrari angeglichen, original, original, optimiert, "
               "optimiert"
            << "Alle Dateien sind gleich wie im Bericht.|EA-2002-Saison: gleich, an Ferrari "
               "angeglichen\nQuillon-Saison: gleich, an Ferrari angeglichen";
        QTest::newRow("another run holds the installation")
            << "uk"
            << "locked" << true << plan
            << "Step 1 of 2: Harmonize EA 2002 season and Quillon season to Ferrari\n"
            << mcLaren << asBefore;
    }

    void matchTheReport() {
        QFETCH(QString, language);
        QFETCH(QString, twist);
        QFETCH(bool, yes);
        TwoPcs pcs(language);
        const std::string program = pcs.dir.Text();
        WriteAll(pcs.dir.Path() / "terea.ini", "E");
        WriteAll(pcs.dir.Path() / "terql.ini", "Q");
        const Components2002 seasons{.ea2002 = true, .ql2002 = true};
        RecordingSink setUp;
        const OperationContext host{pcs.host.install, program, Language::English, setUp};
        const OperationContext guest{pcs.guest.install, program, Language::English, setUp};
        HarmonizeF1_2002(host, "Ferrari", seasons);
        ApplyOptimizedGrip(host, seasons);
        const std::string sauber = "season02/vehicles/Sauber/Sauber.hdv";
        if (twist == "again" || twist == "deleted" || twist == "grip") {
            HarmonizeF1_2002(guest, "Ferrari", seasons); // a match that ended on a player's file
            if (twist != "grip") {
                ApplyOptimizedGrip(guest, seasons);
            }
            if (twist != "deleted") {
                WriteAll(pcs.guestFake.f1Path + sauber, "a mod");
            } else {
                std::filesystem::remove(pcs.guestFake.f1Path + sauber);
            }
        } else {
            HarmonizeF1_2002(guest, "McLaren", seasons);
        }
        SaveHostReport(pcs);
        InstallationLock other;
        if (twist == "locked") {
            QVERIFY(other.Take({pcs.guestFake.f1Path, pcs.guestFake.f1cPath}));
        }
        const auto before = FilesBelow(pcs.dir.Path() / "guest");
        pcs.sink.texts.clear();

        frmLanCheck window(pcs.guest, pcs.sink);
        window.show();
        QTest::mouseClick(Child(&window, "ChkWholeGame"), Qt::LeftButton); // the components alone
        QString question;
        window.SetConfirm([&](QWidget*, const QString& text) {
            question = text;
            return yes;
        });
        window.CompareWith(QString::fromStdString(pcs.report));
        if (twist == "edited") { // the player's own file, put there while the window is open
            WriteAll(pcs.guestFake.f1Path + sauber, "a mod");
        }
        QTest::mouseClick(Child(&window, "BtnMatch"), Qt::LeftButton);
        // While it runs, it shows its progress and nothing else can be started.
        const bool runs = yes && twist != "again";
        QCOMPARE(Child(&window, "PrgMatch")->isHidden(), !runs);
        QCOMPARE(Child(&window, "BtnCompare")->isEnabled(), !runs);
        QTRY_VERIFY(Child(&window, "PrgMatch")->isHidden());
        QTEST(question, "asked");
        QTEST(QString::fromStdString(FirstLines(pcs.sink.texts))
                  .replace(pcs.guestFake.f1Path.c_str(), "{F1 2002}"),
              "said");
        if (QTest::currentDataTag() == QByteArray("yes")) { // each step's message under its line
            QCOMPARE(pcs.sink.texts.at(0),
                     "Step 1 of 2: Harmonize EA 2002 season and Quillon season to Ferrari\r\n"
                     "Performance of all teams is now equal to Ferrari\r\n\r\n"
                     "Step 2 of 2: Put the optimized grip values in place for EA 2002 and "
                     "Quillon\r\nGrip values adjusted successfully");
        }
        QTEST(States(&window), "states");
        QFETCH(QString, shown);
        QCOMPARE(Shown(&window).section('\n', 0, 1), QDir::toNativeSeparators(shown));
        if (!runs || twist == "locked") { // nothing changed
            QCOMPARE(FilesBelow(pcs.dir.Path() / "guest"), before);
        }
    }

    // The host shares the report of its EA season harmonized to Ferrari; the guest's is original.
    void compareWithHostThenMatch_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("found"); // chosen from the hosts found, else typed in
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<bool>("changed"); // the host puts its files back before the match
        QTest::newRow("found") << "uk" << true << "10 files differ from the report." << false;
        QTest::newRow("typed") << "de" << false << "10 Dateien weichen vom Bericht ab." << false;
        QTest::newRow("changed since")
            << "uk" << false << "10 files differ from the report." << true;
    }

    void compareWithHostThenMatch() {
        QFETCH(QString, language);
        QFETCH(bool, found);
        TwoPcs pcs(language);
        RecordingSink setUp;
        HarmonizeF1_2002({pcs.host.install, "", Language::English, setUp}, "Ferrari",
                         {.ea2002 = true});
        std::mutex reportLock; // the share reads it on its own thread
        std::string report =
            lancheck::ReportJson(lancheck::CollectStatus(pcs.host.install, pcs.host.ProgramDir()));
        const auto current = [&] {
            const std::lock_guard lock(reportLock);
            return report;
        };
        lancheck::LanShare share({"host-pc", current, current, {}, 0});
        QVERIFY(share.Start().ok());

        frmLanCheck window(pcs.guest, pcs.sink);
        window.SetNetwork(share.Port(), Loopback);
        bool asked = false;
        bool openWhenAsked = false; // the component the player opened, still open at the question
        window.SetConfirm([&](QWidget*, const QString&) {
            openWhenAsked =
                Child<QTreeWidget>(&window, "LstDifferences")->topLevelItem(0)->isExpanded();
            return asked = true;
        });
        window.show();
        if (found) {
            QTest::mouseClick(Child(&window, "BtnFindHosts"), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(Child(&window, "BtnFindHosts")->isEnabled(), NetworkWait);
            lancheck::Sha256 sha;
            sha.Add(report);
            QCOMPARE(Row(&window, "LstHosts", 0),
                     "host-pc | 127.0.0.1 | " + QString::fromStdString(lancheck::KorvaneVersion()) +
                         " | " + QString::fromStdString(sha.Hex().substr(0, 12)));
            QVERIFY(Child(&window, "LblNoHost")->isHidden());
            QCOMPARE(ShownText(&window, "TxtHost"), "host-pc"); // the one host, chosen
        } else {
            QTest::keyClicks(Child(&window, "TxtHost"), QString::fromStdString(Loopback));
        }
        QTest::mouseClick(Child(&window, "BtnCompareHost"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(Child(&window, "BtnCompareHost")->isEnabled(), NetworkWait);
        QFETCH(QString, verdict);
        QCOMPARE(ShownText(&window, "LblVerdict"), verdict);
        QTRY_COMPARE_WITH_TIMEOUT(share.Table().size(), std::size_t(1), NetworkWait);
        QCOMPARE(share.Table()[0].verdict.differing, std::size_t(10));
        QCOMPARE(ReadSetting(pcs.guest.settings, LastHostSetting), found ? "host-pc" : Loopback);

        QFETCH(bool, changed);
        if (changed) { // a match with the report of the comparison would harmonize to Ferrari
            RestoreF1_2002({pcs.host.install, "", Language::English, setUp}, {.ea2002 = true});
            const std::lock_guard lock(reportLock);
            report = lancheck::ReportJson(
                lancheck::CollectStatus(pcs.host.install, pcs.host.ProgramDir()));
        }
        QTest::qWait(int(std::chrono::milliseconds(lancheck::ReportCheckInterval).count()) + 100);
        auto* differences = Child<QTreeWidget>(&window, "LstDifferences");
        QTest::mouseClick(differences->viewport(), Qt::LeftButton, {},
                          differences->visualItemRect(differences->topLevelItem(0)).center());
        QVERIFY(differences->topLevelItem(0)->isExpanded()); // a click opens the row
        QTest::mouseClick(Child(&window, "BtnMatch"), Qt::LeftButton); // the report fetched anew
        QTRY_VERIFY_WITH_TIMEOUT(Shown(&window).startsWith(language == "uk"
                                                               ? "All files are the same"
                                                               : "Alle Dateien sind gleich"),
                                 NetworkWait);
        QCOMPARE(asked, !changed); // nothing to do with the host's report as it is now
        QCOMPARE(openWhenAsked, !changed);
        QTRY_COMPARE_WITH_TIMEOUT(share.Table()[0].verdict.differing, std::size_t(0), NetworkWait);
        QVERIFY(!share.Table()[0].earlier);
        QCOMPARE(pcs.sink.texts.size(), std::size_t(1)); // the match's own message
        // The next window offers the last host.
        frmLanCheck next(pcs.guest, pcs.sink);
        QCOMPARE(ShownText(&next, "TxtHost"), QString::fromStdString(found ? "host-pc" : Loopback));
    }

    // A file added to a track folder here since the other PC's report was made: below the game's
    // line its folder, with the file where the other PC hands out the folder's list. The host is
    // told the file as well.
    void wholeGameDiffers_data() {
        QTest::addColumn<bool>("shared"); // by the other PC's window, else saved to a file
        QTest::addColumn<bool>("lists");  // the folder lists saved beside the file kept
        QTest::addColumn<QString>("folder");
        const QString named = "  season02/tracks/Monaco/\n    Monaco.aiw: here only\n";
        QTest::newRow("report file") << false << true << named;
        QTest::newRow("report file without its lists")
            << false << false
            << "  season02/tracks/Monaco/: files differ (the other PC's list of them is not at "
               "hand)\n";
        QTest::newRow("shared") << true << true << named;
    }

    void wholeGameDiffers() {
        QFETCH(bool, shared);
        TwoPcs pcs("uk");
        for (const FakeInstall* pc : {&pcs.hostFake, &pcs.guestFake}) {
            WriteAll(pc->f1Path + "season02/tracks/Monaco/Monaco.gdb", "Monaco");
        }
        frmLanCheck host(pcs.host, pcs.sink);
        host.SetNetwork(0, Loopback);
        auto* network = Child<LanNetworkBox>(&host, "FrmNetwork");
        if (shared) {
            QTest::mouseClick(Child(&host, "ChkShare"), Qt::LeftButton);
            QTRY_VERIFY(network->SharedPort() != 0);
        } else {
            SaveHostReport(pcs);
            QFETCH(bool, lists);
            if (!lists) {
                QVERIFY(std::filesystem::remove(lancheck::FolderListsBeside(pcs.report)));
            }
        }
        WriteAll(pcs.guestFake.f1Path + "season02/tracks/Monaco/Monaco.aiw", "waypoints");

        frmLanCheck window(pcs.guest, pcs.sink);
        if (shared) {
            window.SetNetwork(network->SharedPort(), Loopback);
            QTest::keyClicks(Child(&window, "TxtHost"), QString::fromStdString(Loopback));
            QTest::mouseClick(Child(&window, "BtnCompareHost"), Qt::LeftButton);
        } else {
            window.CompareWith(QString::fromStdString(pcs.report));
        }
        QTRY_VERIFY_WITH_TIMEOUT(Lines(&window).contains("rest of the game"), NetworkWait);
        QFETCH(QString, folder);
        QCOMPARE(ShownText(&window, "LblVerdict") + '\n' + Lines(&window).section('\n', 6),
                 "1 file differs from the report.\n"
                 "F1 2002, rest of the game: 1 entry differs, in 1 folder\n" +
                     QDir::toNativeSeparators(folder) +
                     "F1 Challenge, rest of the game: same\n"
                     "Korvane does not copy game files between PCs: copy each folder named from a "
                     "PC that has the right one, then compare again.\n");
        if (shared) {
            QTRY_COMPARE_WITH_TIMEOUT(Row(&host, "LstGuests", 0).section(" | ", 2, 2),
                                      "1 file differs", NetworkWait);
            QVERIFY(Row(&host, "LstGuests", 0)
                        .section('\n', 1)
                        .startsWith("    " +
                                    QDir::toNativeSeparators("season02/tracks/Monaco/Monaco.aiw") +
                                    " — there: "));
        }
    }

    // Reading a game that takes long is cancelled: the components' comparison stays as it was
    // shown, and one line says the whole game was not compared.
    void cancelReadingTheGames() {
        TwoPcs pcs("uk");
        SaveHostReport(pcs);
        pcs.Lose({"Sauber"});
        std::filesystem::path large = pcs.guestFake.f1Path + "season02/tracks/Monaco.mp3";
        WriteAll(large, "");
        std::filesystem::resize_file(large, std::uintmax_t(1) << 30); // holes: read, not stored
        frmLanCheck window(pcs.guest, pcs.sink);
        window.CompareWith(QString::fromStdString(pcs.report));
        const QString components = Shown(&window);
        QVERIFY(components.startsWith("1 file differs from the report.|match|"));
        QTRY_VERIFY(ShownText(&window, "LblMatchStep").startsWith("Reading F1 2002: "));
        QVERIFY(!Child(&window, "BtnCompare")->isEnabled());
        QTest::mouseClick(Child(&window, "BtnCancelScan"), Qt::LeftButton);
        QVERIFY(GamesRead(&window));
        QCOMPARE(Shown(&window),
                 components + "The whole game was not compared: reading it was cancelled.\n");
        QVERIFY(Child(&window, "LblMatchStep")->isHidden());
        QVERIFY(Child(&window, "BtnCompare")->isEnabled());
    }

    // Nobody shares on that port: the search says what usually causes it, and the host typed in
    // is refused, naming it, with the system's reason.
    void noHostThere() {
        TwoPcs pcs("uk");
        frmLanCheck window(pcs.guest, pcs.sink);
        window.SetNetwork(1, Loopback);
        window.show();
        QTest::mouseClick(Child(&window, "BtnFindHosts"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(Child(&window, "LblNoHost")->isVisible(), NetworkWait);
        QCOMPARE(Child<QTreeWidget>(&window, "LstHosts")->topLevelItemCount(), 0);
        QVERIFY(ShownText(&window, "LblNoHost")
                    .contains("firewall blocks port " + QString::number(lancheck::LanPort) + ","));
        QTest::keyClicks(Child(&window, "TxtHost"), QString::fromStdString(Loopback));
        QTest::mouseClick(Child(&window, "BtnCompareHost"), Qt::LeftButton);
        QCOMPARE(ShownText(&window, "LblWait"), "Asking 127.0.0.1 for its report … (up to 5 seconds)");
        QTRY_COMPARE_WITH_TIMEOUT(pcs.sink.texts.size(), std::size_t(1), NetworkWait);
        QCOMPARE(ShownText(&window, "LblWait"), "");
        QVERIFY2(pcs.sink.texts[0].starts_with("Cannot compare with host 127.0.0.1\r\n\r\n"
                                               "It does not share its report now"),
                 pcs.sink.texts[0].c_str());
        QCOMPARE(Shown(&window), "Cannot compare with host 127.0.0.1|");
        QCOMPARE(ReadSetting(pcs.guest.settings, LastHostSetting), Unknown); // not a host to offer
    }

    // This PC's own share is among the hosts found, marked and not to be chosen; typed in, it is
    // refused. The search says what it waits for.
    void ownShareAmongTheHosts() {
        TwoPcs pcs("de");
        unsigned short port = 0;
        {
            lancheck::LanShare probe({"probe", [] { return std::string(); }, {}, {}, 0});
            QVERIFY(probe.Start().ok());
            port = probe.Port(); // free, for the window's share and its search
        }
        frmLanCheck window(pcs.host, pcs.sink);
        window.SetNetwork(port, Loopback);
        window.show();
        QTest::mouseClick(Child(&window, "ChkShare"), Qt::LeftButton);
        QTRY_VERIFY(Child<LanNetworkBox>(&window, "FrmNetwork")->SharedPort() != 0);
        QTest::mouseClick(Child(&window, "BtnFindHosts"), Qt::LeftButton);
        QCOMPARE(ShownText(&window, "LblWait"), "Hosts werden gesucht … (bis zu 2 Sekunden)");
        QTRY_VERIFY_WITH_TIMEOUT(Child(&window, "BtnFindHosts")->isEnabled(), NetworkWait);
        const QString name = QString::fromStdString(lancheck::Printable(lancheck::ThisPcName()));
        QCOMPARE(Row(&window, "LstHosts", 0).section(" | ", 0, 1),
                 name + " (dieser PC) | 127.0.0.1");
        QCOMPARE(Child<QTreeWidget>(&window, "LstHosts")->topLevelItem(0)->flags(),
                 Qt::NoItemFlags);
        QVERIFY(!Child(&window, "BtnCompareHost")->isEnabled());
        QTest::keyClicks(Child(&window, "TxtHost"), QString::fromStdString(Loopback));
        QTest::mouseClick(Child(&window, "BtnCompareHost"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(pcs.sink.texts.size(), std::size_t(1), NetworkWait);
        QCOMPARE(FirstLines(pcs.sink.texts), "Vergleich mit Host 127.0.0.1 nicht möglich\nDas ist "
                                             "dieser PC. Bitte mit dem Bericht eines anderen PCs "
                                             "vergleichen.\n");
        QVERIFY(Child<LanNetworkBox>(&window, "FrmNetwork")->findChild<QTreeWidget*>("LstGuests")
                    ->topLevelItemCount() == 0); // it told itself nothing
    }

    // Closing the window while a search or a comparison waits on a host that never answers ends
    // it at once, rather than when its time runs out.
    void closesAtOnceWhileWaitingOnTheNetwork() {
        TwoPcs pcs("uk");
        // Takes connections and never says a word; nothing answers the search on its port.
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        const unsigned short port = silent.serverPort();
        for (const char* button : {"BtnFindHosts", "BtnCompareHost"}) {
            auto* window = new frmLanCheck(pcs.guest, pcs.sink);
            window->SetNetwork(port, Loopback);
            window->show();
            QTest::keyClicks(Child(window, "TxtHost"), QString::fromStdString(Loopback));
            QTest::mouseClick(Child(window, button), Qt::LeftButton);
            QTest::qWait(500); // under way
            QVERIFY(!Child(window, button)->isEnabled());
            const auto start = std::chrono::steady_clock::now();
            delete window;
            QVERIFY2(std::chrono::steady_clock::now() - start < std::chrono::milliseconds(500),
                     button);
        }
        QVERIFY(pcs.sink.texts.empty());
    }

    // The window shares this PC's report; a guest fetches it and sends its verdict, which the
    // table shows, until sharing ends.
    void shareWithGuests_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("lost"); // cars the guest has lost
        QTest::addColumn<QString>("end");      // how sharing ends: unticked, or the window closed
        QTest::addColumn<QString>("verdict");
        QTest::newRow("same, unticked") << "uk" << QStringList() << "untick"
                                        << "same";
        QTest::newRow("same, Escape") << "de" << QStringList() << "escape"
                                      << "gleich";
        QTest::newRow("two differ, closed")
            << "de" << QStringList{"Sauber", "Arrows"} << "close"
            << "2 Dateien weichen ab\n"
               "    season02/vehicles/Arrows/Arrows.hdv — dort: fehlt, hier: Arrows\n"
               "    season02/vehicles/Sauber/Sauber.hdv — dort: fehlt, hier: Sauber";
    }

    void shareWithGuests() {
        QFETCH(QString, language);
        QFETCH(QStringList, lost);
        QFETCH(QString, end);
        TwoPcs pcs(language);
        pcs.Lose(lost);
        frmLanCheck window(pcs.host, pcs.sink);
        window.SetNetwork(0, Loopback);
        window.show();
        auto* network = Child<LanNetworkBox>(&window, "FrmNetwork");
        QTest::mouseClick(Child(&window, "ChkShare"), Qt::LeftButton);
        QTRY_VERIFY(network->SharedPort() != 0); // once its games are read
        const lancheck::LanHost host{Loopback, network->SharedPort()};
        QVERIFY(host.port != 0);
        // The name and port the organiser reads out to the others.
        const QString sharedAs = ShownText(&window, "LblSharedAs");
        QVERIFY2(sharedAs.startsWith(QString(language == "uk" ? "Shared as " : "Freigegeben als ") +
                                     QString::fromStdString(
                                         lancheck::Printable(lancheck::ThisPcName()))) &&
                     sharedAs.endsWith(QString(language == "uk" ? " on port " : " auf Port ") +
                                       QString::number(host.port)),
                 qPrintable(sharedAs));

        // A second share on the same port is refused, and its box goes back off.
        frmLanCheck second(pcs.guest, pcs.sink);
        second.SetNetwork(host.port, Loopback);
        QTest::mouseClick(Child(&second, "ChkShare"), Qt::LeftButton);
        QTRY_COMPARE(Ticks(&second, {"ChkShare"}), QString("o"));
        QCOMPARE(QString::fromStdString(pcs.sink.texts.at(0)).section("\r\n", 0, 0),
                 QString(language == "uk"
                             ? "This PC's report cannot be shared on port %1:"
                             : "Der Bericht dieses PCs kann auf Port %1 nicht freigegeben "
                               "werden:")
                     .arg(host.port));

        const lancheck::FetchedReport fetched = lancheck::FetchReport(host);
        QVERIFY2(fetched.read.ok(), fetched.read.reason().c_str());
        const lancheck::Comparison comparison = lancheck::CompareWithReport(
            lancheck::CollectStatus(pcs.guest.install, pcs.guest.ProgramDir()),
            fetched.read.value());
        QVERIFY(lancheck::SendVerdict(host, lancheck::VerdictOf(comparison, lancheck::ThisPcName(),
                                                                fetched.fingerprint))
                    .ok());
        QTRY_COMPARE_WITH_TIMEOUT(Child<QTreeWidget>(&window, "LstGuests")->topLevelItemCount(), 1,
                                  NetworkWait);
        const QString row = Row(&window, "LstGuests", 0);
        QCOMPARE(
            row.section(" | ", 0, 1),
            QString::fromStdString(lancheck::Printable(lancheck::ThisPcName()) + " | " + Loopback));
        QFETCH(QString, verdict);
        const QString files = row.section('\n', 1);
        QCOMPARE(row.section('\n', 0, 0).section(" | ", 2, 2) +
                     (files.isEmpty() ? "" : '\n' + files),
                 QDir::toNativeSeparators(verdict));
        if (!lost.isEmpty()) { // a click opens the guest's files
            auto* guests = Child<QTreeWidget>(&window, "LstGuests");
            QTest::mouseClick(guests->viewport(), Qt::LeftButton, {},
                              guests->visualItemRect(guests->topLevelItem(0)).center());
            QVERIFY(guests->topLevelItem(0)->isExpanded());
        }

        if (end == "untick") {
            QTest::mouseClick(Child(&window, "ChkShare"), Qt::LeftButton);
        } else if (end == "escape") { // asks first; No keeps the window and the share
            QStringList asked;
            bool yes = false;
            window.SetConfirm([&](QWidget*, const QString& text) {
                asked << text;
                return yes;
            });
            QTest::keyClick(&window, Qt::Key_Escape);
            QVERIFY(window.isVisible());
            QCOMPARE(network->SharedPort(), host.port);
            yes = true;
            QTest::keyClick(&window, Qt::Key_Escape);
            QCOMPARE(asked.size(), 2);
            QCOMPARE(asked[0], "Beim Schließen endet die Freigabe dieses PCs. Das Fenster jetzt "
                               "schließen?");
            QVERIFY(!window.isVisible());
        } else {
            window.close();
        }
        QCOMPARE(network->SharedPort(), 0);
        QVERIFY(!lancheck::FetchReport(host).read.ok());
        QVERIFY(Child(&window, "LblSharedAs")->isHidden());
    }

    // Hosts that answer to one name are listed, and the window says so, once for each name.
    void hostsOfOneName_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("said");
        QTest::newRow("uk") << "uk"
                            << "3 PCs answer to the name org: 10.0.0.2, 10.0.0.3 and 10.0.0.5. "
                               "Choose the one meant in the list, or type its address.";
        QTest::newRow("de") << "de"
                            << "3 PCs melden sich mit dem Namen org: 10.0.0.2, 10.0.0.3 und "
                               "10.0.0.5. Den gemeinten in der Liste wählen oder seine Adresse "
                               "eingeben.";
    }

    void hostsOfOneName() {
        QFETCH(QString, language);
        TwoPcs pcs(language);
        frmLanCheck window(pcs.guest, pcs.sink);
        auto* network = Child<LanNetworkBox>(&window, "FrmNetwork");
        const auto host = [](const char* name, const char* address) {
            return lancheck::FoundHost{address, lancheck::LanProtocolVersion, {name, "1", "f"}};
        };
        network->ShowHosts({host("org", "10.0.0.2"), host("ORG", "10.0.0.3"),
                            host("other", "10.0.0.4"), host("Org", "10.0.0.5")});
        QCOMPARE(Child<QTreeWidget>(&window, "LstHosts")->topLevelItemCount(), 4);
        QFETCH(QString, said);
        QCOMPARE(ShownText(&window, "LblSameName"), said);
        network->ShowHosts({host("org", "10.0.0.2"), host("other", "10.0.0.4")});
        QVERIFY(Child(&window, "LblSameName")->isHidden());
    }

    // A state that cannot be collected is said, in the window's language, and nothing is made of
    // it: no lines copied, no report saved.
    void stateThatCannotBeRead() {
        TwoPcs pcs("de");
        frmLanCheck window(pcs.guest, pcs.sink);
        window.SetCollect([](const GameInstall&, const std::string&)
                              -> std::vector<lancheck::ComponentStatus> {
            throw std::runtime_error("SHA-256 is not available");
        });
        QGuiApplication::clipboard()->setText("before");
        QTest::mouseClick(Child(&window, "BtnCopy"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));
        QCOMPARE(Child<QTreeWidget>(&window, "LstStatus")->topLevelItemCount(), 0);
        window.SetSaveDialog([&](QWidget*, const QString&, const QString&, const QString&) {
            return QString::fromStdString(pcs.report);
        });
        QTest::mouseClick(Child(&window, "BtnSaveReport"), Qt::LeftButton);
        QVERIFY(!std::filesystem::exists(pcs.report));
        const std::string told =
            "Der Zustand dieses PCs kann nicht gelesen werden:\nSHA-256 is not available\n";
        QCOMPARE(FirstLines(pcs.sink.texts), told + told);
    }
};

QTEST_MAIN(FrmLanCheckTest)
#include "frm_lan_check_test.moc"
