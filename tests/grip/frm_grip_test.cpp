// The grip window: its boxes as the main window opens it, and its buttons on the real
// operations. Its texts are checked where the main window opens it.
#include <QAbstractButton>

#include "app/frm_main.hpp"
#include "app/window_test_support.hpp"
#include "grip/frm_grip.hpp"

using namespace korvane;
using namespace korvane::testing;

namespace {

// Each box as T (ticked), o (offered) or - (off).
QString Boxes(QWidget* window) {
    QString boxes;
    for (const char* name : {"ChkEA2002", "ChkQL2002"}) {
        auto* box = Child<QAbstractButton>(window, name);
        boxes += !box->isEnabled() ? (box->isChecked() ? "t" : "-") : box->isChecked() ? "T" : "o";
    }
    return boxes;
}

} // namespace

class FrmGripTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CloseAllWindows(); }

    void boxesFollowTheInstallation_data() {
        QTest::addColumn<bool>("f1");
        QTest::addColumn<bool>("ql");
        QTest::addColumn<QString>("boxes");
        QTest::newRow("both") << true << true << "To";
        QTest::newRow("F1 2002 only") << true << false << "T-";
        QTest::newRow("Quillon season only") << false << true << "-o";
        QTest::newRow("nothing") << false << false << "--";
    }

    void boxesFollowTheInstallation() {
        QFETCH(bool, f1);
        QFETCH(bool, ql);
        TempDir dir;
        AppState state;
        state.install.HasF1_2002 = f1;
        state.install.HasSeasonQL = ql;
        RecordingSink sink;
        frmMain main(state, sink);
        main.SetModalWindows(false);
        main.OpenGripModule();
        QVERIFY(OpenWindow("frmGrip"));
        QTEST(Boxes(OpenWindow("frmGrip")), "boxes");
    }

    void buttonsRunTheOperationsOnTheTickedSeasons() {
        TempDir dir;
        FakeInstall fake(dir.Path());
        TempDir program;
        WriteAll(program.Path() / "terea.ini", "EA grip");
        WriteAll(program.Path() / "terql.ini", "Quillon grip");
        AppState state;
        state.settings.directory = program.Text();
        state.install = fake.Install();
        RecordingSink sink;
        frmGrip window(state, sink);
        window.AdjustForInstall(state.install);
        window.show();
        const std::string quillon = ReadAll(fake.f1Path + "seasonql02\\tracks\\terrain.ini");
        auto click = [&window](const char* name) {
            QTest::mouseClick(Child(&window, name), Qt::LeftButton);
        };
        auto tables = [&fake] {
            return ReadAll(fake.f1Path + "season02\\tracks\\terrain.ini") + " | " +
                   ReadAll(fake.f1Path + "seasonql02\\tracks\\terrain.ini");
        };
        click("BtnEqual");
        QCOMPARE(tables(), "EA grip | " + quillon);
        // Ticking one box changes nothing else.
        click("ChkQL2002");
        click("ChkEA2002");
        QCOMPARE(Boxes(&window), QStringLiteral("oT"));
        click("BtnEqual");
        QCOMPARE(tables(), std::string("EA grip | Quillon grip"));
        click("BtnRestore");
        QCOMPARE(tables(), "EA grip | " + quillon);
        click("BtnQuit");
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(FrmGripTest)
#include "frm_grip_test.moc"
