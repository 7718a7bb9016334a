#include "core/installation_lock.hpp"

#include <algorithm>
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

#ifdef _WIN32
using LockHandle = HANDLE;
#else
using LockHandle = int;
#endif

// One lock file locked, or why not: an empty reason when another run holds it.
struct LockAttempt {
    bool taken = false;
    LockHandle handle{};
    std::string reason;
};

LockAttempt NotTaken(std::string reason) {
    return {false, {}, std::move(reason)};
}

#ifdef _WIN32

// Nobody else may open it while it is held; Windows closes it when the process ends.
LockAttempt LockFile(const fs::path& file) {
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        return {true, handle, {}};
    }
    const DWORD error = GetLastError();
    std::error_code ec;
    const bool held =
        error == ERROR_SHARING_VIOLATION || (error == ERROR_ACCESS_DENIED && fs::exists(file, ec));
    return NotTaken(held ? "" : std::system_category().message(static_cast<int>(error)));
}

void UnlockFile(HANDLE handle, const std::wstring& file) {
    CloseHandle(handle);
    DeleteFileW(file.c_str()); // fails, harmlessly, once another run holds it
}

#else

std::string SystemReason(int err) {
    return std::generic_category().message(err);
}

// Read-write, or read-only when it is another user's lock in a shared game folder.
int OpenLockFile(const fs::path& file) {
    const int fd = open(file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EACCES) {
        return open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    }
    return fd;
}

// Whether the open file is still the one at its name: its last holder may have removed it
// between our open and our lock.
bool StillNamed(int fd, const fs::path& file) {
    struct stat opened {};
    struct stat named {};
    return fstat(fd, &opened) == 0 && lstat(file.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// A lock file removed under us is opened and locked again under its name, a few times.
LockAttempt LockFile(const fs::path& file) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = OpenLockFile(file);
        if (fd < 0) {
            return NotTaken(SystemReason(errno));
        }
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int err = errno;
            close(fd);
            return NotTaken(err == EWOULDBLOCK ? "" : SystemReason(err));
        }
        if (StillNamed(fd, file)) {
            return {true, fd, {}};
        }
        close(fd);
    }
    return NotTaken("");
}

void UnlockFile(int fd, const std::string& file) {
    unlink(file.c_str());
    close(fd);
}

#endif

// The game directories that exist, each once under any spelling, with the text that names it.
std::vector<std::pair<std::string, fs::path>> DistinctDirs(const std::vector<std::string>& texts) {
    std::vector<std::pair<std::string, fs::path>> dirs;
    for (const std::string& dirText : texts) {
        if (dirText.empty()) {
            continue;
        }
        const fs::path dir = ResolvePath(dirText);
        std::error_code ec;
        if (!fs::is_directory(dir, ec)) {
            continue; // nothing there to change
        }
        const bool seen = std::any_of(dirs.begin(), dirs.end(), [&](const auto& other) {
            return fs::equivalent(dir, other.second, ec);
        });
        if (!seen) {
            dirs.emplace_back(dirText, dir);
        }
    }
    return dirs;
}

} // namespace

InstallationLock::~InstallationLock() {
    Release();
}

bool InstallationLock::Take(const std::vector<std::string>& gameDirs) {
    Release();
    for (const auto& [dirText, dir] : DistinctDirs(gameDirs)) {
        const fs::path file = dir / InstallationLockName;
        const LockAttempt attempt = LockFile(file);
        if (!attempt.taken) {
            refusedBy_ = dirText;
            reason_ = attempt.reason;
            Release();
            return false;
        }
        held_.emplace_back(attempt.handle, file.native());
    }
    refusedBy_.clear();
    return true;
}

void InstallationLock::Release() {
    // The file goes while it is still locked, so that a run waiting for it sees it gone.
    for (const auto& [handle, file] : held_) {
        UnlockFile(handle, file);
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
