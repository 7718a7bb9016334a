#pragma once
// Path texts as the games, the registry and the settings file hold them: either separator may
// appear on either system (a Windows path read under Wine, a path typed on Linux).
#include <string_view>

namespace korvane {

inline bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

inline bool EndsInSeparator(std::string_view path) {
    return !path.empty() && IsSeparator(path.back());
}

} // namespace korvane
