#pragma once
// The interface language: chosen once in the language chooser, kept in the settings file.
#include <span>
#include <string>

#include "app/app_state.hpp"
#include "app/interface_texts.hpp"

namespace korvane {

// Rows of frmLanguage; the chooser looks the same in both languages.
std::span<const ControlText> LanguageChooserTexts();

// Shown after German was chosen from the View menu, German whatever the language was.
inline constexpr const char* RestartForGermanMessage =
    "Programm jetzt bitte neu starten für deutsches Userinterface.";

// Takes the code for this run and stores it for the next start (see KeepSetting).
void SetLanguage(AppState& state, MessageSink& sink, const std::string& code);

} // namespace korvane
