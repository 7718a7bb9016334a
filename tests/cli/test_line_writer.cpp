// The share's printer: an output that takes nothing (a paused terminal, a pipe nobody reads) holds
// up no one who writes to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <ostream>
#include <streambuf>
#include <string>

#include "cli/line_writer.hpp"

using korvane::cli::LineWriter;

namespace {

// An output that blocks every write until it is let go.
class HeldOutput : public std::streambuf {
  public:
    void LetGo() {
        const std::lock_guard lock(mutex_);
        open_ = true;
        opened_.notify_all();
    }
    std::string Taken() {
        const std::lock_guard lock(mutex_);
        return taken_;
    }

  protected:
    int overflow(int c) override {
        std::unique_lock lock(mutex_);
        opened_.wait(lock, [this] { return open_; });
        taken_ += char(c);
        return c;
    }

  private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = false;
    std::string taken_;
};

} // namespace

TEST(LineWriter, NeverWaitsForAnOutputThatTakesNothing) {
    HeldOutput held;
    std::ostream out(&held);
    {
        LineWriter writer(out);
        for (std::size_t i = 0; i < LineWriter::MaxWaiting + 10; ++i) { // would hang if it waited
            writer.Write("line\n");
        }
        held.LetGo();
    } // prints what waits
    const std::string taken = held.Taken();
    const auto lines = std::count(taken.begin(), taken.end(), '\n');
    // The one being printed when the output stopped, and those that waited; the rest dropped.
    EXPECT_GE(lines, std::ptrdiff_t(LineWriter::MaxWaiting));
    EXPECT_LE(lines, std::ptrdiff_t(LineWriter::MaxWaiting + 1));

    // An output that never takes anything again ends the writer within a second and a bit.
    auto* stuck = new HeldOutput; // left to the end of the test program with its thread
    auto* stuckOut = new std::ostream(stuck);
    const auto start = std::chrono::steady_clock::now();
    {
        LineWriter writer(*stuckOut);
        writer.Write("never printed\n");
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}
