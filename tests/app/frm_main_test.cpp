// The main window: its texts in both languages, the explanations on LblInfo, the browse buttons,
// the homepage menu, the module windows it opens and the end of the program.
#include <QAction>
#include <QEnterEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTime>
#include <QTimer>

#include <QCheckBox>
#include <QComboBox>

#include "app/frm_main.hpp"
#include "app/qt_shell.hpp"
#include "app/window_test_support.hpp"
#include "build_config.hpp"

using namespace korvane;
using namespace korvane::testing;

namespace {

const char* const PromptDe =
    "Mauszeiger auf einen Modulbutton bewegen für Erläuterungen zum Modul ...";
const char* const PromptUk = "Move mouse onto a module button for explanation ...";

const char* const HarmonizerOverviewDe =
    "Mit diesem Modul kann die Performance aller mitfahrenden Teams auf einen einheitlichen Wert "
    "(den des Masterteams) gesetzt werden.\r\n\r\n"
    "Dies ist nützlich, wenn man z.B. auf Lan-Parties mit mehreren verschiedenen Teams fahren "
    "will, aber trotzdem alle die gleichen Chancen haben sollen.\r\n\r\n"
    "Das Modul muß auf jedem PC der im LAN mitfährt ausgeführt werden, allerdings nur "
    "einmalig.\r\n"
    "Die Performancewerte bleiben erhalten bis Ihr die Werte mit dem Programm wieder zurücksetzt "
    "(oder natürlich F1 2002 neu installiert).";
const char* const HarmonizerOverviewUk =
    "This module allows to set all teams to equal performance levels.\r\n\r\n"
    "This can be useful for LAN parties where participants want to drive different teams but "
    "still all should have equal performance.\r\n\r\n"
    "The program needs to be executed on all participating PC´s - but only once.\r\n\r\n"
    "The performance values will stay the same until you reset them with the modul (or until you "
    "re-install F1 2002 of course).";
const char* const GripOverviewDe =
    "Mit diesem Modul können die Gripwerte sowie die \"Holprigkeit\" für Gras und Kies verändert "
    "werden.\r\n\r\n"
    "Damit wird erreicht, daß man auf Gras und Kies nicht mehr genauso schnell ist wie auf der "
    "Strecke.\r\n\r\n"
    "Somit werden absichtliche oder unfreiwillige Abkürzungen zeitmässig stärker "
    "\"bestraft\".\r\n\r\n"
    "Die Änderungen können mit einem Mausclick wieder rückgängig gemacht werden.";
const char* const GripOverviewUk =
    "This module allows you to easily change the grip values and bumpyness for gras and "
    "gravel.\r\n\r\n"
    "With those changes you will be slower on gras and gravel than on the lane.\r\n\r\n"
    "The result is that you will not be able to cheat as easy by taking shortcuts onto the "
    "gras.\r\n\r\n"
    "The changes can be undone with one mouse click.";

const char* const HarmonizerInstructionDe =
    "Als erstes auswählen für welche Komponente(n) die Performance angeglichen werden soll.\r\n"
    "EA 2002/Quillon update und GT Mod können nicht gleichzeitig ausgewählt werden.\r\n\r\n"
    "Dann das Masterteam und ggf. die Saison (nur für F1 Challenge) auswählen. Die Performance "
    "aller Teams (und ggf. aller Saisons) wird an das Masterteam angeglichen.\r\n\r\n"
    "Nun noch ein Klick auf PERFORMANCE ANGLEICHEN und das war es.\r\n\r\n"
    "Mit einem Klick auf ORIGINAL PERFORMANCE WIEDERHERSTELLEN werden die Performancewerte, die "
    "vor der Benutzung des Programms eingestellt waren wieder hergestellt.\r\n";
const char* const HarmonizerInstructionUk =
    "First choose the component that the action should apply to (F1 Challenge, Original EA 2002, "
    "Quillon update for EA 2002 or GT Racing 2002 mod for EA 2002)\r\n\r\n"
    "Next choose your master-team and if needed the season (only for F1 Challenge). All teams and "
    "all seasons will be changed to the performance of that team.\r\n\r\n"
    "One click on HARMONIZE PERFORMANCE and that is all.\r\n\r\n"
    "With one click on the button RESTORE ORIGINAL PERFORMANCE the performance will be restored to "
    "the values you had before using the program.\r\n";
const char* const GripInstructionDe =
    "Dieses Modul verändert die Gripwerte für Gras und Kies damit man dort nicht genauso schnell "
    "fahren kann wie auf der Strecke (und es wird dort \"holpriger\").\r\n\r\n"
    "Sofern Ihr die Season 2002 Erweiterung von Quillon installiert habt könnt Ihr auswählen, ob "
    "die Änderungen auch dafür gelten sollen.\r\n\r\n"
    "Nun noch ein Klick auf GRIPWERTE ÄNDERN und das war es (alle Änderungen die Ihr evtl. manuell "
    "an der terrain.ini vorgenommen habt werden vorübergehend deaktiviert.)\r\n"
    "Mit einem Klick auf ORIGINAL GRIPWERTE WIEDERHERSTELLEN werden die Gripwerte, die Ihr vor der "
    "Benutzung des Programms hattet wieder eingestellt.\r\n";
const char* const GripInstructionUk =
    "This module changes the grip values for gras and gravel in a way that you can´t drive on "
    "them with the same speed as on the lane (and Gras and Gravel will be more bumpy).\r\n\r\n"
    "If you have installed the  Season 2002 update developed by Quillon you can select if those "
    "changes should also apply for it.\r\n\r\n"
    "One click on APPLY OPTIMIZED GRIP SETTINGS and that is all (all changes that you might have "
    "made manually to terrain.ini will be temporary disabled).\r\n"
    "With one click on the button RESTORE ORIGINAL GRIP SETTINGS the grip will be restored to the "
    "values you had before using the program.\r\n";

struct Row {
    const char* name;
    const char* german;
    const char* english;
};

const Row MainRows[] = {
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
    {"LblInfo", PromptDe, PromptUk},
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

QString ShownText(const frmMain& window, const char* name) {
    if (auto* action = Child<QAction>(&window, name)) {
        return action->text();
    }
    if (auto* menu = Child<QMenu>(&window, name)) {
        return menu->title();
    }
    if (auto* button = Child<QAbstractButton>(&window, name)) {
        return button->text();
    }
    if (auto* label = Child<QLabel>(&window, name)) {
        return label->text();
    }
    if (auto* box = Child<QGroupBox>(&window, name)) {
        return box->title();
    }
    return QStringLiteral("<no control %1>").arg(QLatin1String(name));
}

void Hover(QWidget* widget) {
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(widget, &enter);
}

void MoveOver(QWidget* widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

struct DialogCall {
    QString title;
    QString filter;
};

} // namespace

class FrmMainTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CloseAllWindows(); }

