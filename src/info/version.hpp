#pragma once
// The program's own version and the comparison with the version file from the homepage.
#include <string>

#include "build_config.hpp"

namespace korvane {

// Set in CMakeLists.txt, project(... VERSION ...), and nowhere else.
inline constexpr int VersionMajor = build::VersionMajor;
inline constexpr int VersionMinor = build::VersionMinor;
inline constexpr int VersionRevision = build::VersionRevision;

std::string VersionNumber();  // "0.6.0"
std::string VersionText();    // "Version 0.6.0"

// Only characters 1, 3 and the last carry meaning; a non-digit or a missing position is 0.
bool IsVersionTextNewer(const std::string& webVersion);
// Reads key "version" of section "version" from the downloaded version file.
bool IsWebVersionNewer(const std::string& versionFileText);

} // namespace korvane
