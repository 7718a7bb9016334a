// The start of the program and the main window, once per language: one running copy, the splash,
// the language chooser, the texts of the main window and of the windows it opens, what their
// controls do, and the change of language.
#include <span>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QUrlQuery>

#include "app/gui/qt_startup.hpp"
#include "build_config.hpp"
#include "core/gui/qt_message_box.hpp"
#include "core/gui/qt_shell.hpp"
#include "support/window_test_support.hpp"

using namespace korvane;
using namespace korvane::testing;

namespace {

// A control's texts; without an English one the German one stays.
struct TextRow {
    const char* name;
    const char* german;
    const char* english = nullptr;
};

const TextRow MainTexts[] = {
    {"frmMain", "Korvane"},
    {"FrameStatus", "Pfad zu \"F1_2002.exe\" festlegen...",
     "Please select the path to \"F1_2002.exe\" ..."},
    {"FrameStatusF1c", "Pfad zu \"F1 Challenge 99-02.exe\" festlegen...",
     "Please select the path to \"F1 Challenge 99-02.exe\" ..."},
    {"BtnBrowse", "Suchen", "browse"},
    {"BtnBrowseF1c", "Suchen", "browse"},
    {"frmModul", "Bitte Modul auswählen ...", "Please select a module..."},
    {"BtnHarmonize", "Multiplayer Performance anpassen", "Multiplayer Performance Harmonizer"},
    {"BtnGripModul", "Gripwerte für Gras und Kies verändern",
     "Change grip settings for grass and gravel"},
    {"LblInfo", "Mauszeiger auf einen Modulbutton bewegen für Erläuterungen zum Modul ...",
     "Move mouse onto a module button for explanation ..."},
    {"sbStatusBarPanel1", "Status"},
    {"mnuFileLanCheck", "&LAN-Check ...", "LAN check ..."},
    {"mnuFileExit", "Be&enden", "Quit program"},
    {"mnuFile", "&Datei", "File"},
    {"mnuView", "&Ansicht", "View"},
    {"mnuViewChangeLang", "Sprache wechseln", "Change Language"},
    {"mnuHelp", "&Hilfe", "Help"},
    {"mnuUpdate", "&Suche nach neuer Version ...", "Check for new version ..."},
    {"mnuHomepage", "&Homepage besuchen ...", "Visit the homepage ..."},
    {"mnuHistory", "&Historie...", "History..."},
    {"mnuHelpAbout", "&Über Korvane", "About Korvane"},
};

// A text that depends on the language, empty for any other code.
struct ByLanguage {
    const char* de;
    const char* uk;
};

const ByLanguage HarmonizerOverview{
    "Mit diesem Modul kann die Performance aller mitfahrenden Teams auf einen einheitlichen Wert "
    "(den des Masterteams) gesetzt werden.\r\n\r\nDies ist nützlich, wenn man z.B. auf "
    "Lan-Parties mit mehreren verschiedenen Teams fahren will, aber trotzdem alle die gleichen "
    "Chancen haben sollen.\r\n\r\nDas Modul muß auf jedem PC der im LAN mitfährt ausgeführt "
    "werden, allerdings nur einmalig.\r\nDie Performancewerte bleiben erhalten bis Ihr die Werte "
    "mit dem Programm wieder zurücksetzt (oder natürlich F1 2002 neu installiert).",
    "This module allows to set all teams to equal performance levels.\r\n\r\nThis can be useful "
    "for LAN parties where participants want to drive different teams but still all should have "
    "equal performance.\r\n\r\nThe program needs to be executed on all participating PC´s - but "
    "only once.\r\n\r\nThe performance values will stay the same until you reset them with the "
    "modul (or until you re-install F1 2002 of course)."};
const ByLanguage GripOverview{
    "Mit diesem Modul können die Gripwerte sowie die \"Holprigkeit\" für Gras und Kies verändert "
    "werden.\r\n\r\nDamit wird erreicht, daß man auf Gras und Kies nicht mehr genauso schnell ist "
    "wie auf der Strecke.\r\n\r\nSomit werden absichtliche oder unfreiwillige Abkürzungen "
    "zeitmässig stärker \"bestraft\".\r\n\r\nDie Änderungen können mit einem Mausclick wieder "
    "rückgängig gemacht werden.",
    "This module allows you to easily change the grip values and bumpyness for gras and "
    "gravel.\r\n\r\nWith those changes you will be slower on gras and gravel than on the "
    "lane.\r\n\r\nThe result is that you will not be able to cheat as easy by taking shortcuts "
    "onto the gras.\r\n\r\nThe changes can be undone with one mouse click."};
const ByLanguage HarmonizerInstruction{
    "Als erstes auswählen für welche Komponente(n) die Performance angeglichen werden "
    "soll.\r\nEA 2002/Quillon update und GT Mod können nicht gleichzeitig ausgewählt "
    "werden.\r\n\r\nDann das Masterteam und ggf. die Saison (nur für F1 Challenge) auswählen. Die "
    "Performance aller Teams (und ggf. aller Saisons) wird an das Masterteam "
    "angeglichen.\r\n\r\nNun noch ein Klick auf PERFORMANCE ANGLEICHEN und das war es.\r\n\r\nMit "
    "einem Klick auf ORIGINAL PERFORMANCE WIEDERHERSTELLEN werden die Performancewerte, die vor "
    "der Benutzung des Programms eingestellt waren wieder hergestellt.\r\n",
    "First choose the component that the action should apply to (F1 Challenge, Original EA 2002, "
    "Quillon update for EA 2002 or GT Racing 2002 mod for EA 2002)\r\n\r\nNext choose your "
    "master-team and if needed the season (only for F1 Challenge). All teams and all seasons will "
    "be changed to the performance of that team.\r\n\r\nOne click on HARMONIZE PERFORMANCE and "
    "that is all.\r\n\r\nWith one click on the button RESTORE ORIGINAL PERFORMANCE the "
    "performance will be restored to the values you had before using the program.\r\n"};
const ByLanguage GripInstruction{
    "Dieses Modul verändert die Gripwerte für Gras und Kies damit man dort nicht genauso schnell "
    "fahren kann wie auf der Strecke (und es wird dort \"holpriger\").\r\n\r\nSofern Ihr die "
    "Season 2002 Erweiterung von Quillon installiert habt könnt Ihr auswählen, ob die Änderungen "
    "auch dafür gelten sollen.\r\n\r\nNun noch ein Klick auf GRIPWERTE ÄNDERN und das war es "
    "(alle Änderungen die Ihr evtl. manuell an der terrain.ini vorgenommen habt werden "
    "vorübergehend deaktiviert.)\r\nMit einem Klick auf ORIGINAL GRIPWERTE WIEDERHERSTELLEN "
    "werden die Gripwerte, die Ihr vor der Benutzung des Programms hattet wieder eingestellt.\r\n",
    "This module changes the grip values for gras and gravel in a way that you can´t drive on "
    "them with the same speed as on the lane (and Gras and Gravel will be more bumpy).\r\n\r\nIf "
    "you have installed the  Season 2002 update developed by Quillon you can select if those "
    "changes should also apply for it.\r\n\r\nOne click on APPLY OPTIMIZED GRIP SETTINGS and that "
    "is all (all changes that you might have made manually to terrain.ini will be temporary "
    "disabled).\r\nWith one click on the button RESTORE ORIGINAL GRIP SETTINGS the grip will be "
    "restored to the values you had before using the program.\r\n"};

const ByLanguage FirstHistoryEntry{
    "26.07.03 - 0.6.0 : Support für F1 Challenge 99-02 (inkl. Quillon Saison 2003) zum "
    "Harmonisierer hinzugefügt.",
    "26.07.03 - 0.6.0 : Added support for F1 Challenge 99-02 (including Quillon season 2003) to "
    "harmonizing module."};

const TextRow HarmonizerTexts[] = {
    {"frmHarmonizer", "Multiplayer Performance Harmonizer"},
    {"frmAction", "1.) Aktionen wirken auf:", "1.) Actions apply to:"},
    {"LblF1c", "EA F1 Challenge 99-02"},
    {"LblEASeason02", "EA F1 2002"},
    {"Label1", "Quillon Season 2002"},
    {"LblGT2002", "GT Racing 2002 Mod"},
    {"FrmTeam", "2.) Performance angleichen an:", "2.) \"Masterteam\" for performance:"},
    {"LblSeason", "Saison:", "Season:"},
    {"LblTeam", "Team:"},
    {"FrameActionGo", "3.) Aktion ausführen:", "3.) Perform action:"},
    {"BtnEqual", "Performance angleichen", "Harmonize performance"},
    {"BtnRestore", "Original Performance wiederherstellen", "Restore original performance"},
    {"BtnQuit", "Zurück zum Auswahlmenü", "Back to main menu"},
};

const TextRow GripTexts[] = {
    {"frmGrip", "Grip von Gras und Kies ändern", "Change grip for gras and gravel"},
    {"frmAction", "Aktionen wirken auf:", "Actions apply to..."},
    {"LblEASeason02", "EA F1 2002"},
    {"Label1", "Quillon Season 2002"},
    {"BtnEqual", "Gripwerte optimieren", "Apply optimized grip settings"},
    {"BtnRestore", "Original Gripwerte wiederherstellen", "Restore original grip settings"},
    {"BtnQuit", "Zurück zum Auswahlmenü", "Back to main menu"},
};

const TextRow LanCheckTexts[] = {
    {"frmLanCheck", "LAN-Check", "LAN check"},
    {"FrmStatus", "Dieser PC:", "This PC:"},
    {"FrmCompare", "Vergleich mit einem Bericht:", "Comparison with a report:"},
    {"LblVerdict", "Bericht wählen oder auf dieses Fenster ziehen ...",
     "Choose a report or drop it onto this window ..."},
    {"BtnCopy", "Zeilen kopieren", "Copy lines"},
    {"BtnSaveReport", "Bericht speichern ...", "Save report ..."},
    {"BtnCompare", "Mit Bericht vergleichen ...", "Compare with report ..."},
    {"BtnQuit", "Zurück zum Auswahlmenü", "Back to main menu"},
    {"LblHint",
     "Auf einem PC den Bericht speichern, auf allen anderen damit vergleichen. Jede Datei, die "
     "abweicht, steht unten mit beiden Seiten.",
     "Save the report on one PC and compare with it on every other one. Each file that differs "
     "is listed below with both sides."},
};

const TextRow AboutTexts[] = {
    {"frmAbout", "About Korvane"},
    {"lblTitle", "Korvane"},
    {"lblVersion", "Version 0.6.0"},
    {"lblDescription", ""},
    {"LblFeedbackText",
     "Feedback oder bug Reports bitte per Mail an:", "Send feedback or bug reports to:"},
    {"Label3", build::FeedbackMail},
    {"LblHomepagetext",
     "Updates gibt es auf der Korvane Homepage:", "Updates on the Korvane homepage:"},
    {"LblHomepage", "Link zur Korvane Homepage", "Link to the homepage"},
    {"lblDisclaimer", "This program is freeware and comes without any  warranty."},
    {"cmdOK", "OK"},
};

QString LanguageTag() {
    QFETCH_GLOBAL(QString, language);
    return language;
}

QString For(const ByLanguage& text) {
    return QString::fromUtf8(LanguageTag() == "de"   ? text.de
                             : LanguageTag() == "uk" ? text.uk
                                                     : "");
}

// The controls that do not show their text of the language, with what they show.
QString Mismatches(QWidget* window, std::span<const TextRow> rows,
                   bool english = LanguageTag() == "uk") {
    QString wrong;
    for (const TextRow& row : rows) {
        const QString shown = ShownText(window, row.name);
        if (shown != QString::fromUtf8(english && row.english ? row.english : row.german)) {
            wrong += QStringLiteral("%1 shows \"%2\"; ").arg(QLatin1String(row.name), shown);
        }
    }
    return wrong;
}

AppState StateIn(const TempDir& dir) {
    AppState state;
    state.settings = Settings{dir.Path().string(), "korvane"};
    state.language = LanguageOfCode(LanguageTag().toStdString());
    return state;
}

// The main window made in the language of the run.
struct Main {
    explicit Main(MessageSink& sink) : window(state, sink) { window.show(); }
    TempDir dir;
    AppState state = StateIn(dir);
    frmMain window;
};

void Click(QWidget* window, const QString& name) {
    auto* action = Child<QAction>(window, qPrintable(name));
    action ? action->trigger()
           : QTest::mouseClick(Child(window, qPrintable(name)), Qt::LeftButton, {}, QPoint(3, 3));
}

} // namespace

