#pragma once
// Make this PC match: which of Korvane's own operations turn this PC's state into the state a
// report describes, and which differences no operation can mend. Nothing of the report's content
// ever reaches a game file: a report carries names and digits, and the operations work on this
// PC's own files.
#include <string>
#include <vector>

#include "games/game_files.hpp"
#include "games/game_install.hpp"
#include "report/component_status.hpp"

namespace korvane::lancheck {

enum class StepKind {
    Harmonize2002,
    Restore2002,
    HarmonizeF1c,
    RestoreF1c,
    GripApply,
    GripRestore
};

// One operation, as harmonize, restore and grip run it.
struct MatchStep {
    StepKind kind;
    Components2002 components{}; // the F1 2002 and grip steps
    std::string master{};        // Harmonize2002: the team; HarmonizeF1c: "TEAM SEASON"
    int season = 0;              // HarmonizeF1c: catalogue indexes
    int team = 0;

    bool operator==(const MatchStep&) const = default;
};

enum class Unmatchable {
    NotInstalledHere, // a component the report has and this PC has not
    InstalledHereOnly,
    UnknownMaster, // the report's master team is none this PC's catalogue knows
    ChangedHere,   // the player's own file: Korvane leaves it
    ChangedThere,  // edited by hand on the report's PC
    MissingHere,   // the file is missing here, or this PC has no such file
    MissingThere,
    OtherData, // both sides say the same, yet their bytes differ (another version)
};

// A difference that stays: a file, or a whole component where path is empty.
struct Leftover {
    std::string component;
    std::string path;
    Unmatchable why;
    std::string detail{}; // UnknownMaster: the master as the report names it

    bool operator==(const Leftover&) const = default;
};

struct MatchPlan {
    std::vector<MatchStep> steps;    // in the order they are run
    std::vector<Leftover> leftovers; // in the order of the comparison
};

// The steps make each component the report names like it, as far as the states tell; a component
// the report does not name is never touched. install tells which teams and seasons are on offer.
MatchPlan PlanMatch(const GameInstall& install, const std::vector<ComponentStatus>& here,
                    const std::vector<ComponentStatus>& reference);

} // namespace korvane::lancheck
