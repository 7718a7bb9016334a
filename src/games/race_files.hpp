#pragma once
// Which files of a game installation decide an online race, and so are compared between the PCs
// of a LAN: every file below the game directory, except what belongs to one player or one PC.
// The table of what is left out lives in race_files.cpp and nowhere else; docs/cli.md says the
// same in the player's words.
#include <string_view>

namespace korvane {

// Whether an entry named name (a file, a folder or a link alike) is left out of the comparison:
// atGameDirectory when it lies directly in the game directory. A folder left out is left out
// with everything below it.
bool LeftOutOfRace(std::string_view name, bool atGameDirectory);

// Whether the file at a path below the game directory (components separated by '\' or '/')
// counts: no component of it is left out.
bool CountsForRace(std::string_view relativePath);

} // namespace korvane
