#include "report/verdict.hpp"

#include <utility>

namespace korvane::lancheck {

Verdict VerdictOf(const Comparison& comparison, std::string pcName) {
    Verdict verdict{std::move(pcName), comparison.DifferingFiles(), {}};
    for (const ComponentComparison& component : comparison.components) {
        for (const FileDifference& file : component.files) {
            if (verdict.paths.size() < MaxVerdictPaths) {
                verdict.paths.push_back(file.path);
            }
        }
    }
    return verdict;
}

} // namespace korvane::lancheck
