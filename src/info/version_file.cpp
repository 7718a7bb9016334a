#include "info/version_file.hpp"

#include <algorithm>
#include <regex>

#include "core/file_system.hpp"
#include "core/path_text.hpp"
#include "core/settings.hpp"
#include "core/user_dirs.hpp"

namespace korvane {

std::string VersionFilePath(const Settings& settings) {
    const std::string& settingsDir = settings.FileDirectory();
    std::string path = DirectoryWritable(settingsDir) ? settingsDir : TemporaryDirectory();
    if (!EndsInSeparator(path)) {
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
