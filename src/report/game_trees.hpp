#pragma once
// The whole of each installed game as a report carries it: the game's name and its digest tree
// (game_tree.hpp), scanned from the game's directory, and one folder's files looked up for a PC
// that asks for them.
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.hpp"
#include "games/game_install.hpp"
#include "report/game_tree.hpp"
#include "report/game_tree_scan.hpp"

namespace korvane::lancheck {

// The games' names, as reports carry them.
inline constexpr const char* GameF1_2002 = "F1 2002";
inline constexpr const char* GameF1c = "F1 Challenge";

struct GameTree {
    std::string game;
    TreeFolder root;
};

struct GamesScanOptions {
    // Called on the calling thread, now and then, with the game being read.
    std::function<void(const std::string& game, const ScanProgress&)> progress;
    std::stop_token stop;
    bool useCache = true; // the user's stamp cache of each game directory
};

struct GamesScan {
    std::vector<GameTree> games; // F1 2002 first, each installed game once
    bool cancelled = false;      // asked to stop: games is incomplete
};

// Fails, naming the directory, only when a game's directory cannot be listed.
Result<GamesScan> ScanGames(const GameInstall& install, const GamesScanOptions& options = {});

// The folder at that path below the game directory (names joined by '\', letter case aside);
// nothing when there is none.
const TreeFolder* FindFolder(const TreeFolder& root, std::string_view path);

// A folder's files in their written form (WriteTreeFiles), as a host hands them to a guest;
// nothing for a game or folder the trees do not hold.
std::optional<std::string> FolderFilesText(const std::vector<GameTree>& games,
                                           const std::string& game, const std::string& path);

} // namespace korvane::lancheck
