#include <gtest/gtest.h>

#include <regex>

#include "games/game_install.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using namespace korvane::testing;

namespace {

// "~" stands for the directory that holds the games.
std::string Here(const std::string& text, const std::string& root) {
    return std::regex_replace(text, std::regex("~"), root);
}

// Paths | the five flags | the path box texts.
std::string Described(const GameInstall& i, const std::string& shown) {
    std::string flags;
    for (const bool flag : {i.HasF1_2002, i.HasSeasonQL, i.HasGTR2002, i.HasF1c, i.HasF1cQL2003}) {
        flags += flag ? "1" : "0";
    }
    return i.F1Path + "|" + i.F1cPath + "|" + flags + "|" + shown;
}

} // namespace

TEST(GameInstall, DetectsFromTheRegistryFirstAndTheSettingsFileSecond) {
    const struct {
        int line;
        FakeOptions games;
        const char* f1Registry;
        const char* f1cRegistry;
        const char* settings;
        const char* expected;
    } cases[] = {
        // clang-format off
        {__LINE__, {}, "", "", "", "||00000||"},
        {__LINE__, {true, true, false, true, false}, "~/F1 2002", "~/F1C\\", "f1path=~/x/",
         "~/F1 2002\\|~/F1C\\|11010|~/F1 2002\\F1_2002.exe|~/F1C\\F1 Challenge 99-02.exe"},
        // A backslash is appended even to one stored: doubled, it still reaches the game.
        {__LINE__, {}, "~/F1 2002\\", "", "", "~/F1 2002\\\\||11100|~/F1 2002\\\\F1_2002.exe|"},
        // F1 Challenge's text is taken as stored: without a backslash it names no executable.
        {__LINE__, {}, "", "~/F1C", "", "||00000||"},
        {__LINE__, {}, "~/elsewhere", "~/F1C", "f1path=~/F1 2002/\r\nf1cpath=~/F1C/",
         "~/F1 2002/|~/F1C/|11111||"},
        {__LINE__, {false, true, true, true, false}, "", "", "f1path=~/F1 2002/\r\nf1cpath=~/F1C/",
         "|~/F1C/|00010||"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        TempDir dir, program;
        const std::string root = dir.Path().string();
        FakeInstall games(dir.Path(), c.games);
        const std::string settings = Here(std::string("[config]\r\n") + c.settings, root);
        WriteAll(program.Path() / "korvane.ini", settings);
        auto registry = [&](const std::string& key, const std::string& value) {
            EXPECT_EQ(value, "Install Dir");
            return Here(key == "SOFTWARE\\EA SPORTS\\F1 2002"              ? c.f1Registry
                        : key == "SOFTWARE\\EA SPORTS\\F1 Challenge 99-02" ? c.f1cRegistry
                                                                           : "",
                        root);
        };
        const Detection found = DetectInstallations(Settings{program.Path().string()}, registry);
        EXPECT_EQ(Described(found.install, found.f1Display + "|" + found.f1cDisplay),
                  Here(c.expected, root));
        EXPECT_EQ(ReadAll(program.Text() + "korvane.ini"), settings); // never written
    }
}

TEST(GameInstall, PickingAnExecutableStoresItsDirectory) {
    TempDir dir, program;
    const std::string root = dir.Path().string();
    FakeInstall games(dir.Path(), {.seasonQL = false});
    GameInstall install;
    install.HasSeasonQL = true; // a flag once set stays set
    Settings settings{program.Path().string()};
    RecordingSink sink;
    EXPECT_EQ(SelectF1Executable(install, settings, sink, Language::English,
                                 root + "/F1 2002/F1_2002.exe"),
              root + "/F1 2002/F1_2002.exe");
    SelectF1cExecutable(install, settings, sink, Language::English,
                        root + "/F1C/F1 Challenge 99-02.exe");
    EXPECT_EQ(Described(install, ""), Here("~/F1 2002/|~/F1C/|11111|", root));
    EXPECT_EQ(ReadAll(settings.FilePath()),
              Here("[config]\r\nf1path=~/F1 2002/\r\nf1cpath=~/F1C/\r\n", root));
}
