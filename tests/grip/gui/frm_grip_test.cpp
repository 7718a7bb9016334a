// The grip window as the main window opens it: its boxes by the installation, and its buttons on
// the real operations. Its texts are checked where the main window opens it.
#include "app/gui/frm_main.hpp"
#include "support/window_test_support.hpp"

using namespace korvane;
using namespace korvane::testing;

class FrmGripTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CloseAllWindows(); }

    void boxesAndButtons_data() {
        QTest::addColumn<bool>("f1");
        QTest::addColumn<bool>("ql");
        // After each click: the EA and Quillon boxes, then their terrain tables: o as installed,
        // E and Q the program's grip files.
        QTest::addColumn<QString>("seen");
        QTest::newRow("both") << true << true << "To Eo, TT Eo, oT Eo, oT EQ, oT Eo";
        QTest::newRow("F1 2002 only") << true << false << "T- Eo, T- Eo, o- Eo, o- Eo, o- Eo";
        QTest::newRow("Quillon only") << false << true << "-o oo, -T oo, -T oo, -T oQ, -T oo";
        QTest::newRow("nothing") << false << false << "-- oo, -- oo, -- oo, -- oo, -- oo";
    }

    void boxesAndButtons() {
        QFETCH(bool, f1);
        QFETCH(bool, ql);
        TempDir dir;
        FakeInstall fake(dir.Path());
        WriteAll(dir.Path() / "terea.ini", "E");
        WriteAll(dir.Path() / "terql.ini", "Q");
        AppState state;
        state.settings.directory = dir.Text();
        state.install = fake.Install();
        state.install.HasF1_2002 = f1;
        state.install.HasSeasonQL = ql;
        RecordingSink sink;
        frmMain main(state, sink);
        main.SetModalWindows(false);
        main.OpenGripModule();
        QWidget* grip = OpenWindow("frmGrip");
        QVERIFY(grip);
        QStringList seen;
        for (const char* control :
             {"BtnEqual", "ChkQL2002", "ChkEA2002", "BtnEqual", "BtnRestore"}) {
            QTest::mouseClick(Child(grip, control), Qt::LeftButton);
            seen << Ticks(grip, {"ChkEA2002", "ChkQL2002"}) + ' ';
            for (const char* season : {"season02", "seasonql02"}) {
                const std::string table = ReadAll(fake.f1Path + season + "\\tracks\\terrain.ini");
                seen.last() += table.size() == 1 ? table.c_str() : "o";
            }
        }
        QTEST(seen.join(", "), "seen");
        QTest::mouseClick(Child(grip, "BtnQuit"), Qt::LeftButton);
        QVERIFY(!OpenWindow("frmGrip"));
    }
};

QTEST_MAIN(FrmGripTest)
#include "frm_grip_test.moc"
