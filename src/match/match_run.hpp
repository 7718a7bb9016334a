#pragma once
// Carries out a plan to make this PC match a report, through the same operations as harmonize,
// restore and grip: each takes the installation's lock, makes its backups and reports through
// the sink as it does on its own.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "core/failure_log.hpp"
#include "core/outcome.hpp"
#include "games/operation_context.hpp"
#include "match/match_plan.hpp"

namespace korvane::lancheck {

// Told before each step starts: its number (from 0) and the step.
using StepStarted = std::function<void(std::size_t, const MatchStep&)>;

// How each step ended, in the plan's order. A refused step (another run holds the installation)
// ends the run: the steps after it are not started and have no outcome. The steps show no
// summary of their failures: the run's one summary (RunSummaryText) names them step by step.
struct MatchRun {
    std::vector<Outcome> outcomes;
    std::vector<FailureLog> failures; // per step, as outcomes

    // Done when every step was done; Refused when one was refused; otherwise Failed.
    Outcome Overall() const;
};

MatchRun RunMatch(const OperationContext& context, const MatchPlan& plan,
                  const StepStarted& started = {});

} // namespace korvane::lancheck
