#include <gtest/gtest.h>

#include <filesystem>

#include "app/file_system.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using korvane::testing::ReadAll;
using korvane::testing::TempDir;
using korvane::testing::WriteAll;
namespace fs = std::filesystem;

TEST(FileSystem, ResolvesGamePathsWithoutRegardToCase) {
    TempDir dir;
    WriteAll(dir.Path() / "Season02/Vehicles/BAR/bar.hdv", "bar");
    const std::string game = dir.Text();
    EXPECT_TRUE(FileExists(game + "season02\\vehicles\\Bar\\Bar.hdv"));
    EXPECT_EQ(ReadAll(game + "season02\\vehicles\\Bar\\Bar.hdv"), "bar");
    EXPECT_TRUE(PathExists(game + "SEASON02\\VEHICLES\\"));
    EXPECT_FALSE(FileExists(game + "season02\\vehicles\\"));  // a directory has no length
    EXPECT_FALSE(PathExists(game + "season02\\vehicles\\bar\\bar.hdv\\"));
    EXPECT_FALSE(FileExists(game + "nowhere\\bar.hdv"));

    // A new file keeps the name it is given, in the directory that was found.
    ASSERT_TRUE(WriteFileSafe(game + "season02\\vehicles\\Bar\\Bar.org", "backup").ok);
    EXPECT_TRUE(fs::exists(dir.Path() / "Season02/Vehicles/BAR/Bar.org"));

#ifndef _WIN32
    // Windows keeps no two names in one directory that differ only in case.
    // The exact name wins over one that differs only in case.
    WriteAll(dir.Path() / "Season02/Vehicles/bar/Bar.hdv", "exact");
    EXPECT_EQ(ReadAll(game + "Season02\\Vehicles\\bar\\Bar.hdv"), "exact");
    // Two entries equal without regard to case and neither exact: the name stays as given.
    EXPECT_FALSE(FileExists(game + "season02\\vehicles\\Bar\\bar.hdv"));
#endif
}

TEST(FileSystem, CopyReplacesWholeFilesAndRefusesReadOnlyTargets) {
    TempDir dir;
    WriteAll(dir.Path() / "source", "new content");
    WriteAll(dir.Path() / "target", "old content that is longer");
    const std::string base = dir.Text();
    ASSERT_TRUE(CopyFileSafe(base + "source", base + "target").ok);
    EXPECT_EQ(ReadAll(base + "target"), "new content");

    fs::permissions(dir.Path() / "target", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const FileResult refused = CopyFileSafe(base + "source", base + "target");
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.path, base + "target");
    EXPECT_FALSE(DeleteFileText(base + "target").ok);

    const FileResult missing = CopyFileSafe(base + "nothing", base + "copy");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.path, base + "nothing");
    EXPECT_FALSE(missing.reason.empty());
    EXPECT_FALSE(CopyFileSafe(base + "source", base + "no dir\\copy").ok);
}

TEST(FileSystem, AFailedWriteLeavesTheTargetAndNoTemporaryFile) {
    TempDir dir;
    WriteAll(dir.Path() / "source", std::string(4096, 'n'));
    WriteAll(dir.Path() / "target", "old");
    test_faults::FailWriteNumber(1);
    EXPECT_FALSE(CopyFileSafe(dir.Text() + "source", dir.Text() + "target").ok);
    test_faults::FailWriteNumber(0);
    EXPECT_EQ(ReadAll(dir.Text() + "target"), "old");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 2);
}