class FrmMainTest : public QObject {
    Q_OBJECT

  private:
    RecordingSink sink_;
    QTemporaryDir locks_;
    QStringList opened_; // by the desktop shell; a mail with its subject

    // A start without the wait or the registries that does not expect to ask for the language.
    StartupOptions Quick() {
        StartupOptions options;
        options.splashTime = std::chrono::milliseconds(50);
        options.registry = [](const std::string&, const std::string&) { return std::string(); };
        options.chooseLanguage = [](AppState&, QWidget*) { QFAIL("asked for the language"); };
        return options;
    }

  private slots:
    void initTestCase_data() {
        QTest::addColumn<QString>("language");
        for (const char* code : {"de", "uk", "unknown"}) {
            QTest::newRow(code) << QString::fromLatin1(code);
        }
    }
    void init() {
        opened_.clear();
        SetShellOpenerForTests([this](const QUrl& url) {
            opened_ << url.toString(QUrl::RemoveQuery) + QUrlQuery(url).queryItemValue("subject");
        });
    }
    void cleanup() { CloseAllWindows(); }

    // A lock that cannot be made at all does not keep the program from starting; the lock lies in
    // a directory of the user's own.
    void startWithoutALock() {
        Main m(sink_); // for its settings
        WriteSetting(m.state.settings, "config", "language", "de");
        WriteAll(m.dir.Path() / "file", "");
        QLockFile bad(QString::fromStdString((m.dir.Path() / "file" / "korvane.lock").string()));
        const auto main = StartUp(m.state, sink_, bad, Quick());
        QVERIFY(main && main->isVisible() && !bad.isLocked());
#ifdef Q_OS_UNIX
        // The shared temporary directory would let one user's running copy stop everybody else's.
        const QFileInfo dir(QFileInfo(InstanceLockPath(QStringLiteral("korvane"))).path());
        QVERIFY(dir.isDir() && dir.ownerId() == QFileInfo(locks_.path()).ownerId());
        QVERIFY(!(dir.permissions() & (QFile::WriteGroup | QFile::WriteOther)));
#endif
    }

