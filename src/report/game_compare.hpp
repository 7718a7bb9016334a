#pragma once
// The whole game held against another PC's: per game, the folders in which files differ, each
// with its files, found by descending only where digests differ. The files of Korvane's own
// components are left to the comparison of the components (report_compare.hpp), which says what
// they hold in words.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "report/component_status.hpp"
#include "report/game_tree_compare.hpp"
#include "report/game_trees.hpp"
#include "report/report_compare.hpp"

namespace korvane::lancheck {

struct GameFileDifference {
    std::string name; // the file's name in its folder
    TreeDifferenceKind kind;
    std::string here;   // the first 12 hexadecimal digits of its SHA-256 here; empty when it is
    std::string there;  // not there or not compared on that side; the same on the other side
    std::string reason{}; // why it was not compared here (StateWords), with the system's reason
};

struct FolderDifferences {
    std::string folder; // below the game directory, names joined by '\'; empty: the directory
    // The folder itself is on one side only (OnlyHere, OnlyThere), or its files differ
    // (Differs); Differs with no files: the other PC's list of them could not be had.
    TreeDifferenceKind kind = TreeDifferenceKind::Differs;
    std::vector<GameFileDifference> files;
};

struct GameComparison {
    std::string game;
    Sameness sameness = Sameness::Same;
    std::vector<FolderDifferences> folders; // in the tree's order, each before those below it
    // A file, or a folder on one side only or whose list could not be had, counts one.
    std::size_t Differing() const;
};

// A folder's files on the other PC, asked for when its digest differs (over the network, or
// from a file); nothing when they cannot be had. Lists that do not add up to the folder's digest
// in the other PC's tree are not taken.
using FilesThere =
    std::function<std::optional<std::vector<TreeFile>>(const std::string& game,
                                                        const std::string& folder)>;

// At most so many lists are asked for per comparison; a folder beyond is shown as differing.
inline constexpr std::size_t MaxFoldersAsked = 64;

// Per game installed on either side, in the order here, then the report's. The files of the
// components on either side are left out. A report without trees (an older Korvane's, or one
// written without the whole game) gives nothing: there is nothing to compare with.
std::vector<GameComparison> CompareGames(const std::vector<GameTree>& here,
                                         const std::vector<GameTree>& there,
                                         const std::vector<ComponentStatus>& hereComponents,
                                         const std::vector<ComponentStatus>& thereComponents,
                                         const FilesThere& filesThere);

bool AllSame(const std::vector<GameComparison>& games);

// A differing file's path below the game directory, as a report names it.
std::string FilePath(const FolderDifferences& folder, const GameFileDifference& file);

} // namespace korvane::lancheck