    void createdWithGermanTextsAndEnglishOnRequest() {
        TempDir dir;
        AppState state = StateIn(dir, "uk");
        RecordingSink sink;
        frmMain window(state, sink);
        window.SetPathTexts("C:\\F1\\F1_2002.exe", "");
        window.SetVersionText("Version 0.6.0");

        QCOMPARE(window.windowTitle(), QStringLiteral("Korvane"));
        for (const Row& row : MainRows) {
            QCOMPARE(ShownText(window, row.name), U8(row.german));
        }

        window.show();
        ApplyEnglishCaptions("uk");
        for (const Row& row : MainRows) {
            QCOMPARE(ShownText(window, row.name), U8(row.english));
        }
        // What the English texts leave alone.
        QCOMPARE(window.windowTitle(), QStringLiteral("Korvane"));
        QCOMPARE(Child<QLineEdit>(&window, "TxtF1path")->text(),
                 QStringLiteral("C:\\F1\\F1_2002.exe"));
        QCOMPARE(Child<QLabel>(&window, "LblVersionMain")->text(), QStringLiteral("Version 0.6.0"));
        QCOMPARE(Child<QLabel>(&window, "sbStatusBarPanel1")->text(), QStringLiteral("Status"));
    }

    void germanAndUnknownCodesKeepGermanTexts() {
        for (const char* code : {"de", "unknown", "fr"}) {
            TempDir dir;
            AppState state = StateIn(dir, code);
            RecordingSink sink;
            frmMain window(state, sink);
            window.show();
            ApplyEnglishCaptions(code);
            for (const Row& row : MainRows) {
                QCOMPARE(ShownText(window, row.name), U8(row.german));
            }
        }
    }

