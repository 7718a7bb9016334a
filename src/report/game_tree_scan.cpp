#include "report/game_tree_scan.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "core/file_system.hpp"
#include "core/folder_listing.hpp"
#include "core/text_compare.hpp"
#include "games/race_files.hpp"
#include "report/game_tree_cache.hpp"
#include "report/game_tree_text.hpp"
#include "report/sha256.hpp"

namespace fs = std::filesystem;

namespace korvane::lancheck {

namespace {

// Files are streamed through a buffer of this size per thread, whatever their size.
constexpr std::size_t BufferBytes = 1024 * 1024;

// A file to hash, or to take from the cache. `file` stays valid while the tree grows: an entry
// lives in its folder's vector of files, which is complete before any job points into it, and
// moving a folder moves that vector's storage along.
struct Job {
    TreeFile* file;
    const fs::path* dir; // the folder's path, kept once for all its files
    std::string name;
    std::string key;
    FileStamp listed;
    FileStamp read{}; // the stamp of the file as it was opened
    bool hashed = false;
    bool fromCache = false;
};

std::string Key(const std::string& folderKey, const std::string& name) {
    return folderKey.empty() ? EscapedName(name)
                             : std::string(folderKey).append("/").append(EscapedName(name));
}

// Reads one folder and everything below it into folder; jobs get its files. An entry whose
// folded name another entry shares becomes a CaseTwin, a folder that cannot be listed (or lies
// deeper than any report holds) an Unreadable entry.
class Walker {
  public:
    explicit Walker(std::vector<Job>& jobs) : jobs_(jobs) {}
    Walker(const Walker&) = delete;
    Walker& operator=(const Walker&) = delete;

    std::error_code Walk(const fs::path& dir, const std::string& key, std::size_t depth,
                         TreeFolder& folder) {
        std::vector<FolderEntry> entries;
        if (const std::error_code error = ListFolder(dir, entries)) {
            return error;
        }
        std::erase_if(entries,
                      [&](const FolderEntry& e) { return LeftOutOfRace(e.name, depth == 0); });
        // In TreeOrder, names that differ only in letter case are neighbours.
        std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
            return TreeOrder(a.name, b.name);
        });
        const auto twin = [&](std::size_t i) {
            return (i > 0 && SameFolded(entries[i - 1].name, entries[i].name)) ||
                   (i + 1 < entries.size() && SameFolded(entries[i].name, entries[i + 1].name));
        };
        const fs::path* here = &dirs_.emplace_back(dir);
        std::vector<std::size_t> fileEntries;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const FolderEntry& entry = entries[i];
            TreeFile file{entry.name, EntryState::Compared, {}, {}};
            if (twin(i)) {
                file.state = EntryState::CaseTwin;
            } else if (entry.type == EntryType::Folder) {
                TreeFolder sub;
                sub.name = entry.name;
                const std::error_code error =
                    depth + 1 > MaxTreeDepth
                        ? std::make_error_code(std::errc::filename_too_long)
                        : Walk(ChildPath(dir, entry.name), Key(key, entry.name), depth + 1, sub);
                if (!error) {
                    folder.folders.push_back(std::move(sub));
                    continue;
                }
                file.state = EntryState::Unreadable;
                file.reason = error.message();
            } else if (entry.type == EntryType::Link) {
                file.state = EntryState::Link;
            } else if (entry.type == EntryType::Other) {
                file.state = EntryState::NotAFile;
            } else if (entry.type == EntryType::Unknown) {
                file.state = EntryState::Unreadable;
            } else {
                fileEntries.push_back(i);
            }
            folder.files.push_back(std::move(file));
        }
        // Every entry is in place: now the jobs may point at the files.
        std::size_t next = 0;
        for (TreeFile& file : folder.files) {
            if (file.state == EntryState::Compared) {
                const FolderEntry& entry = entries[fileEntries[next++]];
                jobs_.push_back({&file, here, entry.name, Key(key, entry.name), entry.stamp});
            }
        }
        return {};
    }

  private:
    static bool SameFolded(const std::string& a, const std::string& b) { return EqualNoCase(a, b); }

    std::vector<Job>& jobs_;
    std::deque<fs::path> dirs_; // a deque: the jobs keep pointers to its elements
};

// Hashes the files of the jobs it is given, in several threads; the calling thread reports
// progress.
class Hasher {
  public:
    Hasher(std::vector<Job*> jobs, const ScanOptions& options, ScanProgress progress)
        : jobs_(std::move(jobs)), options_(options), progress_(progress) {
        filesDone_ = progress.filesDone;
        bytesDone_ = progress.bytesDone;
    }

    void Run() {
        std::vector<std::jthread> helpers;
        for (unsigned i = 1; i < std::max(1u, options_.threads); ++i) {
            helpers.emplace_back([this] { Work(false); });
        }
        Work(true);
        helpers.clear(); // joins
        Report(true);
    }

  private:
    void Work(bool reporter) {
        std::vector<char> buffer(BufferBytes);
        for (;;) {
            const std::size_t i = next_++;
            if (i >= jobs_.size() || options_.stop.stop_requested()) {
                return;
            }
            Hash(*jobs_[i], buffer, reporter);
            ++filesDone_;
            if (reporter) {
                Report(false);
            }
        }
    }

