#pragma once
// The settings file: named after the executable, lying beside it, or in the user's configuration
// directory where the program's directory cannot be written. Sections "config" ("f1path",
// "f1cpath", "language") and "version" ("date"). Nothing is cached.
#include <string>

namespace korvane {

inline constexpr const char* Unknown = "unknown";

struct Settings {
    std::string directory;                // the program's directory
    std::string exeBaseName = "korvane";  // the executable's name without extension
    std::string userDirectory{};          // when set, the file lies there instead

    // The directory of the settings file, which is also where the program may write.
    const std::string& FileDirectory() const {
        return userDirectory.empty() ? directory : userDirectory;
    }
    // FileDirectory() + "\" (unless it already ends in a separator) + exeBaseName + ".ini"
    std::string FilePath() const;
};

// Beside the program when a settings file lies there or the program's directory can be written
// (portable use); otherwise in userConfigDir, which is made when missing. Without a
// userConfigDir the file stays beside the program.
Settings LocateSettings(const std::string& programDir, const std::string& exeBaseName,
                        const std::string& userConfigDir);

std::string ReadSetting(const Settings& settings, const std::string& section, const std::string& key);
// Nonzero on success; the callers in this program ignore it.
int WriteSetting(const Settings& settings, const std::string& section, const std::string& key,
                 const std::string& value);
// Any INI file, 1024-character buffer, default "unknown".
std::string ReadIniValue(const std::string& fileText, const std::string& section, const std::string& key);

// "mailto:" + address, and "?subject=" + subject only when the subject is not empty.
std::string MailtoTarget(const std::string& address, const std::string& subject);

} // namespace korvane
