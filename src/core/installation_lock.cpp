#include "core/installation_lock.hpp"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "core/file_system.hpp"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace korvane {

namespace {

// {1}: the game directory.
constexpr MessageText HeldByAnother{
    "Eine andere Ausführung von Korvane ändert gerade Dateien in {1}. Es wurde keine Datei "
    "verändert; versuchen Sie es erneut, wenn sie beendet ist.",
    "Another run of Korvane is changing files in {1} right now. No file was changed; try again "
    "when it has ended."};
// {1}: the game directory, {2}: the system's reason.
constexpr MessageText CannotLock{
    "Korvane kann {1} nicht gegen andere Ausführungen sperren ({2}). Es wurde keine Datei "
    "verändert.",
    "Korvane cannot lock {1} against other runs ({2}). No file was changed."};

#ifndef _WIN32
std::string SystemReason(int err) {
    return std::generic_category().message(err);
}
#endif

} // namespace

InstallationLock::~InstallationLock() {
    Release();
}

bool InstallationLock::Take(const std::vector<std::string>& gameDirs) {
    Release();
    std::vector<fs::path> dirs;
    for (const std::string& dirText : gameDirs) {
        if (dirText.empty()) {
            continue;
        }
        const fs::path dir = ResolvePath(dirText);
        std::error_code ec;
        if (!fs::is_directory(dir, ec)) {
            continue; // nothing there to change
        }
        bool seen = false;
        for (const fs::path& other : dirs) {
            seen = seen || fs::equivalent(dir, other, ec);
        }
        if (seen) {
            continue;
        }
        dirs.push_back(dir);
        const fs::path file = dir / InstallationLockName;
        refusedBy_ = dirText;
#ifdef _WIN32
        // Nobody else may open it while it is held; Windows closes it when the process ends.
        const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            const bool held = error == ERROR_SHARING_VIOLATION ||
                              (error == ERROR_ACCESS_DENIED && fs::exists(file, ec));
            reason_ = held ? "" : std::system_category().message(static_cast<int>(error));
            Release();
            return false;
        }
        held_.emplace_back(handle, file.native());
#else
        int fd = -1;
        for (int attempt = 0; attempt < 10 && fd < 0; ++attempt) {
            fd = open(file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
            if (fd < 0 && errno == EACCES) { // another user's lock in a shared game folder
                fd = open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
            }
            if (fd < 0) {
                reason_ = SystemReason(errno);
                Release();
                return false;
            }
            if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
                const int err = errno;
                close(fd);
                reason_ = err == EWOULDBLOCK ? "" : SystemReason(err);
                Release();
                return false;
            }
            // Its last holder may have removed it between our open and our lock: then the file
            // locked is no longer the one at its name, and the name is tried again.
            struct stat opened {};
            struct stat named {};
            if (fstat(fd, &opened) != 0 || lstat(file.c_str(), &named) != 0 ||
                opened.st_dev != named.st_dev || opened.st_ino != named.st_ino) {
                close(fd);
                fd = -1;
            }
        }
        if (fd < 0) {
            reason_ = "";
            Release();
            return false;
        }
        held_.emplace_back(fd, file.string());
#endif
    }
    refusedBy_.clear();
    return true;
}

void InstallationLock::Release() {
    // The file goes while it is still locked, so that a run waiting for it sees it gone.
    for (const auto& [handle, file] : held_) {
#ifdef _WIN32
        CloseHandle(handle);
        DeleteFileW(file.c_str()); // fails, harmlessly, once another run holds it
#else
        unlink(file.c_str());
        close(handle);
#endif
    }
    held_.clear();
}

bool LockForChanges(InstallationLock& lock, const std::vector<std::string>& gameDirs,
                    Language language, MessageSink& sink) {
    if (lock.Take(gameDirs)) {
        return true;
    }
    sink.Show(lock.Reason().empty()
                  ? TextIn(language, HeldByAnother, {lock.RefusedBy()})
                  : TextIn(language, CannotLock, {lock.RefusedBy(), lock.Reason()}));
    return false;
}

} // namespace korvane
