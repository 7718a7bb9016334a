#include "core/language.hpp"

#include "core/settings.hpp"

namespace korvane {

Language LanguageOfCode(const std::string& code) {
    return code == "de" ? Language::German : code == "uk" ? Language::English : Language::Unknown;
}

const char* CodeOf(Language language) {
    switch (language) {
    case Language::German:
        return "de";
    case Language::English:
        return "uk";
    case Language::Unknown:
        break;
    }
    return Unknown;
}

} // namespace korvane
