#include "app/settings.hpp"

#include "app/ini_file.hpp"

namespace korvane {

std::string Settings::FilePath() const {
    const bool endsInSeparator =
        !directory.empty() && (directory.back() == '\\' || directory.back() == '/');
    return directory + (endsInSeparator ? "" : "\\") + exeBaseName + ".ini";
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
