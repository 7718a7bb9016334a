// The crash-safe batch: temporary files, flushes, renames, links of backups.
#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "core/disk_flush.hpp"
#include "core/file_reasons.hpp"
#include "core/file_system.hpp"
#include "core/temp_files.hpp"

namespace fs = std::filesystem;

namespace korvane {

using namespace file_reasons;

namespace {

using Step = FileFaults::Step;

// Windows renames no file that is open without leave to delete it, which the temporary files
// are (so that no other run removes them): there each is closed just before its rename.
#ifdef _WIN32
constexpr bool CloseBeforeRename = true;
#else
constexpr bool CloseBeforeRename = false;
#endif

// Replaces a set of files, each through a temporary file beside it. Stage writes a temporary
// file; Commit flushes all of them, renames each over its target and flushes the directories.
// A file whose step fails keeps its target as it was; its temporary file is removed.
class Batch {
  public:
    Batch(std::size_t size, FileFaults& faults)
        : faults_(faults), results_(size, FileResult::Success()) {}
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
        if (FileResult refused = CheckTarget(target, targetText); !refused.ok()) {
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
        const bool simulateFailure = faults_.Fails(Step::Write, targetText);
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
    // true when the job is done so (or failed), false when it is left to a copy.
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
        if (link(source.c_str(), target.c_str()) != 0) {
            return false;
        }
        if (faults_.Fails(Step::Write, targetText)) {
            unlink(target.c_str());
            Reject(job, About(Fail(SimulatedFailure), targetText));
            return true;
        }
        placed_.push_back({job, targetText, target.parent_path()});
        linked_.push_back({job, targetText, target});
        return true;
#endif
    }

    // One result per job, in order.
    std::vector<FileResult> Commit(Renames renamesReach) {
        FlushTemps();
        RenameTemps();
        FlushLinkedData();
        FlushDirectories(renamesReach);
        pending_.clear();
        return std::move(results_);
    }

  private:
    // A backup made as a second name of its live file.
    struct Linked {
        std::size_t job;
        std::string targetText;
        fs::path target;
    };

    struct Pending {
        std::size_t job;
        std::string targetText;
        fs::path target;
        fs::path temp; // empty once renamed or removed
        std::FILE* out;
    };

    // The data of every temporary file.
    void FlushTemps() {
        for (Pending& p : pending_) {
            if (faults_.Fails(Step::Flush, p.targetText)) {
                Drop(p, Fail("simulated flush failure"));
            }
        }
        std::vector<Pending*> open = Remaining();
        std::vector<std::FILE*> files;
        for (Pending* p : open) {
            files.push_back(p->out);
        }
        const std::vector<int> flushed = FlushData(files, faults_);
        for (std::size_t i = 0; i < open.size(); ++i) {
            if (flushed[i] != 0) {
                Drop(*open[i], Refused({flushed[i], std::generic_category()}, open[i]->targetText));
            } else if (CloseBeforeRename) {
                Close(*open[i]);
            }
        }
    }

    // Each rename, the file still held (but on Windows) so that no other run takes it for left
    // behind.
    void RenameTemps() {
        for (Pending* p : Remaining()) {
            std::error_code ec;
            if (faults_.Fails(Step::Rename, p->targetText)) {
                Drop(*p, Fail("simulated rename failure"));
                continue;
            }
            fs::rename(p->temp, p->target, ec);
            if (ec) {
                Drop(*p, Refused(ec, p->targetText));
                continue;
            }
            p->temp.clear();
            Close(*p);
            placed_.push_back({p->job, p->targetText, p->target.parent_path()});
        }
    }

    // The directories that received a new name, each once; unless the renames must reach the
    // disk now, those whose new names may wait for the next batch are left out.
    std::vector<fs::path> DirsToFlush(Renames renamesReach) {
        std::vector<fs::path> dirs;
        for (const Placed& placed : placed_) {
            if (std::find(dirs.begin(), dirs.end(), placed.dir) == dirs.end()) {
                dirs.push_back(placed.dir);
            }
        }
        if (renamesReach != Renames::OnDisk) {
            std::erase_if(dirs, [&](const fs::path& dir) { return MayWait(dir); });
        }
        return dirs;
    }

    void FlushDirectories(Renames renamesReach) {
        const std::vector<fs::path> dirs = DirsToFlush(renamesReach);
        const std::vector<int> entriesFlushed = FlushEntries(dirs, faults_);
        for (std::size_t d = 0; d < dirs.size(); ++d) {
            const bool simulated = faults_.Fails(Step::Flush, dirs[d].string());
            if (entriesFlushed[d] != 0 || simulated) {
                FailPlacedIn(dirs[d], simulated, entriesFlushed[d]);
            }
        }
    }

