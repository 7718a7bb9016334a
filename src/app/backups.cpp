#include "app/backups.hpp"

namespace korvane {

namespace {

void Record(const FileResult& result, FailureLog& log) {
    if (!result.ok) {
        log.Add(result.path, result.reason);
    }
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

void SeparatePass(const FilePairs& liveAndBackup, FailureLog& log, FileFaults& faults) {
    std::vector<CopyJob> jobs;
    for (const auto& [live, backup] : liveAndBackup) {
        if (SameFile(live, backup)) {
            jobs.push_back({backup, live});
        }
    }
    CopyPass(jobs, log, faults);
}

void RestorePass(const FilePairs& liveAndBackup, FailureLog& log, FileFaults& faults,
                 const std::function<void(std::size_t)>& missing) {
    std::vector<CopyJob> jobs;
    for (std::size_t i = 0; i < liveAndBackup.size(); ++i) {
        const auto& [live, backup] = liveAndBackup[i];
        if (FileExists(backup)) {
            jobs.push_back({backup, live});
        } else {
            missing(i);
        }
    }
    const std::vector<bool> done = CopyPass(jobs, log, faults);
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (done[i]) {
            Record(DeleteFileText(jobs[i].source, faults), log);
        }
    }
}

} // namespace korvane
