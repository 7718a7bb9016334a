// The whole game held against another PC's: which folders and files are named, which are left to
// the components, and what happens when the other PC's list of a folder cannot be had or does not
// add up; and the trees carried in both forms of the report.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "report/folder_lists.hpp"
#include "report/game_compare.hpp"
#include "report/game_tree_scan.hpp"
#include "report/status_report.hpp"
#include "support/fake_install.hpp"
#include "tree_support.hpp"

using namespace korvane;
using namespace korvane::lancheck;
using korvane::testing::KindName;
using korvane::testing::TempDir;
using korvane::testing::WriteAll;
namespace fs = std::filesystem;

namespace {

void WriteGame(const fs::path& root) {
    WriteAll(root / "F1_2002.exe", "game program");
    WriteAll(root / "season02/vehicles/Sauber/Sauber.hdv", "Sauber 1.20");
    WriteAll(root / "season02/vehicles/Sauber/Sauber.gmt", "Sauber model");
    WriteAll(root / "Locations/Monaco/Monaco.gdb", "Monaco 1.0");
    WriteAll(root / "Locations/Monaco/Monaco.mas", "Monaco archive");
    WriteAll(root / "Locations/Monza/Monza.gdb", "Monza 1.0");
}

std::vector<GameTree> Trees(const fs::path& root) {
    return {{GameF1_2002, korvane::testing::ScanUncached(root)}};
}

// The other PC's lists, as its trees hold them.
FilesThere ListsOf(const std::vector<GameTree>& trees) {
    return [&trees](const std::string& game, const std::string& folder) {
        std::optional<std::vector<TreeFile>> files;
        if (const TreeFolder* found = FindFolder(trees.front().root, folder)) {
            if (game == trees.front().game) {
                files = found->files;
            }
        }
        return files;
    };
}

// "folder: kind[ name kind, ...]; ..." of every game.
std::string Named(const std::vector<GameComparison>& games) {
    std::string text;
    for (const GameComparison& game : games) {
        for (const FolderDifferences& folder : game.folders) {
            text += folder.folder + ": " + KindName(folder.kind);
            for (const GameFileDifference& file : folder.files) {
                text += std::string(" ") + file.name + " " + KindName(file.kind);
            }
            text += "; ";
        }
    }
    return text;
}

std::vector<ComponentStatus> SauberComponent() {
    return {{ComponentEA2002,
             StateChanged,
             "0123456789ab",
             {{"season02\\vehicles\\Sauber\\Sauber.hdv", StateChanged, "0123456789ab"}}}};
}

} // namespace

TEST(GameCompare, NamesTheFoldersAndFilesThatDiffer) {
    const struct {
        const char* name;
        std::function<void(const fs::path&)> change; // on the other PC
        std::vector<ComponentStatus> components;
        bool lists;
        const char* expected;
    } cases[] = {
        // clang-format off
        {"nothing changed", [](const fs::path&) {}, {}, true, ""},
        {"a track in another version",
         [](const fs::path& p) { WriteAll(p / "Locations/Monaco/Monaco.gdb", "Monaco 1.1"); },
         {}, true, "Locations\\Monaco: differs Monaco.gdb differs; "},
        {"a file added there and one gone",
         [](const fs::path& p) {
             WriteAll(p / "Locations/Monaco/Monaco.cam", "cameras");
             fs::remove(p / "Locations/Monaco/Monaco.mas");
         },
         {}, true, "Locations\\Monaco: differs Monaco.cam only there Monaco.mas only here; "},
        {"a whole track missing there",
         [](const fs::path& p) { fs::remove_all(p / "Locations/Monza"); }, {}, true,
         "Locations\\Monza: only here; "},
        {"a car mod over a component's file is the components' to name",
         [](const fs::path& p) {
             WriteAll(p / "season02/vehicles/Sauber/Sauber.hdv", "Sauber mod");
         },
         SauberComponent(), true, ""},
        {"beside it, the car's model is the whole game's",
         [](const fs::path& p) {
             WriteAll(p / "season02/vehicles/Sauber/Sauber.hdv", "Sauber mod");
             WriteAll(p / "season02/vehicles/Sauber/Sauber.gmt", "Sauber mod model");
         },
         SauberComponent(), true, "season02\\vehicles\\Sauber: differs Sauber.gmt differs; "},
        {"no lists at hand: the folder alone",
         [](const fs::path& p) { WriteAll(p / "Locations/Monaco/Monaco.gdb", "Monaco 1.1"); },
         {}, false, "Locations\\Monaco: differs; "},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir here;
        TempDir there;
        WriteGame(here.Path());
        WriteGame(there.Path());
        c.change(there.Path());
        const std::vector<GameTree> mine = Trees(here.Path());
        const std::vector<GameTree> theirs = Trees(there.Path());
        const std::vector<GameComparison> games = CompareGames(
            mine, theirs, c.components, c.components, c.lists ? ListsOf(theirs) : FilesThere{});
        EXPECT_EQ(Named(games), c.expected);
        EXPECT_EQ(AllSame(games), std::string(c.expected).empty());
    }
}

