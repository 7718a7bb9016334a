#pragma once
// This PC's games read for status, verify and match, with a line of progress on a terminal
// (rewritten in place, and gone when the reading ends) and none when the error stream is not one.
#include <ostream>
#include <vector>

#include "cli/commands.hpp"
#include "report/game_trees.hpp"

namespace korvane::cli {

// Refuses, naming the directory, when a game's directory cannot be read.
std::vector<lancheck::GameTree> ScanThisPc(const Context& c);

} // namespace korvane::cli
