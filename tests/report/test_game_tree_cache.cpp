// The stamp cache: what it vouches for, and that nothing damaged is believed.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "report/game_tree_cache.hpp"
#include "report/game_tree_scan.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using namespace korvane::lancheck;
using korvane::testing::ReadAll;
using korvane::testing::TempDir;
using korvane::testing::WriteAll;
namespace fs = std::filesystem;

namespace {

constexpr FileStamp Seen{
    .size = 30720, .modified = 1000, .changed = 2000, .device = 7, .index = 42};

Digest Filled(unsigned char byte) {
    Digest digest;
    digest.fill(byte);
    return digest;
}

struct Game {
    TempDir temp;
    fs::path root = temp.Path() / "game";
    std::string cache = (temp.Path() / "cache/game.cache").string();

    Game() {
        WriteAll(root / "season02/vehicles/Bar/Bar.hdv", "Bar 1.20");
        WriteAll(root / "season02/tracks/terrain.ini", "grip 1.0");
        WriteAll(root / "F1_2002.exe", "game program");
    }

    // Every file settles at once: the tests change files within the clock's tick on purpose.
    GameTreeScan Scan(std::int64_t settle = 0) const {
        ScanOptions options;
        options.cacheFile = cache;
        options.settleNanoseconds = settle;
        Result<GameTreeScan> scan = ScanGameTree(root.string(), options);
        EXPECT_TRUE(scan.ok());
        return std::move(scan.value());
    }
};

} // namespace

// A stamp differing in any one part is another file, or the file changed: read again.
TEST(StampCache, VouchesOnlyForTheSameStamp) {
    const struct {
        int line;
        std::function<void(FileStamp&)> change;
        bool found;
    } cases[] = {
        {__LINE__, [](FileStamp&) {}, true},
        {__LINE__, [](FileStamp& s) { s.size = 30721; }, false},
        {__LINE__, [](FileStamp& s) { s.modified = 1001; }, false},
        {__LINE__, [](FileStamp& s) { s.changed = 2001; }, false},
        {__LINE__, [](FileStamp& s) { s.device = 8; }, false},
        // replaced by another file of the same size and times (copied with its times kept)
        {__LINE__, [](FileStamp& s) { s.index = 43; }, false},
    };
    StampCache cache("/games/F1 2002");
    cache.Put("season02/vehicles/Bar/Bar.hdv", Seen, Filled(0xab));
    for (const auto& c : cases) {
        FileStamp now = Seen;
        c.change(now);
        EXPECT_EQ(cache.Find("season02/vehicles/Bar/Bar.hdv", now).has_value(), c.found)
            << "line " << c.line;
    }
    EXPECT_FALSE(cache.Find("season02/vehicles/Bar/bar.hdv", Seen));
}

TEST(StampCache, RepeatScanReadsOnlyWhatChanged) {
    Game game;
    const GameTreeScan first = game.Scan();
    EXPECT_EQ(first.filesRead, 3u);
    EXPECT_TRUE(first.cacheWritten);

    const GameTreeScan again = game.Scan();
    EXPECT_EQ(again.filesRead, 0u);
    EXPECT_EQ(again.filesFromCache, 3u);
    EXPECT_FALSE(again.cacheWritten);
    EXPECT_EQ(again.root.digest, first.root.digest);

    // The same length and modification time, other bytes: the status change time tells.
    const fs::path bar = game.root / "season02/vehicles/Bar/Bar.hdv";
    const auto time = fs::last_write_time(bar);
    WriteAll(bar, "Bar 1.90");
    fs::last_write_time(bar, time);
    const GameTreeScan changed = game.Scan();
    EXPECT_EQ(changed.filesRead, 1u);
    EXPECT_NE(changed.root.digest, first.root.digest);
}

// A file written within the clock's tick before the scan may change again unseen: not kept.
TEST(StampCache, KeepsNoFileThatHasNotSettled) {
    Game game;
    game.Scan(3'600'000'000'000);
    EXPECT_EQ(game.Scan(3'600'000'000'000).filesRead, 3u);
}

TEST(StampCache, DamagedOrForeignCacheIsNotBelieved) {
    const struct {
        int line;
        std::function<std::string(std::string)> damage;
    } cases[] = {
        // a digit of Bar.hdv's digest, the closing digest left as it was
        {__LINE__,
         [](std::string text) {
             const std::size_t at = text.find(" season02/vehicles/Bar/Bar.hdv") - 1;
             text[at] = text[at] == '0' ? '1' : '0';
             return text;
         }},
        {__LINE__, [](std::string text) { return text.substr(0, text.size() / 2); }},
        {__LINE__, [](std::string text) { return text.replace(0, 20, "korvane-tree-cache 2"); }},
        {__LINE__, [](std::string) { return std::string(); }},
        {__LINE__, [](std::string) { return std::string(5000, '\xff'); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("line " + std::to_string(c.line));
        Game game;
        const GameTreeScan first = game.Scan();
        WriteAll(game.cache, c.damage(ReadAll(game.cache)));
        // Bar.hdv changed unseen by its stamp: only its content can tell.
        const GameTreeScan again = game.Scan();
        EXPECT_EQ(again.filesRead, 3u);
        EXPECT_EQ(again.root.digest, first.root.digest);
        EXPECT_TRUE(again.cacheWritten);
        EXPECT_EQ(game.Scan().filesRead, 0u);
    }
}

// A cache of one game directory is never taken for another's, even with the same files.
TEST(StampCache, BelongsToOneGameDirectory) {
    Game game;
    game.Scan();
    fs::rename(game.root, game.temp.Path() / "moved");
    game.root = game.temp.Path() / "moved";
    EXPECT_EQ(game.Scan().filesRead, 3u);
}