    // Each start shows the splash, asks for the language until one is stored, and holds the lock:
    // a second copy shows nothing, asks nothing and ends; once the first has ended, one runs.
    void startAsksForTheLanguageUntilOneIsStored() {
        Main m(sink_); // for its settings
        if (LanguageTag() != "unknown") {
            WriteSetting(m.state.settings, "config", "language", LanguageTag().toStdString());
        }
        QStringList seen; // at each start: the splash, the chooser when asked, the main window
        for (const char* answer : {"", "Picture1", ""}) { // closed, English flag, closed
            QLockFile lock(locks_.filePath("korvane.lock"));
            StartupOptions options = Quick();
            options.chooseLanguage = {}; // the real chooser
            options.beforeWait = [&seen](frmMain& main) {
                QTimer::singleShot(0, [&seen, &main] { // while the splash waits
                    QWidget* splash = OpenWindow("frmSplash");
                    seen << (splash && !main.isVisible() ? ShownText(splash, "Label1") + ' ' +
                                                               ShownText(splash, "lblVersion")
                                                         : "no splash over a hidden main window");
                });
            };
            WhenModal("frmLanguage", [&seen, answer](QWidget* chooser) {
                QWidget* main = chooser->parentWidget(); // shown, with the splash gone
                const bool over = main && main->isVisible() && !OpenWindow("frmSplash");
                seen << ShownText(chooser, "frmLanguage") + '|' + ShownText(chooser, "CmdLangUK") +
                            '|' + ShownText(chooser, "CmdLangDE") + (over ? "" : " not over main");
                *answer ? Click(chooser, answer) : void(chooser->close());
            });
            auto main = StartUp(m.state, sink_, lock, options);
            seen << ShownText(main.get(), "LblVersionMain") + ' ' +
                        ShownText(main.get(), "BtnBrowse") + ' ' + CodeOf(m.state.language);
            QLockFile second(locks_.filePath("korvane.lock"));
            const qsizetype windows = QApplication::topLevelWidgets().size();
            QVERIFY(!StartUp(m.state, sink_, second, Quick()));
            QCOMPARE(QApplication::topLevelWidgets().size(), windows);
            CloseAllWindows();
        }
        const QString splash = "Korvane Version 0.6.0";
        const QString chooser = "Choose your language:|      English|      Deutsch";
        const QString main = "Version 0.6.0 " + For({"Suchen de", "browse uk"});
        QCOMPARE(seen, (LanguageTag() == "unknown"
                            ? QStringList{splash, chooser, "Version 0.6.0 Suchen unknown", splash,
                                          chooser, "Version 0.6.0 browse uk", splash,
                                          "Version 0.6.0 browse uk"}
                            : QStringList{splash, main, splash, main, splash, main}));
    }

