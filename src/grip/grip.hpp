#pragma once
// The grass and gravel grip module: replaces "terrain.ini" of the EA 2002 season and of the
// Quillon season with the tables shipped beside the program, and puts the originals back.
#include <string>

#include "core/file_faults.hpp"
#include "core/messages.hpp"
#include "core/outcome.hpp"
#include "games/game_files.hpp"
#include "games/game_install.hpp"

namespace korvane {

// Both work on the F1 2002 installation, on its EA and Quillon seasons (the GT mod has no grip
// table), and stop at the first failed step, then show what failed instead of the success text.
// Like every operation that changes files, both first take the installation's lock and separate
// backups that an interrupted run left sharing their data with their game files. A table that
// holds neither the game's own values nor the shipped ones (programDir holds those) is the
// player's and stays.
Outcome ApplyOptimizedGrip(const GameInstall& install, const std::string& programDir,
                           Components2002 components, Language language, MessageSink& sink,
                           FileFaults& faults = NoFaults());
Outcome RestoreOriginalGrip(const GameInstall& install, const std::string& programDir,
                            Components2002 components, Language language, MessageSink& sink,
                            FileFaults& faults = NoFaults());

} // namespace korvane
