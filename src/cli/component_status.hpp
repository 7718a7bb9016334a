#pragma once
// What the harmonizer and the grip module left in an installation, told apart so that the
// players at a LAN party can compare their PCs line by line.
#include <string>
#include <vector>

#include "app/game_install.hpp"

namespace korvane::cli {

struct ComponentStatus {
    std::string name;                 // "EA 2002 season", ..., "grip Quillon"
    std::string state;                // "original", "harmonized to TEAM", "optimized", "changed"
    std::string fingerprint;          // first 12 hex digits of the SHA-256 over the live files
    std::vector<std::string> missing; // live files, relative to the game directory
};

// One entry per installed component, in a fixed order. programDir holds the shipped grip files.
std::vector<ComponentStatus> CollectStatus(const GameInstall& install,
                                           const std::string& programDir);

// "NAME: STATE, fingerprint HEX[, missing FILE, FILE ...]"
std::string StatusLine(const ComponentStatus& status);

} // namespace korvane::cli
