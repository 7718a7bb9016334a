#include "app/language.hpp"

#include <array>

#include "app/app_state.hpp"

namespace korvane {

namespace {

constexpr std::array<ControlText, 3> ChooserTexts{{
    {"frmLanguage", "Choose your language:", nullptr},
    // The leading spaces leave room for the flag lying on the button.
    {"CmdLangUK", "      English", nullptr},
    {"CmdLangDE", "      Deutsch", nullptr},
}};

} // namespace

std::span<const ControlText> LanguageChooserTexts() {
    return ChooserTexts;
}

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

void SetLanguage(AppState& state, MessageSink& sink, Language language) {
    state.language = language;
    KeepSetting(state.settings, sink, language, "config", "language", CodeOf(language));
}

} // namespace korvane
