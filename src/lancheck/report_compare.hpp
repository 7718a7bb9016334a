#pragma once
// verify: this PC's state held against another PC's report, file by file.
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "lancheck/component_status.hpp"

namespace korvane::lancheck {

// A file whose data is not the same on both sides.
struct FileDifference {
    std::string path; // below the game directory, as the report names it
    // What the file holds on each side ("changed", "Ferrari", ...), with its digits where both
    // sides name the same holder; nothing on the side that has no such file.
    std::optional<std::string> here;
    std::optional<std::string> reference;
};

enum class Sameness { Same, Differs, ReferenceOnly, HereOnly };

struct ComponentComparison {
    std::string name;
    Sameness sameness;
    // The files that differ; for a component installed on one side only, each of its files.
    std::vector<FileDifference> files;
};

struct Comparison {
    // The report's components in its order, then those installed here only.
    std::vector<ComponentComparison> components;

    bool AllSame() const;
    std::size_t DifferingFiles() const;
};

// Paths and names match without regard to letter case or the kind of separator; where the game
// lies never shows in a report.
Comparison CompareWithReport(const std::vector<ComponentStatus>& here,
                             const std::vector<ComponentStatus>& reference);

// A name or path from a report as it may be shown: every control character (below 0x20, and
// 0x7F) as "\xHH", so that a report can neither make up lines of its own nor send a terminal
// escape sequence. A backslash stays, as paths are full of them, except where what follows it is
// written starting with "x" or a backslash: there it is doubled, so that no text reads as an
// escape it is not. Bytes above 0x7F (UTF-8 text) stay as they are.
std::string Printable(const std::string& text);

// korvane-cli's lines: "NAME: same" per component that matches, otherwise each file that
// differs with both sides, files and components on one side only.
void PrintComparison(const Comparison& comparison, std::ostream& out);

} // namespace korvane::lancheck
