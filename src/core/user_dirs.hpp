#pragma once
// Platform piece: the player's own directories. On Linux they come from the environment, and
// only from HOME, WINEPREFIX, XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_CACHE_HOME, XDG_RUNTIME_DIR and
// TMPDIR; on Windows from the system, and no environment variable is read there.
#include <filesystem>
#include <string>

namespace korvane {

struct UserDirs {
    std::string home;       // HOME
    std::string winePrefix; // WINEPREFIX; empty when not set
    std::string configHome; // XDG_CONFIG_HOME, else HOME/.config; empty without either
    std::string dataHome;   // XDG_DATA_HOME, else HOME/.local/share; empty without either
};

#ifndef _WIN32
UserDirs UserDirsFromEnvironment();
#endif

// Where the settings file lives when it cannot lie beside the program: "korvane" in the user's
// configuration directory on Linux, "Korvane" in the roaming application data folder on Windows.
// Empty text when there is none.
std::string UserConfigDirectory();

// Where Korvane keeps what it can compute again (the digests of game files): "korvane" in the
// user's cache directory ($XDG_CACHE_HOME, else ~/.cache) on Linux, "Korvane" in the local
// application data folder on Windows. Empty text when there is none.
std::string UserCacheDirectory();

// The system's temporary directory: TMPDIR, else /tmp, on Linux; the user's temporary folder on
// Windows.
std::string TemporaryDirectory();

// Where a running copy of Korvane keeps its lock, found as Qt 6 finds the runtime location, so
// that the desktop program and korvane-cli meet there. On Linux XDG_RUNTIME_DIR, else TMPDIR (or
// /tmp) + "/runtime-" + the user's name; either only when it is a directory (made when missing,
// not a link) of the user's own that nobody else may enter (mode 0700). The user's temporary
// folder on Windows. Empty when there is none.
std::filesystem::path LockDirectory();

} // namespace korvane