    void explanationsFollowTheMouseAndBrowseButtonsTakeThePickedGame() {
        Main m(sink_);
        const QString prompt = ShownText(&m.window, "LblInfo");
        QTest::mouseMove(Child(&m.window, "BtnHarmonize"));
        QCOMPARE(ShownText(&m.window, "LblInfo"), For(HarmonizerOverview));
        QTest::mouseMove(Child(&m.window, "BtnGripModul"));
        QTest::mouseMove(Child(&m.window, "FrameStatus")); // elsewhere: no change
        QCOMPARE(ShownText(&m.window, "LblInfo"), For(GripOverview));
        QTest::mouseMove(Child(&m.window, "frmModul"), QPoint(3, 3)); // no prompt: no change
        QCOMPARE(ShownText(&m.window, "LblInfo"), LanguageTag() == "unknown" ? QString() : prompt);
        // The browse buttons take the picked game.
        FakeInstall fake(m.dir.Path());
        const QString f1 =
            QDir::toNativeSeparators(QString::fromStdString(fake.f1Path + "F1_2002.exe"));
        const QString f1c = QDir::toNativeSeparators(
            QString::fromStdString(fake.f1cPath + "F1 Challenge 99-02.exe"));
        QStringList seen;
        m.window.SetFileChooser([&](QWidget* owner, const QString& title, const QString& filter) {
            seen << title + " | " + filter;
            // The dialog answers with forward slashes on Windows too; the boxes show backslashes.
            return owner != &m.window || seen.size() == 1 ? QString() // the first is cancelled
                   : filter.startsWith("F1_")             ? QDir::fromNativeSeparators(f1)
                                                          : QDir::fromNativeSeparators(f1c);
        });
        for (const char* button : {"BtnBrowse", "BtnBrowse", "BtnBrowseF1c"}) {
            Click(&m.window, button);
            seen << ShownText(&m.window, "TxtF1path") + '|' + ShownText(&m.window, "TxtF1cpath") +
                        '|' + ShownText(&m.window, "sbStatusBarPanel1");
        }
        const QString dialog = "F1_2002.exe auswählen ... | F1_2002.exe (f1_2002.exe)";
        QCOMPARE(seen, QStringList({dialog, "||Status", dialog, f1 + "||Bitte Aktion wählen ...",
                                    "F1 Challenge 99-02.exe auswählen ... | F1 Challenge 99-02.exe "
                                    "(f1 challenge 99-02.exe)",
                                    f1 + '|' + f1c + "|Bitte Aktion wählen ..."}));
        QVERIFY(m.state.install.HasF1_2002 && m.state.install.HasF1c);
    }

