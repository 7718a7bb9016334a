#include "report/verdict.hpp"

#include <utility>

namespace korvane::lancheck {

Verdict VerdictOf(const Comparison& comparison, std::string pcName, std::string report) {
    Verdict verdict{std::move(pcName), std::move(report), comparison.DifferingFiles(), {}};
    for (const ComponentComparison& component : comparison.components) {
        for (const FileDifference& file : component.files) {
            if (verdict.files.size() < MaxVerdictPaths) {
                verdict.files.push_back({file.path, Shown(file, true), Shown(file, false)});
            }
        }
    }
    return verdict;
}

} // namespace korvane::lancheck
