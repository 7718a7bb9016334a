// korvane-cli's lock: whether a lock file refuses is asked of the system, whatever the file says.
// That it is QLockFile's file: qt_instance_lock_test.cpp.
#include <gtest/gtest.h>

#include <cstdio>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include "core/instance_lock.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using namespace korvane::testing;
namespace fs = std::filesystem;

namespace {

// Holds a file as a running copy does: locked on Linux, open without leave to delete on Windows.
class Holder {
  public:
    explicit Holder(const fs::path& file) {
#ifdef _WIN32
        file_ = _wfopen(file.c_str(), L"rb");
#else
        fd_ = open(file.c_str(), O_RDONLY | O_CLOEXEC);
        flock(fd_, LOCK_EX | LOCK_NB);
#endif
    }
    ~Holder() {
#ifdef _WIN32
        std::fclose(file_);
#else
        close(fd_);
#endif
    }

  private:
#ifdef _WIN32
    std::FILE* file_ = nullptr;
#else
    int fd_ = -1;
#endif
};

} // namespace

TEST(InstanceLock, OnlyALockThatARunningCopyHoldsRefuses) {
    TempDir dir;
    std::string own;
    {
        InstanceLock lock(dir.Path() / "own.lock");
        ASSERT_EQ(lock.TryLock(), LockResult::Locked);
        own = ReadAll((dir.Path() / "own.lock").string());
        EXPECT_EQ(std::count(own.begin(), own.end(), '\n'), 5); // id, program, computer, ids
    }
    const struct {
        const char* written; // nullptr: this process's lines
        bool held;
        const char* expected;
    } cases[] = {
        {nullptr, true, "held, left"},
        {nullptr, false, "locked, gone"},
        {"2147483644\nnotepad\nelsewhere\n\n\n", true, "held, left"},
        // A copy killed before it wrote its file, or a power cut, leaves it so.
        {"", false, "locked, gone"},
        {"12", false, "locked, gone"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.written ? c.written : "own") + (c.held ? ", held" : ""));
        const fs::path file = dir.Path() / "korvane.lock";
        WriteAll(file, c.written ? c.written : own);
        std::string seen;
        {
            std::optional<Holder> holder;
            if (c.held) {
                holder.emplace(file);
            }
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
