#include "app/file_system.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <system_error>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/utsname.h>
#include <unistd.h>
#endif

#include "app/text_compare.hpp"

namespace fs = std::filesystem;

namespace korvane {

namespace {

// Steps of every kind, for tests that end the process at the k-th of them.
int stepsSoFar = 0;
int endProcessAt = 0;

[[noreturn]] void EndProcess() {
#ifdef _WIN32
    TerminateProcess(GetCurrentProcess(), 9);
#else
    std::raise(SIGKILL);
#endif
    std::_Exit(9);
}

// A counter of one kind of step, for tests that make the k-th of them fail.
struct FaultCounter {
    int count = 0;
    int failAt = 0;
    // Counts one step; true when this is the step a test asked to fail.
    bool Next() {
        if (++stepsSoFar == endProcessAt) {
            EndProcess();
        }
        return ++count == failAt;
    }
    void FailNumber(int k) { failAt = k == 0 ? 0 : count + k; }
};

FaultCounter writes;
FaultCounter flushes;
FaultCounter renames;
bool skipDiskFlush = false;
bool flushEachFile = false;

bool NextWriteFails() { return writes.Next(); }

const char* SimulatedFailure = "simulated write failure";

FileResult Fail(std::string reason) { return {false, std::move(reason), {}}; }

std::string Reason(const std::error_code& ec) { return ec.message(); }
std::string Reason(int err) { return std::generic_category().message(err); }
// The reason of the C library call that just failed; some fail without setting one.
std::error_code LastError() { return {errno ? errno : EIO, std::generic_category()}; }

#ifdef _WIN32
std::string FileNameOf(const std::string& pathText) {
    const std::size_t cut = pathText.find_last_of("\\/");
    return cut == std::string::npos ? pathText : pathText.substr(cut + 1);
}
#endif

// A write or delete the system refused. Game directories often lie below "C:\Program Files",
// where Windows refuses every write of a program without elevation with a bare "access denied":
// there the reason names the file and says what helps.
FileResult Refused(const std::error_code& ec, [[maybe_unused]] const std::string& pathText) {
    std::string reason = Reason(ec);
#ifdef _WIN32
    constexpr int WinErrorAccessDenied = 5;
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted ||
        (ec.category() == std::system_category() && ec.value() == WinErrorAccessDenied)) {
        reason += ": Windows refused to write \"" + FileNameOf(pathText) +
                  "\". Run Korvane as administrator or move the game out of \"C:\\Program Files\".";
    }
#endif
    return Fail(reason);
}

// Running as administrator does not help here, so the Windows text says what does.
FileResult ReadOnly([[maybe_unused]] const std::string& pathText) {
    std::string reason = Reason(EACCES);
#ifdef _WIN32
    reason += ": \"" + FileNameOf(pathText) + "\" is read-only";
#endif
    return Fail(reason);
}

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

#ifndef _WIN32
// Whether one syncfs puts what was written through this descriptor on disk.
bool SyncfsTrusted(int fd) {
    static const std::string release = [] {
        utsname name{};
        return uname(&name) == 0 ? std::string(name.release) : std::string();
    }();
    struct statfs info {};
    return !flushEachFile && fstatfs(fd, &info) == 0 &&
           SyncfsReachesDisk(release, static_cast<unsigned long>(info.f_type));
}

// Puts each open file (or directory) on disk: by itself where syncfs is not trusted, otherwise
// with one syncfs for each file system among them. 0 or the system's error number for each.
std::vector<int> FlushDescriptors(const std::vector<int>& fds, bool dataOnly) {
    std::vector<int> errors(fds.size(), 0);
    std::vector<std::pair<dev_t, int>> synced; // file system, its result
    for (std::size_t i = 0; i < fds.size(); ++i) {
        struct stat st {};
        if (fds[i] < 0 || fstat(fds[i], &st) != 0) {
            errors[i] = errno;
        } else if (!SyncfsTrusted(fds[i])) {
            errors[i] = (dataOnly ? fdatasync(fds[i]) : fsync(fds[i])) == 0 ? 0 : errno;
        } else {
            auto done = std::find_if(synced.begin(), synced.end(),
                                     [&](const auto& result) { return result.first == st.st_dev; });
            if (done == synced.end()) {
                synced.emplace_back(st.st_dev, syncfs(fds[i]) == 0 ? 0 : errno);
                done = synced.end() - 1;
            }
            errors[i] = done->second;
        }
    }
    return errors;
}
#endif

// Puts the data of the open files on disk: 0 or the system's error number for each.
std::vector<int> FlushData(const std::vector<std::FILE*>& files) {
    std::vector<int> errors(files.size(), 0);
    if (skipDiskFlush) {
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
    errors = FlushDescriptors(fds, true);
#endif
    return errors;
}

// Puts the entries of the directories on disk: 0 or the system's error number for each.
std::vector<int> FlushEntries([[maybe_unused]] const std::vector<fs::path>& dirs) {
    std::vector<int> errors(dirs.size(), 0);
#ifndef _WIN32
    if (!skipDiskFlush) {
        std::vector<int> fds;
        for (const fs::path& dir : dirs) {
            fds.push_back(open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            errors[fds.size() - 1] = fds.back() < 0 ? errno : 0;
        }
        const std::vector<int> flushed = FlushDescriptors(fds, false);
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

// Whether the new names in this directory may wait for the next batched flush of its file
// system. Windows has none, and needs none: NTFS keeps renames in the order they happen.
bool NamesMayWait([[maybe_unused]] const fs::path& dir) {
#ifdef _WIN32
    return true;
#else
    const int fd = open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool trusted = fd >= 0 && SyncfsTrusted(fd);
    if (fd >= 0) {
        close(fd);
    }
    return trusted;
#endif
}

// Korvane's temporary files: "." + the target's name + ".korvane-" + digits + ".tmp".
bool IsKorvaneTemp(const fs::path& name) {
    const std::u8string text = name.u8string();
    const std::u8string mark = u8".korvane-";
    const std::size_t at = text.rfind(mark);
    if (text.size() < 2 || text[0] != u8'.' || at == std::u8string::npos || at < 2 ||
        !text.ends_with(u8".tmp")) {
        return false;
    }
    const std::size_t first = at + mark.size();
    const std::size_t last = text.size() - 4;
    return first < last && std::all_of(text.begin() + static_cast<std::ptrdiff_t>(first),
                                       text.begin() + static_cast<std::ptrdiff_t>(last),
                                       [](char8_t c) { return c >= u8'0' && c <= u8'9'; });
}

// Removes a temporary file that an earlier run left behind, unless a running copy still holds
// it: such a copy keeps it locked (Linux) or open without leave to delete it (Windows).
void RemoveIfAbandoned(const fs::path& temp) {
    std::error_code ignored;
#ifdef _WIN32
    fs::remove(temp, ignored);
#else
    const int fd = open(temp.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0) {
        fs::remove(temp, ignored);
    }
    close(fd);
#endif
}

// Makes a new temporary file for target and opens it for writing: created afresh (never an
// existing file, never through a link) and held so that RemoveIfAbandoned leaves it alone.
// Sets temp to its path; nullptr with errno set (Windows: the system's error) when it fails.
std::FILE* CreateTemp(const fs::path& target, fs::path& temp, std::error_code& error) {
    static std::mt19937 random{std::random_device{}()};
    for (int attempt = 0; attempt < 10; ++attempt) {
        // Built from path pieces, never through a narrow string: on Windows path::string()
        // gives UTF-8, while path texts use the ANSI code page.
        fs::path name(".");
        name += target.filename();
        name += ".korvane-" + std::to_string(random() % 1000000) + ".tmp";
        temp = target.parent_path() / name;
#ifdef _WIN32
        const HANDLE handle = CreateFileW(temp.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            error = {static_cast<int>(GetLastError()), std::system_category()};
            if (error.value() == ERROR_FILE_EXISTS) {
                continue;
            }
            return nullptr;
        }
        const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
        std::FILE* file = fd < 0 ? nullptr : _fdopen(fd, "wb");
        if (!file) {
            error = LastError();
            if (fd < 0) {
                CloseHandle(handle);
            } else {
                _close(fd);
            }
            std::error_code ignored;
            fs::remove(temp, ignored);
        }
        return file;
#else
        const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            error = LastError();
            if (errno == EEXIST) {
                continue;
            }
            return nullptr;
        }
        // Between open and lock another run may have taken it for left behind: then start over.
        struct stat st {};
        if (flock(fd, LOCK_EX) != 0 || fstat(fd, &st) != 0 || st.st_nlink == 0) {
            close(fd);
            continue;
        }
        std::FILE* file = fdopen(fd, "wb");
        if (!file) {
            error = LastError();
            close(fd);
            unlink(temp.c_str());
        }
        return file;
#endif
    }
    error = std::make_error_code(std::errc::file_exists);
    return nullptr;
}

#ifndef _WIN32
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The entry of dir that is called name: the exact name first (unless the caller knows it is not
// there), otherwise the single entry equal to it without regard to case. A name that matches
// nothing (or several) stays as given.
fs::path MatchComponent(const fs::path& dir, const std::string& name, bool exactMissing = false) {
    std::error_code ec;
    fs::path exact = dir / name;
    if (name == "." || name == ".." ||
        (!exactMissing && fs::symlink_status(exact, ec).type() != fs::file_type::not_found)) {
        return exact;
    }
    fs::path found;
    int matches = 0;
    for (fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (EqualNoCase(entry, name)) {
            found = dir / entry;
            ++matches;
        }
    }
    return matches == 1 ? found : exact;
}
#endif

} // namespace

fs::path ResolvePath(const std::string& pathText) {
#ifdef _WIN32
    // A path made from a narrow string widens its bytes one by one, as if they were Latin-1;
    // path texts are in the ANSI code page (UTF-8 where the manifest makes it so).
    const int size = static_cast<int>(pathText.size());
    std::wstring wide(static_cast<std::size_t>(
                          MultiByteToWideChar(CP_ACP, 0, pathText.data(), size, nullptr, 0)),
                      L'\0');
    MultiByteToWideChar(CP_ACP, 0, pathText.data(), size, wide.data(), static_cast<int>(wide.size()));
    return fs::path(wide);
#else
    fs::path root;
    std::vector<std::string> names;
    std::size_t start = 0;
    if (!pathText.empty() && IsSeparator(pathText[0])) {
        root = "/";
        start = 1;
    }
    while (start <= pathText.size()) {
        std::size_t end = start;
        while (end < pathText.size() && !IsSeparator(pathText[end])) {
            ++end;
        }
        if (end > start) {
            names.push_back(pathText.substr(start, end - start));
        }
        start = end + 1;
    }
    auto exactly = [&](std::size_t count) {
        fs::path path = root;
        for (std::size_t i = 0; i < count; ++i) {
            path /= names[i];
        }
        return path;
    };
    auto exists = [](const fs::path& path) {
        std::error_code ec;
        return fs::symlink_status(path.empty() ? fs::path(".") : path, ec).type() !=
               fs::file_type::not_found;
    };
    // Where every name exists as given, each one matches exactly: the whole path, or all but
    // its last name, needs no search of the directories on the way.
    const fs::path whole = exactly(names.size());
    if (names.empty() || exists(whole)) {
        return whole;
    }
    std::size_t matched = names.size() - 1;
    fs::path result = exactly(matched);
    if (!exists(result)) {
        result = root;
        matched = 0;
    }
    for (std::size_t i = matched; i < names.size(); ++i) {
        // All but the last name existing as given, the whole path did not: the last one is not.
        result = MatchComponent(result, names[i], matched == names.size() - 1);
    }
    return result;
#endif
}

bool PathExists(const std::string& pathText) {
    std::error_code ec;
    const fs::path path = ResolvePath(pathText);
    if (path.empty()) {
        return false;
    }
    const bool wantsDirectory =
        !pathText.empty() && (pathText.back() == '\\' || pathText.back() == '/');
    return wantsDirectory ? fs::is_directory(path, ec) : fs::exists(path, ec);
}

bool DirectoryWritable(const std::string& dirText) {
    std::error_code ec;
    const fs::path dir = ResolvePath(dirText);
    if (dir.empty() || !fs::is_directory(dir, ec)) {
        return false;
    }
    static std::mt19937 random{std::random_device{}()};
    const fs::path probe = dir / (".korvane-probe-" + std::to_string(random() % 1000000) + ".tmp");
    std::ofstream out(probe, std::ios::binary);
    const bool made = out.is_open();
    out.close();
    fs::remove(probe, ec);
    return made;
}

bool FileExists(const std::string& pathText) {
    std::error_code ec;
    const fs::path path = ResolvePath(pathText);
    return !path.empty() && fs::is_regular_file(fs::status(path, ec));
}

namespace {

FileResult About(FileResult result, const std::string& pathText) {
    if (!result.ok) {
        result.path = pathText;
    }
    return result;
}

FileResult ReadResolved(const fs::path& path, std::string& content) {
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (fs::is_directory(status)) {
        return Fail(Reason(EISDIR));
    }
    // A pipe or a device put where a game file or the version file belongs could keep the read
    // waiting for ever, or feed it without end: only regular files are read.
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return Fail("not a regular file");
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return Fail(Reason(errno ? errno : ENOENT));
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        return Fail(Reason(EIO));
    }
    content = buffer.str();
    return {};
}

// Replaces a set of files, each through a temporary file beside it. Stage writes a temporary
// file; Commit flushes all of them, renames each over its target and flushes the directories.
// A file whose step fails keeps its target as it was; its temporary file is removed.
class Batch {
  public:
    explicit Batch(std::size_t size) : results_(size) {}
    ~Batch() {
        for (Pending& p : pending_) {
            Discard(p);
        }
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    void Reject(std::size_t job, FileResult failure) { results_[job] = std::move(failure); }

    void Stage(std::size_t job, const std::string& targetText, const fs::path& target,
               const std::string& content) {
        if (FileResult refused = CheckTarget(target, targetText); !refused.ok) {
            Reject(job, About(refused, targetText));
            return;
        }
        SweepOnce(target.parent_path());
        Pending p{job, targetText, target, {}, nullptr};
        std::error_code error;
        p.out = CreateTemp(target, p.temp, error);
        if (!p.out) {
            p.temp.clear();
            Reject(job, About(Refused(error, targetText), targetText));
            return;
        }
        const bool simulateFailure = NextWriteFails();
        const std::size_t wanted = simulateFailure ? content.size() / 2 : content.size();
        if (std::fwrite(content.data(), 1, wanted, p.out) != wanted || std::fflush(p.out) != 0) {
            Drop(p, Refused(LastError(), targetText));
            return;
        }
        if (simulateFailure) {
            Drop(p, Fail(SimulatedFailure));
            return;
        }
        pending_.push_back(std::move(p));
    }

    // Makes target a second name of source where that is sound (see CopyJob::keepExisting):
    // true when the job is done so (or failed, or found its target there already), false when
    // it is left to a copy.
    bool Link([[maybe_unused]] std::size_t job, [[maybe_unused]] const std::string& targetText,
              [[maybe_unused]] const fs::path& source, [[maybe_unused]] const fs::path& target) {
#ifdef _WIN32
        // Windows flushes file by file only: the live file's data would need a flush of its
        // own, which costs as much as the copy saves.
        return false;
#else
        // Whatever holds the backup's name already (a link that leads nowhere, a directory, a
        // pipe) is left to the copy, which replaces it or fails.
        struct stat st {};
        if (lstat(target.c_str(), &st) == 0 || lstat(source.c_str(), &st) != 0 ||
            !S_ISREG(st.st_mode) || st.st_nlink != 1 || (st.st_mode & S_IWUSR) == 0) {
            return false;
        }
        SweepOnce(target.parent_path());
        if (link(source.c_str(), target.c_str()) != 0) {
            return false;
        }
        if (NextWriteFails()) {
            unlink(target.c_str());
            Reject(job, About(Fail(SimulatedFailure), targetText));
            return true;
        }
        placed_.push_back({job, targetText, target.parent_path()});
        return true;
#endif
    }

    // One result per job, in order.
    std::vector<FileResult> Commit(Renames renamesReach) {
        // The data of every temporary file, then the files are closed.
        for (Pending& p : pending_) {
            if (flushes.Next()) {
                Drop(p, Fail("simulated flush failure"));
            }
        }
        std::vector<Pending*> open = Remaining();
        std::vector<std::FILE*> files;
        for (Pending* p : open) {
            files.push_back(p->out);
        }
        const std::vector<int> flushed = FlushData(files);
        for (std::size_t i = 0; i < open.size(); ++i) {
            const int closed = std::fclose(open[i]->out) == 0 ? 0 : errno;
            open[i]->out = nullptr;
            if (const int err = flushed[i] != 0 ? flushed[i] : closed; err != 0) {
                Drop(*open[i], Refused({err, std::generic_category()}, open[i]->targetText));
            }
        }

        // Each rename, then the directories that received a new name.
        for (Pending* p : Remaining()) {
            std::error_code ec;
            if (renames.Next()) {
                Drop(*p, Fail("simulated rename failure"));
                continue;
            }
            fs::rename(p->temp, p->target, ec);
            if (ec) {
                Drop(*p, Refused(ec, p->targetText));
                continue;
            }
            p->temp.clear();
            placed_.push_back({p->job, p->targetText, p->target.parent_path()});
        }
        std::vector<fs::path> dirs;
        for (const Placed& placed : placed_) {
            if (std::find(dirs.begin(), dirs.end(), placed.dir) == dirs.end() &&
                (renamesReach == Renames::OnDisk || !NamesMayWait(placed.dir))) {
                dirs.push_back(placed.dir);
            }
        }
        std::vector<int> entriesFlushed = FlushEntries(dirs);
        for (std::size_t d = 0; d < dirs.size(); ++d) {
            const bool simulated = flushes.Next();
            if (entriesFlushed[d] == 0 && !simulated) {
                continue;
            }
            // The file is new, but that it is there may not survive a crash.
            for (const Placed& placed : placed_) {
                if (results_[placed.job].ok && placed.dir == dirs[d]) {
                    Reject(placed.job,
                           About(simulated ? Fail("simulated flush failure")
                                           : Refused({entriesFlushed[d], std::generic_category()},
                                                     placed.targetText),
                                 placed.targetText));
                }
            }
        }
        pending_.clear();
        return std::move(results_);
    }

  private:
    struct Pending {
        std::size_t job;
        std::string targetText;
        fs::path target;
        fs::path temp;  // empty once renamed or removed
        std::FILE* out;
    };

    static FileResult CheckTarget(const fs::path& target, const std::string& targetText) {
        std::error_code ec;
        const fs::path dir = target.parent_path();
        if (!fs::is_directory(dir.empty() ? fs::path(".") : dir, ec)) {
            return Fail(Reason(ENOENT));
        }
        const auto status = fs::status(target, ec);
        if (fs::exists(status)) {
            if (fs::is_directory(status)) {
                return Fail(Reason(EISDIR));
            }
            if (!fs::is_regular_file(status)) {
                return Fail("not a regular file");
            }
            // A read-only file is refused, as the game's platform refuses to overwrite it.
            if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
                return ReadOnly(targetText);
            }
        }
        return {};
    }

    // Removes what an earlier run left behind in a directory this batch writes in, once.
    void SweepOnce(const fs::path& dir) {
        if (!swept_.insert(dir).second) {
            return;
        }
        std::error_code ec;
        for (fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end;
             !ec && it != end; it.increment(ec)) {
            std::error_code entryError;
            if (IsKorvaneTemp(it->path().filename()) &&
                fs::is_regular_file(it->symlink_status(entryError))) {
                RemoveIfAbandoned(it->path());
            }
        }
    }

    // The staged files that no step has failed yet.
    std::vector<Pending*> Remaining() {
        std::vector<Pending*> remaining;
        for (Pending& p : pending_) {
            if (results_[p.job].ok) {
                remaining.push_back(&p);
            }
        }
        return remaining;
    }

    void Drop(Pending& p, FileResult failure) {
        Discard(p);
        Reject(p.job, About(std::move(failure), p.targetText));
    }

    static void Discard(Pending& p) {
        if (p.out) {
            std::fclose(p.out);
            p.out = nullptr;
        }
        if (!p.temp.empty()) {
            std::error_code ignored;
            fs::remove(p.temp, ignored);
            p.temp.clear();
        }
    }

    // A target given its new name: renamed or linked.
    struct Placed {
        std::size_t job;
        std::string targetText;
        fs::path dir;
    };

    std::vector<Pending> pending_;
    std::vector<Placed> placed_;
    std::set<fs::path> swept_;
    std::vector<FileResult> results_;
};

FileResult DeleteResolved(const fs::path& path, const std::string& pathText) {
    if (NextWriteFails()) {
        return Fail(SimulatedFailure);
    }
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (!fs::is_regular_file(status)) {
        return Fail(Reason(fs::exists(status) ? EISDIR : ENOENT));
    }
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
        return ReadOnly(pathText);
    }
    if (!fs::remove(path, ec)) {
        return Refused(ec, pathText);
    }
    return {};
}

} // namespace

FileResult ReadFileText(const std::string& pathText, std::string& content) {
    return About(ReadResolved(ResolvePath(pathText), content), pathText);
}

FileResult CopyFileSafe(const std::string& sourceText, const std::string& targetText) {
    return CopyFilesSafe({{sourceText, targetText}}).front();
}

std::vector<FileResult> CopyFilesSafe(const std::vector<CopyJob>& jobs, Renames renames) {
    Batch batch(jobs.size());
    std::map<std::string, std::string> sources;  // most jobs of a pass share one source
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        const fs::path target = ResolvePath(jobs[i].target);
        std::error_code ec;
        if (jobs[i].keepExisting &&
            (fs::is_regular_file(fs::status(target, ec)) ||
             batch.Link(i, jobs[i].target, ResolvePath(jobs[i].source), target))) {
            continue;
        }
        auto source = sources.find(jobs[i].source);
        if (source == sources.end()) {
            std::string content;
            if (FileResult read = ReadFileText(jobs[i].source, content); !read.ok) {
                batch.Reject(i, read);
                continue;
            }
            source = sources.emplace(jobs[i].source, std::move(content)).first;
        }
        batch.Stage(i, jobs[i].target, target, source->second);
    }
    return batch.Commit(renames);
}

FileResult WriteFileSafe(const std::string& targetText, const std::string& content) {
    Batch batch(1);
    batch.Stage(0, targetText, ResolvePath(targetText), content);
    return batch.Commit(Renames::OnDisk).front();
}

bool SameFile(const std::string& aText, const std::string& bText) {
    std::error_code ec;
    return fs::equivalent(ResolvePath(aText), ResolvePath(bText), ec);
}

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

FileResult DeleteFileText(const std::string& pathText) {
    return About(DeleteResolved(ResolvePath(pathText), pathText), pathText);
}

namespace test_faults {
void FailWriteNumber(int k) { writes.FailNumber(k); }
int StepsSoFar() { return stepsSoFar; }
void FailFlushNumber(int k) { flushes.FailNumber(k); }
void FailRenameNumber(int k) { renames.FailNumber(k); }
void SkipDiskFlush(bool skip) { skipDiskFlush = skip; }
void FlushEachFile(bool each) { flushEachFile = each; }
void EndProcessAtStep(int k) { endProcessAt = k == 0 ? 0 : stepsSoFar + k; }
} // namespace test_faults

} // namespace korvane
