#pragma once
// Path texts as the games, the registry and the settings file hold them: either separator may
// appear on either system (a Windows path read under Wine, a path typed on Linux).
#include <algorithm>
#include <string>
#include <string_view>

namespace korvane {

inline bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

inline bool EndsInSeparator(std::string_view path) {
    return !path.empty() && IsSeparator(path.back());
}

// A path text as this system writes paths, for what the player reads: a game directory ends in
// whatever separator it was given and the games name their files with backslashes, so a path
// text mixes both until it is shown.
inline std::string ShownPath(std::string path) {
#ifdef _WIN32
    std::replace(path.begin(), path.end(), '/', '\\');
#else
    std::replace(path.begin(), path.end(), '\\', '/');
#endif
    return path;
}

} // namespace korvane
