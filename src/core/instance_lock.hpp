#pragma once
// The lock that one running copy of Korvane holds per user, the desktop program or korvane-cli.
// The desktop program takes it with QLockFile; korvane-cli, which has no Qt, with this class,
// which makes and reads the file as Qt 6 does, so that each refuses while the other holds it:
//
// - it is made with O_EXCL (CREATE_NEW on Windows) and, on Linux, held with flock(LOCK_EX), on
//   Windows by its open handle, which lets nobody delete it;
// - it holds five lines: the process id, the program's name (that of the executable, without
//   ".exe" on Windows), the computer's name, the machine's id and the boot's id (empty where
//   unknown), each ending in "\n";
// - a lock file that no process holds (asked of the system, never judged by what the file says:
//   a copy killed at the wrong moment leaves it empty) is stale and is taken over. Only a lock
//   that a running copy holds refuses, however old it is.
#include <filesystem>
#include <optional>
#include <string>

namespace korvane {

// The lock file named after the executable in LockDirectory(): "korvane.lock" for both programs.
// Empty when there is no directory for it.
std::filesystem::path InstanceLockFile(const std::string& exeBaseName);

enum class LockResult {
    Locked,      // this object holds the lock
    HeldByOther, // a running process holds it
    Failed,      // the file cannot be made (no such directory, no permission)
};

class InstanceLock {
  public:
    explicit InstanceLock(std::filesystem::path file);
    ~InstanceLock(); // unlocks
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock when it is free or stale; never waits.
    LockResult TryLock();
    // Deletes the lock file when this object holds it.
    void Unlock();

  private:
    std::filesystem::path file_;
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int handle_ = -1;
#endif
};

// Removes a lock file that no running copy holds, as TryLock does before it takes one over; the
// desktop program calls it before QLockFile, which would take an empty file for a held lock.
// False while a copy holds it.
bool RemoveUnheldLock(const std::filesystem::path& file);

// Who holds a lock, as its file says.
struct LockHolder {
    long long pid = 0;
    std::string program;
};

// Nothing when the file is missing or its first line is no process id.
std::optional<LockHolder> ReadLockHolder(const std::filesystem::path& file);

} // namespace korvane
