#include "report/game_tree_cache.hpp"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <string_view>
#include <vector>

#include "core/file_system.hpp"
#include "core/user_dirs.hpp"
#include "report/game_tree_text.hpp"
#include "report/sha256.hpp"

namespace korvane::lancheck {

// The file:
//   korvane-tree-cache <version>
//   <the game directory, escaped as a name>
//   one line per file: <size> <modified> <changed> <device> <index> <digest> <key>
//   end <SHA-256 of every byte before this line>
// The closing digest tells a cut-off or damaged file from a whole one.

namespace {

constexpr std::string_view Magic = "korvane-tree-cache ";

template <typename Number> bool Parse(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

std::string Header(const std::string& gameDir) {
    return std::string(Magic)
        .append(std::to_string(StampCacheVersion))
        .append("\n")
        .append(EscapedName(gameDir))
        .append("\n");
}

std::vector<std::string_view> Split(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t space; (space = line.find(' ')) != std::string_view::npos;) {
        fields.push_back(line.substr(0, space));
        line.remove_prefix(space + 1);
    }
    fields.push_back(line);
    return fields;
}

std::string Sha256Hex(std::string_view bytes) {
    Sha256 hash;
    hash.Add(bytes.data(), bytes.size());
    return hash.Hex();
}

} // namespace

StampCache StampCache::Load(const std::string& cacheFile, const std::string& gameDir) {
    StampCache cache(gameDir);
    if (cacheFile.empty() || !FileExists(cacheFile)) {
        return cache;
    }
    Result<std::string> read = ReadFileText(cacheFile);
    const std::string header = Header(gameDir);
    if (!read.ok() || !read.value().starts_with(header)) {
        return cache;
    }
    StampCache loaded(gameDir);
    loaded.text_ = std::move(read.value());
    std::string_view text = loaded.text_;
    const std::size_t endLine = text.rfind("end ");
    if (endLine == std::string_view::npos || !text.ends_with("\n") ||
        text.substr(endLine) !=
            std::string("end ").append(Sha256Hex(text.substr(0, endLine))).append("\n")) {
        return cache;
    }
    text = text.substr(header.size(), endLine - header.size());
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::vector<std::string_view> fields = Split(text.substr(0, end));
        text.remove_prefix(end + 1);
        Entry entry{};
        std::optional<Digest> digest = fields.size() == 7 ? DigestFromHex(fields[5]) : std::nullopt;
        if (!digest || !Parse(fields[0], entry.stamp.size) ||
            !Parse(fields[1], entry.stamp.modified) || !Parse(fields[2], entry.stamp.changed) ||
            !Parse(fields[3], entry.stamp.device) || !Parse(fields[4], entry.stamp.index) ||
            (!loaded.entries_.empty() && !(loaded.entries_.back().key < fields[6]))) {
            return cache;
        }
        entry.key = fields[6];
        entry.digest = *digest;
        loaded.entries_.push_back(entry);
    }
    return loaded;
}

const StampCache::Entry* StampCache::Lookup(std::string_view key) const {
    if (sorted_) {
        const auto found =
            std::lower_bound(entries_.begin(), entries_.end(), key,
                             [](const Entry& entry, std::string_view k) { return entry.key < k; });
        return found != entries_.end() && found->key == key ? &*found : nullptr;
    }
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const Entry& entry) { return entry.key == key; });
    return found != entries_.end() ? &*found : nullptr;
}

std::optional<Digest> StampCache::Find(const std::string& key, const FileStamp& stamp) const {
    const Entry* found = Lookup(key);
    return found != nullptr && found->stamp == stamp ? std::optional(found->digest) : std::nullopt;
}

void StampCache::Put(const std::string& key, const FileStamp& stamp, const Digest& digest) {
    sorted_ = entries_.empty() || (sorted_ && entries_.back().key < key);
    entries_.push_back({putKeys_.emplace_back(key), stamp, digest});
}

FileResult StampCache::Save(const std::string& cacheFile) const {
    std::vector<const Entry*> order;
    for (const Entry& entry : entries_) {
        order.push_back(&entry);
    }
    std::sort(order.begin(), order.end(),
              [](const Entry* a, const Entry* b) { return a->key < b->key; });
    std::string text = Header(gameDir_);
    for (const Entry* entry : order) {
        const FileStamp& s = entry->stamp;
        text.append(std::to_string(s.size)).append(" ");
        text.append(std::to_string(s.modified)).append(" ");
        text.append(std::to_string(s.changed)).append(" ");
        text.append(std::to_string(s.device)).append(" ");
        text.append(std::to_string(s.index)).append(" ");
        text.append(DigestHex(entry->digest)).append(" ").append(entry->key).append("\n");
    }
    const std::string closing = Sha256Hex(text);
    text.append("end ").append(closing).append("\n");
    std::error_code error;
    std::filesystem::create_directories(ResolvePath(cacheFile).parent_path(), error);
    return WriteFileSafe(cacheFile, text);
}

std::string StampCacheFile(const std::string& gameDir) {
    const std::string cacheDir = UserCacheDirectory();
    if (cacheDir.empty()) {
        return "";
    }
#ifdef _WIN32
    const char* separator = "\\";
#else
    const char* separator = "/";
#endif
    return std::string(cacheDir)
        .append(separator)
        .append("game-trees")
        .append(separator)
        .append(Sha256Hex(gameDir).substr(0, 32))
        .append(".cache");
}

} // namespace korvane::lancheck
