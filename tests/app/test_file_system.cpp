#include <gtest/gtest.h>

#include <functional>

#include "app/file_system.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using namespace korvane::testing;
namespace fs = std::filesystem;

// Path texts find the game's files whatever the letter case on disk.
TEST(FileSystem, ResolvesPathTextsWithoutRegardToCase) {
    TempDir dir;
    WriteAll(dir.Path() / "Season02/Vehicles/BAR/bar.hdv", "bar");
#ifndef _WIN32 // Windows keeps no two names that differ only in case.
    WriteAll(dir.Path() / "Twice/bar/Bar.hdv", "exact");
    WriteAll(dir.Path() / "Twice/BAR/Bar.hdv", "upper");
#endif
    const struct {
        int line;
        const char* path;
        const char* expected; // PathExists, and the content when FileExists
    } cases[] = {
        {__LINE__, "season02\\vehicles\\Bar\\Bar.hdv", "P bar"},
        {__LINE__, "SEASON02/VEHICLES/", "P"},
        {__LINE__, "season02\\vehicles", "P"},
        {__LINE__, "nowhere\\bar.hdv", "-"},
#ifndef _WIN32 // the exact name first; two names equal without regard to case match neither
        {__LINE__, "Twice\\bar\\Bar.hdv", "P exact"},
        {__LINE__, "twice\\Bar\\Bar.hdv", "-"},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::string path = dir.Text() + c.path;
        EXPECT_EQ((PathExists(path) ? "P" : "-") + (FileExists(path) ? " " + ReadAll(path) : ""),
                  c.expected);
    }
    // A new file keeps its given name, in the directory that was found.
    ASSERT_TRUE(WriteFileSafe(dir.Text() + "season02\\vehicles\\Bar\\Bar.org", "backup").ok);
    EXPECT_TRUE(fs::exists(dir.Path() / "Season02/Vehicles/BAR/Bar.org"));
}

// A failed copy or delete names its file and leaves the target whole, with no temporary file.
TEST(FileSystem, AFailedStepLeavesTheTargetAsItWas) {
    TempDir dir;
    const std::string base = dir.Text();
    auto copy = [&](const char* from, const char* to) { return CopyFileSafe(base + from, base + to); };
    auto readOnly = [&] {
        fs::permissions(dir.Path() / "target", fs::perms::all, fs::perm_options::remove);
    };
    const struct {
        int line;
        std::function<FileResult()> step;
        const char* expected; // the path reported, the target's content afterwards
    } cases[] = {
        {__LINE__, [&] { return copy("source", "target"); }, " new"},
        {__LINE__, [&] { return copy("missing", "target"); }, "missing old"},
        {__LINE__, [&] { return copy("source", "no\\target"); }, "no\\target old"},
        {__LINE__, [&] { return readOnly(), copy("source", "target"); }, "target old"},
        {__LINE__, [&] { return readOnly(), DeleteFileText(base + "target"); }, "target old"},
        {__LINE__, [&] { return test_faults::FailWriteNumber(1), copy("source", "target"); },
         "target old"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        fs::remove_all(dir.Path());
        WriteAll(dir.Path() / "source", std::string(4096, 'n'));
        WriteAll(dir.Path() / "target", "old");
        const FileResult result = c.step();
        test_faults::FailWriteNumber(0);
        fs::permissions(dir.Path() / "target", fs::perms::owner_all, fs::perm_options::add);
        const std::string target = ReadAll(base + "target");
        EXPECT_EQ(result.path.substr(std::min(base.size(), result.path.size())) + " " +
                      (target == std::string(4096, 'n') ? "new" : target),
                  c.expected);
        EXPECT_EQ(result.ok, result.reason.empty());
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 2);
    }
}
