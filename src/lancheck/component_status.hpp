#pragma once
// What the harmonizer and the grip module left in an installation, told apart so that the
// players at a LAN party can compare their PCs line by line.
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
};

struct ComponentStatus {
    std::string name;              // "EA 2002 season", ..., "grip Quillon"
    std::string state;             // "original", "harmonized to TEAM", "optimized", "changed"
    std::string fingerprint;       // first 12 hex digits of the SHA-256 over the live files
    std::vector<FileStatus> files; // in catalogue order
};

// One entry per installed component, in a fixed order. programDir holds the shipped grip files.
std::vector<ComponentStatus> CollectStatus(const GameInstall& install,
                                           const std::string& programDir);

// "NAME: STATE, fingerprint HEX[, missing FILE, FILE ...]"
std::string StatusLine(const ComponentStatus& status);

// "  PATH: HOLDS, HEX", or "  PATH: missing"; followed by a line for a backup that shares the
// file's data: "    shares its data with its backup BACKUP (...)".
std::string FileLine(const FileStatus& file);

} // namespace korvane::lancheck
