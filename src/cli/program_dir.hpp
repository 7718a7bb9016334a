#pragma once
#include <string>

namespace korvane::cli {

// The directory of the running executable, ending in a separator. The settings file and the
// shipped grip files lie there, beside the desktop program.
std::string ProgramDirectory();

} // namespace korvane::cli
