#pragma once
// This PC's state and a comparison with a report in words, for the LAN check window and
// korvane-cli: each component with both states, each file that differs with its two sides, in
// either language. What the report names is shown with its control characters escaped.
#include <ostream>
#include <string>
#include <vector>

#include "core/language.hpp"
#include "report/component_status.hpp"
#include "report/report_compare.hpp"

namespace korvane::lancheck {

// A component's name for a person to read. Reports carry the English names of
// component_status.hpp in every language, as keys; in German each has words of its own
// ("EA-2002-Saison"), letter case aside. A name this Korvane does not know stays as it is.
std::string ComponentName(const std::string& name, Language language);

// A component's state or what a file holds: "harmonized to Ferrari" is "an Ferrari angeglichen"
// in German, "original", "optimized", "changed" and "missing" have words of their own, digits
// after them stay; any other text (a team) as it is.
std::string StateText(const std::string& state, Language language);

// "F1 Challenge: here harmonized to McLaren 2002, the report harmonized to Ferrari 2002",
// "EA 2002 season: same, original", or which side does not have it. Where both sides name the
// same state, that the files differ all the same.
std::string ComponentLine(const ComponentComparison& component, Language language);

// What a file that differs holds on one side in words ("McLaren", "changed (1a2b3c4d5e6f)"), from
// what Shown gives for that side; empty: the side has no such file.
std::string SideText(const std::string& shown, Language language);

// The lines of status without --files, which a person reads: in English the report's own lines
// (ReportText), in German "EA-2002-Saison: an Ferrari angeglichen, Fingerabdruck HEX[, nicht
// vorhanden: FILE, ...]", each ending in a line break.
std::string StatusLinesIn(const std::vector<ComponentStatus>& components, Language language);

// korvane-cli's lines: per component that differs "NAME: differs (here STATE, the report STATE)"
// and each file that differs with both sides, or that it is on one side only; "NAME: same" per
// component that matches.
void PrintComparison(const Comparison& comparison, std::ostream& out,
                     Language language = Language::English);

} // namespace korvane::lancheck
