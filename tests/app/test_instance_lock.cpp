// korvane-cli's lock, judged by its file alone: which lock file a running copy still holds and
// which one is stale and taken over. That it is QLockFile's file: qt_instance_lock_test.cpp.
#include <gtest/gtest.h>

#include "app/instance_lock.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using namespace korvane::testing;
namespace fs = std::filesystem;

TEST(InstanceLock, OnlyALockOfARunningProcessOnThisMachineRefuses) {
    TempDir dir;
    InstanceLock own(dir.Path() / "own.lock");
    ASSERT_EQ(own.TryLock(), LockResult::Locked);
    // This process's lines: id, program, computer, machine id, boot id.
    std::vector<std::string> lines;
    std::string text = ReadAll((dir.Path() / "own.lock").string());
    for (auto end = text.find('\n'); end != std::string::npos; end = text.find('\n')) {
        lines.push_back(text.substr(0, end));
        text.erase(0, end + 1);
    }
    ASSERT_EQ(lines.size(), 5u);
    const struct {
        int line;
        std::vector<const char*> lines; // nullptr: this process's line
        const char* expected;
    } cases[] = {
        {__LINE__, {nullptr, nullptr, nullptr, nullptr, nullptr}, "held, left"},
        // The process has ended, or its id now belongs to another program.
        {__LINE__, {"2147483644", nullptr, nullptr, nullptr, nullptr}, "locked, gone"},
        {__LINE__, {nullptr, "notepad", nullptr, nullptr, nullptr}, "locked, gone"},
        // Written before the machine was started again.
        {__LINE__,
         {nullptr, nullptr, nullptr, nullptr, "3f1e9f5c-0000-4000-8000-000000000000"},
         "locked, gone"},
        // Written on another machine, whose processes cannot be seen from here.
        {__LINE__,
         {"2147483644", nullptr, "elsewhere", "0123456789abcdef0123456789abcdef", nullptr},
         "held, left"},
        // Nothing to judge it by.
        {__LINE__, {"", "", "", "", ""}, "held, left"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::string written;
        for (std::size_t i = 0; i < 5; ++i) {
            written += std::string(c.lines[i] ? c.lines[i] : lines[i]) + "\n";
        }
        const fs::path file = dir.Path() / "korvane.lock";
        WriteAll(file, written);
        std::string seen;
        {
            InstanceLock lock(file);
            const LockResult result = lock.TryLock();
            seen = result == LockResult::Locked        ? "locked"
                   : result == LockResult::HeldByOther ? "held"
                                                       : "failed";
        }
        EXPECT_EQ(seen + (fs::exists(file) ? ", left" : ", gone"), c.expected);
        fs::remove(file);
    }
    EXPECT_EQ(InstanceLock(dir.Path() / "none" / "korvane.lock").TryLock(), LockResult::Failed);
}
