// The start of the program and the main window, once per language: one running copy, the splash,
// the language chooser, the texts of the main window and of the windows it opens, what their
// controls do, and the change of language.
#include <span>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrlQuery>

#include "app/gui/main_window_texts.hpp"
#include "app/gui/qt_startup.hpp"
#include "build_config.hpp"
#include "core/gui/qt_message_box.hpp"
#include "core/gui/qt_shell.hpp"
#include "grip/gui/grip_window_texts.hpp"
#include "harmonizer/gui/harmonizer_window_texts.hpp"
#include "info/gui/about_texts.hpp"
#include "lan/gui/lan_check_texts.hpp"
#include "support/window_test_support.hpp"

using namespace korvane;
using namespace korvane::testing;

namespace {

// The texts the About box sets beside its table, the same in every language.
const ControlText AboutOwnTexts[] = {
    {"lblTitle", "Korvane", nullptr},
    {"lblVersion", "Version 0.6.0", nullptr},
    {"Label3", build::FeedbackMail, nullptr},
    {"lblDisclaimer", "This program is freeware and comes without any  warranty.", nullptr},
};

// A text that depends on the language, empty for any other code.
struct ByLanguage {
    const char* de;
    const char* uk;
};

// The first line of each long text: it tells the texts and their languages apart.
const ByLanguage HarmonizerOverview{
    "Mit diesem Modul kann die Performance aller mitfahrenden Teams auf einen einheitlichen Wert "
    "(den des Masterteams) gesetzt werden.",
    "This module allows to set all teams to equal performance levels."};
const ByLanguage GripOverview{
    "Mit diesem Modul können die Gripwerte sowie die \"Holprigkeit\" für Gras und Kies verändert "
    "werden.",
    "This module allows you to easily change the grip values and bumpyness for gras and gravel."};
const ByLanguage HarmonizerInstruction{
    "Als erstes auswählen für welche Komponente(n) die Performance angeglichen werden soll.",
    "First choose the component that the action should apply to (F1 Challenge, Original EA 2002, "
    "Quillon update for EA 2002 or GT Racing 2002 mod for EA 2002)"};
const ByLanguage GripInstruction{
    "Dieses Modul verändert die Gripwerte für Gras und Kies damit man dort nicht genauso schnell "
    "fahren kann wie auf der Strecke (und es wird dort \"holpriger\").",
    "This module changes the grip values for gras and gravel in a way that you can´t drive on "
    "them with the same speed as on the lane (and Gras and Gravel will be more bumpy)."};
const ByLanguage FirstHistoryEntry{
    "26.07.03 - 0.6.0 : Support für F1 Challenge 99-02 (inkl. Quillon Saison 2003) zum "
    "Harmonisierer hinzugefügt.",
    "26.07.03 - 0.6.0 : Added support for F1 Challenge 99-02 (including Quillon season 2003) to "
    "harmonizing module."};

QString FirstLine(const QString& text) {
    return text.section(QRegularExpression("\r?\n"), 0, 0);
}

QString LanguageTag() {
    QFETCH_GLOBAL(QString, language);
    return language;
}

QString For(const ByLanguage& text) {
    return QString::fromUtf8(LanguageTag() == "de"   ? text.de
                             : LanguageTag() == "uk" ? text.uk
                                                     : "");
}

// The controls that do not show their table's text of the language, with what they show.
QString Mismatches(QWidget* window, std::span<const ControlText> rows,
                   bool english = LanguageTag() == "uk") {
    QString wrong;
    for (const ControlText& row : rows) {
        const QString shown = ShownText(window, row.objectName);
        if (shown != QString::fromUtf8(english && row.english ? row.english : row.german)) {
            wrong += QStringLiteral("%1 shows \"%2\"; ").arg(QLatin1String(row.objectName), shown);
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
        WriteSetting(m.state.settings, LanguageSetting, "de");
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
            WriteSetting(m.state.settings, LanguageSetting, LanguageTag().toStdString());
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
        QCOMPARE(FirstLine(ShownText(&m.window, "LblInfo")), For(HarmonizerOverview));
        QTest::mouseMove(Child(&m.window, "BtnGripModul"));
        QTest::mouseMove(Child(&m.window, "FrameStatus")); // elsewhere: no change
        QCOMPARE(FirstLine(ShownText(&m.window, "LblInfo")), For(GripOverview));
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
        // The entry, the window, its table of texts, and its text box: the instructions of a
        // module window, the history.
        const std::tuple<const char*, const char*, std::span<const ControlText>, const char*,
                         QString>
            windows[] = {{"BtnHarmonize", "frmHarmonizer", HarmonizerWindowTexts(),
                          "LblHarmonizerInfo", For(HarmonizerInstruction)},
                         {"BtnGripModul", "frmGrip", GripWindowTexts(), "LblHarmonizerInfo",
                          For(GripInstruction)},
                         {"mnuFileLanCheck", "frmLanCheck", LanCheckWindowTexts(), "-", "<none>"},
                         {"mnuHelpAbout", "frmAbout", AboutControlTexts(), "-", "<none>"},
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
                            Mismatches(window, name == QLatin1String("frmAbout")
                                                   ? AboutOwnTexts
                                                   : std::span<const ControlText>()) +
                            FirstLine(ShownText(window, box)) +
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

    // Every menu of the menu bar ends in an entry, not in a separator.
    void menusEndInAnEntry() {
        Main m(sink_);
        QStringList endingInSeparator;
        for (QAction* title : m.window.menuBar()->actions()) {
            const QList<QAction*> entries = title->menu()->actions();
            if (entries.isEmpty() || entries.back()->isSeparator()) {
                endingInSeparator << title->menu()->objectName();
            }
        }
        QCOMPARE(endingInSeparator.join(", "), QString());
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
        QCOMPARE(ReadSetting(m.state.settings, LanguageSetting), english ? "uk" : "de");
        // English at once; German, whatever the language was, at the next start.
        QCOMPARE(Mismatches(&m.window, MainWindowTexts(), english || LanguageTag() == "uk"),
                 QString());
        QCOMPARE(box, english ? QString()
                              : QStringLiteral("Korvane | Programm jetzt bitte neu starten für "
                                               "deutsches Userinterface. | icon 0 | 1 button"));
    }
};

QTEST_MAIN(FrmMainTest)
#include "frm_main_test.moc"
