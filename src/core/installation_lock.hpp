#pragma once
// One changing run per game installation, whoever starts it: the desktop program or korvane-cli,
// from any user account, shell, service or renamed executable. The lock is a file in each game
// directory, "korvane.lock", held through the operating system's own file lock (flock on Linux,
// a handle that shares nothing on Windows), so that it ends with the process: a crash or a power
// cut leaves at most an empty file, which blocks nobody. Its content is never read.
#include <string>
#include <vector>

#include "core/language.hpp"
#include "core/messages.hpp"

namespace korvane {

inline constexpr const char* InstallationLockName = "korvane.lock";

class InstallationLock {
  public:
    InstallationLock() = default;
    ~InstallationLock(); // gives every directory back
    InstallationLock(const InstallationLock&) = delete;
    InstallationLock& operator=(const InstallationLock&) = delete;

    // Locks each of the game directories (one named twice, under any spelling, once); never
    // waits. On failure nothing stays locked, and RefusedBy() and Reason() say why.
    bool Take(const std::vector<std::string>& gameDirs);

    const std::string& RefusedBy() const { return refusedBy_; }
    // Empty when another run holds the directory, else why its lock cannot be made.
    const std::string& Reason() const { return reason_; }

  private:
    void Release();

#ifdef _WIN32
    std::vector<std::pair<void*, std::wstring>> held_;
#else
    std::vector<std::pair<int, std::string>> held_;
#endif
    std::string refusedBy_;
    std::string reason_;
};

// Takes the lock of the game directories (of both games: every operation that changes files may
// part backups in either). When that fails, shows why, naming the game directory, and returns
// false.
bool LockForChanges(InstallationLock& lock, const std::vector<std::string>& gameDirs,
                    Language language, MessageSink& sink);

} // namespace korvane
