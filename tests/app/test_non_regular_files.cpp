#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include "app/file_system.hpp"
#include "support/fake_install.hpp"

// A pipe where a game file or the version file belongs is refused at once; should the read wait
// on it after all, the alarm ends the test as a failure.
TEST(ReadFileText, RefusesWhatIsNotARegularFile) {
    korvane::testing::TempDir dir;
    const std::string fifo = dir.Text() + "terrain.ini";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    alarm(10);
    std::string content;
    EXPECT_FALSE(korvane::ReadFileText(fifo, content).ok);
    alarm(0);
}
#endif
