// Harmonize, restore and grip on an installation below a drive letter, whose directory and file
// names on disk differ in letter case from the catalogue's, as after a copy from the game CD.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <string>

#include "app/file_system.hpp"
#include "app/messages.hpp"
#include "grip/grip.hpp"
#include "harmonizer/catalogue.hpp"
#include "harmonizer/harmonizer.hpp"
#include "support/fake_install.hpp"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::FakeInstall;
using testing::ReadAll;
using testing::WriteAll;

constexpr const char* GamesRoot = "C:\\Games";
constexpr const char* F1Dir = "C:\\Games\\F1 2002\\";
constexpr const char* F1cDir = "C:\\Games\\F1 Challenge 99-02\\";
constexpr const char* ProgramDir = "C:\\Games\\Korvane"; // no trailing backslash on purpose

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The name on disk of a relative path text: directories in capitals, the file's stem in small
// letters and its extension in capitals ("season02\vehicles\Bar\Bar.hdv" is
// "SEASON02\VEHICLES\BAR\bar.HDV").
fs::path OnDiskName(const std::string& relative) {
    fs::path result;
    std::string rest = relative;
    for (std::size_t cut; (cut = rest.find('\\')) != std::string::npos; rest.erase(0, cut + 1)) {
        result /= Upper(rest.substr(0, cut));
    }
    const std::size_t dot = rest.rfind('.');
    return result / (Lower(rest.substr(0, dot)) + Upper(rest.substr(dot)));
}

std::set<std::string> NamesIn(const fs::path& dir) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

