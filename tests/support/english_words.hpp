#pragma once
// English words that give away an untranslated text in German output. Whole words and letter
// case as written, so that German nouns ("Host", "Port") and option names ("--files", "--host")
// do not count.
#include <regex>
#include <string>

namespace korvane::testing {

// The English words in text, separated by spaces; empty when there are none.
inline std::string EnglishWordsIn(const std::string& text) {
    static const std::regex word(
        "(^|[^\\w-])(host|the|cannot|same|differs|season|file|files|answer|answered|connection|"
        "refused|installed|report|here|only|reference|missing|changed|harmonized|fingerprint|"
        "not|no|and|of|is|it|its|with|to|unknown|valid|needs|busy|seconds|see)(?![\\w-])");
    std::string found;
    for (std::sregex_iterator it(text.begin(), text.end(), word), end; it != end; ++it) {
        found.append(found.empty() ? "" : " ").append((*it)[2].str());
    }
    return found;
}

} // namespace korvane::testing
