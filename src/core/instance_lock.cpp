#include "core/instance_lock.hpp"

#include <charconv>
#include <fstream>
#include <thread>
#include <vector>

#include "core/user_dirs.hpp"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace korvane {

namespace fs = std::filesystem;

namespace {

struct LockInfo {
    long long pid = 0;
    std::string program, host, hostId, bootId;
};

// Without its "\n"; QLockFile reads the file in text mode, which also drops a "\r".
std::vector<std::string> Lines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; lines.size() < 5 && std::getline(in, line);) {
        if (line.ends_with('\r')) {
            line.pop_back();
        }
        lines.push_back(line);
    }
    lines.resize(5);
    return lines;
}

std::optional<LockInfo> ReadInfo(const fs::path& file) {
    const std::vector<std::string> lines = Lines(file);
    LockInfo info{0, lines[1], lines[2], lines[3], lines[4]};
    const std::string& pid = lines[0];
    const auto [end, error] = std::from_chars(pid.data(), pid.data() + pid.size(), info.pid);
    if (pid.empty() || error != std::errc() || end != pid.data() + pid.size() || info.pid <= 0) {
        return std::nullopt;
    }
    return info;
}

#ifdef _WIN32

std::string Utf8(const std::wstring& wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), text.data(), size, nullptr,
                        nullptr);
    return text;
}

long long OwnPid() {
    return GetCurrentProcessId();
}

// The executable's name without its directory and extension, as QLockFile writes it.
std::string ProcessName(long long pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process) {
        return "";
    }
    wchar_t buffer[MAX_PATH];
    DWORD length = MAX_PATH;
    const BOOL found = QueryFullProcessImageNameW(process, 0, buffer, &length);
    CloseHandle(process);
    if (!found) {
        return "";
    }
    std::wstring name(buffer, length);
    name = name.substr(name.find_last_of(L'\\') + 1);
    return Utf8(name.substr(0, name.find_last_of(L'.')));
}

// Qt takes the computer's name from the environment here, to avoid a name lookup.
std::string HostName() {
    wchar_t buffer[256];
    const DWORD length = GetEnvironmentVariableW(L"COMPUTERNAME", buffer, 256);
    return length > 0 && length < 256 ? Utf8(std::wstring(buffer, length)) : "";
}

std::string MachineId() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Cryptography", 0,
                      KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) {
        return "";
    }
    wchar_t buffer[128] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    DWORD type = 0;
    const LONG read = RegQueryValueExW(key, L"MachineGuid", nullptr, &type,
                                       reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS && type == REG_SZ ? Utf8(buffer) : "";
}

std::string BootId() {
    return "";
}

#else

long long OwnPid() {
    return getpid();
}

// The executable's file name, as QLockFile writes it; "/ERROR/", which names no program, when
// the process is gone or not ours to look at.
std::string ProcessName(long long pid) {
    std::error_code ec;
    std::string exe = fs::read_symlink("/proc/" + std::to_string(pid) + "/exe", ec).string();
    if (ec) {
        return "/ERROR/";
    }
    if (exe.ends_with(" (deleted)")) {
        exe.resize(exe.size() - 10);
    }
    return fs::path(exe).filename().string();
}

std::string HostName() {
    utsname names{};
    return uname(&names) == 0 ? names.nodename : "";
}

// At most the first 32 bytes, as Qt reads them.
std::string FirstBytes(const char* file, std::size_t count) {
    std::ifstream in(file, std::ios::binary);
    std::string text(count, '\0');
    in.read(text.data(), std::streamsize(count));
    text.resize(std::size_t(in.gcount()));
    return text;
}

std::string MachineId() {
    const char* file = "/var/lib/dbus/machine-id";
    if (access(file, F_OK) != 0 && errno == ENOENT) {
        file = "/usr/local/var/lib/dbus/machine-id";
    }
    return FirstBytes(file, 32);
}

std::string BootId() {
    const std::string id = FirstBytes("/proc/sys/kernel/random/boot_id", 36);
    return id.size() == 36 ? id : "";
}

#endif

std::string OwnContents() {
    return std::to_string(OwnPid()) + "\n" + ProcessName(OwnPid()) + "\n" + HostName() + "\n" +
           MachineId() + "\n" + BootId() + "\n";
}

} // namespace

