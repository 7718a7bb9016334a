#pragma once
// The program's own version and the comparison with the version file from the homepage.
#include <string>

namespace korvane {

inline constexpr int VersionMajor = 0;
inline constexpr int VersionMinor = 6;
inline constexpr int VersionRevision = 0;

std::string VersionNumber();  // "0.6.0"
std::string VersionText();    // "Version 0.6.0"

// Only characters 1, 3 and the last carry meaning; a non-digit or a missing position is 0.
bool IsVersionTextNewer(const std::string& webVersion);
// Reads key "version" of section "version" from the downloaded version file.
bool IsWebVersionNewer(const std::string& versionFileText);

} // namespace korvane