int EntriesIn(const fs::path& dir) {
    return static_cast<int>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

template <typename Table> int IndexOf(Table table, int count, const std::string& name) {
    for (int i = 1; i <= count; ++i) {
        if (table(i) == name) {
            return i;
        }
    }
    ADD_FAILURE() << name << " is not in the catalogue";
    return 1;
}

std::string HdvOf2002(const std::string& subDir, int team) {
    return subDir + Teams2002(team) + "\\" + Teams2002(team) + ".hdv";
}

std::string HdvOfGT(int team) {
    return std::string("GTR2002season\\vehicles\\") + TeamsGTR2002(team) + "\\" +
           CarsGTR2002(team) + ".hdv";
}

std::string CarDirF1c(int s, int t) {
    return std::string("SeasonData\\Vehicles\\") + CarDirsF1c(s, t);
}

std::string HdvOfF1c(int s, int t) {
    return CarDirF1c(s, t) + "\\" + SeasonsF1c(s) + "_" + TeamsF1c(s, t) + ".hdv";
}

std::string EngineOfF1c(int s, int t) {
    return CarDirF1c(s, t) + "\\engine.ini";
}

std::string Org(const std::string& pathText) {
    return pathText.substr(0, pathText.rfind('.')) + ".org";
}

class DriveLetterInstall : public ::testing::Test {
  protected:
    void SetUp() override {
        if (fs::exists(GamesRoot)) {
            GTEST_SKIP() << GamesRoot << " exists already; not touching a real installation";
        }
        for (int i = 1; i <= Teams2002Count; ++i) {
            Create(F1Dir, HdvOf2002("season02\\vehicles\\", i));
            Create(F1Dir, HdvOf2002("seasonql02\\vehicles\\", i));
        }
        for (int i = 1; i <= TeamsGTR2002Count; ++i) {
            Create(F1Dir, HdvOfGT(i));
        }
        Create(F1Dir, GripLiveEA);
        Create(F1Dir, GripLiveQL);
        for (int s = 1; s <= LastSeasonF1c(true); ++s) {
            for (int t = 1; t <= TeamCountF1c(s); ++t) {
                Create(F1cDir, HdvOfF1c(s, t));
                Create(F1cDir, EngineOfF1c(s, t));
            }
        }
        WriteAll(fs::path(ProgramDir) / GripFileEA, "optimized EA grip");
        WriteAll(fs::path(ProgramDir) / GripFileQL, "optimized Quillon grip");

        // Nothing may pass because a name happened to match exactly.
        ASSERT_EQ(NamesIn(F1Dir),
                  (std::set<std::string>{"GTR2002SEASON", "SEASON02", "SEASONQL02"}));

        install_.F1Path = F1Dir;
        install_.F1cPath = F1cDir;
        install_.HasF1_2002 = install_.HasSeasonQL = install_.HasGTR2002 = true;
        install_.HasF1c = install_.HasF1cQL2003 = true;
        created_ = true;
    }

    void TearDown() override {
        if (created_) {
            std::error_code ignored;
            fs::remove_all(GamesRoot, ignored);
        }
    }

    static void Create(const std::string& gameDir, const std::string& relative) {
        const fs::path file = fs::path(gameDir) / OnDiskName(relative);
        WriteAll(file, FakeInstall::OriginalContent(relative));
    }

    static std::string Original(const std::string& relative) {
        return FakeInstall::OriginalContent(relative);
    }

    GameInstall install_;
    RecordingSink sink_;
    bool created_ = false;
};

TEST_F(DriveLetterInstall, HarmonizeAndRestoreBothF1_2002Seasons) {
    for (const std::string subDir : {"season02\\vehicles\\", "seasonql02\\vehicles\\"}) {
        ASSERT_EQ(ReadAll(F1Dir + HdvOf2002(subDir, 1)), Original(HdvOf2002(subDir, 1)));
    }
    const int mclaren = IndexOf(Teams2002, Teams2002Count, "McLaren");

    EXPECT_TRUE(HarmonizeF1_2002(install_, "Ferrari", true, true, false, "uk", sink_));
    EXPECT_TRUE(HarmonizeF1_2002(install_, "McLaren", true, true, false, "uk", sink_));
    for (const std::string subDir : {"season02\\vehicles\\", "seasonql02\\vehicles\\"}) {
        for (int i = 1; i <= Teams2002Count; ++i) {
            SCOPED_TRACE(subDir + Teams2002(i));
            const std::string live = F1Dir + HdvOf2002(subDir, i);
            EXPECT_EQ(ReadAll(live), Original(HdvOf2002(subDir, mclaren)));
            EXPECT_EQ(ReadAll(Org(live)), Original(HdvOf2002(subDir, i)));
            // The live file was replaced, not joined by a second one with the catalogue's case.
            EXPECT_EQ(EntriesIn(fs::path(live).parent_path()), 2);
        }
    }
    ASSERT_EQ(sink_.texts.size(), 2u);
    EXPECT_EQ(sink_.texts[0], "Performance of all teams is now equal to Ferrari");
    EXPECT_EQ(sink_.texts[1], "Performance of all teams is now equal to McLaren");

    EXPECT_TRUE(RestoreF1_2002(install_, true, true, false, "uk", sink_));
    for (const std::string subDir : {"season02\\vehicles\\", "seasonql02\\vehicles\\"}) {
        for (int i = 1; i <= Teams2002Count; ++i) {
            SCOPED_TRACE(subDir + Teams2002(i));
            const std::string live = F1Dir + HdvOf2002(subDir, i);
            EXPECT_EQ(ReadAll(live), Original(HdvOf2002(subDir, i)));
            EXPECT_FALSE(FileExists(Org(live)));
            EXPECT_EQ(EntriesIn(fs::path(live).parent_path()), 1);
        }
    }
    EXPECT_EQ(sink_.texts.back(), "Original performance restored successfully!");
}

TEST_F(DriveLetterInstall, HarmonizeAndRestoreTheGTMod) {
    const int lister = IndexOf(TeamsGTR2002, TeamsGTR2002Count, "Lister Storm");
    EXPECT_TRUE(HarmonizeF1_2002(install_, "Lister Storm", false, false, true, "de", sink_));
    for (int i = 1; i <= TeamsGTR2002Count; ++i) {
        SCOPED_TRACE(TeamsGTR2002(i));
        EXPECT_EQ(ReadAll(F1Dir + HdvOfGT(i)), Original(HdvOfGT(lister)));
        EXPECT_EQ(ReadAll(Org(F1Dir + HdvOfGT(i))), Original(HdvOfGT(i)));
    }
    // The F1 2002 seasons were not ticked.
    EXPECT_EQ(ReadAll(F1Dir + HdvOf2002("season02\\vehicles\\", 1)),
              Original(HdvOf2002("season02\\vehicles\\", 1)));
    EXPECT_FALSE(FileExists(Org(F1Dir + HdvOf2002("season02\\vehicles\\", 1))));

    EXPECT_TRUE(RestoreF1_2002(install_, false, false, true, "de", sink_));
    for (int i = 1; i <= TeamsGTR2002Count; ++i) {
        SCOPED_TRACE(TeamsGTR2002(i));
        EXPECT_EQ(ReadAll(F1Dir + HdvOfGT(i)), Original(HdvOfGT(i)));
        EXPECT_FALSE(FileExists(Org(F1Dir + HdvOfGT(i))));
    }
    ASSERT_EQ(sink_.texts.size(), 2u);
    EXPECT_EQ(sink_.texts[1], "Original Performance erfolgreich wiederhergestellt!");
}

TEST_F(DriveLetterInstall, HarmonizeAndRestoreF1Challenge) {
    const int season2002 = 4;
    const int ferrari = 3;
    ASSERT_EQ(SeasonsF1c(season2002), "2002");
    ASSERT_EQ(TeamsF1c(season2002, ferrari), "Ferrari");

    EXPECT_TRUE(HarmonizeF1c(install_, season2002, ferrari, "uk", sink_));
    for (int s = 1; s <= LastSeasonF1c(true); ++s) {
        for (int t = 1; t <= TeamCountF1c(s); ++t) {
            SCOPED_TRACE(HdvOfF1c(s, t));
            EXPECT_EQ(ReadAll(F1cDir + HdvOfF1c(s, t)), Original(HdvOfF1c(season2002, ferrari)));
            EXPECT_EQ(ReadAll(F1cDir + EngineOfF1c(s, t)),
                      Original(EngineOfF1c(season2002, ferrari)));
            EXPECT_EQ(ReadAll(Org(F1cDir + HdvOfF1c(s, t))), Original(HdvOfF1c(s, t)));
            EXPECT_EQ(ReadAll(Org(F1cDir + EngineOfF1c(s, t))), Original(EngineOfF1c(s, t)));
        }
    }
    ASSERT_EQ(sink_.texts.size(), 1u);
    EXPECT_EQ(sink_.texts[0],
              "Performance of all teams is now equal\r\nto Ferrari during season 2002.");

    EXPECT_TRUE(RestoreF1c(install_, "uk", sink_));
    for (int s = 1; s <= LastSeasonF1c(true); ++s) {
        for (int t = 1; t <= TeamCountF1c(s); ++t) {
            SCOPED_TRACE(HdvOfF1c(s, t));
            EXPECT_EQ(ReadAll(F1cDir + HdvOfF1c(s, t)), Original(HdvOfF1c(s, t)));
            EXPECT_EQ(ReadAll(F1cDir + EngineOfF1c(s, t)), Original(EngineOfF1c(s, t)));
            EXPECT_FALSE(FileExists(Org(F1cDir + HdvOfF1c(s, t))));
            EXPECT_FALSE(FileExists(Org(F1cDir + EngineOfF1c(s, t))));
            EXPECT_EQ(EntriesIn(fs::path(F1cDir) / OnDiskName(HdvOfF1c(s, t)).parent_path()), 2);
        }
    }
    EXPECT_EQ(sink_.texts.back(), "Original performance restored successfully!");
}

TEST_F(DriveLetterInstall, ApplyAndRestoreGrip) {
    EXPECT_TRUE(ApplyOptimizedGrip(F1Dir, ProgramDir, true, true, "uk", sink_));
    EXPECT_EQ(ReadAll(F1Dir + std::string(GripLiveEA)), "optimized EA grip");
    EXPECT_EQ(ReadAll(F1Dir + std::string(GripBackupEA)), Original(GripLiveEA));
    EXPECT_EQ(ReadAll(F1Dir + std::string(GripLiveQL)), "optimized Quillon grip");
    EXPECT_EQ(ReadAll(F1Dir + std::string(GripBackupQL)), Original(GripLiveQL));
    ASSERT_EQ(sink_.texts.size(), 1u);
    EXPECT_EQ(sink_.texts[0], "Grip values adjusted successfully");

    EXPECT_TRUE(RestoreOriginalGrip(F1Dir, true, true, "uk", sink_));
    EXPECT_EQ(ReadAll(F1Dir + std::string(GripLiveEA)), Original(GripLiveEA));
    EXPECT_EQ(ReadAll(F1Dir + std::string(GripLiveQL)), Original(GripLiveQL));
    EXPECT_FALSE(FileExists(F1Dir + std::string(GripBackupEA)));
    EXPECT_FALSE(FileExists(F1Dir + std::string(GripBackupQL)));
    EXPECT_EQ(EntriesIn(fs::path(F1Dir) / "SEASON02" / "TRACKS"), 1);
    EXPECT_EQ(sink_.texts.back(), "Original grip values restored successfully");
}

TEST_F(DriveLetterInstall, AFileInUseIsReportedAndTheNextRunFinishesTheJob) {
    const std::string williams = F1Dir + HdvOf2002("season02\\vehicles\\", Teams2002Count);
    ASSERT_EQ(Teams2002(Teams2002Count), "Williams");
    {
        // The game is running and holds the file open.
        const HANDLE game = CreateFileA(williams.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(game, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(HarmonizeF1_2002(install_, "Ferrari", true, false, false, "uk", sink_));
        CloseHandle(game);
    }
    ASSERT_EQ(sink_.texts.size(), 1u);
    EXPECT_NE(sink_.texts[0].find(williams + ": "), std::string::npos) << sink_.texts[0];
    EXPECT_NE(sink_.texts[0].find("Run Korvane as administrator"), std::string::npos)
        << sink_.texts[0];
    EXPECT_EQ(ReadAll(williams), Original(HdvOf2002("season02\\vehicles\\", Teams2002Count)));

    EXPECT_TRUE(HarmonizeF1_2002(install_, "Ferrari", true, false, false, "uk", sink_));
    const int ferrari = IndexOf(Teams2002, Teams2002Count, "Ferrari");
    for (int i = 1; i <= Teams2002Count; ++i) {
        SCOPED_TRACE(Teams2002(i));
        const std::string live = F1Dir + HdvOf2002("season02\\vehicles\\", i);
        EXPECT_EQ(ReadAll(live), Original(HdvOf2002("season02\\vehicles\\", ferrari)));
        EXPECT_EQ(ReadAll(Org(live)), Original(HdvOf2002("season02\\vehicles\\", i)));
    }
    EXPECT_EQ(sink_.texts.back(), "Performance of all teams is now equal to Ferrari");
}

} // namespace
} // namespace korvane
