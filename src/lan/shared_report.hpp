#pragma once
// What a sharing PC hands out: its report with the whole game, made anew when its files change,
// and the file lists of the folders of the report last handed out. A share calls it on its own
// thread only.
#include <optional>
#include <string>
#include <vector>

#include "games/game_install.hpp"
#include "report/game_trees.hpp"

namespace korvane::lancheck {

class SharedReport {
  public:
    // wholeGame: whether the report carries the games' trees.
    SharedReport(GameInstall install, std::string programDir, bool wholeGame);

    // What changes whenever the report would: the components' stamp and each game's digest,
    // read through the stamp cache (a game with nothing changed costs no file read).
    std::string Stamp();
    // The status --json document with the trees of the last Stamp (read now when there is none);
    // throws when a game's directory cannot be read, so that the guests are told so.
    std::string Report();
    // One folder's files of the report last handed out, written (WriteTreeFiles).
    std::optional<std::string> FolderFiles(const std::string& game, const std::string& path) const;

  private:
    void Scan();

    GameInstall install_;
    std::string programDir_;
    bool wholeGame_;
    std::optional<std::vector<GameTree>> scanned_; // by the last Stamp; none when it failed
    std::string failure_;                          // why it failed
    std::vector<GameTree> served_;
};

} // namespace korvane::lancheck
