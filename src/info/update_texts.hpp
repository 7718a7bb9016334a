#pragma once
// What the update window shows, and how it reads the version file fetched from the homepage.
//
// The version file is an INI file with one section "version" and the keys "version", "date",
// "newsde1", "newsde2", "newsuk1", "newsuk2", "homepagede" and "homepageuk". It comes from
// the network, so nothing in it is trusted: a missing key reads as "unknown".
#include <string>

#include "app/settings.hpp"

namespace korvane {

// The texts the window is created with; a language other than "de" and "uk" keeps them all.
namespace update_design {
inline constexpr const char* Caption = "Überprüfung auf vorhandenes Update";
inline constexpr const char* CheckButton = "Auf neue Version prüfen";
inline constexpr const char* QuitButton = "Abbrechen";
inline constexpr const char* CurrentVersion = "Ihre Version:";
inline constexpr const char* CurrentVersionDate = "vom:";
inline constexpr const char* WebVersion = "Version auf dem Web: Unbekannt";
inline constexpr const char* WebVersionDate = "vom: Unbekannt";
} // namespace update_design

struct UpdateTexts {
    const char* caption;
    const char* checkButton;
    const char* quitButton;
    const char* versionPrefix; // followed by the own version
    const char* datePrefix;    // followed by a date, own or from the web
    const char* webVersionBeforeCheck;
    const char* webDateBeforeCheck;
    const char* webVersionPrefix; // followed by the web version after a download
    const char* newerVersion;
    const char* currentVersion;
    const char* connectionFailed;
    const char* note; // the info box before a check, lines joined by CR LF
    const char* firstNewsKey;
    const char* secondNewsKey;
    const char* homepageKey;
};

// The texts of "de" or "uk"; nullptr for any other code.
const UpdateTexts* UpdateTextsFor(const std::string& languageCode);

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
