// The language chooser and the change of language from the main window's View menu.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/frm_language.hpp"
#include "app/frm_main.hpp"
#include "app/window_test_support.hpp"

using namespace korvane;
using namespace korvane::testing;

namespace {

const char* const RestartMessage = "Programm jetzt bitte neu starten für deutsches Userinterface.";

// Clicks a control of the chooser once it is up (it is modal, so this runs from its own loop).
void ClickInChooserWhenShown(const char* control) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, control] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->objectName() == QLatin1String("frmLanguage")) {
            QTest::mouseClick(Child<QWidget>(modal, control), Qt::LeftButton, {}, QPoint(3, 3));
            poll->deleteLater();
        }
    });
    poll->start(20);
}

} // namespace

class FrmLanguageTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CloseAllWindows(); }

    void looksTheSameInBothLanguages() {
        TempDir dir;
        AppState state = StateIn(dir, "unknown");
        frmLanguage chooser(state);
        chooser.show();
        QCOMPARE(chooser.windowTitle(), QStringLiteral("Choose your language:"));
        QCOMPARE(Child<QPushButton>(&chooser, "CmdLangUK")->text(),
                 QStringLiteral("      English"));
        QCOMPARE(Child<QPushButton>(&chooser, "CmdLangDE")->text(),
                 QStringLiteral("      Deutsch"));
        QVERIFY(Child<QPushButton>(&chooser, "CmdLangUK")->x() <
                Child<QPushButton>(&chooser, "CmdLangDE")->x());
        // No control box: no close, minimize or maximize button.
        const Qt::WindowFlags flags = chooser.windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinMaxButtonsHint));
        // The flags lie on the left part of their buttons.
        for (const char* name : {"Picture1", "Picture2"}) {
            auto* flag = Child<QLabel>(&chooser, name);
            QVERIFY(flag);
            QCOMPARE(flag->pixmap().size(), QSize(30, 16));
            QVERIFY(!flag->pixmap().toImage().isNull());
            QVERIFY(flag->x() < 30);
        }
        QCOMPARE(Child<QLabel>(&chooser, "Picture1")->parent(),
                 Child<QPushButton>(&chooser, "CmdLangUK"));
        QCOMPARE(Child<QLabel>(&chooser, "Picture2")->parent(),
                 Child<QPushButton>(&chooser, "CmdLangDE"));
    }

    void buttonsAndFlagsStoreTheChoiceAndClose() {
        struct Case {
            const char* control;
            std::string code;
        };
        for (const Case& c : {Case{"CmdLangUK", "uk"}, Case{"Picture1", "uk"},
                              Case{"CmdLangDE", "de"}, Case{"Picture2", "de"}}) {
            TempDir dir;
            AppState state = StateIn(dir, "unknown");
            frmLanguage chooser(state);
            chooser.show();
            QTest::mouseClick(Child<QWidget>(&chooser, c.control), Qt::LeftButton, {},
                              QPoint(3, 3));
            QCOMPARE(state.languageCode, c.code);
            QCOMPARE(ReadSetting(state.settings, "config", "language"), c.code);
            QVERIFY(!chooser.isVisible());
        }
    }

    void chooserIsModalAndReturnsWithTheChoice() {
        TempDir dir;
        AppState state = StateIn(dir, "unknown");
        ClickInChooserWhenShown("CmdLangDE");
        ShowLanguageChooser(state);
        QCOMPARE(state.languageCode, std::string("de"));
    }

    void changeToEnglishTakesEffectAtOnce() {
        TempDir dir;
        AppState state = StateIn(dir, "de");
        RecordingSink sink;
        frmMain window(state, sink);
        window.SetModalWindows(false);
        window.show();
        ClickInChooserWhenShown("CmdLangUK");
        Child<QAction>(&window, "mnuViewChangeLang")->trigger();
        QCOMPARE(state.languageCode, std::string("uk"));
        QCOMPARE(ReadSetting(state.settings, "config", "language"), std::string("uk"));
        QVERIFY(sink.texts.empty());
        QCOMPARE(Child<QGroupBox>(&window, "frmModul")->title(),
                 QStringLiteral("Please select a module..."));
        QCOMPARE(Child<QAction>(&window, "mnuViewChangeLang")->text(),
                 QStringLiteral("Change Language"));
        QCOMPARE(Child<QLabel>(&window, "LblInfo")->text(),
                 QStringLiteral("Move mouse onto a module button for explanation ..."));
        // A module window opened from now on speaks English too.
        window.OpenHarmonizer();
        QCOMPARE(Child<QPushButton>(OpenWindow("frmHarmonizer"), "BtnQuit")->text(),
                 QStringLiteral("Back to main menu"));
    }

    void changeToGermanAsksForARestart() {
        for (const char* from : {"uk", "de"}) {
            TempDir dir;
            AppState state = StateIn(dir, from);
            RecordingSink sink;
            frmMain window(state, sink);
            window.show();
            ApplyEnglishCaptions(from);
            const QString before = Child<QPushButton>(&window, "BtnBrowse")->text();
            ClickInChooserWhenShown("CmdLangDE");
            Child<QAction>(&window, "mnuViewChangeLang")->trigger();
            QCOMPARE(state.languageCode, std::string("de"));
            QCOMPARE(ReadSetting(state.settings, "config", "language"), std::string("de"));
            QCOMPARE(sink.texts, std::vector<std::string>{RestartMessage});
            // The windows keep their texts until the next start.
            QCOMPARE(Child<QPushButton>(&window, "BtnBrowse")->text(), before);
        }
    }
};

QTEST_MAIN(FrmLanguageTest)
#include "frm_language_test.moc"
