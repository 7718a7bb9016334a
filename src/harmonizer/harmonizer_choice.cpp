#include "harmonizer/harmonizer_choice.hpp"

#include "games/catalogue.hpp"

namespace korvane {

namespace {

constexpr int Season2002Position = 3; // "2002" in the season list

void FillTeams2002(HarmonizerChoice& choice) {
    choice.teams = TeamNames2002();
    choice.team = 2; // Ferrari
}

void FillTeamsGTR2002(HarmonizerChoice& choice) {
    choice.teams = TeamNamesGTR2002();
    choice.team = 0;
}

} // namespace

BoxState& HarmonizerChoice::Box(HarmonizerBox box) {
    switch (box) {
    case HarmonizerBox::F1c:
        return f1c;
    case HarmonizerBox::EA2002:
        return ea2002;
    case HarmonizerBox::QL2002:
        return ql2002;
    case HarmonizerBox::GTR2002:
        break;
    }
    return gt2002;
}

HarmonizerChoice OpenHarmonizerChoice(const GameInstall& install) {
    HarmonizerChoice choice;
    FillTeams2002(choice);
    choice.seasons = SeasonNamesF1c(install.HasF1cQL2003);
    choice.season = Season2002Position;

    if (install.HasF1c) {
        choice.f1c.enabled = true;
        TickBox(choice, HarmonizerBox::F1c);
        choice.seasonEnabled = true;
        choice.ea2002.enabled = install.HasF1_2002;
        choice.ql2002.enabled = install.HasSeasonQL;
        choice.gt2002.enabled = install.HasGTR2002;
        return choice;
    }
    choice.f1c = {};
    if (install.HasF1_2002) {
        choice.ea2002.enabled = true;
        TickBox(choice, HarmonizerBox::EA2002);
    }
    if (install.HasSeasonQL) {
        choice.ql2002.enabled = true;
        TickBox(choice, HarmonizerBox::QL2002);
    }
    choice.gt2002.enabled = install.HasGTR2002;
    choice.seasonEnabled = false;
    return choice;
}

void TickBox(HarmonizerChoice& choice, HarmonizerBox box) {
    choice.Box(box).ticked = true;
    choice.season = Season2002Position;
    choice.seasonEnabled = box == HarmonizerBox::F1c;
    switch (box) {
    case HarmonizerBox::F1c:
        FillTeams2002(choice);
        choice.ea2002.ticked = choice.ql2002.ticked = choice.gt2002.ticked = false;
        break;
    case HarmonizerBox::EA2002:
    case HarmonizerBox::QL2002:
        FillTeams2002(choice);
        choice.gt2002.ticked = choice.f1c.ticked = false;
        break;
    case HarmonizerBox::GTR2002:
        FillTeamsGTR2002(choice);
        choice.ql2002.ticked = choice.ea2002.ticked = choice.f1c.ticked = false;
        break;
    }
}

void UntickBox(HarmonizerChoice& choice, HarmonizerBox box) {
    choice.Box(box).ticked = false;
}

void PickSeason(HarmonizerChoice& choice, int position) {
    choice.season = position;
    if (!choice.f1c.ticked) {
        return;
    }
    const int season = position + 1;
    choice.teams = TeamNamesF1c(season);
    // Where Ferrari stands in that season's list.
    choice.team = season <= 3 ? 3 : (season == 4 ? 2 : 1);
}

} // namespace korvane
