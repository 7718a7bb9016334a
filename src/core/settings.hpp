#pragma once
// The settings file: named after the executable, lying beside it, or in the user's configuration
// directory where the file beside it cannot be written. Nothing is cached.
#include <string>

#include "core/messages.hpp"
#include "core/result.hpp"

namespace korvane {

inline constexpr const char* Unknown = "unknown";

// An entry of the settings file. Every entry the program reads or writes is one of these.
struct SettingKey {
    const char* section;
    const char* key;
};
inline constexpr SettingKey F1PathSetting{"config", "f1path"};     // F1 2002's game directory
inline constexpr SettingKey F1cPathSetting{"config", "f1cpath"};   // F1 Challenge's game directory
inline constexpr SettingKey LanguageSetting{"config", "language"}; // "de" or "uk"
inline constexpr SettingKey LastHostSetting{"config", "lasthost"}; // the LAN check's last host
inline constexpr SettingKey VersionDateSetting{"version", "date"}; // date of the last update check

struct Settings {
    std::string directory;               // the program's directory
    std::string exeBaseName = "korvane"; // the executable's name without extension
    std::string userDirectory{};         // when set, the file lies there instead
    bool toldNotKept = false;            // the player was told a choice could not be stored

    // The directory of the settings file, which is also where the program may write.
    const std::string& FileDirectory() const {
        return userDirectory.empty() ? directory : userDirectory;
    }
    // FileDirectory() + "\" (unless it already ends in a separator) + exeBaseName + ".ini"
    std::string FilePath() const;
};

// One file to read and to write: beside the program when the file there can be written, or made
// (portable use, a copy on a USB stick); otherwise in userConfigDir, so that a file beside the
// program that only an administrator can write (left by one run as administrator below
// "C:\Program Files") does not hide the user's own. When neither can be written, an existing file
// beside the program is at least read. Without a userConfigDir the file stays beside the program.
// Decided from what exists and its access rights: nothing is made or written here, so that
// commands that only look write nothing.
Settings LocateSettings(const std::string& programDir, const std::string& exeBaseName,
                        const std::string& userConfigDir);

std::string ReadSetting(const Settings& settings, SettingKey key);
// Makes the settings file's directory when it is missing.
FileResult WriteSetting(const Settings& settings, SettingKey key, const std::string& value);
// Stores a choice of the player's. When the settings file cannot be written, the choice holds only
// until the program ends, and the player is told so once a run: in German unless language is
// English, so that no language leaves the text unshown. True when the choice was stored.
bool KeepSetting(Settings& settings, MessageSink& sink, Language language, SettingKey key,
                 const std::string& value);
// Any INI file, 1024-character buffer, default "unknown".
std::string ReadIniValue(const std::string& fileText, const std::string& section,
                         const std::string& key);

// "mailto:" + address, and "?subject=" + subject only when the subject is not empty.
std::string MailtoTarget(const std::string& address, const std::string& subject);

} // namespace korvane
