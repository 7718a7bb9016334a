#pragma once
// Lines printed by a thread of their own, so that an output nobody reads (a paused terminal, a
// pipe whose reader has gone) holds up nothing but the printing itself.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>

namespace korvane::cli {

class LineWriter {
  public:
    // Lines beyond this many waiting are dropped, and counted in the next line printed.
    static constexpr std::size_t MaxWaiting = 1000;

    explicit LineWriter(std::ostream& out);
    // Prints what waits, unless the output does not take it within a second: then the thread is
    // left to the end of the program.
    ~LineWriter();
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    // Never waits for the output.
    void Write(std::string line);

  private:
    void Print();

    std::ostream& out_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> waiting_;
    std::size_t dropped_ = 0;
    bool stopping_ = false;
    bool idle_ = true;
    std::thread thread_;
};

} // namespace korvane::cli
