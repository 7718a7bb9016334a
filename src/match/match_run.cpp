#include "match/match_run.hpp"

#include <algorithm>

#include "grip/grip.hpp"
#include "harmonizer/harmonizer.hpp"

namespace korvane::lancheck {

namespace {

Outcome Run(const MatchStep& step, const GameInstall& install, const std::string& programDir,
            Language language, MessageSink& sink) {
    switch (step.kind) {
    case StepKind::Harmonize2002:
        return HarmonizeF1_2002(install, step.master, step.components, language, sink);
    case StepKind::Restore2002:
        return RestoreF1_2002(install, step.components, language, sink);
    case StepKind::HarmonizeF1c:
        return HarmonizeF1c(install, step.season, step.team, language, sink);
    case StepKind::RestoreF1c:
        return RestoreF1c(install, language, sink);
    case StepKind::GripApply:
        return ApplyOptimizedGrip(install, programDir, step.components, language, sink);
    case StepKind::GripRestore:
        return RestoreOriginalGrip(install, programDir, step.components, language, sink);
    }
    return Outcome::Failed;
}

} // namespace

Outcome MatchRun::Overall() const {
    const auto ended = [this](Outcome outcome) {
        return std::find(outcomes.begin(), outcomes.end(), outcome) != outcomes.end();
    };
    return ended(Outcome::Refused)  ? Outcome::Refused
           : ended(Outcome::Failed) ? Outcome::Failed
                                    : Outcome::Done;
}

MatchRun RunMatch(const MatchPlan& plan, const GameInstall& install, const std::string& programDir,
                  Language language, MessageSink& sink, const StepStarted& started) {
    MatchRun run;
    for (std::size_t i = 0; i < plan.steps.size(); ++i) {
        if (started) {
            started(i, plan.steps[i]);
        }
        run.outcomes.push_back(Run(plan.steps[i], install, programDir, language, sink));
        if (run.outcomes.back() == Outcome::Refused) {
            break;
        }
    }
    return run;
}

} // namespace korvane::lancheck
