#pragma once
// What a guest found when it compared itself with a host's report: the short form it tells the
// host.
#include <cstddef>
#include <string>
#include <vector>

#include "report/game_compare.hpp"
#include "report/report_compare.hpp"

namespace korvane::lancheck {

inline constexpr std::size_t MaxVerdictPaths = 64;

// A file that differs, with what it holds on each side in the report's words ("original",
// "changed", a team; StateText shows them in a language). A side that has no such file is empty;
// both are empty when the guest told only the path.
struct VerdictFile {
    std::string path;
    std::string guest{};
    std::string host{};
    bool operator==(const VerdictFile&) const = default;
};

struct Verdict {
    std::string name;               // the guest's own name
    std::string report;             // the fingerprint of the report document compared with
    std::size_t differing = 0;      // how many files differ; none: the same
    std::vector<VerdictFile> files; // the first of them, at most MaxVerdictPaths
};

// The verdict of a comparison under the given PC name, against the report of that fingerprint,
// the components' files first, then the whole game's.
Verdict VerdictOf(const Comparison& comparison, std::string pcName, std::string report,
                  const std::vector<GameComparison>& games = {});

} // namespace korvane::lancheck
