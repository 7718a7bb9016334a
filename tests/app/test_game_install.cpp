#include <gtest/gtest.h>

#include <map>

#include "app/game_install.hpp"
#include "app/settings.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using korvane::testing::FakeInstall;
using korvane::testing::FakeOptions;
using korvane::testing::ReadAll;
using korvane::testing::TempDir;

namespace {

// A registry with the given "Install Dir" texts, keyed by key path.
RegistryReader Registry(std::map<std::string, std::string> values) {
    return [values](const std::string& key, const std::string& value) {
        const auto it = values.find(key);
        return value == RegValueInstallDir && it != values.end() ? it->second : std::string();
    };
}

struct DetectionTest : ::testing::Test {
    TempDir dir;
    TempDir programDir;
    Settings settings{programDir.Path().string(), "korvane"};
    // Game directories without their trailing separator, as the registry holds them.
    std::string F1Dir(const FakeInstall& fake) const { return fake.f1Path.substr(0, fake.f1Path.size() - 1); }
    std::string F1cDir(const FakeInstall& fake) const { return fake.f1cPath.substr(0, fake.f1cPath.size() - 1); }
};

} // namespace

TEST_F(DetectionTest, NothingFound) {
    const Detection d = DetectInstallations(settings, Registry({}));
    EXPECT_EQ(d.install.F1Path, "");
    EXPECT_EQ(d.install.F1cPath, "");
    EXPECT_FALSE(d.install.HasF1_2002 || d.install.HasSeasonQL || d.install.HasGTR2002 ||
                 d.install.HasF1c || d.install.HasF1cQL2003);
    EXPECT_EQ(d.f1Display, "");
    EXPECT_EQ(d.f1cDisplay, "");
    EXPECT_EQ(d.install.DirSeason02, "season02\\vehicles\\");
    EXPECT_EQ(d.install.DirSeasonData, "SeasonData\\Vehicles\\");
}

TEST_F(DetectionTest, FromTheRegistryWithTheQuirksOfEachGame) {
    FakeInstall fake(dir.Path(), FakeOptions{.gtr2002 = false, .f1cQL2003 = false});
    // F1 2002 gets a backslash appended; F1 Challenge's text is used exactly as stored.
    Detection d = DetectInstallations(settings, Registry({{RegKeyF1_2002, F1Dir(fake)},
                                                          {RegKeyF1c, F1cDir(fake) + "\\"}}));
    EXPECT_EQ(d.install.F1Path, F1Dir(fake) + "\\");
    EXPECT_EQ(d.f1Display, F1Dir(fake) + "\\F1_2002.exe");
    EXPECT_TRUE(d.install.HasF1_2002);
    EXPECT_TRUE(d.install.HasSeasonQL);
    EXPECT_FALSE(d.install.HasGTR2002);
    EXPECT_TRUE(d.install.HasF1c);
    EXPECT_FALSE(d.install.HasF1cQL2003);
    EXPECT_EQ(d.f1cDisplay, F1cDir(fake) + "\\F1 Challenge 99-02.exe");

    // Stored with its own backslash: doubled, and the game is still found.
    d = DetectInstallations(settings, Registry({{RegKeyF1_2002, F1Dir(fake) + "\\"}}));
    EXPECT_EQ(d.install.F1Path, F1Dir(fake) + "\\\\");
    EXPECT_TRUE(d.install.HasF1_2002);

    // F1 Challenge without a trailing backslash is not found there; the settings file decides.
    d = DetectInstallations(settings, Registry({{RegKeyF1c, F1cDir(fake)}}));
    EXPECT_FALSE(d.install.HasF1c);
    EXPECT_EQ(d.install.F1cPath, "");
    WriteSetting(settings, "config", "f1cpath", fake.f1cPath);
    d = DetectInstallations(settings, Registry({{RegKeyF1c, F1cDir(fake)}}));
    EXPECT_TRUE(d.install.HasF1c);
    EXPECT_EQ(d.install.F1cPath, fake.f1cPath);
    EXPECT_EQ(d.f1cDisplay, "");
}

TEST_F(DetectionTest, FromTheSettingsFileAndItsStaleValues) {
    FakeInstall fake(dir.Path());
    WriteSetting(settings, "config", "f1path", fake.f1Path);
    WriteSetting(settings, "config", "f1cpath", fake.f1cPath);
    Detection d = DetectInstallations(settings, Registry({}));
    EXPECT_EQ(d.install.F1Path, fake.f1Path);
    EXPECT_TRUE(d.install.HasF1_2002 && d.install.HasSeasonQL && d.install.HasGTR2002);
    EXPECT_TRUE(d.install.HasF1c && d.install.HasF1cQL2003);
    EXPECT_EQ(d.f1Display, "");  // the path boxes show only what the registry found

    // The registry wins: the stored key is neither needed nor changed.
    const std::string before = ReadAll(settings.FilePath());
    d = DetectInstallations(settings, Registry({{RegKeyF1_2002, F1Dir(fake)}}));
    EXPECT_EQ(d.install.F1Path, F1Dir(fake) + "\\");
    EXPECT_EQ(ReadAll(settings.FilePath()), before);

    // The executable is gone: path empty, flag false, the stale value stays in the file.
    std::filesystem::remove(std::filesystem::path(fake.f1Path) / "F1_2002.exe");
    d = DetectInstallations(settings, Registry({}));
    EXPECT_EQ(d.install.F1Path, "");
    EXPECT_FALSE(d.install.HasF1_2002);
    EXPECT_FALSE(d.install.HasSeasonQL);
    EXPECT_EQ(ReadSetting(settings, "config", "f1path"), fake.f1Path);
}

TEST_F(DetectionTest, PickingAnExecutableStoresItsDirectory) {
    FakeInstall fake(dir.Path(), FakeOptions{.seasonQL = false});
    GameInstall install;
    install.HasSeasonQL = true;  // a flag already set stays set
    EXPECT_EQ(SelectF1Executable(install, settings, fake.f1Path + "F1_2002.exe"), fake.f1Path + "F1_2002.exe");
    EXPECT_EQ(install.F1Path, fake.f1Path);
    EXPECT_TRUE(install.HasF1_2002 && install.HasSeasonQL && install.HasGTR2002);
    EXPECT_EQ(ReadSetting(settings, "config", "f1path"), fake.f1Path);

    SelectF1cExecutable(install, settings, fake.f1cPath + "F1 Challenge 99-02.exe");
    EXPECT_EQ(install.F1cPath, fake.f1cPath);
    EXPECT_TRUE(install.HasF1c && install.HasF1cQL2003);
    EXPECT_EQ(ReadSetting(settings, "config", "f1cpath"), fake.f1cPath);
}