    void layoutIsFixedWithMenusInOrder() {
        TempDir dir;
        AppState state = StateIn(dir, "de");
        RecordingSink sink;
        frmMain window(state, sink);
        window.show();
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(Child<QLineEdit>(&window, "TxtF1path")->isReadOnly());
        QVERIFY(Child<QLineEdit>(&window, "TxtF1cpath")->isReadOnly());
        QVERIFY(Child<QLineEdit>(&window, "TxtF1path")->text().isEmpty());
        QCOMPARE(Child<QLineEdit>(&window, "TxtF1path")->parent(),
                 Child<QGroupBox>(&window, "FrameStatus"));
        QCOMPARE(Child<QPushButton>(&window, "BtnBrowseF1c")->parent(),
                 Child<QGroupBox>(&window, "FrameStatusF1c"));
        QCOMPARE(Child<QPushButton>(&window, "BtnHarmonize")->parent(),
                 Child<QGroupBox>(&window, "frmModul"));
        QVERIFY(Child<QPushButton>(&window, "BtnHarmonize")->x() <
                Child<QPushButton>(&window, "BtnGripModul")->x());

        auto names = [](const QList<QAction*>& actions) {
            QStringList list;
            for (QAction* action : actions) {
                list << (action->menu() ? action->menu()->objectName() : action->objectName());
            }
            return list;
        };
        QCOMPARE(names(window.menuBar()->actions()),
                 (QStringList{"mnuFile", "mnuView", "mnuHelp"}));
        QCOMPARE(names(Child<QMenu>(&window, "mnuFile")->actions()), QStringList{"mnuFileExit"});
        QCOMPARE(names(Child<QMenu>(&window, "mnuView")->actions()),
                 (QStringList{"mnuViewChangeLang", "mnuFileBar7"}));
        QCOMPARE(
            names(Child<QMenu>(&window, "mnuHelp")->actions()),
            (QStringList{"mnuUpdate", "mnuHomepage", "mnuHistory", "mnuHelpBar0", "mnuHelpAbout"}));
        QVERIFY(Child<QAction>(&window, "mnuFileBar7")->isSeparator());
        QVERIFY(Child<QAction>(&window, "mnuHelpBar0")->isSeparator());
        // The information windows are wired from outside, through these.
        QCOMPARE(window.UpdateAction()->objectName(), QStringLiteral("mnuUpdate"));
        QCOMPARE(window.HistoryAction()->objectName(), QStringLiteral("mnuHistory"));
        QCOMPARE(window.AboutAction()->objectName(), QStringLiteral("mnuHelpAbout"));
    }

