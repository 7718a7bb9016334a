#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "core/file_system.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using namespace korvane::testing;

// Path texts find the game's files whatever the letter case on disk (which entry of several:
// test_text_compare.cpp); a failed step names the file it is about (failed writes of the
// operations are walked in test_operations.cpp).
TEST(FileSystem, ResolvesPathTextsWithoutRegardToCase) {
    TempDir dir;
    WriteAll(dir.Path() / "Season02/Vehicles/BAR/bar.hdv", "bar");
    const std::pair<const char*, const char*> cases[] = {
        // path text, then PathExists and the content when FileExists
        {"season02\\vehicles\\Bar\\Bar.hdv", "P bar"},
        {"SEASON02/VEHICLES/", "P"},
        {"season02\\vehicles", "P"},
        {"nowhere\\bar.hdv", "-"},
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
    ASSERT_TRUE(WriteFileSafe(dir.Text() + "season02\\vehicles\\Bar\\Bar.org", "backup").ok());
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "Season02/Vehicles/BAR/Bar.org"));
    EXPECT_EQ(CopyFileSafe(dir.Text() + "missing", dir.Text() + "copy").path(),
              dir.Text() + "missing");
    EXPECT_EQ(CopyFileSafe(dir.Text() + "SEASON02\\VEHICLES\\BAR\\BAR.HDV", dir.Text() + "no\\copy")
                  .path(),
              dir.Text() + "no\\copy");
#ifndef _WIN32
    // A pipe where a game file or the version file belongs is refused at once; should the read
    // wait on it after all, the alarm ends the test as a failure.
    ASSERT_EQ(mkfifo((dir.Text() + "terrain.ini").c_str(), 0600), 0);
    alarm(10);
    EXPECT_FALSE(ReadFileText(dir.Text() + "terrain.ini").ok());
    alarm(0);
#endif
}

#ifndef _WIN32
// A backup is a second name only of a writable file with no other name, and only where nothing
// holds the backup's name: a link that leads nowhere is replaced, anything else is a failure.
TEST(FileSystem, BackupIsANewNameOnlyOfAWritableFileWithNoOtherName) {
    namespace fs = std::filesystem;
    TempDir dir;
    const std::pair<const char*, const char*> cases[] = {
        // names of the backup afterwards, or the failure
        {"plain", "2"},
        {"readonly", "1"},
        {"named twice", "1"},
        {"symlink", "1"},
        {"backup a link to nothing", "1"},
        {"backup a directory", "Is a directory"},
        {"backup a link to a directory", "not a regular file"},
        {"backup a link to a file", "not a regular file"},
        {"backup a pipe", "not a regular file"},
    };
    std::vector<CopyJob> jobs;
    for (const auto& [name, expected] : cases) {
        WriteAll(dir.Path() / name / "car.hdv", name);
        jobs.push_back({dir.Text() + name + "\\car.hdv", dir.Text() + name + "\\car.org", true});
    }
    fs::permissions(dir.Path() / "readonly/car.hdv", fs::perms::owner_read);
    fs::create_hard_link(dir.Path() / "named twice/car.hdv", dir.Path() / "named twice/other.hdv");
    fs::rename(dir.Path() / "symlink/car.hdv", dir.Path() / "symlink/target.hdv");
    fs::create_symlink("target.hdv", dir.Path() / "symlink/car.hdv");
    fs::create_symlink("gone.org", dir.Path() / "backup a link to nothing/car.org");
    fs::create_directory(dir.Path() / "backup a directory/car.org");
    fs::create_directory_symlink(dir.Path(), dir.Path() / "backup a link to a directory/car.org");
    fs::create_symlink("car.hdv", dir.Path() / "backup a link to a file/car.org");
    ASSERT_EQ(mkfifo((dir.Text() + "backup a pipe/car.org").c_str(), 0600), 0);
    const std::vector<FileResult> results = CopyFilesSafe(jobs, Renames::WithNextFlush);
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        const auto& [name, expected] = cases[i];
        const fs::path backup = dir.Path() / name / "car.org";
        EXPECT_EQ(ReadAll(dir.Text() + name + "/car.hdv"), name);
        if (!results[i].ok()) {
            EXPECT_EQ(results[i].reason(), expected) << name;
            EXPECT_EQ(results[i].path(), jobs[i].target);
            continue;
        }
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(backup))) << name;
        EXPECT_EQ(ReadAll(backup.string()), name);
        EXPECT_EQ(std::to_string(fs::hard_link_count(backup)), expected) << name;
    }
}

// What a run that ended half way left behind is removed by the next write into the directory:
// only files named as Korvane names its temporary files, and none that a running copy holds.
TEST(FileSystem, WriteRemovesTemporaryFilesLeftBehind) {
    namespace fs = std::filesystem;
    TempDir dir;
    const std::pair<const char*, bool> names[] = {
        // name in the directory, whether it is still there after the write
        {".car.hdv.korvane-123456.tmp", false},
        {".engine.ini.korvane-7.tmp", false},
        {".car.hdv.korvane-654321.tmp", true}, // held by a running copy
        {".car.hdv.korvane-12a.tmp", true},
        {"car.hdv.korvane-1.tmp", true},
        {".korvane-probe-5.tmp", true},
        {".car.hdv.korvane-.tmp", true},
        {"notes.tmp", true},
        {".link.korvane-99.tmp", true}, // a link to a file elsewhere
    };
    for (const auto& [name, kept] : names) {
        WriteAll(dir.Path() / "Car" / name, "left");
    }
    WriteAll(dir.Path() / "elsewhere.txt", "mine");
    fs::remove(dir.Path() / "Car/.link.korvane-99.tmp");
    fs::create_symlink(dir.Path() / "elsewhere.txt", dir.Path() / "Car/.link.korvane-99.tmp");
    const int held = open((dir.Text() + "Car/.car.hdv.korvane-654321.tmp").c_str(), O_RDONLY);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    ASSERT_TRUE(WriteFileSafe(dir.Text() + "car\\car.hdv", "new").ok());
    close(held);
    for (const auto& [name, kept] : names) {
        EXPECT_EQ(fs::exists(fs::symlink_status(dir.Path() / "Car" / name)), kept) << name;
    }
    EXPECT_EQ(ReadAll(dir.Text() + "elsewhere.txt"), "mine");
    EXPECT_EQ(ReadAll(dir.Text() + "Car/car.hdv"), "new");
}
#endif

// Where one syncfs is not known to put a file system's data on disk and report failures, every
// file is flushed by itself.
TEST(FileSystem, SyncfsIsTrustedFromKernel58AndNeverOnFuse) {
    constexpr unsigned long ext4 = 0xEF53;
    constexpr unsigned long fuse = 0x65735546;
    const std::tuple<const char*, unsigned long, bool> cases[] = {
        {"5.4.0-150-generic", ext4, false},
        {"4.19.0-27-amd64", ext4, false},
        {"5.7.19", ext4, false},
        {"5.8.0", ext4, true},
        {"6.1.0-28-amd64", ext4, true},
        {"10.0.1", ext4, true},
        {"6.1.0-28-amd64", fuse, false},
        {"", ext4, false},
    };
    for (const auto& [release, type, trusted] : cases) {
        EXPECT_EQ(SyncfsReachesDisk(release, type), trusted) << release << " " << type;
    }
}
