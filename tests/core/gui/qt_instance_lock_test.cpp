// korvane-cli's lock against QLockFile, which the desktop program takes: the same file byte for
// byte, each refuses while the other holds it, and each takes over a lock whose process has ended.
#include <QCoreApplication>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

#include "core/instance_lock.hpp"

using namespace korvane;

namespace {

std::filesystem::path Native(const QString& path) {
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>";
}

// A copy of this test that takes the lock and ends without giving it back, as a crash leaves it.
int LeaveLock(const QString& path, const QByteArray& by) {
    if (by == "qt") {
        QLockFile lock(path);
        std::_Exit(lock.tryLock(0) ? 0 : 1);
    }
    if (by == "killed early") {
        QFile file(path);
        std::_Exit(file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ? 0 : 1);
    }
    InstanceLock lock(Native(path));
    std::_Exit(lock.TryLock() == LockResult::Locked ? 0 : 1);
}

} // namespace

class QtInstanceLockTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;

  private slots:
    // Each writes the same file, and refuses while the other holds it.
    void eachRefusesWhileTheOtherHoldsIt() {
        const QString path = dir_.filePath("korvane.lock");
        QByteArray qtFile;
        {
            QLockFile qt(path);
            qt.setStaleLockTime(0);
            QVERIFY(qt.tryLock(0));
            qtFile = Contents(path);
            InstanceLock ours(Native(path));
            QVERIFY(ours.TryLock() == LockResult::HeldByOther);
        }
        {
            InstanceLock ours(Native(path));
            QVERIFY(ours.TryLock() == LockResult::Locked);
            QCOMPARE(Contents(path), qtFile);
            QLockFile qt(path);
            qt.setStaleLockTime(0);
            QVERIFY(!qt.tryLock(0));
            QCOMPARE(qt.error(), QLockFile::LockFailedError);
        }
        QVERIFY(!QFile::exists(path));
    }

    // Also one left empty, as a copy killed before it wrote its file leaves it: the desktop
    // program clears it before QLockFile, which alone would refuse it for good.
    void eachTakesOverALockWhoseProcessHasEnded() {
        const QString path = dir_.filePath("korvane.lock");
        for (const char* by : {"qt", "ours", "killed early"}) {
            const QStringList arguments{"--leave-lock", by, path};
            QCOMPARE(QProcess::execute(QCoreApplication::applicationFilePath(), arguments), 0);
            QVERIFY(QFile::exists(path));
            if (QByteArray(by) == "qt") {
                InstanceLock ours(Native(path));
                QVERIFY(ours.TryLock() == LockResult::Locked);
            } else {
                RemoveUnheldLock(Native(path));
                QLockFile qt(path);
                qt.setStaleLockTime(0);
                QVERIFY(qt.tryLock(0));
            }
            QVERIFY(!QFile::exists(path));
        }
    }
};

int main(int argc, char* argv[]) {
    if (argc == 4 && QByteArray(argv[1]) == "--leave-lock") {
        return LeaveLock(QString::fromLocal8Bit(argv[3]), argv[2]);
    }
    QCoreApplication app(argc, argv);
    QtInstanceLockTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "qt_instance_lock_test.moc"
