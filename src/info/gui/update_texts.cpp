#include "info/gui/update_texts.hpp"

namespace korvane {

namespace {

const UpdateTexts GermanTexts{
    .caption = "Überprüfung auf vorhandenes Update",
    .checkButton = "Auf neue Version prüfen",
    .quitButton = "Abbrechen",
    .versionPrefix = "Ihre Version: ",
    .datePrefix = "vom: ",
    .webVersionBeforeCheck = "Version auf dem Web: Unbekannt",
    .webDateBeforeCheck = "vom: Unbekannt",
    .webVersionPrefix = "Version auf dem Web: ",
    .newerVersion = "Es ist eine neuere Version verfügbar! - Hier klicken für Details",
    .currentVersion = "Sie haben die aktuelle Version! - Hier klicken für die Homepage",
    .connectionFailed = "Keine Verbindung zur Homepage möglich!",
    .note = "Hinweis:\r\n"
            "Während der Überprüfung müssen Sie mit dem Internet verbunden sein!\r\n"
            "\r\n"
            "Es werden keinerlei Daten von Ihrem PC ins Internet übertragen. Bei der Überprüfung "
            "wird lediglich eine Textdatei mit Informationen über die aktuelle Version von der "
            "Homepage geladen.\r\n"
            "Button klicken um Überprüfung zu starten.",
    .firstNewsKey = "newsde1",
    .secondNewsKey = "newsde2",
    .homepageKey = "homepagede",
};

const UpdateTexts EnglishTexts{
    .caption = "Online update check",
    .checkButton = "Perform check",
    .quitButton = "Cancel",
    .versionPrefix = "Your version: ",
    .datePrefix = "of: ",
    .webVersionBeforeCheck = "Version at website: Unknown",
    .webDateBeforeCheck = "of: Unknown",
    .webVersionPrefix = "Version on the web: ",
    .newerVersion = "A newer version is available! - Click here for details",
    .currentVersion = "Your version is current! - Click here to visit the homepage",
    .connectionFailed = "No connection to Homepage available!",
    .note = "Note:\r\n"
            "You need to be connected to the internet while checking for updates!\r\n"
            "\r\n"
            "No information is sent from your PC. The version check only downloads a text file "
            "from the homepage with the latest version information.\r\n"
            "\r\n"
            "Click the button to start the version check.",
    .firstNewsKey = "newsuk1",
    .secondNewsKey = "newsuk2",
    .homepageKey = "homepageuk",
};

} // namespace

const UpdateTexts* UpdateTextsFor(Language language) {
    if (language == Language::German) {
        return &GermanTexts;
    }
    if (language == Language::English) {
        return &EnglishTexts;
    }
    return nullptr;
}

} // namespace korvane
