#pragma once
// Where a Linux player's Wine prefixes are: the prefixes of plain Wine and of the usual front ends.
#include <filesystem>
#include <vector>

#include "core/user_dirs.hpp"

namespace korvane {

// A folder is a prefix when it holds "system.reg" and "drive_c".
bool IsWinePrefix(const std::filesystem::path& folder);

// Every prefix, each once, in this order: WINEPREFIX; ~/.wine; Bottles (native, then Flatpak);
// the "prefix:" of each Lutris game file; PlayOnLinux; the Proton prefixes of every Steam library
// (steamapps/compatdata/*/pfx; Steam in
// XDG_DATA_HOME, ~/.steam/steam, Flatpak). Folders of one kind come sorted by name.
std::vector<std::filesystem::path> FindWinePrefixes(const UserDirs& dirs);

} // namespace korvane
