#pragma once
// The one map of the files an operation may touch in an installation: each team's performance
// file per F1 2002 component, each F1 Challenge car's performance and engine file per season, and
// the two grip tables, each with its ".org" backup. The harmonizer, the grip module, the LAN
// check and korvane-cli all take their paths from here.
#include <string>
#include <vector>

#include "core/backups.hpp"
#include "core/installation_lock.hpp"
#include "games/game_install.hpp"
#include "games/operation_context.hpp"

namespace korvane {

// The parts of F1 2002: EA's own 2002 season, the Quillon season extension (QL), the GT Racing 2002
// mod.
enum class Component2002 { EA2002, QL2002, GTR2002 };

inline constexpr Component2002 EveryComponent2002[] = {Component2002::EA2002, Component2002::QL2002,
                                                       Component2002::GTR2002};

// The components an action is for, e.g. {.ea2002 = true, .ql2002 = true}.
struct Components2002 {
    bool ea2002 = false;
    bool ql2002 = false;
    bool gtr2002 = false;

    bool operator==(const Components2002&) const = default;

    bool Has(Component2002 component) const {
        return component == Component2002::EA2002   ? ea2002
               : component == Component2002::QL2002 ? ql2002
                                                    : gtr2002;
    }
};

// The team names of a component, in catalogue order (EA and QL share theirs).
std::vector<std::string> TeamNames(Component2002 component);

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

// A grip table: the live table and its backup below F1 2002's directory, and the name of the
// table shipped beside the program that replaces it.
struct GripTable {
    const char* live;
    const char* backup;
    const char* shipped;
};

inline constexpr GripTable GripTableEA{.live = "season02\\tracks\\terrain.ini",
                                       .backup = "season02\\tracks\\terrain.org",
                                       .shipped = "terea.ini"};
inline constexpr GripTable GripTableQL{.live = "seasonql02\\tracks\\terrain.ini",
                                       .backup = "seasonql02\\tracks\\terrain.org",
                                       .shipped = "terql.ini"};

// The table's shipped file in programDir, which may end in a separator or not: the desktop
// program's directory does not, korvane-cli's does.
std::string ShippedGripFile(const std::string& programDir, const GripTable& table);

// Every file of the installation with its backup, grip tables included.
FilePairs EveryFilePair(const GameInstall& install);

// How every operation that changes files starts: it takes the lock of the installation's game
// directories (false, the reason shown, when another run holds them), then parts what a run cut
// off half way left sharing its data with its backup, anywhere in the installation.
bool StartChanges(InstallationLock& lock, const OperationContext& context, FailureLog& log);

} // namespace korvane
