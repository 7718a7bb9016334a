#include "report/game_tree_compare.hpp"

#include <span>

namespace korvane::lancheck {

namespace {

std::string Joined(const std::string& folderPath, const std::string& name) {
    return folderPath.empty() ? name : std::string(folderPath).append("\\").append(name);
}

// Walks two sorted lists together, a group of entries with the same folded name at a time (more
// than one only where names differ only in letter case): onGroup(here, there), either empty
// where that side lacks the name.
template <typename Entry, typename OnGroup>
void WalkTogether(const std::vector<Entry>& here, const std::vector<Entry>& there,
                  OnGroup onGroup) {
    std::size_t i = 0;
    std::size_t j = 0;
    const auto groupEnd = [](const std::vector<Entry>& list, std::size_t from) {
        std::size_t end = from + 1;
        while (end < list.size() && FoldedName(list[end].name) == FoldedName(list[from].name)) {
            ++end;
        }
        return end;
    };
    while (i < here.size() || j < there.size()) {
        const bool takeHere =
            j == there.size() ||
            (i < here.size() && FoldedName(here[i].name) <= FoldedName(there[j].name));
        const bool takeThere =
            i == here.size() ||
            (j < there.size() && FoldedName(there[j].name) <= FoldedName(here[i].name));
        const std::size_t hereEnd = takeHere ? groupEnd(here, i) : i;
        const std::size_t thereEnd = takeThere ? groupEnd(there, j) : j;
        onGroup(std::span(here.data() + i, hereEnd - i), std::span(there.data() + j, thereEnd - j));
        i = hereEnd;
        j = thereEnd;
    }
}

void Descend(const std::string& path, const TreeFolder& here, const TreeFolder& there,
             FolderComparison& result) {
    if (here.filesDigest != there.filesDigest || here.notComparedHere > 0 ||
        there.notComparedHere > 0) {
        result.compareFiles.push_back({path, &here, &there});
    }
    WalkTogether(here.folders, there.folders,
                 [&](std::span<const TreeFolder> a, std::span<const TreeFolder> b) {
                     const TreeFolder& named = a.empty() ? b.front() : a.front();
                     const std::string sub = Joined(path, named.name);
                     if (a.empty() || b.empty()) {
                         result.differences.push_back({sub, a.empty()
                                                                ? TreeDifferenceKind::OnlyThere
                                                                : TreeDifferenceKind::OnlyHere});
                     } else if (a.front().digest != b.front().digest ||
                                a.front().notComparedBelow > 0 || b.front().notComparedBelow > 0) {
                         Descend(sub, a.front(), b.front(), result);
                     }
                 });
}

} // namespace

FolderComparison CompareFolders(const TreeFolder& here, const TreeFolder& there) {
    FolderComparison result;
    if (!SameTree(here, there)) {
        Descend("", here, there, result);
    }
    return result;
}

std::vector<TreeDifference> CompareFiles(const std::string& folderPath,
                                         const std::vector<TreeFile>& here,
                                         const std::vector<TreeFile>& there) {
    std::vector<TreeDifference> differences;
    const auto compared = [](std::span<const TreeFile> group) {
        return group.size() == 1 && group.front().state == EntryState::Compared;
    };
    WalkTogether(here, there, [&](std::span<const TreeFile> a, std::span<const TreeFile> b) {
        const std::string path = Joined(folderPath, (a.empty() ? b : a).front().name);
        if ((!a.empty() && !compared(a)) || (!b.empty() && !compared(b))) {
            differences.push_back({path, TreeDifferenceKind::NotCompared});
        } else if (a.empty() || b.empty()) {
            differences.push_back(
                {path, a.empty() ? TreeDifferenceKind::OnlyThere : TreeDifferenceKind::OnlyHere});
        } else if (a.front().digest != b.front().digest) {
            differences.push_back({path, TreeDifferenceKind::Differs});
        }
    });
    return differences;
}

} // namespace korvane::lancheck
