#pragma once
// Harmonize and restore: every team gets the master team's performance files; ".org" backups
// beside the game files make every change reversible.
//
// Each operation first takes the installation's lock (installation_lock.hpp), reports through the
// sink in the given language, and tells how it ended (a backup missing at restore time is
// reported but is no failed step).
#include <string>
#include <vector>

#include "app/backups.hpp"
#include "app/failure_log.hpp"
#include "app/file_faults.hpp"
#include "app/game_install.hpp"
#include "app/messages.hpp"
#include "app/outcome.hpp"

namespace korvane {

// The parts of F1 2002: EA's own 2002 season, the Quillon season extension, the GT Racing 2002 mod.
enum class Component2002 { EA2002, QL2002, GT2002 };

// The components an action is for, e.g. {.ea = true, .quillon = true}.
struct Components2002 {
    bool ea = false;
    bool quillon = false;
    bool gt = false;

    bool Has(Component2002 component) const {
        return component == Component2002::EA2002   ? ea
               : component == Component2002::QL2002 ? quillon
                                                    : gt;
    }
};

struct TeamFiles {
    std::string team;   // the catalogue name shown in messages
    std::string live;   // path text of the ".hdv"
    std::string backup; // path text of the ".org"
};

// Teams of one F1 2002 component in catalogue order.
std::vector<TeamFiles> ComponentFiles(const GameInstall& install, Component2002 component);

struct CarFiles {
    int season = 0;
    int team = 0;
    std::string performance;       // .hdv
    std::string performanceBackup; // .org
    std::string engine;            // engine.ini
    std::string engineBackup;      // engine.org
};

// The files of F1 Challenge car (season, team).
CarFiles F1cCar(const GameInstall& install, int season, int team);
// Every car of every season on offer, in season and team order.
std::vector<CarFiles> F1cCars(const GameInstall& install);

// A run that ended half way can leave a backup sharing its data with its live file (a second
// name of it): every game file of the installation with such a backup (the grip tables
// included) gets a copy of its own.
// Every operation that changes files does this first, whichever component it is for.
void SeparateSharedBackups(const GameInstall& install, FailureLog& log,
                           FileFaults& faults = NoFaults());

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
