#include "core/disk_flush.hpp"

#include <algorithm>
#include <cerrno>
#include <string>

#include "core/file_system.hpp"

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/utsname.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

// How a batch of replaced files reaches the disk. Each temporary file's data is on disk before
// it is renamed over its target, and the new names of a batch (renames, and the links of
// backups) are on disk before the batch ends, or at the latest before the next batch renames
// anything, so a backup is on disk before the live file it protects is replaced in a later
// batch (a linked backup's data, which is its live file's, goes with the same flush of the
// file system); a restore deletes a backup only after its copy back is on disk. Flushing a
// batch together costs little more than flushing one file.
//
// Linux: one syncfs per file system for the data of the whole batch and one for its renames.
// Flushing file by file costs a flush of the disk's write cache for every file, even when the
// data was already written (sync_file_range first, then fdatasync of each, still pays it per
// file); syncfs pays it once, at the price of also writing what else is waiting for the same
// file system, which the system writes out within seconds anyway. Where syncfs is not known to
// reach the disk (see SyncfsReachesDisk), each file gets an fdatasync and each directory an
// fsync, and the new names of a batch are flushed before it ends even when they could wait.
//
// Windows: FlushFileBuffers (through _commit) of each file handle, after all files of the batch
// are written. It is the only flush Windows offers a program without administrator rights (a
// whole volume can be flushed only through a volume handle, which needs them). Directories
// need no flush of their own: NTFS logs renames and deletions in the order they happen, so a
// later one never survives a crash without an earlier one.

namespace korvane {

bool SyncfsReachesDisk(const std::string& kernelRelease, unsigned long fileSystemType) {
    constexpr unsigned long FuseSuperMagic = 0x65735546;
    int major = 0;
    int minor = 0;
    if (fileSystemType == FuseSuperMagic ||
        std::sscanf(kernelRelease.c_str(), "%d.%d", &major, &minor) != 2) {
        return false;
    }
    return major > 5 || (major == 5 && minor >= 8);
}

namespace {

#ifndef _WIN32
// Whether one syncfs puts on disk what was written to a file system, given its statfs.
bool SyncfsTrusted(int statfsResult, const struct statfs& info, const FileFaults& faults) {
    static const std::string release = [] {
        utsname name{};
        return uname(&name) == 0 ? std::string(name.release) : std::string();
    }();
    return !faults.FlushEachFile() && statfsResult == 0 &&
           SyncfsReachesDisk(release, static_cast<unsigned long>(info.f_type));
}

// Puts each open file (or directory) on disk: by itself where syncfs is not trusted, otherwise
// with one syncfs for each file system among them. 0 or the system's error number for each.
std::vector<int> FlushDescriptors(const std::vector<int>& fds, bool dataOnly,
                                  const FileFaults& faults) {
    std::vector<int> errors(fds.size(), 0);
    struct FileSystem {
        dev_t device;
        bool trusted;
        int synced; // -1 until its syncfs, then 0 or the system's error number
    };
    std::vector<FileSystem> seen;
    for (std::size_t i = 0; i < fds.size(); ++i) {
        struct stat st {};
        if (fds[i] < 0 || fstat(fds[i], &st) != 0) {
            errors[i] = errno;
            continue;
        }
        auto fileSystem = std::find_if(seen.begin(), seen.end(),
                                       [&](const FileSystem& f) { return f.device == st.st_dev; });
        if (fileSystem == seen.end()) {
            struct statfs info {};
            const int result = fstatfs(fds[i], &info);
            seen.push_back({st.st_dev, SyncfsTrusted(result, info, faults), -1});
            fileSystem = seen.end() - 1;
        }
        if (!fileSystem->trusted) {
            errors[i] = (dataOnly ? fdatasync(fds[i]) : fsync(fds[i])) == 0 ? 0 : errno;
            continue;
        }
        if (fileSystem->synced < 0) {
            fileSystem->synced = syncfs(fds[i]) == 0 ? 0 : errno;
        }
        errors[i] = fileSystem->synced;
    }
    return errors;
}

int OpenDirectory(const fs::path& dir) {
    return open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}
#endif

} // namespace

std::vector<int> FlushData(const std::vector<std::FILE*>& files, const FileFaults& faults) {
    std::vector<int> errors(files.size(), 0);
    if (!faults.FlushToDisk()) {
        return errors;
    }
#ifdef _WIN32
    for (std::size_t i = 0; i < files.size(); ++i) {
        errors[i] = _commit(_fileno(files[i])) == 0 ? 0 : errno;
    }
#else
    std::vector<int> fds;
    for (std::FILE* file : files) {
        fds.push_back(fileno(file));
    }
    errors = FlushDescriptors(fds, true, faults);
#endif
    return errors;
}

std::vector<int> FlushFiles([[maybe_unused]] const std::vector<fs::path>& files,
                            [[maybe_unused]] const FileFaults& faults) {
    std::vector<int> errors(files.size(), 0);
#ifndef _WIN32
    for (std::size_t i = 0; faults.FlushToDisk() && i < files.size(); ++i) {
        const int fd = open(files[i].c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        errors[i] = fd < 0 || fdatasync(fd) != 0 ? errno : 0;
        if (fd >= 0) {
            close(fd);
        }
    }
#endif
    return errors;
}

std::vector<int> FlushEntries([[maybe_unused]] const std::vector<fs::path>& dirs,
                              [[maybe_unused]] const FileFaults& faults) {
    std::vector<int> errors(dirs.size(), 0);
#ifndef _WIN32
    if (faults.FlushToDisk()) {
        std::vector<int> fds;
        for (const fs::path& dir : dirs) {
            fds.push_back(OpenDirectory(dir));
            errors[fds.size() - 1] = fds.back() < 0 ? errno : 0;
        }
        const std::vector<int> flushed = FlushDescriptors(fds, false, faults);
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i] >= 0) {
                errors[i] = flushed[i];
                close(fds[i]);
            }
        }
    }
#endif
    return errors;
}

bool NamesMayWait([[maybe_unused]] const fs::path& dir, [[maybe_unused]] const FileFaults& faults) {
#ifdef _WIN32
    return true; // no flush of a directory: NTFS keeps renames in the order they happen
#else
    struct statfs info {};
    return SyncfsTrusted(statfs(dir.empty() ? "." : dir.c_str(), &info), info, faults);
#endif
}

} // namespace korvane
