#include "cli/line_writer.hpp"

#include <chrono>

namespace korvane::cli {

LineWriter::LineWriter(std::ostream& out) : out_(out), thread_([this] { Print(); }) {}

LineWriter::~LineWriter() {
    std::unique_lock lock(mutex_);
    stopping_ = true;
    changed_.notify_all();
    const bool finished = changed_.wait_for(lock, std::chrono::seconds(1),
                                            [this] { return waiting_.empty() && idle_; });
    lock.unlock();
    if (finished) {
        thread_.join();
    } else {
        thread_.detach(); // blocked on the output; the program's end ends it
    }
}

void LineWriter::Write(std::string line) {
    const std::lock_guard lock(mutex_);
    if (waiting_.size() >= MaxWaiting) {
        ++dropped_;
        return;
    }
    if (dropped_ > 0) {
        // Appended piece by piece: GCC 12 warns wrongly of overlap at -O3 for one expression.
        std::string note = "(";
        note += std::to_string(dropped_);
        note += " line(s) not printed)\n";
        waiting_.push_back(std::move(note));
        dropped_ = 0;
    }
    waiting_.push_back(std::move(line));
    changed_.notify_all();
}

void LineWriter::Print() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (waiting_.empty()) {
            return;
        }
        const std::string line = std::move(waiting_.front());
        waiting_.pop_front();
        idle_ = false;
        lock.unlock();
        if (out_) { // an output that failed once (its reader gone) is given nothing more
            out_ << line << std::flush;
        }
        lock.lock();
        idle_ = true;
        changed_.notify_all();
    }
}

} // namespace korvane::cli
