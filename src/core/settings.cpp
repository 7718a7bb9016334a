#include "core/settings.hpp"

#include <system_error>

#include "core/file_system.hpp"
#include "core/ini_file.hpp"
#include "core/path_text.hpp"

namespace korvane {

std::string Settings::FilePath() const {
    const std::string& dir = FileDirectory();
    return dir + (EndsInSeparator(dir) ? "" : "\\") + exeBaseName + ".ini";
}

namespace {

// {1}: the settings file.
constexpr MessageText NotKept{
    "Korvane kann seine Einstellungsdatei nicht schreiben\r\n{1}\r\n"
    "Ihre Auswahl gilt nur, bis Korvane beendet wird.",
    "Korvane cannot write its settings file\r\n{1}\r\nYour choice holds only until Korvane is "
    "closed."};

// IniWrite puts a new file beside the old one and renames it over it, and refuses a read-only file.
// A directory still missing is made with the first setting stored (WriteSetting): the nearest one
// above it that exists must take it.
bool CanWrite(const Settings& settings) {
    std::string dir = settings.FileDirectory();
    while (!PathExists(dir) && dir.find_last_of("\\/") != std::string::npos) {
        dir.erase(dir.find_last_of("\\/"));
    }
    if (!DirectoryWritable(dir)) {
        return false;
    }
    std::error_code ec;
    const auto status = std::filesystem::status(ResolvePath(settings.FilePath()), ec);
    return !std::filesystem::exists(status) ||
           (status.permissions() & std::filesystem::perms::owner_write) !=
               std::filesystem::perms::none;
}

} // namespace

Settings LocateSettings(const std::string& programDir, const std::string& exeBaseName,
                        const std::string& userConfigDir) {
    const Settings beside{programDir, exeBaseName};
    if (userConfigDir.empty() || CanWrite(beside)) {
        return beside;
    }
    const Settings user{programDir, exeBaseName, userConfigDir};
    return CanWrite(user) || !FileExists(beside.FilePath()) ? user : beside;
}

std::string ReadSetting(const Settings& settings, SettingKey key) {
    return ReadIniValue(settings.FilePath(), key.section, key.key);
}

FileResult WriteSetting(const Settings& settings, SettingKey key, const std::string& value) {
    std::error_code ec;
    std::filesystem::create_directories(ResolvePath(settings.FileDirectory()), ec);
    return IniWrite(settings.FilePath(), key.section, key.key, value);
}

bool KeepSetting(Settings& settings, MessageSink& sink, Language language, SettingKey key,
                 const std::string& value) {
    if (WriteSetting(settings, key, value).ok()) {
        return true;
    }
    if (!settings.toldNotKept) {
        settings.toldNotKept = true;
        sink.Show(TextIn(language, NotKept, {settings.FilePath()}));
    }
    return false;
}

std::string ReadIniValue(const std::string& fileText, const std::string& section,
                         const std::string& key) {
    return IniRead(fileText, section, key, Unknown, IniBufferSize);
}

std::string MailtoTarget(const std::string& address, const std::string& subject) {
    return "mailto:" + address + (subject.empty() ? "" : "?subject=" + subject);
}

} // namespace korvane
