#include "info/version.hpp"

#include "core/settings.hpp"

namespace korvane {

namespace {

// One decimal digit per component; anything else, or nothing, counts as 0.
int DigitAt(const std::string& text, std::size_t position) {
    if (position >= text.size() || text[position] < '0' || text[position] > '9') {
        return 0;
    }
    return text[position] - '0';
}

} // namespace

std::string VersionNumber() {
    return std::to_string(VersionMajor) + "." + std::to_string(VersionMinor) + "." +
           std::to_string(VersionRevision);
}

std::string VersionText() { return "Version " + VersionNumber(); }

bool IsVersionTextNewer(const std::string& webVersion) {
    const int major = DigitAt(webVersion, 0);
    const int minor = DigitAt(webVersion, 2);
    const int revision = webVersion.empty() ? 0 : DigitAt(webVersion, webVersion.size() - 1);
    if (major != VersionMajor) {
        return major > VersionMajor;
    }
    if (minor != VersionMinor) {
        return minor > VersionMinor;
    }
    return revision > VersionRevision;
}

bool IsWebVersionNewer(const std::string& versionFileText) {
    return IsVersionTextNewer(ReadIniValue(versionFileText, "version", "version"));
}

} // namespace korvane
