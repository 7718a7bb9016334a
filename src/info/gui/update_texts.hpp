#pragma once
// What the update window shows, and which keys of the version file (info/version_file.hpp) it
// reads in each language.
#include <string>

#include "core/language.hpp"

namespace korvane {

// The texts the window is created with; an unknown language keeps them all.
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

// The texts of German or English; nullptr while the language is unknown.
const UpdateTexts* UpdateTextsFor(Language language);

} // namespace korvane
