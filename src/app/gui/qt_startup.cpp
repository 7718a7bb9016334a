#include "app/gui/qt_startup.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include "app/gui/frm_language.hpp"
#include "app/gui/frm_splash.hpp"
#include "core/instance_lock.hpp"
#include "core/user_dirs.hpp"
#include "info/version.hpp"

namespace korvane {

// korvane-cli finds the same file.
QString InstanceLockPath(const QString& exeBaseName) {
    const std::filesystem::path file = InstanceLockFile(exeBaseName.toLocal8Bit().toStdString());
#ifdef Q_OS_WIN
    return QString::fromStdWString(file.native());
#else
    return QFile::decodeName(file.c_str());
#endif
}

Settings ProgramSettings() {
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    const QString dir = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    return LocateSettings(dir.toLocal8Bit().toStdString(),
                          exe.completeBaseName().toLocal8Bit().toStdString(),
                          UserConfigDirectory());
}

std::unique_ptr<frmMain> StartUp(AppState& state, MessageSink& sink, QLockFile& lock,
                                 const StartupOptions& options) {
    // A lock left by a copy that still runs is never taken over, however old it is; one that no
    // copy holds is, whatever it says (QLockFile alone would refuse an empty one for good).
    lock.setStaleLockTime(0);
#ifdef Q_OS_WIN
    RemoveUnheldLock(std::filesystem::path(lock.fileName().toStdWString()));
#else
    RemoveUnheldLock(std::filesystem::path(QFile::encodeName(lock.fileName()).toStdString()));
#endif
    if (!lock.tryLock(0) && lock.error() == QLockFile::LockFailedError) {
        return nullptr;
    }

    auto splash = std::make_unique<frmSplash>();
    splash->show();
    QCoreApplication::processEvents();

    // A code stored by hand that is neither "de" nor "uk" does not bring the chooser back.
    const std::string storedCode = ReadSetting(state.settings, LanguageSetting);
    state.language = LanguageOfCode(storedCode);
    auto main = std::make_unique<frmMain>(state, sink);
    const Detection found = options.registry ? DetectInstallations(state.settings, options.registry)
                                             : DetectInstallations(state.settings);
    state.install = found.install;
    main->SetPathTexts(found.f1Display, found.f1cDisplay);
    main->SetVersionText(VersionText());
    if (options.beforeWait) {
        options.beforeWait(*main);
    }

    // The splash stays painted while it waits; it takes no input.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < options.splashTime.count()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(10);
    }
    splash.reset();

    main->show();
    if (storedCode == Unknown) {
        if (options.chooseLanguage) {
            options.chooseLanguage(state, main.get());
        } else {
            ShowLanguageChooser(state, sink, main.get());
        }
        main->SetLanguageTexts();
    }
    return main;
}

} // namespace korvane