    // The files given a new name in dir are new, but that they are there may not survive a
    // crash: error is the flush's, unless the failure is simulated.
    void FailPlacedIn(const fs::path& dir, bool simulated, int error) {
        for (const Placed& placed : placed_) {
            if (results_[placed.job].ok() && placed.dir == dir) {
                Reject(placed.job, About(simulated ? Fail("simulated flush failure")
                                                   : Refused({error, std::generic_category()},
                                                             placed.targetText),
                                         placed.targetText));
            }
        }
    }

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
                return Fail(NotARegularFile);
            }
            // A read-only file is refused, as the game's platform refuses to overwrite it.
            if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
                return ReadOnly(targetText);
            }
        }
        return FileResult::Success();
    }

    // Removes what an earlier run left behind in a directory this batch writes a temporary file
    // in, once (a link of a backup makes none).
    void SweepOnce(const fs::path& dir) {
        if (swept_.insert(dir).second) {
            RemoveAbandonedTemps(dir);
        }
    }

    // The staged files that no step has failed yet.
    std::vector<Pending*> Remaining() {
        std::vector<Pending*> remaining;
        for (Pending& p : pending_) {
            if (results_[p.job].ok()) {
                remaining.push_back(&p);
            }
        }
        return remaining;
    }

    // Whether the new names in dir may wait for the next batch: asked once per directory.
    bool MayWait(const fs::path& dir) {
        const auto known = mayWait_.find(dir);
        return known != mayWait_.end()
                   ? known->second
                   : mayWait_.emplace(dir, NamesMayWait(dir, faults_)).first->second;
    }

    // A file closed after its rename that reports a failed write is new, but not whole for sure.
    void Close(Pending& p) {
        if (p.out && std::fclose(p.out) != 0) {
            Reject(p.job, About(Refused(LastError(), p.targetText), p.targetText));
        }
        p.out = nullptr;
    }

    // A backup linked as a second name shares its live file's data, which may not be on disk yet
    // (a car mod just unpacked): where the file system is flushed file by file, it is flushed
    // before the backup counts, and so before its live file is replaced in a later batch. (Where
    // one syncfs is trusted, that of the later batch writes it before any rename.) A link whose
    // data cannot be flushed is taken back.
    void FlushLinkedData() {
        std::vector<Linked*> waiting;
        std::vector<fs::path> files;
        for (Linked& l : linked_) {
            if (!results_[l.job].ok() || MayWait(l.target.parent_path())) {
                continue;
            }
            if (faults_.Fails(Step::Flush, l.targetText)) {
                TakeBack(l, Fail("simulated flush failure"));
                continue;
            }
            waiting.push_back(&l);
            files.push_back(l.target);
        }
        const std::vector<int> flushed = FlushFiles(files, faults_);
        for (std::size_t i = 0; i < waiting.size(); ++i) {
            if (flushed[i] != 0) {
                TakeBack(*waiting[i],
                         Refused({flushed[i], std::generic_category()}, waiting[i]->targetText));
            }
        }
    }

    void TakeBack(const Linked& l, FileResult failure) {
        std::error_code ignored;
        fs::remove(l.target, ignored);
        Reject(l.job, About(std::move(failure), l.targetText));
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

    FileFaults& faults_;
    std::vector<Pending> pending_;
    std::vector<Placed> placed_;
    std::vector<Linked> linked_;
    std::map<fs::path, bool> mayWait_;
    std::set<fs::path> swept_;
    std::vector<FileResult> results_;
};

} // namespace

FileResult CopyFileSafe(const std::string& sourceText, const std::string& targetText,
                        FileFaults& faults) {
    return CopyFilesSafe({{sourceText, targetText}}, Renames::OnDisk, faults).front();
}

std::vector<FileResult> CopyFilesSafe(const std::vector<CopyJob>& jobs, Renames renames,
                                      FileFaults& faults) {
    const DirectoryListings listings; // each job names a file of its own
    Batch batch(jobs.size(), faults);
    std::map<std::string, std::string> sources; // most jobs of a pass share one source
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        const fs::path target = ResolvePath(jobs[i].target);
        if (jobs[i].keepExisting) {
            // A backup is a file of its own: a link at its name is never taken for one, even
            // when it leads to a file; one that leads nowhere is replaced.
            std::error_code ec;
            const auto held = fs::symlink_status(target, ec);
            if (fs::is_regular_file(held)) {
                continue;
            }
            if (fs::is_symlink(held) && fs::exists(fs::status(target, ec))) {
                batch.Reject(i, About(Fail(NotARegularFile), jobs[i].target));
                continue;
            }
            if (batch.Link(i, jobs[i].target, ResolvePath(jobs[i].source), target)) {
                continue;
            }
        }
        auto source = sources.find(jobs[i].source);
        if (source == sources.end()) {
            Result<std::string> read = ReadFileText(jobs[i].source);
            if (!read.ok()) {
                batch.Reject(i, read);
                continue;
            }
            source = sources.emplace(jobs[i].source, std::move(read.value())).first;
        }
        batch.Stage(i, jobs[i].target, target, source->second);
    }
    return batch.Commit(renames);
}

FileResult WriteFileSafe(const std::string& targetText, const std::string& content,
                         FileFaults& faults) {
    Batch batch(1, faults);
    batch.Stage(0, targetText, ResolvePath(targetText), content);
    return batch.Commit(Renames::OnDisk).front();
}

} // namespace korvane