    void entriesOpenTheirWindowsAndPages() {
        Main m(sink_);
        // The entry, the window, its texts, and its text box: the instructions of a module
        // window, the first entry of the history (entries are apart by an empty line).
        const std::tuple<const char*, const char*, std::span<const TextRow>, const char*, QString>
            windows[] = {
                {"BtnHarmonize", "frmHarmonizer", HarmonizerTexts, "LblHarmonizerInfo",
                 For(HarmonizerInstruction)},
                {"BtnGripModul", "frmGrip", GripTexts, "LblHarmonizerInfo", For(GripInstruction)},
                {"mnuFileLanCheck", "frmLanCheck", LanCheckTexts, "-", "<none>"},
                {"mnuHelpAbout", "frmAbout", AboutTexts, "-", "<none>"},
                {"mnuUpdate", "frmUpdate", {}, "-", "<none>"},
                {"mnuHistory", "FrmHistory", {}, "TxtHistory", For(FirstHistoryEntry)}};
        Click(&m.window, "mnuHomepage");
        for (const auto& [entry, name, rows, box, text] : windows) {
            for (int opening = 0; opening < 2; ++opening) { // the second one starts afresh
                QPointer<QWidget> seen;
                QString shown;
                WhenModal(name, [&, opening](QWidget* window) {
                    seen = window;
                    shown = Mismatches(window, rows) +
                            ShownText(window, box).section("\n\n", 0, 0) +
                            (window->isModal() ? "" : " (not modal)");
                    if (window == OpenWindow("frmAbout") && opening == 0) {
                        Click(window, "Label3");      // a mail; the box stays
                        Click(window, "LblHomepage"); // the homepage; the box closes
                    }
                    QTest::keyClick(window, Qt::Key_Escape);
                });
                Click(&m.window, entry);
                QCOMPARE(shown, text);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                QVERIFY2(seen.isNull(), name);
            }
        }
        const QString page =
            For({build::HomepageHostDe, build::HomepageHostUk}) +
            For({"/software/korvane/korvane.html", "/software/korvane/korvane_e.html"});
        const QString mail = "mailto:" + QString(build::FeedbackMail) + "Feedback Korvane";
        QCOMPARE(opened_, page.isEmpty() ? QStringList() : QStringList({page, mail, page}));
        // Closing the main window closes the others.
        m.window.SetModalWindows(false);
        m.window.OpenHarmonizer();
        Click(&m.window, "mnuFileExit");
        QVERIFY(!m.window.isVisible() && !OpenWindow("frmHarmonizer"));
    }