    void statusBarShowsDateAndAKeptClock() {
        TempDir dir;
        AppState state = StateIn(dir, "de");
        RecordingSink sink;
        frmMain window(state, sink);
        window.show();
        auto* date = Child<QLabel>(&window, "sbStatusBarPanel2");
        auto* time = Child<QLabel>(&window, "sbStatusBarPanel3");
        QCOMPARE(date->text(), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
        // The clock is set again while the program runs.
        time->setText(QStringLiteral("stale"));
        QTRY_COMPARE_WITH_TIMEOUT(
            time->text(), QLocale().toString(QTime::currentTime(), QLocale::ShortFormat), 2500);
    }

    void hoverShowsExplanationsWithTheirLineBreaks() {
        struct Case {
            const char* code;
            const char* harmonizer;
            const char* grip;
            const char* prompt;
        };
        for (const Case& c : {Case{"de", HarmonizerOverviewDe, GripOverviewDe, PromptDe},
                              Case{"uk", HarmonizerOverviewUk, GripOverviewUk, PromptUk}}) {
            TempDir dir;
            AppState state = StateIn(dir, c.code);
            RecordingSink sink;
            frmMain window(state, sink);
            window.show();
            auto* info = Child<QLabel>(&window, "LblInfo");
            Hover(Child<QWidget>(&window, "BtnHarmonize"));
            QCOMPARE(info->text(), U8(c.harmonizer));
            Hover(Child<QWidget>(&window, "BtnGripModul"));
            QCOMPARE(info->text(), U8(c.grip));
            // Elsewhere in the window the label keeps its text.
            MoveOver(Child<QWidget>(&window, "FrameStatus"), QPoint(3, 3));
            QCOMPARE(info->text(), U8(c.grip));
            MoveOver(Child<QWidget>(&window, "frmModul"), QPoint(3, 3));
            QCOMPARE(info->text(), U8(c.prompt));
        }
    }

    void hoverWithoutALanguageShowsEmptyTextsAndKeepsThePrompt() {
        TempDir dir;
        AppState state = StateIn(dir, "unknown");
        RecordingSink sink;
        frmMain window(state, sink);
        window.show();
        auto* info = Child<QLabel>(&window, "LblInfo");
        MoveOver(Child<QWidget>(&window, "frmModul"), QPoint(3, 3));
        QCOMPARE(info->text(), U8(PromptDe));
        Hover(Child<QWidget>(&window, "BtnHarmonize"));
        QCOMPARE(info->text(), QString());
        MoveOver(Child<QWidget>(&window, "frmModul"), QPoint(3, 3));
        QCOMPARE(info->text(), QString());
    }

    void browseButtonsStoreThePickedGame() {
        for (const char* code : {"de", "uk"}) {
            TempDir dir;
            FakeInstall fake(dir.Path());
            AppState state = StateIn(dir, code);
            RecordingSink sink;
            frmMain window(state, sink);
            window.show();
            ApplyEnglishCaptions(code);
            std::vector<DialogCall> calls;
            QString answer = QString::fromStdString(fake.f1Path + "F1_2002.exe");
            window.SetFileChooser([&](QWidget* owner, const QString& title, const QString& filter) {
                if (owner != &window) {
                    return QString();
                }
                calls.push_back({title, filter});
                return answer;
            });

            QTest::mouseClick(Child<QPushButton>(&window, "BtnBrowse"), Qt::LeftButton);
            QCOMPARE(calls.size(), std::size_t{1});
            QCOMPARE(calls[0].title, U8("F1_2002.exe auswählen ..."));
            QCOMPARE(calls[0].filter, QStringLiteral("F1_2002.exe (f1_2002.exe)"));
            QCOMPARE(Child<QLineEdit>(&window, "TxtF1path")->text(), answer);
            QCOMPARE(Child<QLabel>(&window, "sbStatusBarPanel1")->text(),
                     U8("Bitte Aktion wählen ..."));
            QVERIFY(state.install.HasF1_2002);
            QVERIFY(state.install.HasSeasonQL);
            QCOMPARE(ReadSetting(state.settings, "config", "f1path"), fake.f1Path);

            answer = QString::fromStdString(fake.f1cPath + "F1 Challenge 99-02.exe");
            QTest::mouseClick(Child<QPushButton>(&window, "BtnBrowseF1c"), Qt::LeftButton);
            QCOMPARE(calls.size(), std::size_t{2});
            QCOMPARE(calls[1].title, U8("F1 Challenge 99-02.exe auswählen ..."));
            QCOMPARE(calls[1].filter,
                     QStringLiteral("F1 Challenge 99-02.exe (f1 challenge 99-02.exe)"));
            QCOMPARE(Child<QLineEdit>(&window, "TxtF1cpath")->text(), answer);
            QVERIFY(state.install.HasF1c);
            QVERIFY(state.install.HasF1cQL2003);
            QCOMPARE(ReadSetting(state.settings, "config", "f1cpath"), fake.f1cPath);
        }
    }

    void cancelledBrowseChangesNothing() {
        TempDir dir;
        AppState state = StateIn(dir, "de");
        RecordingSink sink;
        frmMain window(state, sink);
        window.show();
        window.SetFileChooser([](QWidget*, const QString&, const QString&) { return QString(); });
        QTest::mouseClick(Child<QPushButton>(&window, "BtnBrowse"), Qt::LeftButton);
        QTest::mouseClick(Child<QPushButton>(&window, "BtnBrowseF1c"), Qt::LeftButton);
        QVERIFY(Child<QLineEdit>(&window, "TxtF1path")->text().isEmpty());
        QCOMPARE(Child<QLabel>(&window, "sbStatusBarPanel1")->text(), QStringLiteral("Status"));
        QVERIFY(!state.install.HasF1_2002);
        QVERIFY(!state.install.HasF1c);
        QCOMPARE(ReadSetting(state.settings, "config", "f1path"), std::string("unknown"));
    }

    void homepageFollowsTheLanguage() {
        struct Case {
            const char* code;
            QString expected;
        };
        const QString de =
            QString::fromUtf8(build::HomepageHostDe) + "/software/korvane/korvane.html";
        const QString uk =
            QString::fromUtf8(build::HomepageHostUk) + "/software/korvane/korvane_e.html";
        for (const Case& c : {Case{"de", de}, Case{"uk", uk}, Case{"unknown", QString()}}) {
            TempDir dir;
            AppState state = StateIn(dir, c.code);
            RecordingSink sink;
            frmMain window(state, sink);
            std::vector<QUrl> opened;
            SetShellOpenerForTests([&](const QUrl& url) { opened.push_back(url); });
            Child<QAction>(&window, "mnuHomepage")->trigger();
            SetShellOpenerForTests({});
            if (c.expected.isEmpty()) {
                QVERIFY(opened.empty());
            } else {
                QCOMPARE(opened.size(), std::size_t{1});
                QCOMPARE(opened[0].toString(), c.expected);
            }
        }
    }

    void moduleWindowsOpenAfreshWithInstructionsAndLanguage() {
        struct Case {
            const char* code;
            const char* harmonizer;
            const char* grip;
            const char* equalText;
            const char* gripTitle;
        };
        for (const Case& c :
             {Case{"de", HarmonizerInstructionDe, GripInstructionDe, "Performance angleichen",
                   "Grip von Gras und Kies ändern"},
              Case{"uk", HarmonizerInstructionUk, GripInstructionUk, "Harmonize performance",
                   "Change grip for gras and gravel"},
              Case{"unknown", "", "", "Performance angleichen", "Grip von Gras und Kies ändern"}}) {
            TempDir dir;
            AppState state = StateIn(dir, c.code);
            RecordingSink sink;
            frmMain window(state, sink);
            window.SetModalWindows(false);
            window.show();
            // Twice: a re-opened window is a new one and gets its texts again.
            for (int opening = 0; opening < 2; ++opening) {
                QTest::mouseClick(Child<QPushButton>(&window, "BtnHarmonize"), Qt::LeftButton);
                QWidget* harmonizer = OpenWindow("frmHarmonizer");
                QVERIFY(harmonizer);
                QCOMPARE(Child<QLabel>(harmonizer, "LblHarmonizerInfo")->text(), U8(c.harmonizer));
                QCOMPARE(Child<QPushButton>(harmonizer, "BtnEqual")->text(), U8(c.equalText));
                QTest::mouseClick(Child<QPushButton>(harmonizer, "BtnQuit"), Qt::LeftButton);
                Settle();
                QVERIFY(!OpenWindow("frmHarmonizer"));

                QTest::mouseClick(Child<QPushButton>(&window, "BtnGripModul"), Qt::LeftButton);
                QWidget* grip = OpenWindow("frmGrip");
                QVERIFY(grip);
                QCOMPARE(Child<QLabel>(grip, "LblHarmonizerInfo")->text(), U8(c.grip));
                QCOMPARE(grip->windowTitle(), U8(c.gripTitle));
                QTest::mouseClick(Child<QPushButton>(grip, "BtnQuit"), Qt::LeftButton);
                Settle();
                QVERIFY(!OpenWindow("frmGrip"));
            }
        }
    }

    void gripWindowStartsFromTheInstallation() {
        struct Case {
            bool f1, ql;
            bool eaTicked, eaEnabled, qlTicked, qlEnabled;
        };
        for (const Case& c : {Case{true, true, true, true, false, true},
                              Case{true, false, true, true, false, false},
                              Case{false, true, false, false, false, true},
                              Case{false, false, false, false, false, false}}) {
            TempDir dir;
            AppState state = StateIn(dir, "de");
            state.install.HasF1_2002 = c.f1;
            state.install.HasSeasonQL = c.ql;
            RecordingSink sink;
            frmMain window(state, sink);
            window.SetModalWindows(false);
            window.OpenGripModule();
            QWidget* grip = OpenWindow("frmGrip");
            QVERIFY(grip);
            auto* ea = Child<QCheckBox>(grip, "ChkEA2002");
            auto* ql = Child<QCheckBox>(grip, "ChkQL2002");
            QCOMPARE(ea->isChecked(), c.eaTicked);
            QCOMPARE(ea->isEnabled(), c.eaEnabled);
            QCOMPARE(ql->isChecked(), c.qlTicked);
            QCOMPARE(ql->isEnabled(), c.qlEnabled);
            grip->close();
            Settle();
        }
    }

    void moduleWindowsAreModalAndDiscardedOnClose() {
        TempDir dir;
        AppState state = StateIn(dir, "de");
        RecordingSink sink;
        frmMain window(state, sink);
        window.show();
        QPointer<QWidget> seen;
        bool wasModal = false;
        QTimer::singleShot(0, [&] {
            seen = QApplication::activeModalWidget();
            wasModal = seen && seen->isModal();
            if (seen) {
                seen->close();
            }
        });
        QTimer::singleShot(5000, [] { // never leave the test waiting
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close();
            }
        });
        window.OpenHarmonizer();
        QVERIFY(wasModal);
        Settle();
        QVERIFY(seen.isNull());
    }