// Whether a running copy holds the lock file is asked of the system: Qt and this class keep it
// locked (flock) on Linux and open without leave to delete it on Windows for as long as they
// hold it. What the file says is never the judge: a copy killed between making it and writing
// it, or a power cut, leaves it empty. Removes the file when nobody holds it.
bool RemoveUnheldLock(const fs::path& file) {
#ifdef _WIN32
    return DeleteFileW(file.c_str()) != 0; // fails while a holder keeps it open
#else
    const int fd = open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT;
    }
    bool unheld = flock(fd, LOCK_EX | LOCK_NB) == 0;
    // A copy locks its file right after making it, then writes it: an unlocked file that is not
    // written yet may be one a moment old, which gets that moment.
    if (unheld && !ReadInfo(file)) {
        flock(fd, LOCK_UN);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        unheld = flock(fd, LOCK_EX | LOCK_NB) == 0;
    }
    // Removed only while it is still the file at its name: another copy may have taken the name
    // over since it was opened.
    struct stat opened {};
    struct stat named {};
    const bool removed = unheld && fstat(fd, &opened) == 0 && lstat(file.c_str(), &named) == 0 &&
                         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino &&
                         unlink(file.c_str()) == 0;
    close(fd);
    return removed;
#endif
}

fs::path InstanceLockFile(const std::string& exeBaseName) {
    const fs::path dir = LockDirectory();
    return dir.empty() ? dir : dir / (exeBaseName + ".lock");
}

InstanceLock::InstanceLock(fs::path file) : file_(std::move(file)) {}

InstanceLock::~InstanceLock() {
    Unlock();
}

LockResult InstanceLock::TryLock() {
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::string contents = OwnContents();
#ifdef _WIN32
        SECURITY_ATTRIBUTES attributes{sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
        HANDLE file = CreateFileW(file_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                  &attributes, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = file;
            DWORD written = 0;
            if (!WriteFile(file, contents.data(), DWORD(contents.size()), &written, nullptr) ||
                written != contents.size() || !FlushFileBuffers(file)) {
                Unlock();
                return LockResult::Failed; // a full disk
            }
            return LockResult::Locked;
        }
        const DWORD error = GetLastError();
        std::error_code ec;
        const bool taken = error == ERROR_SHARING_VIOLATION || error == ERROR_ALREADY_EXISTS ||
                           error == ERROR_FILE_EXISTS ||
                           (error == ERROR_ACCESS_DENIED && fs::exists(file_, ec));
#else
        const int fd = open(file_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            handle_ = fd;
            // Keeps the file from being removed as stale while this process holds it.
            flock(fd, LOCK_EX | LOCK_NB);
            if (write(fd, contents.data(), contents.size()) != ssize_t(contents.size())) {
                Unlock();
                return LockResult::Failed; // a full disk
            }
            // Unlike QLockFile, no flush to the disk: a lock need not outlive a crash, and the
            // flush would cost every run a wait for the disk where the runtime directory is on one.
            return LockResult::Locked;
        }
        const bool taken = errno == EEXIST;
#endif
        if (!taken) {
            return LockResult::Failed;
        }
        if (!RemoveUnheldLock(file_)) {
            return LockResult::HeldByOther;
        }
    }
    return LockResult::HeldByOther;
}

void InstanceLock::Unlock() {
#ifdef _WIN32
    if (!handle_) {
        return;
    }
    CloseHandle(handle_);
    handle_ = nullptr;
    // A process reading the file keeps it from being deleted for a moment.
    for (int attempt = 0; attempt < 500 && !DeleteFileW(file_.c_str()); ++attempt) {
        Sleep(1);
    }
#else
    if (handle_ < 0) {
        return;
    }
    close(handle_);
    handle_ = -1;
    unlink(file_.c_str());
#endif
}

std::optional<LockHolder> ReadLockHolder(const fs::path& file) {
    const std::optional<LockInfo> info = ReadInfo(file);
    if (!info) {
        return std::nullopt;
    }
    return LockHolder{info->pid, info->program};
}

} // namespace korvane