    void changeOfLanguage_data() {
        QTest::addColumn<QString>("control"); // the English button, the German button and flag
        for (const char* control : {"CmdLangUK", "CmdLangDE", "Picture2"}) {
            QTest::newRow(control) << QString::fromLatin1(control);
        }
    }

    void changeOfLanguage() {
        QFETCH(QString, control);
        const bool english = control == "CmdLangUK";
        QtMessageBox messages;
        Main m(messages);
        WhenModal("frmLanguage", [control](QWidget* chooser) { Click(chooser, control); });
        QString box; // title, text, icon and buttons
        WhenModal("QMessageBox", [&box](QWidget* shown) {
            auto* message = static_cast<QMessageBox*>(shown);
            box = QStringLiteral("%1 | %2 | icon %3 | %4 button")
                      .arg(message->windowTitle(), message->text())
                      .arg(message->icon())
                      .arg(message->buttons().size());
            message->button(QMessageBox::Ok)->click();
        });
        Click(&m.window, "mnuViewChangeLang");
        QCOMPARE(ReadSetting(m.state.settings, "config", "language"), english ? "uk" : "de");
        // English at once; German, whatever the language was, at the next start.
        QCOMPARE(Mismatches(&m.window, MainTexts, english || LanguageTag() == "uk"), QString());
        QCOMPARE(box, english ? QString()
                              : QStringLiteral("Korvane | Programm jetzt bitte neu starten für "
                                               "deutsches Userinterface. | icon 0 | 1 button"));
    }
};

QTEST_MAIN(FrmMainTest)
#include "frm_main_test.moc"
