#include "report/game_compare.hpp"

#include <algorithm>
#include <set>

#include "report/game_tree_text.hpp"
#include "report/sha256.hpp"

namespace korvane::lancheck {

namespace {

std::set<std::string> ComponentPaths(const std::vector<ComponentStatus>& here,
                                     const std::vector<ComponentStatus>& there) {
    std::set<std::string> paths;
    for (const auto* side : {&here, &there}) {
        for (const ComponentStatus& component : *side) {
            for (const FileStatus& file : component.files) {
                paths.insert(MatchKey(file.path));
            }
        }
    }
    return paths;
}

std::string Short(const TreeFile* file) {
    if (file == nullptr || file->state != EntryState::Compared) {
        return {};
    }
    return DigestHex(file->digest).substr(0, ShortDigits);
}

const TreeFile* Named(const std::vector<TreeFile>& files, const std::string& name) {
    for (const TreeFile& file : files) {
        if (file.name == name || FoldedName(file.name) == FoldedName(name)) {
            return &file;
        }
    }
    return nullptr;
}

std::string NameIn(const std::string& folder, const std::string& path) {
    return folder.empty() ? path : path.substr(folder.size() + 1);
}

class GameDescent {
  public:
    GameDescent(const std::set<std::string>& components, const FilesThere& filesThere,
                std::size_t& asked)
        : components_(components), filesThere_(filesThere), asked_(asked) {}

    GameComparison Compare(const GameTree& here, const GameTree& there) {
        GameComparison game{here.game, Sameness::Same, {}};
        const FolderComparison folders = CompareFolders(here.root, there.root);
        for (const TreeDifference& only : folders.differences) {
            game.folders.push_back({only.path, only.kind, {}});
        }
        for (const FolderPair& pair : folders.compareFiles) {
            FolderDifferences differing{pair.path, TreeDifferenceKind::Differs, {}};
            const std::optional<std::vector<TreeFile>> theirs = Ask(here.game, pair);
            if (!theirs) { // shown as a folder whose list is not at hand
                if (!OnlyComponents(*pair.here, pair.path)) {
                    game.folders.push_back(differing);
                }
                continue;
            }
            for (const TreeDifference& file : CompareFiles(pair.path, pair.here->files, *theirs)) {
                if (components_.contains(MatchKey(file.path))) {
                    continue;
                }
                const std::string name = NameIn(pair.path, file.path);
                const TreeFile* mine = Named(pair.here->files, name);
                GameFileDifference shown{name, file.kind, Short(mine), Short(Named(*theirs, name))};
                if (mine != nullptr && mine->state != EntryState::Compared) {
                    shown.reason = mine->reason;
                }
                differing.files.push_back(std::move(shown));
            }
            if (!differing.files.empty()) {
                game.folders.push_back(std::move(differing));
            }
        }
        // Folders in the tree's order, each before those below it.
        std::stable_sort(game.folders.begin(), game.folders.end(),
                         [](const FolderDifferences& a, const FolderDifferences& b) {
                             return TreeOrder(MatchKey(a.folder), MatchKey(b.folder));
                         });
        game.sameness = game.folders.empty() ? Sameness::Same : Sameness::Differs;
        return game;
    }

  private:
    // The other PC's list of the folder's files, taken only when it adds up to its digest.
    std::optional<std::vector<TreeFile>> Ask(const std::string& game, const FolderPair& pair) {
        if (!filesThere_ || asked_ >= MaxFoldersAsked) {
            return std::nullopt;
        }
        ++asked_;
        std::optional<std::vector<TreeFile>> files = filesThere_(game, pair.path);
        if (!files || FilesDigest(*files) != pair.there->filesDigest) {
            return std::nullopt;
        }
        return files;
    }

    // Whether every file of the folder here is a component's: then its list is not needed, the
    // components say what differs. A folder with entries not compared is never left out.
    bool OnlyComponents(const TreeFolder& folder, const std::string& path) const {
        return folder.notComparedHere == 0 &&
               std::all_of(folder.files.begin(), folder.files.end(), [&](const TreeFile& file) {
                   const std::string full =
                       path.empty() ? file.name : std::string(path).append("\\").append(file.name);
                   return components_.contains(MatchKey(full));
               });
    }

    const std::set<std::string>& components_;
    const FilesThere& filesThere_;
    std::size_t& asked_;
};

} // namespace

std::size_t GameComparison::Differing() const {
    std::size_t count = 0;
    for (const FolderDifferences& folder : folders) {
        count += std::max<std::size_t>(folder.files.size(), 1);
    }
    return count;
}

std::vector<GameComparison> CompareGames(const std::vector<GameTree>& here,
                                         const std::vector<GameTree>& there,
                                         const std::vector<ComponentStatus>& hereComponents,
                                         const std::vector<ComponentStatus>& thereComponents,
                                         const FilesThere& filesThere) {
    std::vector<GameComparison> games;
    if (there.empty()) {
        return games;
    }
    const std::set<std::string> components = ComponentPaths(hereComponents, thereComponents);
    std::size_t asked = 0;
    GameDescent descent(components, filesThere, asked);
    const auto find = [](const std::vector<GameTree>& trees, const std::string& game) {
        const auto found = std::find_if(trees.begin(), trees.end(),
                                        [&](const GameTree& tree) { return tree.game == game; });
        return found == trees.end() ? nullptr : &*found;
    };
    for (const GameTree& mine : here) {
        const GameTree* theirs = find(there, mine.game);
        games.push_back(theirs ? descent.Compare(mine, *theirs)
                               : GameComparison{mine.game, Sameness::HereOnly, {}});
    }
    for (const GameTree& theirs : there) {
        if (find(here, theirs.game) == nullptr) {
            games.push_back({theirs.game, Sameness::ReferenceOnly, {}});
        }
    }
    return games;
}

bool AllSame(const std::vector<GameComparison>& games) {
    return std::all_of(games.begin(), games.end(),
                       [](const GameComparison& game) { return game.sameness == Sameness::Same; });
}

std::string FilePath(const FolderDifferences& folder, const GameFileDifference& file) {
    return folder.folder.empty() ? file.name
                                 : std::string(folder.folder).append("\\").append(file.name);
}

} // namespace korvane::lancheck
