#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "app/file_system.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using namespace korvane::testing;

// Path texts find the game's files whatever the letter case on disk; a failed step names the
// file it is about (failed writes of the operations are walked in test_operations.cpp).
TEST(FileSystem, ResolvesPathTextsWithoutRegardToCase) {
    TempDir dir;
    WriteAll(dir.Path() / "Season02/Vehicles/BAR/bar.hdv", "bar");
#ifndef _WIN32 // Windows keeps no two names that differ only in case.
    WriteAll(dir.Path() / "Twice/bar/Bar.hdv", "exact");
    WriteAll(dir.Path() / "Twice/BAR/Bar.hdv", "upper");
#endif
    const std::pair<const char*, const char*> cases[] = {
        // path text, then PathExists and the content when FileExists
        {"season02\\vehicles\\Bar\\Bar.hdv", "P bar"},
        {"SEASON02/VEHICLES/", "P"},
        {"season02\\vehicles", "P"},
        {"nowhere\\bar.hdv", "-"},
#ifndef _WIN32 // the exact name first; two names equal without regard to case match neither
        {"Twice\\bar\\Bar.hdv", "P exact"},
        {"twice\\Bar\\Bar.hdv", "-"},
#endif
    };
    for (const auto& [path, expected] : cases) {
        const std::string text = dir.Text() + path;
        std::string seen = PathExists(text) ? "P" : "-";
        if (FileExists(text)) {
            seen.append(1, ' ').append(ReadAll(text));
        }
        EXPECT_EQ(seen, expected) << path;
    }
    // A new file keeps its given name, in the directory that was found.
    ASSERT_TRUE(WriteFileSafe(dir.Text() + "season02\\vehicles\\Bar\\Bar.org", "backup").ok);
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "Season02/Vehicles/BAR/Bar.org"));
    EXPECT_EQ(CopyFileSafe(dir.Text() + "missing", dir.Text() + "copy").path,
              dir.Text() + "missing");
    EXPECT_EQ(
        CopyFileSafe(dir.Text() + "SEASON02\\VEHICLES\\BAR\\BAR.HDV", dir.Text() + "no\\copy").path,
        dir.Text() + "no\\copy");
#ifndef _WIN32
    // A pipe where a game file or the version file belongs is refused at once; should the read
    // wait on it after all, the alarm ends the test as a failure.
    ASSERT_EQ(mkfifo((dir.Text() + "terrain.ini").c_str(), 0600), 0);
    alarm(10);
    std::string content;
    EXPECT_FALSE(ReadFileText(dir.Text() + "terrain.ini", content).ok);
    alarm(0);
#endif
}

#ifndef _WIN32
// A read-only file, a file with another name already and a symbolic link are backed up by copies.
TEST(FileSystem, BackupIsANewNameOnlyOfAWritableFileWithNoOtherName) {
    namespace fs = std::filesystem;
    TempDir dir;
    const std::pair<const char*, int> cases[] = {
        {"plain", 2}, {"readonly", 1}, {"named twice", 1}, {"symlink", 1}}; // names of the backup
    std::vector<CopyJob> jobs;
    for (const auto& [name, expected] : cases) {
        WriteAll(dir.Path() / name / "car.hdv", name);
        jobs.push_back({dir.Text() + name + "\\car.hdv", dir.Text() + name + "\\car.org", true});
    }
    fs::permissions(dir.Path() / "readonly/car.hdv", fs::perms::owner_read);
    fs::create_hard_link(dir.Path() / "named twice/car.hdv", dir.Path() / "named twice/other.hdv");
    fs::rename(dir.Path() / "symlink/car.hdv", dir.Path() / "symlink/target.hdv");
    fs::create_symlink("target.hdv", dir.Path() / "symlink/car.hdv");
    const std::vector<FileResult> results = CopyFilesSafe(jobs, Renames::WithNextFlush);
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        const auto& [name, expected] = cases[i];
        const fs::path backup = dir.Path() / name / "car.org";
        EXPECT_TRUE(results[i].ok && fs::is_regular_file(fs::symlink_status(backup))) << name;
        EXPECT_EQ(ReadAll(backup.string()), name);
        EXPECT_EQ(fs::hard_link_count(backup), expected) << name;
    }
}
#endif
