#pragma once
// Fake game installations for trying the program without the games, for its tests and for its
// benchmark: every file the program reads or changes, each with a content of the caller's.
#include <functional>
#include <string>

#include "games/game_install.hpp"

namespace korvane {

// Writes, below the two game directories of `install`, the executables and every file of the
// components that its flags name, each with content(its path text below the game directory).
// False when a file could not be written.
bool WriteFakeGames(const GameInstall& install,
                    const std::function<std::string(const std::string&)>& content);

} // namespace korvane
