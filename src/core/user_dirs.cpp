#include "core/user_dirs.hpp"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>
#else
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>
#endif

namespace korvane {

#ifdef _WIN32

// Path texts are in the ANSI code page: a folder that it cannot spell is no folder to use.
namespace {

// A known folder + "\\Korvane", in the ANSI code page.
std::string KorvaneFolderIn(REFKNOWNFOLDERID folder) {
    PWSTR wide = nullptr;
    std::string result;
    if (SHGetKnownFolderPath(folder, 0, nullptr, &wide) == S_OK) {
        BOOL lossy = FALSE;
        const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, &lossy);
        if (size > 1 && !lossy) {
            result.resize(static_cast<std::size_t>(size));
            WideCharToMultiByte(CP_ACP, 0, wide, -1, result.data(), size, nullptr, nullptr);
            result.resize(static_cast<std::size_t>(size - 1));
            result += "\\Korvane";
        }
    }
    CoTaskMemFree(wide);
    return result;
}

} // namespace

std::string UserConfigDirectory() { return KorvaneFolderIn(FOLDERID_RoamingAppData); }

std::string UserCacheDirectory() { return KorvaneFolderIn(FOLDERID_LocalAppData); }

std::string TemporaryDirectory() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH + 1, buffer);
    return length > 0 && length <= MAX_PATH ? std::string(buffer, length) : std::string();
}

std::filesystem::path LockDirectory() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    return length > 0 && length <= MAX_PATH ? std::filesystem::path(std::wstring(buffer, length))
                                            : std::filesystem::path();
}

#else

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The XDG rules: a variable that is unset, empty or not absolute gives the default below HOME.
std::string XdgDirectory(const char* name, const std::string& home, const char* belowHome) {
    const std::string value = Environment(name);
    if (!value.empty() && value.front() == '/') {
        return value;
    }
    return home.empty() ? "" : home + belowHome;
}

} // namespace

UserDirs UserDirsFromEnvironment() {
    UserDirs dirs;
    dirs.home = Environment("HOME");
    dirs.winePrefix = Environment("WINEPREFIX");
    dirs.configHome = XdgDirectory("XDG_CONFIG_HOME", dirs.home, "/.config");
    dirs.dataHome = XdgDirectory("XDG_DATA_HOME", dirs.home, "/.local/share");
    return dirs;
}

std::string UserConfigDirectory() {
    const std::string configHome = UserDirsFromEnvironment().configHome;
    return configHome.empty() ? "" : configHome + "/korvane";
}

std::string UserCacheDirectory() {
    const UserDirs dirs = UserDirsFromEnvironment();
    const std::string cacheHome = XdgDirectory("XDG_CACHE_HOME", dirs.home, "/.cache");
    return cacheHome.empty() ? "" : cacheHome + "/korvane";
}

std::string TemporaryDirectory() {
    const std::string dir = Environment("TMPDIR");
    return dir.empty() ? "/tmp" : dir;
}

namespace {

// Qt's test of a runtime directory: made with mode 0700 if it is missing, otherwise a directory
// (not a link to one) owned by this user with mode 0700 exactly.
bool SuitableRuntimeDirectory(const std::string& dir) {
    if (mkdir(dir.c_str(), 0700) == 0) {
        return true;
    }
    struct stat status {};
    if (errno != EEXIST || lstat(dir.c_str(), &status) != 0) {
        return false;
    }
    return S_ISDIR(status.st_mode) && status.st_uid == geteuid() && (status.st_mode & 0777) == 0700;
}

std::string UserName() {
    std::vector<char> buffer(16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found);
    return found ? found->pw_name : "";
}

} // namespace

std::filesystem::path LockDirectory() {
    const std::string runtime = Environment("XDG_RUNTIME_DIR");
    if (!runtime.empty() && SuitableRuntimeDirectory(runtime)) {
        return runtime;
    }
    std::error_code ec;
    std::filesystem::path temp = std::filesystem::canonical(TemporaryDirectory(), ec);
    if (ec) {
        temp = TemporaryDirectory();
    }
    const std::string fallback = temp.string() + "/runtime-" + UserName();
    return SuitableRuntimeDirectory(fallback) ? std::filesystem::path(fallback)
                                              : std::filesystem::path();
}

#endif

} // namespace korvane
