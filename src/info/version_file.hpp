#pragma once
// The version file fetched from the homepage by the update check: where its copy lives, how it is
// read, and which of its addresses may be opened.
//
// The version file is an INI file with one section "version" and the keys "version", "date",
// "newsde1", "newsde2", "newsuk1", "newsuk2", "homepagede" and "homepageuk". It comes from
// the network, so nothing in it is trusted: a missing key reads as "unknown".
#include <string>

#include "core/settings.hpp"

namespace korvane {

inline constexpr const char* VersionFileSection = "version";
inline constexpr const char* VersionFileName = "webver.ini";

// Where the downloaded copy lives: "webver.ini" beside the settings file, or in the temporary
// directory when the settings file's directory cannot be written either.
std::string VersionFilePath(const Settings& settings);

// One key of section "version", read from the file anew; "unknown" when the file, the section
// or the key is missing.
std::string ReadVersionFileKey(const std::string& localPath, const std::string& key);

// Only a web page is handed to the desktop shell: the version file could otherwise name a
// local program, a document or a network share to open. A web page is http:// or https://, a
// host name or address (letters, digits, dots, hyphens, or an IPv6 address in brackets), an
// optional port and an optional path; no user name or password, no blank, quote or control
// character anywhere.
bool IsWebPageAddress(const std::string& address);

} // namespace korvane
