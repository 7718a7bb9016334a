#pragma once
// A plan to make this PC match a report, in words: a line per step and per difference that
// stays, in either language.
#include <string>

#include "core/language.hpp"
#include "match/match_plan.hpp"
#include "match/match_run.hpp"

namespace korvane::lancheck {

// "Harmonize EA 2002 season to Ferrari", "Restore F1 Challenge", "Put back the original grip
// values for Quillon", ...
std::string StepText(const MatchStep& step, Language language);

// "PATH: why it stays, and what the player can do", or "COMPONENT: ..." for a whole component.
// What the report names is shown with its control characters escaped.
std::string LeftoverText(const Leftover& leftover, Language language);

// "What Korvane cannot make equal:", then a LeftoverText line each; empty when nothing is left.
std::string LeftoversText(const MatchPlan& plan, Language language);

// The whole plan, a line each: a heading, the numbered steps (or that there is none), then what
// stays different.
std::string PlanText(const MatchPlan& plan, Language language);

// After a run: "Finished with errors, 1 of 3 steps failed:", then each failed step as the progress
// named it and the files that failed in it, the player's own files with the same advice as
// LeftoverText; empty when no step failed.
std::string RunSummaryText(const MatchPlan& plan, const MatchRun& run, Language language);

// "Step 2 of 3: Restore F1 Challenge", as a match goes; index from 0.
std::string StepProgressText(std::size_t index, std::size_t count, const std::string& step,
                             Language language);

} // namespace korvane::lancheck
