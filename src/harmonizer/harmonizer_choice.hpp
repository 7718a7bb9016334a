#pragma once
// What the harmonizer window offers and has selected: the four component boxes, the season
// and team lists. The window mirrors this state; the rules that keep it consistent live here.
#include <string>
#include <vector>

#include "games/game_install.hpp"

namespace korvane {

enum class HarmonizerBox { F1c, EA2002, QL2002, GTR2002 };

struct BoxState {
    bool ticked = false;
    bool enabled = false;
    bool operator==(const BoxState&) const = default;
};

struct HarmonizerChoice {
    BoxState f1c{false, true};
    BoxState ea2002;
    BoxState ql2002;
    BoxState gt2002;
    std::vector<std::string> seasons;
    int season = -1; // list position from 0, -1 for none
    bool seasonEnabled = false;
    std::vector<std::string> teams;
    int team = -1; // list position from 0, -1 for none

    BoxState& Box(HarmonizerBox box);
};

// The state right after the window has loaded for this installation.
HarmonizerChoice OpenHarmonizerChoice(const GameInstall& install);

// The box becomes ticked and its rule runs (the team list, the season list and the boxes that
// exclude it). Unticking another box by a rule triggers nothing.
void TickBox(HarmonizerChoice& choice, HarmonizerBox box);
// Unticking changes nothing but the box itself.
void UntickBox(HarmonizerChoice& choice, HarmonizerBox box);

// The user picked the season at this list position: with F1 Challenge ticked the team list
// becomes that season's teams with Ferrari selected; otherwise nothing changes.
void PickSeason(HarmonizerChoice& choice, int position);

} // namespace korvane
