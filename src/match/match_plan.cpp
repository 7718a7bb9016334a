#include "match/match_plan.hpp"

#include <algorithm>
#include <optional>

#include "core/text_compare.hpp"
#include "games/catalogue.hpp"
#include "report/report_compare.hpp"

namespace korvane::lancheck {

namespace {

enum class Kind { F1_2002, F1c, Grip, Unknown };

// The kind of a component, and for F1 2002 and grip which season or mod it is.
struct Target {
    Kind kind = Kind::Unknown;
    Component2002 component = Component2002::EA2002;

    Components2002 Components() const {
        return {component == Component2002::EA2002, component == Component2002::QL2002,
                component == Component2002::GTR2002};
    }
};

Target TargetOf(const std::string& name) {
    const struct {
        const char* name;
        Target target;
    } known[] = {
        {ComponentEA2002, {Kind::F1_2002, Component2002::EA2002}},
        {ComponentQL2002, {Kind::F1_2002, Component2002::QL2002}},
        {ComponentGTR2002, {Kind::F1_2002, Component2002::GTR2002}},
        {ComponentF1c, {Kind::F1c}},
        {ComponentGripEA, {Kind::Grip, Component2002::EA2002}},
        {ComponentGripQL, {Kind::Grip, Component2002::QL2002}},
    };
    for (const auto& entry : known) {
        if (EqualNoCase(name, entry.name)) {
            return entry.target;
        }
    }
    return {};
}

// The F1 Challenge car a report's "TEAM SEASON" names, among the seasons on offer here.
std::optional<MatchStep> F1cMaster(const GameInstall& install, const std::string& label) {
    for (int s = 1; s <= LastSeasonF1c(install.HasF1cQL2003); ++s) {
        for (int t = 1; t <= TeamCountF1c(s); ++t) {
            const std::string name = TeamsF1c(s, t) + " " + SeasonsF1c(s);
            if (EqualNoCase(name, label)) {
                return MatchStep{StepKind::HarmonizeF1c, {}, name, s, t};
            }
        }
    }
    return std::nullopt;
}

std::optional<MatchStep> F1_2002Master(const Target& target, const std::string& label) {
    const std::vector<std::string> teams = TeamNames(target.component);
    const std::optional<std::size_t> team = MatchName(teams, label);
    if (!team) {
        return std::nullopt;
    }
    return MatchStep{StepKind::Harmonize2002, target.Components(), teams[*team]};
}

// The master of a state "harmonized to MASTER", its words in any letter case as every state's
// here: a report may have been edited by hand.
std::optional<std::string> MasterOf(const std::string& state) {
    const std::string words = HarmonizedState("");
    if (!EqualNoCase(state.substr(0, words.size()), words)) {
        return std::nullopt;
    }
    return state.substr(words.size());
}

// What one component gets: a step, nothing (the states already agree), or a reason why no step
// can make it like the report.
struct Decision {
    std::optional<MatchStep> step;
    std::optional<Unmatchable> whole;
};

Decision Decide(const GameInstall& install, const Target& target, const std::string& hereState,
                const std::string& wanted) {
    if (EqualNoCase(hereState, wanted)) {
        return {};
    }
    if (target.kind == Kind::Grip) {
        if (EqualNoCase(wanted, StateOptimized)) {
            return {MatchStep{StepKind::GripApply, target.Components()}, {}};
        }
        if (EqualNoCase(wanted, StateOriginal)) {
            return {MatchStep{StepKind::GripRestore, target.Components()}, {}};
        }
        return {{}, Unmatchable::ChangedThere};
    }
    if (EqualNoCase(wanted, StateOriginal)) {
        return {target.kind == Kind::F1c ? MatchStep{StepKind::RestoreF1c}
                                         : MatchStep{StepKind::Restore2002, target.Components()},
                {}};
    }
    const std::optional<std::string> master = MasterOf(wanted);
    if (!master) {
        return {{}, Unmatchable::ChangedThere};
    }
    std::optional<MatchStep> step =
        target.kind == Kind::F1c ? F1cMaster(install, *master) : F1_2002Master(target, *master);
    if (!step) {
        return {{}, Unmatchable::UnknownMaster};
    }
    return {step, {}};
}

bool IsMissing(const std::optional<FileSide>& side) {
    return !side || EqualNoCase(side->holds, StateMissing);
}

// A file the component's step can never write: the player's own, which no step replaces, or one
// missing here with no backup to write it from.
bool StepCannotWrite(const FileDifference& file) {
    return IsMissing(file.here) ? !file.backedUpHere : EqualNoCase(file.here->holds, StateChanged);
}

// Why a file that differs will still differ after the component's step, if it will. A missing
// file with a backup here is written again by the step, from that backup or the master's.
std::optional<Unmatchable> FileLeftover(const FileDifference& file, bool stepped) {
    const bool missingHere = IsMissing(file.here);
    if (missingHere && !(stepped && file.backedUpHere)) {
        return Unmatchable::MissingHere;
    }
    if (IsMissing(file.reference)) {
        return Unmatchable::MissingThere;
    }
    if (!missingHere && EqualNoCase(file.here->holds, StateChanged)) {
        return Unmatchable::ChangedHere;
    }
    if (EqualNoCase(file.reference->holds, StateChanged)) {
        return Unmatchable::ChangedThere;
    }
    return stepped ? std::nullopt : std::optional(Unmatchable::OtherData);
}

// A step of the same kind and master takes the component in: one harmonize for the EA and the
// Quillon season. The GT mod goes with neither of the others, as on the command line.
void AddStep(std::vector<MatchStep>& steps, const MatchStep& step) {
    const auto joins = [&](const MatchStep& other) {
        return other.kind == step.kind && other.master == step.master &&
               other.components.gtr2002 == step.components.gtr2002 && !step.components.gtr2002;
    };
    const auto found = std::find_if(steps.begin(), steps.end(), joins);
    if (found == steps.end()) {
        steps.push_back(step);
        return;
    }
    found->components.ea2002 = found->components.ea2002 || step.components.ea2002;
    found->components.ql2002 = found->components.ql2002 || step.components.ql2002;
}

} // namespace

MatchPlan PlanMatch(const GameInstall& install, const std::vector<ComponentStatus>& here,
                    const std::vector<ComponentStatus>& reference) {
    MatchPlan plan;
    for (const ComponentComparison& component : CompareWithReport(here, reference).components) {
        if (component.sameness == Sameness::Same) {
            continue;
        }
        if (component.sameness != Sameness::Differs) {
            plan.leftovers.push_back({component.name, "",
                                      component.sameness == Sameness::HereOnly
                                          ? Unmatchable::InstalledHereOnly
                                          : Unmatchable::NotInstalledHere});
            continue;
        }
        Decision decision = Decide(install, TargetOf(component.name), component.hereState,
                                   component.referenceState);
        // A step that could change none of the files that differ would only fail on them, at
        // every match again: the player's file is named below instead.
        if (!component.files.empty() && std::ranges::all_of(component.files, StepCannotWrite)) {
            decision.step.reset();
        }
        if (decision.step) {
            AddStep(plan.steps, *decision.step);
        }
        if (decision.whole) {
            const bool named = decision.whole == Unmatchable::UnknownMaster;
            plan.leftovers.push_back({component.name, "", *decision.whole,
                                      named ? *MasterOf(component.referenceState) : ""});
        }
        for (const FileDifference& file : component.files) {
            const std::optional<Unmatchable> why = FileLeftover(file, decision.step.has_value());
            // A component refused as a whole is not listed again file by file, but for the
            // files that would stay as they are in any case.
            if (why && (!decision.whole || why != Unmatchable::OtherData)) {
                plan.leftovers.push_back({component.name, file.path, *why});
            }
        }
    }
    std::stable_sort(plan.steps.begin(), plan.steps.end(),
                     [](const MatchStep& a, const MatchStep& b) { return a.kind < b.kind; });
    return plan;
}

} // namespace korvane::lancheck
