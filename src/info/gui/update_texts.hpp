#pragma once
// What the update window shows, and which keys of the version file (info/version_file.hpp) it
// reads in each language.
#include <span>

#include "core/gui/interface_texts.hpp"
#include "core/messages.hpp"

namespace korvane {

// Rows of frmUpdate. Its German texts are those it was designed with, which a language that is
// still unknown keeps; the version labels without English text get, in either language, the
// own version and its date after VersionPrefix and DatePrefix instead.
std::span<const ControlText> UpdateWindowTexts();

// What a known language shows besides; a language that is still unknown shows none of it.
// Followed by the own version.
inline constexpr MessageText VersionPrefix{"Ihre Version: ", "Your version: "};
// Followed by a date, own or from the web.
inline constexpr MessageText DatePrefix{"vom: ", "of: "};
// Followed by the web version after a download.
inline constexpr MessageText WebVersionPrefix{"Version auf dem Web: ", "Version on the web: "};
inline constexpr MessageText NewerVersion{
    "Es ist eine neuere Version verfügbar! - Hier klicken für Details",
    "A newer version is available! - Click here for details"};
inline constexpr MessageText CurrentVersion{
    "Sie haben die aktuelle Version! - Hier klicken für die Homepage",
    "Your version is current! - Click here to visit the homepage"};
inline constexpr MessageText ConnectionFailed{"Keine Verbindung zur Homepage möglich!",
                                              "No connection to Homepage available!"};
// The info box before a check, lines joined by CR LF.
inline constexpr MessageText UpdateNote{
    "Hinweis:\r\n"
    "Während der Überprüfung müssen Sie mit dem Internet verbunden sein!\r\n"
    "\r\n"
    "Es werden keinerlei Daten von Ihrem PC ins Internet übertragen. Bei der Überprüfung "
    "wird lediglich eine Textdatei mit Informationen über die aktuelle Version von der "
    "Homepage geladen.\r\n"
    "Button klicken um Überprüfung zu starten.",
    "Note:\r\n"
    "You need to be connected to the internet while checking for updates!\r\n"
    "\r\n"
    "No information is sent from your PC. The version check only downloads a text file "
    "from the homepage with the latest version information.\r\n"
    "\r\n"
    "Click the button to start the version check."};

// The keys of the version file that hold the news and the homepage of each language.
inline constexpr MessageText FirstNewsKey{"newsde1", "newsuk1"};
inline constexpr MessageText SecondNewsKey{"newsde2", "newsuk2"};
inline constexpr MessageText HomepageKey{"homepagede", "homepageuk"};

} // namespace korvane
