// The grip window: its start states, its texts, and which operation its buttons run.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/window_test_support.hpp"
#include "grip/frm_grip.hpp"

using namespace korvane;
using namespace korvane::testing;

namespace {

GripActions Recording(std::vector<std::string>& log) {
    GripActions actions;
    actions.apply = [&log](const std::string& f1Path, const std::string& programDir, bool ea,
                           bool ql, const std::string& code, MessageSink&) {
        log.push_back("Apply " + f1Path + " " + programDir + " " + std::to_string(ea) +
                      std::to_string(ql) + " " + code);
        return true;
    };
    actions.restore = [&log](const std::string& f1Path, bool ea, bool ql, const std::string& code,
                             MessageSink&) {
        log.push_back("Restore " + f1Path + " " + std::to_string(ea) + std::to_string(ql) + " " +
                      code);
        return true;
    };
    return actions;
}

void Press(QWidget* window, const char* name) {
    QTest::mouseClick(Child<QPushButton>(window, name), Qt::LeftButton);
}

} // namespace

class FrmGripTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CloseAllWindows(); }

    void loadingOffersOnlyTheQuillonSeason() {
        for (bool ql : {true, false}) {
            TempDir dir;
            AppState state = StateIn(dir, "de");
            state.install.HasF1_2002 = true;
            state.install.HasSeasonQL = ql;
            RecordingSink sink;
            frmGrip window(state, sink);
            auto* ea = Child<QCheckBox>(&window, "ChkEA2002");
            auto* quillon = Child<QCheckBox>(&window, "ChkQL2002");
            QVERIFY(!ea->isChecked());
            QVERIFY(!ea->isEnabled());
            QCOMPARE(quillon->isChecked(), ql);
            QCOMPARE(quillon->isEnabled(), ql);

            window.AdjustForInstall(state.install);
            QVERIFY(ea->isChecked());
            QVERIFY(ea->isEnabled());
            QVERIFY(!quillon->isChecked());
            QCOMPARE(quillon->isEnabled(), ql);
        }
    }

    void boxesAreIndependent() {
        TempDir dir;
        AppState state = StateIn(dir, "de");
        state.install.HasF1_2002 = state.install.HasSeasonQL = true;
        RecordingSink sink;
        frmGrip window(state, sink);
        window.AdjustForInstall(state.install);
        window.show();
        QTest::mouseClick(Child<QCheckBox>(&window, "ChkQL2002"), Qt::LeftButton);
        QVERIFY(Child<QCheckBox>(&window, "ChkEA2002")->isChecked());
        QVERIFY(Child<QCheckBox>(&window, "ChkQL2002")->isChecked());
        QTest::mouseClick(Child<QCheckBox>(&window, "ChkEA2002"), Qt::LeftButton);
        QVERIFY(!Child<QCheckBox>(&window, "ChkEA2002")->isChecked());
        QVERIFY(Child<QCheckBox>(&window, "ChkQL2002")->isChecked());
    }

    void buttonsRunTheOperationsWithTheTicks() {
        TempDir dir;
        AppState state = StateIn(dir, "uk");
        state.settings.directory = "/opt/korvane";
        state.install.F1Path = "C:\\F1 2002\\";
        state.install.HasF1_2002 = state.install.HasSeasonQL = true;
        RecordingSink sink;
        std::vector<std::string> log;
        frmGrip window(state, sink, Recording(log));
        window.AdjustForInstall(state.install);
        window.show();
        Press(&window, "BtnEqual");
        Press(&window, "BtnRestore");
        QTest::mouseClick(Child<QCheckBox>(&window, "ChkQL2002"), Qt::LeftButton);
        QTest::mouseClick(Child<QCheckBox>(&window, "ChkEA2002"), Qt::LeftButton);
        Press(&window, "BtnEqual");
        Press(&window, "BtnRestore");
        const std::vector<std::string> expected{
            "Apply C:\\F1 2002\\ /opt/korvane 10 uk", "Restore C:\\F1 2002\\ 10 uk",
            "Apply C:\\F1 2002\\ /opt/korvane 01 uk", "Restore C:\\F1 2002\\ 01 uk"};
        QCOMPARE(log, expected);
        Press(&window, "BtnQuit");
        QVERIFY(!window.isVisible());
    }

    void appliesAndRestoresTheGripFilesOfAFakeInstallation() {
        TempDir dir;
        FakeInstall fake(dir.Path());
        TempDir program;
        WriteAll(program.Path() / "terea.ini", "reduced grip for the EA season");
        WriteAll(program.Path() / "terql.ini", "reduced grip for the Quillon season");
        AppState state = StateIn(program, "de");
        state.install = fake.Install();
        RecordingSink sink;
        frmGrip window(state, sink);
        window.AdjustForInstall(state.install);
        window.show();

        const std::string live = fake.f1Path + "season02\\tracks\\terrain.ini";
        const std::string backup = fake.f1Path + "season02\\tracks\\terrain.org";
        const std::string original = ReadAll(live);
        Press(&window, "BtnEqual");
        QCOMPARE(ReadAll(live), std::string("reduced grip for the EA season"));
        QCOMPARE(ReadAll(backup), original);
        QCOMPARE(sink.texts, std::vector<std::string>{"Gripwerte erfolgreich modifiziert"});

        Press(&window, "BtnRestore");
        QCOMPARE(ReadAll(live), original);
        QCOMPARE(ReadAll(backup), std::string("<missing>"));
        QCOMPARE(sink.texts.back(), std::string("Gripwerte erfolgreich wiederhergestellt"));
    }

    void textsInBothLanguages() {
        struct Row {
            const char* name;
            const char* german;
            const char* english;
        };
        const Row rows[] = {
            {"frmAction", "Aktionen wirken auf:", "Actions apply to..."},
            {"LblEASeason02", "EA F1 2002", "EA F1 2002"},
            {"Label1", "Quillon Season 2002", "Quillon Season 2002"},
            {"BtnEqual", "Gripwerte optimieren", "Apply optimized grip settings"},
            {"BtnRestore", "Original Gripwerte wiederherstellen", "Restore original grip settings"},
            {"BtnQuit", "Zurück zum Auswahlmenü", "Back to main menu"},
        };
        TempDir dir;
        AppState state = StateIn(dir, "uk");
        RecordingSink sink;
        frmGrip window(state, sink);
        QCOMPARE(window.windowTitle(), U8("Grip von Gras und Kies ändern"));
        for (const Row& row : rows) {
            QCOMPARE(ShownText(&window, row.name), U8(row.german));
        }
        QVERIFY(Child<QLabel>(&window, "LblHarmonizerInfo")->text().isEmpty());
        ApplyEnglishCaptions("uk");
        QCOMPARE(window.windowTitle(), QStringLiteral("Change grip for gras and gravel"));
        for (const Row& row : rows) {
            QCOMPARE(ShownText(&window, row.name), U8(row.english));
        }
        QCOMPARE(window.minimumSize(), window.maximumSize());
    }
};

QTEST_MAIN(FrmGripTest)
#include "frm_grip_test.moc"
