#pragma once
// The one place where a path text becomes a real file.
//
// Path texts are built by plain concatenation (game directory + "season02\vehicles\" +
// catalogue names) and use backslashes. On Windows they are used as they are. Elsewhere both
// '\' and '/' separate components, and each component is matched as the game's file system
// matches it: the exact name first, otherwise the one entry equal to it without regard to
// letter case. A component that does not exist keeps its given name, so new files are
// created under the name they are given.
#include <filesystem>
#include <string>
#include <vector>

namespace korvane {

std::filesystem::path ResolvePath(const std::string& pathText);

// True when the path names an existing file or directory; a path ending in a separator is
// true when that directory exists. Never throws.
bool PathExists(const std::string& pathText);

// True when the path names an existing regular file whose length can be read. Never throws.
bool FileExists(const std::string& pathText);

// True when a new file can be made in the directory: one is made there and removed again.
bool DirectoryWritable(const std::string& dirText);

struct FileResult {
    bool ok = true;
    std::string reason;  // the system's reason when !ok
    std::string path;    // the path text the reason is about
};

// Copies source over target. The new content is written to a temporary file in the target's
// directory, flushed to disk and renamed over the target, so the target is always either as it
// was or completely new; the rename itself is on disk when this returns. A read-only target is
// refused, as Windows refuses it, and so is a target that is neither a file nor a missing name
// (a directory, a pipe, a link to a directory); a symbolic link that leads nowhere is replaced.
//
// The temporary file (".<name>.korvane-<number>.tmp") is made anew, never through a link, and
// stays locked while it is written. A run that ends half way (killed, power lost) can leave
// such files behind: the next write into the same directory removes those that no running copy
// holds.
FileResult CopyFileSafe(const std::string& sourceText, const std::string& targetText);

// A job that keeps an existing target makes a backup: a target that is a file already stays as
// it is. A new backup becomes, where the file system allows (not on Windows), a second name (a
// hard link) of its source, the live file, instead of a copy: the live file is about to be
// replaced by a new file renamed over it, which leaves the old data to the backup alone,
// unwritten and untouched. Only a regular, writable file with no other name is linked so, and
// only where nothing holds the backup's name: a name held by something else is left to the copy
// (a link that leads nowhere is replaced, anything else fails). Until its live file is replaced
// the two names share the data, so a caller replaces every live file it backed up, or separates
// the two with a copy (see SameFile), before it ends; and since a run can end half way, the next
// one separates what an earlier run left shared.
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
// more than one flush: every temporary file is written first, then all are flushed, then each
// is renamed over its target. One result per job, in order; a job that fails names the file
// concerned, leaves its target as it was (or, if only the flush of the target's directory
// failed, new but not sure to survive a crash) and does not stop the others. Every source is
// read before any target is replaced.
std::vector<FileResult> CopyFilesSafe(const std::vector<CopyJob>& jobs,
                                      Renames renames = Renames::OnDisk);

// Replaces a file's content as CopyFileSafe does, from bytes in memory.
FileResult WriteFileSafe(const std::string& targetText, const std::string& content);

FileResult DeleteFileText(const std::string& pathText);

// True when both path texts name one and the same existing file (two names of it).
bool SameFile(const std::string& aText, const std::string& bText);

// Linux: whether one syncfs of a file system puts everything written to it on disk and reports
// a failure to do so. Kernels before 5.8 report no failure of writing back, and FUSE passes the
// call on to no file system program (ntfs-3g, where dual-boot players keep their games): there
// every file and directory is flushed by itself instead. kernelRelease as uname gives it,
// fileSystemType as statfs gives it.
bool SyncfsReachesDisk(const std::string& kernelRelease, unsigned long fileSystemType);

// Whole content of a file; std::nullopt-like empty result is signalled by ok == false. Only a
// regular file is read: a directory, a pipe or a device is refused at once.
FileResult ReadFileText(const std::string& pathText, std::string& content);

// For tests: every copy, write, link and delete counts as one write; FailWriteNumber(k) makes the
// k-th write from now fail (a copy fails half way through its temporary file). 0 disables.
// Flushes and renames are counted apart: FailFlushNumber(k) makes the k-th flush to disk from
// now fail (first each temporary file of a batch, in order, then each directory its files were
// renamed or linked into, unless the renames are left to the next flush), FailRenameNumber(k)
// the k-th rename of a temporary file over its target.
namespace test_faults {
void FailWriteNumber(int k);
int StepsSoFar(); // of every kind
void FailFlushNumber(int k);
void FailRenameNumber(int k);
// Skips flushing to the disk, for tests that write many thousand files. Flushes still count.
void SkipDiskFlush(bool skip);
// Flushes file by file and directory by directory, as where syncfs cannot be trusted.
void FlushEachFile(bool each);
// Ends the process at once, as a kill or a power loss would, at the k-th step of any kind
// (write, link, flush, rename) from now; 0 disables.
void EndProcessAtStep(int k);
} // namespace test_faults

} // namespace korvane
