#pragma once
// Reads a game installation into its digest tree: every file that counts for a race
// (games/race_files.hpp), each hashed by its content unless the stamp cache vouches for it.
// Nothing in the game directory is written, and no link is followed: a link, a file that cannot
// be read and names that differ only in letter case are kept as entries not compared.
#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "core/result.hpp"
#include "report/game_tree.hpp"

namespace korvane::lancheck {

struct ScanProgress {
    std::uint64_t filesDone = 0;
    std::uint64_t filesTotal = 0;
    std::uint64_t bytesDone = 0;
    std::uint64_t bytesTotal = 0;
};

struct ScanOptions {
    // Unset: the user's cache of this game directory (StampCacheFile); empty: no cache.
    std::optional<std::string> cacheFile;
    // The calling thread reads files too; 2 keeps both cores of a small PC busy.
    unsigned threads = 2;
    // Called on the calling thread, now and then and once at the end.
    std::function<void(const ScanProgress&)> progress;
    std::stop_token stop;
    // A file whose times lie less than this before the scan began is not kept in the cache: a
    // change within the same tick of the file system's clock (2 s on FAT) would not show in its
    // stamp.
    std::int64_t settleNanoseconds = 2'000'000'000;
};

struct GameTreeScan {
    TreeFolder root; // sealed, unless cancelled
    bool cancelled = false;
    std::uint64_t filesRead = 0;
    std::uint64_t bytesRead = 0;
    std::uint64_t filesFromCache = 0;
    bool cacheWritten = false;
};

// Fails only when the game directory itself cannot be listed.
Result<GameTreeScan> ScanGameTree(const std::string& gameDir, const ScanOptions& options = {});

// Every entry not compared, with its path below the game directory (names joined by '\').
struct NotComparedEntry {
    std::string path;
    EntryState state;
    std::string reason;
};
std::vector<NotComparedEntry> NotCompared(const TreeFolder& root);

} // namespace korvane::lancheck
