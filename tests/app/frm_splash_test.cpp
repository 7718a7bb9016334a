// The start of the program: one running copy, the splash while the games are found, the main
// window with what was found, and the language on the first start.
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/frm_splash.hpp"
#include "app/qt_startup.hpp"
#include "app/window_test_support.hpp"

using namespace korvane;
using namespace korvane::testing;
using namespace std::chrono_literals;

namespace {

RegistryReader NoRegistry() {
    return [](const std::string&, const std::string&) { return std::string(); };
}

StartupOptions Quick() {
    StartupOptions options;
    options.splashTime = 50ms;
    options.registry = NoRegistry();
    return options;
}

} // namespace

class FrmSplashTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CloseAllWindows(); }

    void splashShowsNameMakerAndVersion() {
        frmSplash splash;
        auto* name = Child<QLabel>(&splash, "Label1");
        QCOMPARE(name->text(), QStringLiteral("Korvane"));
        QCOMPARE(name->font().family(), QStringLiteral("Arial"));
        QCOMPARE(name->font().pointSize(), 18);
        QVERIFY(name->font().bold());
        auto* maker = Child<QLabel>(&splash, "lblCompanyProduct");
        QVERIFY(maker->text().endsWith(QStringLiteral("'s")));
        QCOMPARE(maker->font().pointSize(), 18);
        QVERIFY(maker->font().bold());
        auto* version = Child<QLabel>(&splash, "lblVersion");
        QCOMPARE(version->text(), QStringLiteral("Version 0.6.0"));
        QCOMPARE(version->font().pointSize(), 12);
        QVERIFY(version->font().bold());
        QCOMPARE(Child<QLabel>(&splash, "lblWarning")->text(), QString());
        QVERIFY(!Child<QLabel>(&splash, "picLogo")->pixmap().isNull());
        QVERIFY(Child<QWidget>(&splash, "fraMainFrame"));
        // No title bar controls and no place in the task bar.
        QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(splash.windowType(), Qt::SplashScreen);
    }

    void secondCopyEndsWithoutShowingAnything() {
        QTemporaryDir locks;
        const QString path = locks.filePath(QStringLiteral("korvane.lock"));
        QLockFile running(path);
        QVERIFY(running.tryLock(0));

        // The first copy has been running for a while: its lock is old but still holds.
        QFile lockFile(path);
        QVERIFY(lockFile.open(QIODevice::ReadWrite));
        QVERIFY(lockFile.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                     QFileDevice::FileModificationTime));
        lockFile.close();

        TempDir dir;
        AppState state = StateIn(dir, "unknown");
        RecordingSink sink;
        StartupOptions options = Quick();
        int asked = 0;
        options.chooseLanguage = [&asked](AppState&, QWidget*) { ++asked; };
        QLockFile second(path);
        QVERIFY(!StartUp(state, sink, second, options));
        QCOMPARE(asked, 0);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
        QVERIFY(sink.texts.empty());

        // Once the first copy has ended, a copy starts.
        running.unlock();
        state.languageCode = "de";
        WriteSetting(state.settings, "config", "language", "de");
        QLockFile third(path);
        auto main = StartUp(state, sink, third, options);
        QVERIFY(main);
        QVERIFY(third.isLocked());
    }

    void splashStaysUpWhileTheHiddenMainWindowIsFilled() {
        TempDir dir;
        FakeInstall fake(dir.Path());
        AppState state = StateIn(dir, "unknown");
        WriteSetting(state.settings, "config", "language", "de");
        WriteSetting(state.settings, "config", "f1path", fake.f1Path);
        RecordingSink sink;
        QTemporaryDir locks;
        QLockFile lock(locks.filePath(QStringLiteral("k.lock")));

        StartupOptions options = Quick();
        options.splashTime = 400ms;
        // F1 Challenge through the registry, F1 2002 through the settings file.
        const std::string f1cDir = fake.f1cPath;
        options.registry = [f1cDir](const std::string& key, const std::string& value) {
            return key == RegKeyF1c && value == RegValueInstallDir ? f1cDir : std::string();
        };
        bool splashShownWhileMainHidden = false;
        bool checkedDuringWait = false;
        options.beforeWait = [&](frmMain& main) {
            frmMain* hidden = &main;
            QTimer::singleShot(150, [&checkedDuringWait, &splashShownWhileMainHidden, hidden] {
                checkedDuringWait = true;
                splashShownWhileMainHidden =
                    OpenWindow("frmSplash") != nullptr && !hidden->isVisible();
            });
        };
        QElapsedTimer clock;
        clock.start();
        auto main = StartUp(state, sink, lock, options);
        QVERIFY(clock.elapsed() >= 400);
        QVERIFY(checkedDuringWait);
        QVERIFY(splashShownWhileMainHidden);
        Settle();
        QVERIFY(!OpenWindow("frmSplash"));
        QVERIFY(main->isVisible());

        QVERIFY(state.install.HasF1_2002);
        QVERIFY(state.install.HasF1c);
        QCOMPARE(state.languageCode, std::string("de"));
        // Only a game found through the registry shows its path.
        QCOMPARE(Child<QLineEdit>(main.get(), "TxtF1path")->text(), QString());
        QCOMPARE(Child<QLineEdit>(main.get(), "TxtF1cpath")->text(),
                 QString::fromStdString(fake.f1cPath + "F1 Challenge 99-02.exe"));
        QCOMPARE(Child<QLabel>(main.get(), "LblVersionMain")->text(),
                 QStringLiteral("Version 0.6.0"));
    }

    void storedLanguageDecidesTheTextsWithoutAsking() {
        struct Case {
            const char* stored;
            const char* browse;
        };
        for (const Case& c : {Case{"uk", "browse"}, Case{"de", "Suchen"}, Case{"xx", "Suchen"}}) {
            TempDir dir;
            AppState state = StateIn(dir, "unknown");
            WriteSetting(state.settings, "config", "language", c.stored);
            RecordingSink sink;
            QTemporaryDir locks;
            QLockFile lock(locks.filePath(QStringLiteral("k.lock")));
            StartupOptions options = Quick();
            int asked = 0;
            options.chooseLanguage = [&](AppState&, QWidget*) { ++asked; };
            auto main = StartUp(state, sink, lock, options);
            QCOMPARE(asked, 0);
            QCOMPARE(state.languageCode, std::string(c.stored));
            QCOMPARE(Child<QPushButton>(main.get(), "BtnBrowse")->text(),
                     QString::fromUtf8(c.browse));
        }
    }

    void firstStartAsksOverTheShownMainWindowThenTurnsEnglish() {
        TempDir dir;
        AppState state = StateIn(dir, "unknown");
        RecordingSink sink;
        QTemporaryDir locks;
        QLockFile lock(locks.filePath(QStringLiteral("k.lock")));
        bool mainShownWhenAsked = false; // and the splash gone
        // The real chooser, answered with a click on the English flag once it is up.
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [&mainShownWhenAsked, poll] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal->objectName() == QLatin1String("frmLanguage")) {
                QWidget* main = OpenWindow("frmMain");
                mainShownWhenAsked = main != nullptr && modal->parentWidget() == main &&
                                     OpenWindow("frmSplash") == nullptr;
                QTest::mouseClick(Child<QWidget>(modal, "Picture1"), Qt::LeftButton, {},
                                  QPoint(3, 3));
                poll->deleteLater();
            }
        });
        poll->start(20);

        auto main = StartUp(state, sink, lock, Quick());
        QVERIFY(mainShownWhenAsked);
        QCOMPARE(state.languageCode, std::string("uk"));
        QCOMPARE(ReadSetting(state.settings, "config", "language"), std::string("uk"));
        QCOMPARE(Child<QPushButton>(main.get(), "BtnBrowse")->text(), QStringLiteral("browse"));
    }
};

QTEST_MAIN(FrmSplashTest)
#include "frm_splash_test.moc"
