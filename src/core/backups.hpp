#pragma once
// The ".org" backups of game files, for every operation that changes them: a backup is made
// once, from the game file as it was before the first change, and a restore copies it back and
// then deletes it. Each pass writes its files as one batch of the file layer and meets that
// layer's caller duties (file_system.hpp) as far as one pass can; failed steps go to the log and
// do not stop the other files of the pass. Whether an operation goes on after a failed pass is
// its own rule.
//
// A game file that has a backup is the player's again once it holds anything Korvane did not put
// there (a car mod installed while harmonized): it is never replaced, and neither is its backup.
// Its step fails with a text that names both ways on.
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/failure_log.hpp"
#include "core/file_faults.hpp"
#include "core/file_system.hpp"
#include "core/language.hpp"

namespace korvane {

// The backup of a game file: the same path with ".org" in place of its extension.
std::string BackupPathOf(const std::string& livePath);

// What a backup's name holds. A backup is a regular file with content and nothing else: a
// symbolic link is never followed to one, and one that leads nowhere counts as no backup.
enum class BackupKind { Missing, Usable, Empty, NotAFile };
BackupKind KindOfBackup(const std::string& pathText);

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

// Which live files of a group may be replaced: those with a usable backup that still hold what
// Korvane put there, the data of a file of the group as the game installed it (its own, or the
// master's after a harmonize: the backup where there is one, else the live file) or of one of
// korvaneFiles (the shipped grip table). A group is what a harmonize copies among: the teams of
// a component, one kind of F1 Challenge's car files, or one grip table. An empty backup and a
// changed live file are logged; a backup that is missing or no file is left to the pass that
// meets it.
std::vector<bool> Replaceable(const FilePairs& group, const std::vector<std::string>& korvaneFiles,
                              FailureLog& log, Language language);

// Gives each live file that still shares its data with its backup (a backup made as a second
// name of a file that was then not replaced) a copy of its own, so that nothing written into it
// later reaches the backup. The last pass of every operation that made backups.
void SeparatePass(const FilePairs& liveAndBackup, FailureLog& log, FileFaults& faults);

// Copies each usable backup of a group back over its live file, where Replaceable allows it, and
// deletes the backups once those copies are on disk, the deletions put on disk as well. Calls
// missing(i) for each pair without a backup; anything else at a backup's name is a failed step.
void RestorePass(const FilePairs& group, const std::vector<std::string>& korvaneFiles,
                 FailureLog& log, FileFaults& faults, Language language,
                 const std::function<void(std::size_t)>& missing);

} // namespace korvane
