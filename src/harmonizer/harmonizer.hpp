#pragma once
// Harmonize and restore: every team gets the master team's performance files; ".org" backups
// beside the game files make every change reversible.
//
// Each operation first takes the installation's lock (installation_lock.hpp), reports through the
// sink in the given language, and tells how it ended (a backup missing at restore time is
// reported but is no failed step).
#include <string>
#include <vector>

#include "core/file_faults.hpp"
#include "core/messages.hpp"
#include "core/outcome.hpp"
#include "games/game_files.hpp"
#include "games/game_install.hpp"

namespace korvane {

Outcome HarmonizeF1_2002(const GameInstall& install, const std::string& teamText,
                         Components2002 components, Language language, MessageSink& sink,
                         FileFaults& faults = NoFaults());
Outcome RestoreF1_2002(const GameInstall& install, Components2002 components, Language language,
                       MessageSink& sink, FileFaults& faults = NoFaults());

// season and team are catalogue indexes (list position + 1).
Outcome HarmonizeF1c(const GameInstall& install, int season, int team, Language language,
                     MessageSink& sink, FileFaults& faults = NoFaults());
Outcome RestoreF1c(const GameInstall& install, Language language, MessageSink& sink,
                   FileFaults& faults = NoFaults());

} // namespace korvane
