#include "app/backups.hpp"

#include <set>
#include <system_error>

#include "app/messages.hpp"

namespace korvane {

namespace {

namespace fs = std::filesystem;

// {1}: the backup's path.
constexpr MessageText ChangedSince{
    "wurde verändert, nachdem Korvane sie geschrieben hat, und bleibt darum wie sie ist, ebenso "
    "ihre Sicherung {1}. Um diese Datei als neues Original zu behalten, löschen Sie die "
    "Sicherung; damit Korvane sie wieder ersetzt, löschen (oder verschieben) Sie diese Datei und "
    "führen die Aktion noch einmal aus",
    "was changed after Korvane wrote it and stays as it is, and so does its backup {1}. To keep "
    "this file as the new original, delete the backup; to have Korvane replace it again, delete "
    "this file (or move it away) and run the action again"};
constexpr MessageText EmptyBackup{
    "ist leer und wird nicht als Sicherung verwendet; die Datei, die sie sichert, bleibt wie sie "
    "ist",
    "is empty and is not used as a backup; the file it stands for stays as it is"};

void Record(const FileResult& result, FailureLog& log) {
    if (!result.ok) {
        log.Add(result.path, result.reason);
    }
}

enum class Verdict { NoBackup, NotABackup, Kept, Replace };

// Replaceable, telling apart why a file is not.
std::vector<Verdict> Judge(const FilePairs& group, const std::vector<std::string>& korvaneFiles,
                           FailureLog& log, Language language) {
    std::vector<BackupKind> kinds;
    std::set<std::string> known;
    auto learn = [&](const std::string& pathText) {
        if (std::string content; ReadFileText(pathText, content).ok) {
            known.insert(std::move(content));
        }
    };
    for (const auto& [live, backup] : group) {
        kinds.push_back(KindOfBackup(backup));
        if (kinds.back() == BackupKind::Usable || kinds.back() == BackupKind::Missing) {
            learn(kinds.back() == BackupKind::Usable ? backup : live);
        }
    }
    for (const std::string& file : korvaneFiles) {
        learn(file);
    }
    std::vector<Verdict> verdicts;
    for (std::size_t i = 0; i < group.size(); ++i) {
        const auto& [live, backup] = group[i];
        std::string content;
        switch (kinds[i]) {
        case BackupKind::Missing:
            verdicts.push_back(Verdict::NoBackup);
            break;
        case BackupKind::NotAFile:
            verdicts.push_back(Verdict::NotABackup);
            break;
        case BackupKind::Empty:
            log.Add(backup, TextIn(language, EmptyBackup));
            verdicts.push_back(Verdict::Kept);
            break;
        case BackupKind::Usable:
            // A live file that cannot be read (gone, say) holds nothing of the player's.
            if (ReadFileText(live, content).ok && !known.contains(content)) {
                log.Add(live, TextIn(language, ChangedSince, {backup}));
                verdicts.push_back(Verdict::Kept);
            } else {
                verdicts.push_back(Verdict::Replace);
            }
            break;
        }
    }
    return verdicts;
}

} // namespace

std::string BackupPathOf(const std::string& livePath) {
    const std::size_t separator = livePath.find_last_of("\\/");
    const std::size_t dot = livePath.rfind('.');
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) {
        return livePath + ".org";
    }
    return livePath.substr(0, dot) + ".org";
}

BackupKind KindOfBackup(const std::string& pathText) {
    std::error_code ec;
    const fs::path path = ResolvePath(pathText);
    const auto held = fs::symlink_status(path, ec);
    if (fs::is_regular_file(held)) {
        const auto size = fs::file_size(path, ec);
        return ec ? BackupKind::NotAFile : size == 0 ? BackupKind::Empty : BackupKind::Usable;
    }
    const bool leadsNowhere = fs::is_symlink(held) && !fs::exists(fs::status(path, ec));
    return !fs::exists(held) || leadsNowhere ? BackupKind::Missing : BackupKind::NotAFile;
}

std::vector<bool> CopyPass(const std::vector<CopyJob>& jobs, FailureLog& log, FileFaults& faults,
                           Renames renames) {
    std::vector<bool> done;
    for (const FileResult& result : CopyFilesSafe(jobs, renames, faults)) {
        Record(result, log);
        done.push_back(result.ok);
    }
    return done;
}

void BackupPass(const FilePairs& liveAndBackup, FailureLog& log, FileFaults& faults) {
    std::vector<CopyJob> jobs;
    for (const auto& [live, backup] : liveAndBackup) {
        jobs.push_back({live, backup, true});
    }
    CopyPass(jobs, log, faults, Renames::WithNextFlush);
}

std::vector<bool> Replaceable(const FilePairs& group, const std::vector<std::string>& korvaneFiles,
                              FailureLog& log, Language language) {
    std::vector<bool> replaceable;
    for (const Verdict verdict : Judge(group, korvaneFiles, log, language)) {
        replaceable.push_back(verdict == Verdict::Replace);
    }
    return replaceable;
}

void SeparatePass(const FilePairs& liveAndBackup, FailureLog& log, FileFaults& faults) {
    std::vector<CopyJob> jobs;
    for (const auto& [live, backup] : liveAndBackup) {
        if (SameFile(live, backup)) {
            jobs.push_back({backup, live});
        }
    }
    CopyPass(jobs, log, faults);
}

void RestorePass(const FilePairs& group, const std::vector<std::string>& korvaneFiles,
                 FailureLog& log, FileFaults& faults, Language language,
                 const std::function<void(std::size_t)>& missing) {
    const std::vector<Verdict> verdicts = Judge(group, korvaneFiles, log, language);
    std::vector<CopyJob> jobs;
    for (std::size_t i = 0; i < group.size(); ++i) {
        const auto& [live, backup] = group[i];
        if (verdicts[i] == Verdict::NoBackup) {
            missing(i);
        } else if (verdicts[i] == Verdict::NotABackup) {
            log.Add(backup, "not a regular file");
        } else if (verdicts[i] == Verdict::Replace) {
            jobs.push_back({backup, live});
        }
    }
    const std::vector<bool> done = CopyPass(jobs, log, faults);
    std::vector<std::string> restored;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (done[i]) {
            restored.push_back(jobs[i].source);
        }
    }
    for (const FileResult& result : DeleteFilesSafe(restored, faults)) {
        Record(result, log);
    }
}

} // namespace korvane
