#pragma once
// What a guest found when it compared itself with a host's report: the short form it tells the
// host.
#include <cstddef>
#include <string>
#include <vector>

#include "report/report_compare.hpp"

namespace korvane::lancheck {

inline constexpr std::size_t MaxVerdictPaths = 64;

struct Verdict {
    std::string name;               // the guest's own name
    std::string report;             // the fingerprint of the report document compared with
    std::size_t differing = 0;      // how many files differ; none: the same
    std::vector<std::string> paths; // the first of them, at most MaxVerdictPaths
};

// The verdict of a comparison under the given PC name, against the report of that fingerprint.
Verdict VerdictOf(const Comparison& comparison, std::string pcName, std::string report);

} // namespace korvane::lancheck