    void helpMenuOpensTheInformationWindows() {
        TempDir dir;
        AppState state = StateIn(dir, "uk");
        RecordingSink sink;
        frmMain window(state, sink);
        window.show();
        for (const auto& [item, expected] : {std::pair{"mnuUpdate", "frmUpdate"},
                                              std::pair{"mnuHistory", "FrmHistory"},
                                              std::pair{"mnuHelpAbout", "frmAbout"}}) {
            QString seen;
            QTimer::singleShot(0, [&] {
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    seen = modal->objectName();
                    modal->close();
                }
            });
            Child<QAction>(&window, item)->trigger();
            QCOMPARE(seen, QString::fromLatin1(expected));
        }
    }

    void closingTheMainWindowClosesTheOthers() {
        TempDir dir;
        AppState state = StateIn(dir, "de");
        RecordingSink sink;
        frmMain window(state, sink);
        window.SetModalWindows(false);
        window.show();
        window.OpenHarmonizer();
        QVERIFY(OpenWindow("frmHarmonizer"));
        Child<QAction>(&window, "mnuFileExit")->trigger();
        QVERIFY(!window.isVisible());
        QVERIFY(!OpenWindow("frmHarmonizer"));
    }
};

QTEST_MAIN(FrmMainTest)
#include "frm_main_test.moc"
