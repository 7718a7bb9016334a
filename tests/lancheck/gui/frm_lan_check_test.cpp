// The LAN check window on the real logic: a report saved on one fake PC, compared on another,
// dropped or chosen; a report that cannot be read is refused and leaves the window as it was.
#include <filesystem>

#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include "lancheck/gui/frm_lan_check.hpp"
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
    TempDir dir;
    FakeInstall hostFake{dir.Path() / "host"};
    FakeInstall guestFake{dir.Path() / "guest"};
    AppState host, guest;
    RecordingSink sink;
    std::string report = (dir.Path() / "report.json").string(); // as messages name it
};

// What the window shows of a comparison: the verdict, then the list.
QString Shown(QWidget* window) {
    return ShownText(window, "LblVerdict") + '|' + ShownText(window, "TxtDifferences");
}

// Saves the host's report where the dialog is told to.
void SaveHostReport(TwoPcs& pcs, QStringList& asked) {
    frmLanCheck window(pcs.host, pcs.sink);
    window.SetSaveDialog(
        [&](QWidget*, const QString& title, const QString& name, const QString& filter) {
            asked << title + " | " + name.section('-', 0, 1) + " | " + filter;
            return QString::fromStdString(pcs.report);
        });
    QTest::mouseClick(Child(&window, "BtnSaveReport"), Qt::LeftButton);
}

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
        QTest::newRow("same, dropped")
            << "uk" << QStringList() << true << QStringList()
            << "All files are the same as in the report.|EA 2002 season: same\n" + rest.arg("same");
        QTest::newRow("one file differs, chosen")
            << "de" << QStringList{"Sauber"} << false << QStringList()
            << "1 Datei weicht vom Bericht ab.|EA 2002 season: verschieden\n"
               "    season02\\vehicles\\Sauber\\Sauber.hdv\n"
               "        hier: missing, im Bericht: Sauber\n" +
                   rest.arg("gleich");
        // A name in the report can neither make up a line nor reach the screen as a control.
        QTest::newRow("a path with a line break and an escape sequence")
            << "uk" << QStringList() << false
            << QStringList{"terrain.ini\"", "terrain.ini\\nQuillon season: same\\u001b[2J\""}
            << "2 files differ from the report.|grip EA 2002: differs\n"
               "    season02\\tracks\\terrain.ini\\x0aQuillon season: same\\x1b[2J\n"
               "        here: (no such file), report: original\n"
               "    season02\\tracks\\terrain.ini\n        here: original, report: (no such file)\n"
               "EA 2002 season: same\nQuillon season: same\n"
               "GT Racing 2002 mod: same\nF1 Challenge: same\ngrip Quillon: same\n";
    }

    void saveThenCompare() {
        QFETCH(QString, language);
        QFETCH(QStringList, lost);
        QFETCH(bool, dropped);
        QFETCH(QStringList, edit);
        TwoPcs pcs(language);
        QStringList asked;
        SaveHostReport(pcs, asked);
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
        for (const QString& car : lost) {
            std::filesystem::remove(pcs.guestFake.f1Path + "season02/vehicles/" +
                                    car.toStdString() + '/' + car.toStdString() + ".hdv");
        }
        frmLanCheck window(pcs.guest, pcs.sink);
        window.show();
        // The rows and the copied lines: one per component, as status gives them.
        auto* rows = Child<QTreeWidget>(&window, "LstStatus");
        QTest::mouseClick(Child(&window, "BtnCopy"), Qt::LeftButton);
        const QStringList copied = QGuiApplication::clipboard()->text().split('\n');
        QCOMPARE(rows->topLevelItemCount(), 6);
        QCOMPARE(copied.size(), 7); // and the last line's end
        QCOMPARE(copied.at(0).section(", fingerprint ", 0, 0), QString("EA 2002 season: original"));
        QCOMPARE(rows->topLevelItem(5)->text(0) + ' ' + rows->topLevelItem(5)->text(1),
                 QString("grip Quillon original"));
        QCOMPARE(copied.at(5).section(", fingerprint ", 1), rows->topLevelItem(5)->text(2));
        const QString report = QString::fromStdString(pcs.report);
        if (dropped) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(report)});
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(&window, &enter); // a drop goes where a drag was accepted
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(&window, &drop);
        } else {
            window.SetOpenDialog(
                [&](QWidget*, const QString&, const QString&, const QString&) { return report; });
            QTest::mouseClick(Child(&window, "BtnCompare"), Qt::LeftButton);
        }
        QTEST(Shown(&window), "shown");
        QCOMPARE(pcs.sink.texts.size(), std::size_t(1));
    }

    void unreadableReportChangesNothing_data() {
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

    void unreadableReportChangesNothing() {
        QFETCH(QString, damage);
        TwoPcs pcs("uk");
        QStringList asked;
        SaveHostReport(pcs, asked);
        frmLanCheck window(pcs.guest, pcs.sink);
        window.CompareWith(QString::fromStdString(pcs.report));
        const QString before = Shown(&window);
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
        QCOMPARE(pcs.sink.texts.back(), pcs.report + "\r\n\r\n" + reason.toStdString());
        QCOMPARE(Shown(&window), before);
        QVERIFY(before.startsWith("All files are the same"));
    }
};

QTEST_MAIN(FrmLanCheckTest)
#include "frm_lan_check_test.moc"
