#pragma once
// The file layer: the one place where a path text becomes a real file, and where game files and
// backups are written so that nothing is ever lost or half written.
//
// Path texts are built by plain concatenation (game directory + "season02\vehicles\" +
// catalogue names) and use backslashes. On Windows they are used as they are. Elsewhere both
// '\' and '/' separate components, and each component is matched as the game's file system
// matches it: the exact name first, otherwise the one entry equal to it without regard to
// letter case. A component that does not exist keeps its given name, so new files are
// created under the name they are given. (path_resolution.cpp)
//
// Every write goes through a temporary file beside its target, which is flushed to disk and
// renamed over the target, so a target is always either as it was or completely new; the files
// of one call are written first, flushed together and then renamed (safe_batch.cpp, with
// temp_files.cpp and disk_flush.cpp). Reads and deletions take regular files only
// (read_and_delete.cpp); every failed step gives its reason (file_reasons.hpp).
//
// What a caller of CopyFilesSafe with backups (keepExisting) must do:
// - replace every live file it backed up, or part it from its backup with a copy (SameFile
//   tells which still share their data), before it ends: a new backup may be a second name of
//   its live file;
// - before anything else, part what an earlier run that ended half way left shared;
// - make the backups of a pass before it replaces any live file they protect, and delete a
//   backup only once its copy back has succeeded.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/file_faults.hpp"
#include "core/result.hpp"

namespace korvane {

std::filesystem::path ResolvePath(const std::string& pathText);

// While one lives (the first of several nested), ResolvePath lists each directory at most once
// to match a name that is not there as given, instead of once per name: for one pass over many
// files, during which no directory gains a name that the pass looks up in it.
class DirectoryListings {
  public:
    DirectoryListings();
    ~DirectoryListings();
    DirectoryListings(const DirectoryListings&) = delete;
    DirectoryListings& operator=(const DirectoryListings&) = delete;

  private:
    std::map<std::filesystem::path, std::vector<std::string>> listings_;
};

// True when the path names an existing file or directory; a path ending in a separator is
// true when that directory exists. Never throws.
bool PathExists(const std::string& pathText);

// True when the path names an existing regular file whose length can be read. Never throws.
bool FileExists(const std::string& pathText);

// True when a new file could be made in the directory, judged by the directory's access rights
// without making anything, so that a look at where settings go writes nothing.
bool DirectoryWritable(const std::string& dirText);

// The reason given for a name that holds something other than a regular file where one is read,
// replaced or taken for a backup (a folder, a pipe, a link to one or, at a backup's name, any
// link).
inline constexpr const char* NotARegularFile = "not a regular file";

// True when both path texts name one and the same existing file (two names of it).
bool SameFile(const std::string& aText, const std::string& bText);

// One look at a name (a resolved path), without following a link at it: what it holds, and for a
// file its size, its number of names and which file it is. Windows tells neither of the last two
// here (links 1): it makes no second names of game files.
enum class NameType { None, File, LinkNowhere, Other }; // Other: a folder, a pipe, a link to one
struct FileIdentity {
    std::uintmax_t device = 0;
    std::uintmax_t inode = 0;
};
struct NameLook {
    NameType type = NameType::None;
    std::uintmax_t size = 0;
    std::uintmax_t links = 1;
    FileIdentity identity{};
};
NameLook LookAtName(const std::filesystem::path& path);
// Whether the path text names the file of that identity (never on Windows, where none is known).
bool SameIdentity(const FileIdentity& identity, const std::string& pathText);

// Copies source over target; the rename is on disk when this returns. A read-only target is
// refused, as Windows refuses it, and so is a target that is neither a file nor a missing name
// (a directory, a pipe, a link to a directory); a symbolic link that leads nowhere is replaced.
//
// The temporary file (".<name>.korvane-<number>.tmp") is made anew, never through a link, and
// stays locked while it is written. A run that ends half way (killed, power lost) can leave
// such files behind: the next write into the same directory removes those that no running copy
// holds.
FileResult CopyFileSafe(const std::string& sourceText, const std::string& targetText,
                        FileFaults& faults = NoFaults());

// A job that keeps an existing target makes a backup: a target that is a file already stays as
// it is. A new backup becomes, where the file system allows (not on Windows), a second name (a
// hard link) of its source, the live file, instead of a copy: the live file is about to be
// replaced by a new file renamed over it, which leaves the old data to the backup alone,
// unwritten and untouched. Only a regular, writable file with no other name is linked so, and
// only where nothing holds the backup's name: a name held by something else is left to the copy
// (a link that leads nowhere is replaced, anything else fails).
struct CopyJob {
    std::string source;
    std::string target;
    bool keepExisting = false;
};

// When the renames (and the links of backups) of a batch reach the disk: before CopyFilesSafe
// returns, or with the next flush of the same file system (at the latest that of the next batch
// there, which comes before it renames anything). The latter saves a flush where losing a new
// name in a crash does no harm, since the target then simply stays as it was.
enum class Renames { OnDisk, WithNextFlush };

// Makes each copy as CopyFileSafe does, but flushes them to disk together, which costs little
// more than one flush. One result per job, in order; a job that fails names the file concerned,
// leaves its target as it was (or, if only the flush of the target's directory failed, new but
// not sure to survive a crash) and does not stop the others. Every source is read before any
// target is replaced.
std::vector<FileResult> CopyFilesSafe(const std::vector<CopyJob>& jobs,
                                      Renames renames = Renames::OnDisk,
                                      FileFaults& faults = NoFaults());

// Replaces a file's content as CopyFileSafe does, from bytes in memory.
FileResult WriteFileSafe(const std::string& targetText, const std::string& content,
                         FileFaults& faults = NoFaults());

FileResult DeleteFileText(const std::string& pathText, FileFaults& faults = NoFaults());

// Deletes each file as DeleteFileText does, then puts the deletions on disk together (their
// directories are flushed, or their file systems once each), so that no deleted file comes back
// after a power cut. One result per file, in order; a file whose directory could not be flushed
// is gone, but reported as failed.
std::vector<FileResult> DeleteFilesSafe(const std::vector<std::string>& pathTexts,
                                        FileFaults& faults = NoFaults());

// Whole content of a file; ok == false when it cannot be read. Only a regular file is read: a
// directory, a pipe or a device is refused at once.
Result<std::string> ReadFileText(const std::string& pathText);

// Linux: whether one syncfs of a file system puts everything written to it on disk and reports
// a failure to do so. Kernels before 5.8 report no failure of writing back, and FUSE passes the
// call on to no file system program (ntfs-3g, where dual-boot players keep their games): there
// every file and directory is flushed by itself instead. kernelRelease as uname gives it,
// fileSystemType as statfs gives it.
bool SyncfsReachesDisk(const std::string& kernelRelease, unsigned long fileSystemType);

} // namespace korvane
