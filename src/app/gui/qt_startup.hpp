#pragma once
// The program's start: one running copy, the splash while the games are found, the main window,
// the language on the first start.
#include <chrono>
#include <functional>
#include <memory>

#include <QLockFile>
#include <QString>

#include "games/app_state.hpp"
#include "games/game_install.hpp"
#include "app/gui/frm_main.hpp"
#include "core/messages.hpp"

namespace korvane {

// The lock a running copy holds: named after the executable, in a directory of the user's own
// (the runtime directory on Linux, the user's temporary directory on Windows; see
// InstanceLockFile, which korvane-cli takes as well).
QString InstanceLockPath(const QString& exeBaseName);

// The settings of the executable that is running: its directory in native separators, its name,
// and where the settings file lies.
Settings ProgramSettings();

struct StartupOptions {
    std::chrono::milliseconds splashTime{2500};
    // The one registry to look in; when not set, the system's registries.
    RegistryReader registry;
    // Called over the shown main window when no language is stored yet.
    std::function<void(AppState&, QWidget*)> chooseLanguage;
    // Called with the hidden main window while the splash is up, before the wait.
    std::function<void(frmMain&)> beforeWait;
};

// Everything up to the event loop. Returns nullptr, having shown nothing, when another running
// copy holds the lock; otherwise the shown main window (the lock stays held by `lock` when it
// could be taken: a lock that cannot be made at all does not keep the program from starting).
std::unique_ptr<frmMain> StartUp(AppState& state, MessageSink& sink, QLockFile& lock,
                                 const StartupOptions& options);

} // namespace korvane
