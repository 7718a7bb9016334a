#include "app/language.hpp"

#include <array>

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

void SetLanguage(AppState& state, MessageSink& sink, const std::string& code) {
    state.languageCode = code;
    KeepSetting(state.settings, sink, code, "config", "language", code);
}

} // namespace korvane
