#include "app/settings.hpp"

#include <system_error>

#include "app/file_system.hpp"
#include "app/ini_file.hpp"

namespace korvane {

std::string Settings::FilePath() const {
    const std::string& dir = FileDirectory();
    const bool endsInSeparator = !dir.empty() && (dir.back() == '\\' || dir.back() == '/');
    return dir + (endsInSeparator ? "" : "\\") + exeBaseName + ".ini";
}

Settings LocateSettings(const std::string& programDir, const std::string& exeBaseName,
                        const std::string& userConfigDir) {
    Settings settings{programDir, exeBaseName};
    if (userConfigDir.empty() || FileExists(settings.FilePath()) || DirectoryWritable(programDir)) {
        return settings;
    }
    settings.userDirectory = userConfigDir;
    std::error_code ec;
    std::filesystem::create_directories(ResolvePath(userConfigDir), ec);
    return settings;
}

std::string ReadSetting(const Settings& settings, const std::string& section, const std::string& key) {
    return ReadIniValue(settings.FilePath(), section, key);
}

int WriteSetting(const Settings& settings, const std::string& section, const std::string& key,
                 const std::string& value) {
    return IniWrite(settings.FilePath(), section, key, value) ? 1 : 0;
}

std::string ReadIniValue(const std::string& fileText, const std::string& section, const std::string& key) {
    return IniRead(fileText, section, key, Unknown, IniBufferSize);
}

std::string MailtoTarget(const std::string& address, const std::string& subject) {
    return "mailto:" + address + (subject.empty() ? "" : "?subject=" + subject);
}

} // namespace korvane