TEST(GameCompare, TakesNoListThatDoesNotAddUpToTheFolder) {
    TempDir here;
    TempDir there;
    WriteGame(here.Path());
    WriteGame(there.Path());
    WriteAll(there.Path() / "Locations/Monaco/Monaco.gdb", "Monaco 1.1");
    const std::vector<GameTree> mine = Trees(here.Path());
    const std::vector<GameTree> theirs = Trees(there.Path());
    // A host that claims its folder holds what this PC's does.
    const FilesThere forged = [&](const std::string&, const std::string& folder) {
        return std::optional(FindFolder(mine.front().root, folder)->files);
    };
    EXPECT_EQ(Named(CompareGames(mine, theirs, {}, {}, forged)), "Locations\\Monaco: differs; ");
}

TEST(GameCompare, ReportsCarryTheTreesInBothForms) {
    TempDir game;
    WriteGame(game.Path());
    const std::vector<GameTree> trees = Trees(game.Path());
    const std::vector<ComponentStatus> components = SauberComponent();
    for (const std::string& written :
         {ReportJson(components, trees), ReportText(components, true, trees)}) {
        const ReportRead read = ParseReport(written);
        ASSERT_TRUE(read.ok()) << read.reason();
        ASSERT_EQ(read.games().size(), 1u);
        EXPECT_EQ(read.games().front().game, GameF1_2002);
        EXPECT_EQ(read.games().front().root.digest, trees.front().root.digest);
        EXPECT_EQ(read.value().size(), 1u);
    }
    EXPECT_TRUE(ParseReport(ReportJson(components)).games().empty());
    // A tree whose digests do not add up is a damaged report.
    std::string text = ReportText(components, true, trees);
    char& digit = text[text.rfind(" Monza") - 1]; // the last of Monza's files' digest
    digit = digit == '0' ? '1' : '0';
    const ReportRead damaged = ParseReport(text);
    EXPECT_FALSE(damaged.ok());
    EXPECT_EQ(damaged.problem(), ReportProblem::Damaged);
}

TEST(FolderLists, LieBesideTheReportAndNeverReplaceAPlayersFile) {
    TempDir dir;
    WriteGame(dir.Path() / "game");
    const std::vector<GameTree> trees = Trees(dir.Path() / "game");
    const std::string report = (dir.Path() / "pc-01.JSON").string();
    const std::string lists = FolderListsBeside(report);
    EXPECT_EQ(lists, (dir.Path() / "pc-01.lists.json").string());
    EXPECT_EQ(FolderListsBeside("pc-01.txt"), "pc-01.txt.lists.json");

    ASSERT_TRUE(SaveFolderLists(lists, trees, Language::English).ok());
    const Result<FolderLists> read = FolderLists::Read(lists, Language::English);
    ASSERT_TRUE(read.ok()) << read.reason();
    const std::optional<std::vector<TreeFile>> monaco =
        read.value().Files(GameF1_2002, "locations\\MONACO");
    ASSERT_TRUE(monaco);
    EXPECT_EQ(FilesDigest(*monaco), FindFolder(trees.front().root, "Locations\\Monaco")->filesDigest);
    EXPECT_FALSE(read.value().Files(GameF1_2002, "Locations\\Imola"));

    WriteAll(lists, "the player's notes");
    EXPECT_FALSE(SaveFolderLists(lists, trees, Language::English).ok());
    EXPECT_EQ(korvane::testing::ReadAll(lists), "the player's notes");
}
