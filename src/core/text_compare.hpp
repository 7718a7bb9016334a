#pragma once
// Names (INI sections and keys, registry keys, file names, team names) compared as Windows
// compares them: without regard to the letter case of A to Z.
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

inline char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// The one of names that name stands for: the exact name first, otherwise the single one equal to
// it without regard to case. None when nothing matches, or several do and none exactly.
inline std::optional<std::size_t> MatchName(const std::vector<std::string>& names,
                                            const std::string& name) {
    const auto exact = std::find(names.begin(), names.end(), name);
    if (exact != names.end()) {
        return static_cast<std::size_t>(exact - names.begin());
    }
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (EqualNoCase(names[i], name)) {
            if (found) {
                return std::nullopt;
            }
            found = i;
        }
    }
    return found;
}

} // namespace korvane
