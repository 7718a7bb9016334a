// The digest tree of a whole installation, scanned from real files: what changes its digests,
// where two trees are found to differ, and what is never compared.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "report/game_tree_compare.hpp"
#include "report/game_tree_scan.hpp"
#include "support/fake_install.hpp"
#include "tree_support.hpp"

using namespace korvane;
using namespace korvane::lancheck;
using korvane::testing::TempDir;
using korvane::testing::WriteAll;
using korvane::testing::KindName;
using korvane::testing::ScanUncached;
namespace fs = std::filesystem;

namespace {

// A small game: a few files in folders, an empty folder, a player's profile.
void WriteGame(const fs::path& root) {
    WriteAll(root / "F1_2002.exe", "game program");
    WriteAll(root / "season02/vehicles/Bar/Bar.hdv", "Bar 1.20");
    WriteAll(root / "season02/vehicles/Ferrari/Ferrari.hdv", "Ferrari 1.20");
    WriteAll(root / "season02/tracks/terrain.ini", "grip 1.0");
    WriteAll(root / "Save/Anna/Anna.PLR", "Anna's profile");
    fs::create_directories(root / "season02/empty");
}

// Every difference, folders first, then each folder's files: "kind path; ...".
std::string Differences(const TreeFolder& here, const TreeFolder& there) {
    const FolderComparison folders = CompareFolders(here, there);
    std::vector<TreeDifference> all = folders.differences;
    for (const FolderPair& pair : folders.compareFiles) {
        for (const TreeDifference& d :
             CompareFiles(pair.path, pair.here->files, pair.there->files)) {
            all.push_back(d);
        }
    }
    std::string text;
    for (const TreeDifference& d : all) {
        text += std::string(KindName(d.kind)) + " " + d.path + "; ";
    }
    return text;
}

} // namespace

// One installation scanned as it is ("here") and after a change ("there"); a change made on both
// sides shows what is never counted as equal.
TEST(GameTree, DigestsAndDifferences) {
    const struct {
        int line;
        std::function<void(const fs::path&)> change;
        bool bothSides;
        const char* differences;
    } cases[] = {
        {__LINE__, [](const fs::path&) {}, false, ""},
        {__LINE__,
         [](const fs::path& r) { WriteAll(r / "season02/vehicles/Bar/Bar.hdv", "Bar 1.90"); },
         false, "differs season02\\vehicles\\Bar\\Bar.hdv; "},
        {__LINE__,
         [](const fs::path& r) {
             fs::rename(r / "season02/vehicles/Bar/Bar.hdv", r / "season02/vehicles/Bar/Bar2.hdv");
         },
         false,
         "only here season02\\vehicles\\Bar\\Bar.hdv; only there "
         "season02\\vehicles\\Bar\\Bar2.hdv; "},
        {__LINE__,
         [](const fs::path& r) {
             fs::rename(r / "season02/vehicles/Bar/Bar.hdv",
                        r / "season02/vehicles/Ferrari/Bar.hdv");
         },
         false,
         "only here season02\\vehicles\\Bar\\Bar.hdv; only there "
         "season02\\vehicles\\Ferrari\\Bar.hdv; "},
        {__LINE__, [](const fs::path& r) { fs::remove(r / "season02/empty"); }, false,
         "only here season02\\empty; "},
        {__LINE__, [](const fs::path& r) { fs::create_directories(r / "season02/tracks/new"); },
         false, "only there season02\\tracks\\new; "},
        {__LINE__,
         [](const fs::path& r) { fs::rename(r / "season02/empty", r / "season02/vacant"); }, false,
         "only here season02\\empty; only there season02\\vacant; "},
        // Letter case is Windows' business: a PC that spells a name otherwise holds the same files.
        {__LINE__,
         [](const fs::path& r) {
             fs::rename(r / "season02/vehicles/Bar/Bar.hdv", r / "season02/vehicles/Bar/BAR.HDV");
             fs::rename(r / "season02", r / "Season02");
         },
         false, ""},
        // What belongs to one player or one PC is not looked at.
        {__LINE__,
         [](const fs::path& r) {
             WriteAll(r / "Save/Anna/Anna.PLR", "Anna's new profile");
             WriteAll(r / "season02/vehicles/Bar/Bar.org", "backup");
             WriteAll(r / "korvane.lock", "");
             WriteAll(r / "Config.ini", "[Graphics]");
         },
         false, ""},
#ifndef _WIN32 // on Windows two names cannot differ only in case, and a link needs rights
        // Two names in one folder that differ only in letter case are never compared.
        {__LINE__,
         [](const fs::path& r) { WriteAll(r / "season02/vehicles/Bar/BAR.hdv", "Bar 1.20"); },
         false, "not compared season02\\vehicles\\Bar\\Bar.hdv; "},
        // A link is never followed, not even to the same thing on both PCs.
        {__LINE__,
         [](const fs::path& r) {
             fs::create_directory_symlink(r.parent_path() / "outside",
                                          r / "season02/vehicles/Linked");
         },
         true, "not compared season02\\vehicles\\Linked; "},
        {__LINE__,
         [](const fs::path& r) {
             fs::create_symlink(r.parent_path() / "outside/secret.txt", r / "season02/secret.txt");
         },
         true, "not compared season02\\secret.txt; "},
        {__LINE__, [](const fs::path& r) { mkfifo((r / "season02/pipe").c_str(), 0600); }, true,
         "not compared season02\\pipe; "},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("line " + std::to_string(c.line));
        TempDir temp;
        WriteAll(temp.Path() / "outside/secret.txt", "not the game's");
        WriteAll(temp.Path() / "outside/inside.hdv", "not the game's either");
        WriteGame(temp.Path() / "here");
        WriteGame(temp.Path() / "there");
        c.change(temp.Path() / "there");
        if (c.bothSides) {
            c.change(temp.Path() / "here");
        }
        const TreeFolder here = ScanUncached(temp.Path() / "here");
        const TreeFolder there = ScanUncached(temp.Path() / "there");
        EXPECT_EQ(Differences(here, there), c.differences);
        EXPECT_EQ(SameTree(here, there), std::string(c.differences).empty());
        EXPECT_EQ(here.digest == there.digest, std::string(c.differences).empty() || c.bothSides);
    }
}

// A file that cannot be read is named, with the system's reason, and never equal. Root reads
// every file whatever its mode, so a test run as root scans as nobody, in a child process.
#ifndef _WIN32
TEST(GameTree, UnreadableFileIsNamed) {
    TempDir temp;
    const fs::path root = temp.Path() / "game";
    WriteGame(root);
    const fs::path locked = root / "season02/tracks/terrain.ini";
    fs::permissions(locked, fs::perms::none);
    for (const fs::path& p : {temp.Path(), root, root / "season02", root / "season02/tracks"}) {
        fs::permissions(p, fs::perms::all & ~fs::perms::group_write & ~fs::perms::others_write);
    }
    const auto scanAsPlayer = [&] {
        if (geteuid() == 0 && setuid(65534) != 0) {
            std::exit(3);
        }
        const TreeFolder tree = ScanUncached(root);
        const std::vector<NotComparedEntry> named = NotCompared(tree);
        const bool ok =
            named.size() == 1 && named[0].path == "season02\\tracks\\terrain.ini" &&
            named[0].state == EntryState::Unreadable &&
            named[0].reason == std::make_error_code(std::errc::permission_denied).message() &&
            !SameTree(tree, tree);
        std::exit(ok ? 0 : 1);
    };
    EXPECT_EXIT(scanAsPlayer(), ::testing::ExitedWithCode(0), "");
}
#endif
