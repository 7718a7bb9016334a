#pragma once
#include <string>

// What a test can make the file layer do at each of its steps, and see them in their order. The
// operations and the file layer take one of these; the program passes none, which is the real disk:
// no step fails, every flush is made.
namespace korvane {

class FileFaults {
  public:
    // A link or a delete counts as a write.
    enum class Step { Write, Flush, Rename };

    virtual ~FileFaults() = default;
    // Called at the start of every step with the file or directory it is for (a temporary file's
    // target, a link's or a deletion's name, a flushed directory); true makes the step fail
    // ("simulated ... failure").
    virtual bool Fails(Step, const std::string& /*file*/) { return false; }
    // False skips the flushes to the disk (they still count as steps), for tests that write many
    // thousand files.
    virtual bool FlushToDisk() const { return true; }
    // True flushes every file and directory by itself, as where syncfs cannot be trusted.
    virtual bool FlushEachFile() const { return false; }
};

// The real disk.
inline FileFaults& NoFaults() {
    static FileFaults none;
    return none;
}

} // namespace korvane
