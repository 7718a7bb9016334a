#pragma once
// What the harmonizer and the grip module left in an installation, told apart so that the
// players at a LAN party can compare their PCs line by line.
#include <optional>
#include <string>
#include <vector>

#include "games/game_install.hpp"

namespace korvane::lancheck {

// One live file of a component.
struct FileStatus {
    std::string path;   // relative to the game directory, as the catalogue writes it
    std::string holds;  // "original", a master ("Ferrari", "McLaren 1999"), "optimized",
                        // "changed" (equal to no backup and no shipped file) or "missing"
    std::string sha256; // first 12 hex digits of the SHA-256 of its bytes; empty when missing
    // The backup's path when the live file and its backup are still one file under two names
    // (a harmonize that was cut off between making the backup and replacing the file leaves
    // that); empty otherwise.
    std::string sharedWith{};
    // Whose file it is: the team (F1 2002) or the team and season (F1 Challenge) its own data
    // belongs to; empty for a grip table. Known on this PC only, never written into a report.
    std::string owner{};
    // Whether a usable backup of it lies here: a missing file with one is written again by a
    // restore or a harmonize. Known on this PC only, never written into a report.
    bool backedUp = false;
};

struct ComponentStatus {
    std::string name;              // "EA 2002 season", ..., "grip Quillon"
    std::string state;             // "original", "harmonized to TEAM", "optimized", "changed"
    std::string fingerprint;       // first 12 hex digits of the SHA-256 over the live files
    std::vector<FileStatus> files; // in catalogue order
};

// The words for a component's state and for what a file holds, as reports carry them. A
// harmonized component's state is "harmonized to MASTER" (HarmonizedState); a harmonized file
// holds the master's name.
inline constexpr const char* StateOriginal = "original";
inline constexpr const char* StateOptimized = "optimized";
inline constexpr const char* StateChanged = "changed";
inline constexpr const char* StateMissing = "missing";

std::string HarmonizedState(const std::string& master);
// The master of a state "harmonized to MASTER"; nothing for any other state.
std::optional<std::string> HarmonizedMaster(const std::string& state);

// The components' names, as reports carry them.
inline constexpr const char* ComponentEA2002 = "EA 2002 season";
inline constexpr const char* ComponentQL2002 = "Quillon season";
inline constexpr const char* ComponentGTR2002 = "GT Racing 2002 mod";
inline constexpr const char* ComponentF1c = "F1 Challenge";
inline constexpr const char* ComponentGripEA = "grip EA 2002";
inline constexpr const char* ComponentGripQL = "grip Quillon";

// One entry per installed component, in a fixed order. programDir holds the shipped grip files.
// What changes whenever CollectStatus would say something else, at the cost of a look at each
// file's name instead of reading it: every file's path, size and time of its last change.
std::string StatusStamp(const GameInstall& install, const std::string& programDir);

std::vector<ComponentStatus> CollectStatus(const GameInstall& install,
                                           const std::string& programDir);

// "NAME: STATE, fingerprint HEX[, missing FILE, FILE ...]"
std::string StatusLine(const ComponentStatus& status);

// "  PATH: HOLDS, HEX", or "  PATH: missing"; followed by a line for a backup that shares the
// file's data: "    shares its data with its backup BACKUP (...)".
std::string FileLine(const FileStatus& file);

} // namespace korvane::lancheck
