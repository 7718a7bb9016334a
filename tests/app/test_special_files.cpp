#include <gtest/gtest.h>

#ifndef _WIN32
#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/file_system.hpp"
#include "support/fake_install.hpp"

using korvane::ReadFileText;

// A pipe or a device where a game file or the version file should be is refused at once:
// never waited on, never read without end.
TEST(ReadFileText, RefusesWhatIsNotARegularFile) {
    korvane::testing::TempDir dir;
    const std::string fifo = dir.Text() + "terrain.ini";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // Should the read open the pipe after all, a writer comes and goes, so that the test fails
    // instead of hanging.
    std::atomic<bool> done{false};
    std::thread rescue([&] {
        while (!done) {
            if (const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0) {
                close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });

    for (const std::string& path : {fifo, std::string("/dev/null")}) {
        std::string content;
        EXPECT_FALSE(ReadFileText(path, content).ok) << path;
    }
    done = true;
    rescue.join();
}
#endif
