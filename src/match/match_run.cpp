#include "match/match_run.hpp"

#include <algorithm>

#include "grip/grip.hpp"
#include "harmonizer/harmonizer.hpp"

namespace korvane::lancheck {

namespace {

Outcome Run(const OperationContext& context, const MatchStep& step) {
    switch (step.kind) {
    case StepKind::Harmonize2002:
        return HarmonizeF1_2002(context, step.master, step.components);
    case StepKind::Restore2002:
        return RestoreF1_2002(context, step.components);
    case StepKind::HarmonizeF1c:
        return HarmonizeF1c(context, step.season, step.team);
    case StepKind::RestoreF1c:
        return RestoreF1c(context);
    case StepKind::GripApply:
        return ApplyOptimizedGrip(context, step.components);
    case StepKind::GripRestore:
        return RestoreOriginalGrip(context, step.components);
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

MatchRun RunMatch(const OperationContext& context, const MatchPlan& plan,
                  const StepStarted& started) {
    MatchRun run;
    for (std::size_t i = 0; i < plan.steps.size(); ++i) {
        if (started) {
            started(i, plan.steps[i]);
        }
        FailureLog& failures = run.failures.emplace_back();
        OperationContext step = context;
        step.failures = &failures;
        run.outcomes.push_back(Run(step, plan.steps[i]));
        if (run.outcomes.back() == Outcome::Refused) {
            break;
        }
    }
    return run;
}

} // namespace korvane::lancheck
