#include "core/backups.hpp"

#include <optional>
#include <set>
#include <system_error>

#include "core/messages.hpp"
#include "core/path_text.hpp"

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
    if (!result.ok()) {
        log.Add(result.path(), result.reason());
    }
}

enum class Verdict { NoBackup, NotABackup, Kept, Replace };

// What a backup's name holds, from one look at it, and (where the system tells) which file it is,
// so that a live file that is still a second name of it is known without reading either.
struct BackupLook {
    BackupKind kind = BackupKind::Missing;
    bool mayHaveOtherNames = true;
    FileIdentity identity{};
};

BackupLook LookAtBackup(const std::string& pathText) {
    const fs::path path = ResolvePath(pathText);
    const NameLook look = LookAtName(path);
    if (look.type == NameType::File) {
        return {look.size == 0 ? BackupKind::Empty : BackupKind::Usable, look.links != 1,
                look.identity};
    }
    // A link that leads nowhere is replaced by the backup, as if nothing were there.
    return look.type == NameType::Other ? BackupLook{BackupKind::NotAFile} : BackupLook{};
}

std::optional<std::string> Read(const std::string& pathText) {
    Result<std::string> read = ReadFileText(pathText);
    return read.ok() ? std::optional(std::move(read.value())) : std::nullopt;
}

std::uintmax_t SizeOf(const std::string& pathText) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(ResolvePath(pathText), ec);
    return ec ? 0 : size;
}

// Replaceable, telling apart why a file is not. Most live files are still a second name of their
// backup or hold its bytes; only files of the same size as one to be judged are read.
std::vector<Verdict> Judge(const FilePairs& group, const std::vector<std::string>& korvaneFiles,
                           FailureLog& log, Language language) {
    std::vector<Verdict> verdicts(group.size(), Verdict::Replace);
    std::vector<std::string> originals = korvaneFiles;        // the data Korvane may have put there
    std::vector<std::pair<std::size_t, std::string>> toJudge; // pair, live file's content
    for (std::size_t i = 0; i < group.size(); ++i) {
        const auto& [live, backup] = group[i];
        const BackupLook look = LookAtBackup(backup);
        switch (look.kind) {
        case BackupKind::Missing:
            verdicts[i] = Verdict::NoBackup;
            originals.push_back(live);
            break;
        case BackupKind::NotAFile:
            verdicts[i] = Verdict::NotABackup;
            break;
        case BackupKind::Empty:
            log.Add(backup, TextIn(language, EmptyBackup));
            verdicts[i] = Verdict::Kept;
            break;
        case BackupKind::Usable:
            originals.push_back(backup);
            // A live file that cannot be read (gone, say) holds nothing of the player's.
            if (!look.mayHaveOtherNames || !SameIdentity(look.identity, live)) {
                if (std::optional<std::string> content = Read(live)) {
                    toJudge.emplace_back(i, std::move(*content));
                }
            }
            break;
        }
    }
    std::set<std::uintmax_t> sizes;
    for (const auto& [i, content] : toJudge) {
        sizes.insert(content.size());
    }
    std::set<std::string> known;
    for (const std::string& file : toJudge.empty() ? std::vector<std::string>{} : originals) {
        if (sizes.contains(SizeOf(file))) {
            if (std::optional<std::string> content = Read(file)) {
                known.insert(std::move(*content));
            }
        }
    }
    for (const auto& [i, content] : toJudge) {
        if (!known.contains(content)) {
            log.Add(group[i].first, TextIn(language, ChangedSince, {ShownPath(group[i].second)}),
                    true);
            verdicts[i] = Verdict::Kept;
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
    return LookAtBackup(pathText).kind;
}

std::vector<bool> CopyPass(const std::vector<CopyJob>& jobs, FailureLog& log, FileFaults& faults,
                           Renames renames) {
    std::vector<bool> done;
    for (const FileResult& result : CopyFilesSafe(jobs, renames, faults)) {
        Record(result, log);
        done.push_back(result.ok());
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
            log.Add(backup, NotARegularFile);
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
