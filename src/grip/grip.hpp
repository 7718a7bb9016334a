#pragma once
// The grass and gravel grip module: replaces "terrain.ini" of the EA 2002 season and of the
// Quillon season with the tables shipped beside the program, and puts the originals back.
#include "core/outcome.hpp"
#include "games/game_files.hpp"
#include "games/operation_context.hpp"

namespace korvane {

// Both work on the F1 2002 installation, on its EA and Quillon seasons (the GT mod has no grip
// table), and stop at the first failed step, then show what failed instead of the success text.
// Like every operation that changes files, both first take the installation's lock and separate
// backups that an interrupted run left sharing their data with their game files. A table that
// holds neither the game's own values nor the shipped ones (the context's programDir holds
// those) is the player's and stays.
Outcome ApplyOptimizedGrip(const OperationContext& context, Components2002 components);
Outcome RestoreOriginalGrip(const OperationContext& context, Components2002 components);

} // namespace korvane
