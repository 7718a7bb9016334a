#pragma once
#include <ostream>
#include <string>

namespace korvane::cli {

inline constexpr int ExitDone = 0;   // finished without a failed step; verify: all the same
inline constexpr int ExitFailed = 1; // a step failed (the summary went to both streams), an
                                     // unexpected error, or verify found a difference
inline constexpr int ExitUsage = 2;  // bad command line, unknown name, nothing installed, a
                                     // game directory without the game, an unreadable report,
                                     // another copy holding the lock

// Runs one command line against the installation found through the settings file in
// programDir (which ends in a separator) and returns the exit status.
int RunCli(int argc, const char* const* argv, const std::string& programDir, std::ostream& out,
           std::ostream& err);

} // namespace korvane::cli
