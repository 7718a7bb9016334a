#pragma once
// How the logic says that something failed, the one way: a function returns a FileResult (or a
// Result, which carries a value besides), whose reason says what went wrong and whose path names
// the file it is about. No bool, int or out-parameter stands for a failure, and no exception
// leaves the module that raised it (a parser may throw inside itself).
#include <string>

namespace korvane {

struct FileResult {
    bool ok = true;
    std::string reason; // the system's reason when !ok
    std::string path;   // the path text the reason is about
};

// A value, or why there is none: the value is valid only when ok.
template <typename T> struct Result : FileResult { T value{}; };

} // namespace korvane
