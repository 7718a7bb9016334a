#pragma once
// What each file of a game held when it was last read, by the file's stamp (size, times and
// identity, as a version control system's index keeps them), so that a scan with nothing changed
// reads no file. One cache file per game directory in the user's cache folder. A file whose stamp
// differs in anything is read again; a cache that is damaged, of another version or of another
// game directory is not used at all, and the next scan replaces it.
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/folder_listing.hpp"
#include "core/result.hpp"
#include "report/game_tree.hpp"

namespace korvane::lancheck {

// Raised whenever the layout of the cache file or the meaning of a digest changes.
inline constexpr int StampCacheVersion = 1;

class StampCache {
  public:
    // The cache of gameDir (its absolute path in any form the scan is given) in cacheFile; empty
    // when there is none that can be trusted.
    static StampCache Load(const std::string& cacheFile, const std::string& gameDir);
    explicit StampCache(std::string gameDir) : gameDir_(std::move(gameDir)) {}
    // Moved, never copied: the keys point into its own text.
    StampCache(StampCache&&) = default;
    StampCache(const StampCache&) = delete;
    StampCache& operator=(const StampCache&) = delete;

    // key: the file's path below the game directory, each name escaped (EscapedName), joined by
    // '/'.
    std::optional<Digest> Find(const std::string& key, const FileStamp& stamp) const;
    // Each key once.
    void Put(const std::string& key, const FileStamp& stamp, const Digest& digest);
    std::size_t size() const { return entries_.size(); }

    // Written as every game file is: through a temporary file, flushed, renamed.
    FileResult Save(const std::string& cacheFile) const;

  private:
    // The keys of a loaded cache point into its text; a put one into the list of keys.
    struct Entry {
        std::string_view key;
        FileStamp stamp;
        Digest digest;
    };
    const Entry* Lookup(std::string_view key) const;

    std::string gameDir_;
    std::string text_;
    std::deque<std::string> putKeys_;
    std::vector<Entry> entries_; // sorted by key once loaded or saved
    bool sorted_ = true;
};

// The cache file of a game directory: "game-trees/<SHA-256 of its path>.cache" in the user's
// cache folder; empty text when the user has none.
std::string StampCacheFile(const std::string& gameDir);

} // namespace korvane::lancheck
