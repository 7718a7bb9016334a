#include "report/verdict.hpp"

#include <utility>

namespace korvane::lancheck {

Verdict VerdictOf(const Comparison& comparison, std::string pcName, std::string report,
                  const std::vector<GameComparison>& games) {
    Verdict verdict{std::move(pcName), std::move(report), comparison.DifferingFiles(), {}};
    const auto add = [&](VerdictFile file) {
        if (verdict.files.size() < MaxVerdictPaths) {
            verdict.files.push_back(std::move(file));
        }
    };
    for (const ComponentComparison& component : comparison.components) {
        for (const FileDifference& file : component.files) {
            add({file.path, Shown(file, true), Shown(file, false)});
        }
    }
    // A game's file by the first digits of its data on each side; a folder on one side only, or
    // one whose files could not be listed, by its path alone.
    for (const GameComparison& game : games) {
        verdict.differing += game.Differing();
        for (const FolderDifferences& folder : game.folders) {
            if (folder.files.empty()) {
                add({folder.folder + '\\'});
            }
            for (const GameFileDifference& file : folder.files) {
                add({FilePath(folder, file), file.here, file.there});
            }
        }
    }
    return verdict;
}

} // namespace korvane::lancheck