    void Hash(Job& job, std::vector<char>& buffer, bool reporter) {
        TreeFile& file = *job.file;
        ReadOnlyFile in(ChildPath(*job.dir, job.name));
        if (in.error()) {
            file.state = EntryState::Unreadable;
            file.reason = in.error().message();
            return;
        }
        try {
            Sha256 hash;
            std::uint64_t total = 0;
            std::error_code error;
            while (const std::size_t got = in.Read(buffer.data(), buffer.size(), error)) {
                hash.Add(buffer.data(), got);
                total += got;
                bytesDone_ += got;
                if (options_.stop.stop_requested()) {
                    return;
                }
                if (reporter) {
                    Report(false);
                }
            }
            // A file replaced or changed since it was listed holds no one content to compare.
            const bool changed = total != in.stamp().size ||
                                 in.stamp().device != job.listed.device ||
                                 in.stamp().index != job.listed.index;
            if (error || changed) {
                file.state = EntryState::Unreadable;
                file.reason = error ? error.message() : "changed while it was read";
                return;
            }
            file.digest = hash.Bytes();
            job.read = in.stamp();
            job.hashed = true;
        } catch (const std::runtime_error& failure) {
            file.state = EntryState::Unreadable;
            file.reason = failure.what();
        }
    }

    // At most every 50 ms, and at the end.
    void Report(bool last) {
        const auto now = std::chrono::steady_clock::now();
        if (!options_.progress || (!last && now - reported_ < std::chrono::milliseconds(50))) {
            return;
        }
        reported_ = now;
        progress_.filesDone = filesDone_;
        progress_.bytesDone = bytesDone_;
        options_.progress(progress_);
    }

    std::vector<Job*> jobs_;
    const ScanOptions& options_;
    ScanProgress progress_;
    std::atomic<std::size_t> next_{0};
    std::atomic<std::uint64_t> filesDone_{0};
    std::atomic<std::uint64_t> bytesDone_{0};
    std::chrono::steady_clock::time_point reported_{};
};

std::int64_t NowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The game directory as one text, whatever way it was given: its cache's name.
std::string DirectoryKey(const fs::path& dir) {
    std::error_code error;
    const fs::path absolute = fs::absolute(dir, error).lexically_normal();
    const std::u8string text =
        (absolute.has_filename() ? absolute : absolute.parent_path()).u8string();
    return std::string(text.begin(), text.end());
}

void CollectNotCompared(const TreeFolder& folder, const std::string& path,
                        std::vector<NotComparedEntry>& out) {
    const auto joined = [&](const std::string& name) {
        return path.empty() ? name : std::string(path).append("\\").append(name);
    };
    for (const TreeFile& file : folder.files) {
        if (file.state != EntryState::Compared) {
            out.push_back({joined(file.name), file.state, file.reason});
        }
    }
    for (const TreeFolder& sub : folder.folders) {
        if (sub.notComparedBelow > 0) {
            CollectNotCompared(sub, joined(sub.name), out);
        }
    }
}

} // namespace

Result<GameTreeScan> ScanGameTree(const std::string& gameDir, const ScanOptions& options) {
    const std::int64_t started = NowNanoseconds();
    const fs::path dir = ResolvePath(gameDir);
    GameTreeScan scan;
    std::vector<Job> jobs;
    Walker walker(jobs); // holds the folders' paths that the jobs point to
    if (const std::error_code error = walker.Walk(dir, "", 0, scan.root)) {
        return Result<GameTreeScan>::Failure(error.message(), gameDir);
    }

    const std::string key = DirectoryKey(dir);
    const std::string cacheFile = options.cacheFile ? *options.cacheFile : StampCacheFile(key);
    const StampCache cached = StampCache::Load(cacheFile, key);
    ScanProgress progress;
    std::vector<Job*> toRead;
    for (Job& job : jobs) {
        progress.filesTotal += 1;
        progress.bytesTotal += job.listed.size;
        if (const std::optional<Digest> digest = cached.Find(job.key, job.listed)) {
            job.file->digest = *digest;
            job.fromCache = true;
            progress.filesDone += 1;
            progress.bytesDone += job.listed.size;
        } else {
            toRead.push_back(&job);
        }
    }
    scan.filesFromCache = progress.filesDone;
    Hasher(toRead, options, progress).Run();

    // The next cache: what came from it, and what was read and has settled.
    const auto settled = [&](const Job& job) {
        const std::int64_t latest = std::max(job.read.modified, job.read.changed);
        return job.hashed && latest + options.settleNanoseconds < started;
    };
    bool learned = false;
    for (const Job* job : toRead) {
        scan.filesRead += job->hashed ? 1 : 0;
        scan.bytesRead += job->hashed ? job->read.size : 0;
        learned = learned || settled(*job);
    }
    // A cache that would come out the same is not written again.
    if (!cacheFile.empty() && (learned || scan.filesFromCache != cached.size())) {
        StampCache next(key);
        for (const Job& job : jobs) {
            if (job.fromCache) {
                next.Put(job.key, job.listed, job.file->digest);
            } else if (settled(job)) {
                next.Put(job.key, job.read, job.file->digest);
            }
        }
        scan.cacheWritten = next.Save(cacheFile).ok();
    }
    scan.cancelled = options.stop.stop_requested();
    if (!scan.cancelled) {
        SealTree(scan.root);
    }
    return Result<GameTreeScan>::Success(std::move(scan));
}

std::vector<NotComparedEntry> NotCompared(const TreeFolder& root) {
    std::vector<NotComparedEntry> out;
    CollectNotCompared(root, "", out);
    return out;
}

} // namespace korvane::lancheck
