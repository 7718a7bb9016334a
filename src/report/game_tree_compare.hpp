#pragma once
// Where two digest trees differ, found by descending only into folders whose digests differ (or
// that hold entries not compared). Folders come first, from the two folder trees alone; a
// folder's own files are compared once both lists of them are at hand, since the other PC sends
// the list of a folder only when asked.
#include <string>
#include <vector>

#include "report/game_tree.hpp"

namespace korvane::lancheck {

enum class TreeDifferenceKind {
    OnlyHere,    // a folder or file that the other installation lacks
    OnlyThere,   // one that this installation lacks
    Differs,     // a file on both sides with different content
    NotCompared, // an entry not compared on either side (a link, an unreadable file, ...)
};

struct TreeDifference {
    std::string path; // below the game directory, names joined by '\'
    TreeDifferenceKind kind;
    bool operator==(const TreeDifference&) const = default;
};

// A folder on both sides whose own files must be compared.
struct FolderPair {
    std::string path; // empty for the game directory
    const TreeFolder* here;
    const TreeFolder* there;
};

struct FolderComparison {
    std::vector<TreeDifference> differences; // folders on one side only, in TreeOrder
    std::vector<FolderPair> compareFiles;    // in TreeOrder, each folder before those below it
};

// The trees must stay alive while the pairs are used.
FolderComparison CompareFolders(const TreeFolder& here, const TreeFolder& there);

// The differences between the two lists of one folder's files, in TreeOrder.
std::vector<TreeDifference> CompareFiles(const std::string& folderPath,
                                         const std::vector<TreeFile>& here,
                                         const std::vector<TreeFile>& there);

} // namespace korvane::lancheck
