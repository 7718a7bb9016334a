#pragma once
// Harmonize and restore: every team gets the master team's performance files; ".org" backups
// beside the game files make every change reversible.
//
// Each operation first takes the installation's lock (installation_lock.hpp), reports through the
// context's sink in its language, and tells how it ended (a backup missing at restore time is
// reported but is no failed step).
#include <string>
#include <vector>

#include "core/outcome.hpp"
#include "games/game_files.hpp"
#include "games/operation_context.hpp"

namespace korvane {

Outcome HarmonizeF1_2002(const OperationContext& context, const std::string& teamText,
                         Components2002 components);
Outcome RestoreF1_2002(const OperationContext& context, Components2002 components);

// season and team are catalogue indexes (list position + 1).
Outcome HarmonizeF1c(const OperationContext& context, int season, int team);
Outcome RestoreF1c(const OperationContext& context);

} // namespace korvane
