#pragma once
// The ".org" backups of game files, for every operation that changes them: a backup is made
// once, from the game file as it was before the first change, and a restore copies it back and
// then deletes it. Each pass writes its files as one batch of the file layer and meets that
// layer's caller duties (file_system.hpp) as far as one pass can; failed steps go to the log and
// do not stop the other files of the pass. Whether an operation goes on after a failed pass is
// its own rule.
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/failure_log.hpp"
#include "app/file_faults.hpp"
#include "app/file_system.hpp"

namespace korvane {

// The backup of a game file: the same path with ".org" in place of its extension.
std::string BackupPathOf(const std::string& livePath);

// Game files and their backups: path texts of the live file, then of the backup.
using FilePairs = std::vector<std::pair<std::string, std::string>>;

// Makes the copies of one pass together. Whether each job succeeded, in order.
std::vector<bool> CopyPass(const std::vector<CopyJob>& jobs, FailureLog& log, FileFaults& faults,
                           Renames renames = Renames::OnDisk);

// Makes each missing backup from its live file; an existing backup stays. A backup that fails is
// not there, so a caller that copies only onto files with a backup leaves its live file alone.
// The new names reach the disk with the next pass's flush, before it replaces any live file; one
// lost in a crash only means the backup is made again next time, from the unchanged live file.
void BackupPass(const FilePairs& liveAndBackup, FailureLog& log, FileFaults& faults);

// Gives each live file that still shares its data with its backup (a backup made as a second
// name of a file that was then not replaced) a copy of its own, so that nothing written into it
// later reaches the backup. The last pass of every operation that made backups.
void SeparatePass(const FilePairs& liveAndBackup, FailureLog& log, FileFaults& faults);

// Copies each backup back over its live file and deletes it once that copy is on disk. Calls
// missing(i) for each pair whose backup does not exist.
void RestorePass(const FilePairs& liveAndBackup, FailureLog& log, FileFaults& faults,
                 const std::function<void(std::size_t)>& missing);

} // namespace korvane
