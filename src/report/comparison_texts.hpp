#pragma once
// A comparison with a report in words, for the LAN check window: each component with both
// states, each file that differs with its two sides, in either language. What the report names is
// shown with its control characters escaped.
#include <string>

#include "core/language.hpp"
#include "report/report_compare.hpp"

namespace korvane::lancheck {

// A component's state or what a file holds: "harmonized to Ferrari" is "an Ferrari angeglichen"
// in German, "original", "optimized", "changed" and "missing" have words of their own, digits
// after them stay; any other text (a team) as it is.
std::string StateText(const std::string& state, Language language);

// "F1 Challenge: here harmonized to McLaren 2002, the report harmonized to Ferrari 2002",
// "EA 2002 season: same, original", or which side does not have it. Where both sides name the
// same state, that the files differ all the same.
std::string ComponentLine(const ComponentComparison& component, Language language);

// What a file that differs holds on one side in words ("McLaren", "changed (1a2b3c4d5e6f)"), or
// that the side has no such file.
std::string SideText(const FileDifference& file, bool here, Language language);

} // namespace korvane::lancheck
