#include "report/game_trees.hpp"

#include "core/text_compare.hpp"
#include "report/game_tree_text.hpp"

namespace korvane::lancheck {

Result<GamesScan> ScanGames(const GameInstall& install, const GamesScanOptions& options) {
    GamesScan scan;
    const std::pair<bool, const std::string*> games[] = {{install.HasF1_2002, &install.F1Path},
                                                         {install.HasF1c, &install.F1cPath}};
    const char* names[] = {GameF1_2002, GameF1c};
    for (std::size_t i = 0; i < 2; ++i) {
        if (!games[i].first || games[i].second->empty()) {
            continue;
        }
        const std::string game = names[i];
        ScanOptions one;
        if (!options.useCache) {
            one.cacheFile = "";
        }
        one.stop = options.stop;
        if (options.progress) {
            one.progress = [&](const ScanProgress& progress) { options.progress(game, progress); };
        }
        Result<GameTreeScan> read = ScanGameTree(*games[i].second, one);
        if (!read.ok()) {
            return Result<GamesScan>::Failure(read.reason(), read.path());
        }
        if (read.value().cancelled) {
            scan.cancelled = true;
            return Result<GamesScan>::Success(std::move(scan));
        }
        scan.games.push_back({game, std::move(read.value().root)});
    }
    return Result<GamesScan>::Success(std::move(scan));
}

const TreeFolder* FindFolder(const TreeFolder& root, std::string_view path) {
    const TreeFolder* folder = &root;
    while (!path.empty()) {
        const std::size_t end = std::min(path.find('\\'), path.size());
        const std::string_view name = path.substr(0, end);
        const TreeFolder* next = nullptr;
        for (const TreeFolder& sub : folder->folders) {
            if (EqualNoCase(sub.name, name)) {
                next = &sub;
                break;
            }
        }
        if (next == nullptr) {
            return nullptr;
        }
        folder = next;
        path.remove_prefix(std::min(end + 1, path.size()));
    }
    return folder;
}

std::optional<std::string> FolderFilesText(const std::vector<GameTree>& games,
                                           const std::string& game, const std::string& path) {
    for (const GameTree& tree : games) {
        if (tree.game == game) {
            const TreeFolder* folder = FindFolder(tree.root, path);
            return folder ? std::optional(WriteTreeFiles(*folder)) : std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace korvane::lancheck
