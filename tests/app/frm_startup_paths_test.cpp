// The paths the program starts with: its one-copy lock, and the game paths picked with the
// browse buttons.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "app/qt_startup.hpp"
#include "app/window_test_support.hpp"

using namespace korvane;
using namespace korvane::testing;
using namespace std::chrono_literals;

class FrmStartupPathsTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CloseAllWindows(); }

    // Only a copy that runs and holds the lock keeps the program from starting; a lock that
    // cannot be made at all does not.
    void aLockThatCannotBeMadeLetsTheProgramStart() {
        TempDir dir;
        WriteAll(dir.Path() / "file", "");
        QLockFile lock(QString::fromStdString((dir.Path() / "file" / "korvane.lock").string()));
        AppState state = StateIn(dir, "de");
        WriteSetting(state.settings, "config", "language", "de");
        RecordingSink sink;
        StartupOptions options;
        options.splashTime = 0ms;
        options.registry = [](const std::string&, const std::string&) { return std::string(); };
        const auto main = StartUp(state, sink, lock, options);
        QVERIFY(main && main->isVisible());
        QVERIFY(!lock.isLocked());
    }

#ifdef Q_OS_UNIX
    // The shared temporary directory would let one user's running copy stop everybody else's.
    void theLockLiesInADirectoryOfTheUsersOwn() {
        const QFileInfo dir(QFileInfo(InstanceLockPath(QStringLiteral("korvane"))).path());
        QVERIFY(dir.isDir());
        QCOMPARE(dir.ownerId(), static_cast<uint>(::getuid()));
        QVERIFY(!(dir.permissions() & (QFile::WriteGroup | QFile::WriteOther)));
    }
#endif

    // The file dialog answers with forward slashes on Windows too.
    void browsedPathsUseTheSystemsSeparators() {
#ifdef Q_OS_WIN
        const QString games = QStringLiteral("E:\\Games\\");
#else
        const QString games = QStringLiteral("E:/Games/");
#endif
        for (const auto& [button, box, key, exe] :
             {std::array<const char*, 4>{"BtnBrowse", "TxtF1path", "f1path", F1ExeShown},
              std::array<const char*, 4>{"BtnBrowseF1c", "TxtF1cpath", "f1cpath", F1cExe}}) {
            TempDir dir;
            AppState state = StateIn(dir, "uk");
            RecordingSink sink;
            frmMain window(state, sink);
            const QString answer = QStringLiteral("E:/Games/") + exe;
            window.SetFileChooser(
                [&answer](QWidget*, const QString&, const QString&) { return answer; });
            QTest::mouseClick(Child<QPushButton>(&window, button), Qt::LeftButton);
            QCOMPARE(Child<QLineEdit>(&window, box)->text(), games + exe);
            QCOMPARE(ReadSetting(state.settings, "config", key), games.toStdString());
        }
    }
};

QTEST_MAIN(FrmStartupPathsTest)
#include "frm_startup_paths_test.moc"
