#include "info/update_texts.hpp"

#include <algorithm>
#include <regex>

#include "app/file_system.hpp"
#include "app/user_dirs.hpp"

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

const UpdateTexts* UpdateTextsFor(const std::string& languageCode) {
    if (languageCode == "de") {
        return &GermanTexts;
    }
    if (languageCode == "uk") {
        return &EnglishTexts;
    }
    return nullptr;
}

std::string VersionFilePath(const Settings& settings) {
    const std::string& settingsDir = settings.FileDirectory();
    std::string path = DirectoryWritable(settingsDir) ? settingsDir : TemporaryDirectory();
    if (path.empty() || (path.back() != '\\' && path.back() != '/')) {
        path += '\\';
    }
    return path + VersionFileName;
}

std::string ReadVersionFileKey(const std::string& localPath, const std::string& key) {
    return ReadIniValue(localPath, VersionFileSection, key);
}

bool IsWebPageAddress(const std::string& address) {
    // The scheme, then a host name or address with an optional port, then an optional path.
    // Nothing else stands where the host belongs: no user name or password, no "\\server".
    static const std::regex webPage(
        R"(https?://([a-z0-9.-]+|\[[0-9a-f:.]+\])(:[0-9]{1,5})?([/?#].*)?)", std::regex::icase);
    // Nothing that a shell could split into a command line, and no NUL that would cut it short.
    const bool plain = std::none_of(address.begin(), address.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7f || c == '"';
    });
    return plain && std::regex_match(address, webPage);
}

} // namespace korvane
