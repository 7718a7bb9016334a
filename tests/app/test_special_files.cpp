#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include "app/file_system.hpp"
#include "support/fake_install.hpp"

// A pipe or a device where a game file or the version file belongs is refused at once.
TEST(ReadFileText, RefusesWhatIsNotARegularFile) {
    korvane::testing::TempDir dir;
    const std::string fifo = dir.Text() + "terrain.ini";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // Should a read wait on the pipe after all, the alarm ends the test as a failure.
    alarm(10);
    for (const std::string& path : {fifo, std::string("/dev/null")}) {
        std::string content;
        EXPECT_FALSE(korvane::ReadFileText(path, content).ok) << path;
    }
    alarm(0);
}
#endif
