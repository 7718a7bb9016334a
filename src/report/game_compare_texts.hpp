#pragma once
// The whole game in words, for korvane-cli and the LAN check window, in either language. Names
// that come from another PC are shown as Printable makes them.
#include <ostream>
#include <string>
#include <vector>

#include "core/language.hpp"
#include "report/game_compare.hpp"
#include "report/game_trees.hpp"

namespace korvane::lancheck {

// "F1 2002, rest of the game: same", "... 3 entries differ, in 2 folders", "... installed here
// only", ...: the rest beside Korvane's components.
std::string GameLine(const GameComparison& game, Language language);
// "Locations/Monaco/", with ": only here" or ": only in the report" for a folder on one side,
// ": its files differ, the report's list of them is not at hand" for one whose list is missing.
std::string FolderLine(const FolderDifferences& folder, Language language);
// "Monaco.gdb: here 1a2b3c4d5e6f, the report 9f8e7d6c5b4a", ": only here", ": not compared here
// (a link)", ...
std::string GameFileLine(const GameFileDifference& file, Language language);
// What the player does about a folder that differs: Korvane does not copy game files between PCs.
std::string CopyAdvice(Language language);

// That a report has no trees to compare the whole game with (an older Korvane's, or one written
// with --components-only).
std::string NoWholeGameText(Language language);

// Beside a match's plan: each game whose rest differs, in a line, then the advice; empty when
// nothing differs there.
std::string GamesLeftText(const std::vector<GameComparison>& games, Language language);

// verify's lines: per game its line, per folder that differs its line and its files' lines below,
// then the advice once.
void PrintGames(const std::vector<GameComparison>& games, std::ostream& out, Language language);

// status's lines: "F1 2002, whole game: 20114 files in 2012 folders, digest 1a2b3c4d5e6f", and
// below it each entry not compared with why.
std::string GameStatusLines(const std::vector<GameTree>& games, Language language);

// "Reading F1 2002: 1234 of 20114 files (310 of 1490 MB)", while a scan runs.
std::string ScanProgressText(const std::string& game, const ScanProgress& progress,
                             Language language);

// The words for an entry that is not compared: "a link", "unreadable", ...
std::string StateWords(EntryState state, Language language);

} // namespace korvane::lancheck
