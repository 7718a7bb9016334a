#pragma once
// Every folder's files of this PC's games in one file, for a comparison with a report file: the
// report carries only the folders (it stays small), and verify asks this file for the lists of
// the folders whose digests differ, as it asks a sharing PC over the network.
//   {"format": "korvane-folder-lists", "version": 1,
//    "games": [{"game": NAME, "folders": [{"path": PATH, "files": WriteTreeFiles text}]}]}
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/language.hpp"
#include "core/result.hpp"
#include "report/game_compare.hpp"
#include "report/game_trees.hpp"

namespace korvane::lancheck {

// A game of 20,000 files writes some 2 MB; the cap leaves room for far larger ones.
inline constexpr std::uintmax_t MaxFolderListsBytes = 64 * 1024 * 1024;

std::string WriteFolderLists(const std::vector<GameTree>& games);

// Where the folder lists of a report file lie by default: beside it, its name with ".lists.json"
// for a last ".json" (or added): "pc-01.json" has "pc-01.lists.json".
std::string FolderListsBeside(const std::string& reportPath);

// Writes the lists safely, but never over a file that is something else: a file Korvane did not
// write is the player's.
FileResult SaveFolderLists(const std::string& pathText, const std::vector<GameTree>& games,
                           Language language);

// The lists read back, each kept as written until it is asked for; a list is read with
// ParseTreeFiles when asked, and the comparison takes it only when it adds up to the folder's
// digest in the report.
class FolderLists {
  public:
    // Fails, saying why in the language, for a file that is not one or is larger than the cap.
    static Result<FolderLists> Read(const std::string& pathText, Language language);
    static Result<FolderLists> Parse(const std::string& text, Language language);
    std::optional<std::vector<TreeFile>> Files(const std::string& game,
                                               const std::string& path) const;
    // Files as a comparison asks for them; the lists must outlive it.
    FilesThere Lookup() const {
        return
            [this](const std::string& game, const std::string& path) { return Files(game, path); };
    }

  private:
    std::map<std::pair<std::string, std::string>, std::string> lists_; // by game, folded path
};

} // namespace korvane::lancheck
