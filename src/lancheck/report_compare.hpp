#pragma once
// verify: this PC's state held against another PC's report, file by file.
#include <ostream>
#include <vector>

#include "lancheck/component_status.hpp"

namespace korvane::lancheck {

// Prints "NAME: same" per component that matches, otherwise each file that differs with both
// sides, files and components on one side only. Paths and names match without regard to
// letter case or the kind of separator; where the game lies never shows in a report. True
// when everything is the same.
bool CompareWithReport(const std::vector<ComponentStatus>& here,
                       const std::vector<ComponentStatus>& reference, std::ostream& out);

} // namespace korvane::lancheck
