#pragma once
// The interface language: chosen once in the language chooser, kept in the settings file as the
// code "de" or "uk". Inside the program it is a Language; the code appears only where it is
// stored, read or given on the command line.
#include <span>
#include <string>

#include "app/interface_texts.hpp"

namespace korvane {

struct AppState;
class MessageSink;

// Unknown until the player chose: operations then show no closing text, only their failures
// (in German, so that none goes unseen). A code other than "de" and "uk" is Unknown as well.
enum class Language { Unknown, German, English };

Language LanguageOfCode(const std::string& code);
// "de", "uk" or "unknown", as the settings file holds it.
const char* CodeOf(Language language);

// Rows of frmLanguage; the chooser looks the same in both languages.
std::span<const ControlText> LanguageChooserTexts();

// Shown after German was chosen from the View menu, German whatever the language was.
inline constexpr const char* RestartForGermanMessage =
    "Programm jetzt bitte neu starten für deutsches Userinterface.";

// Takes the language for this run and stores its code for the next start (see KeepSetting).
void SetLanguage(AppState& state, MessageSink& sink, Language language);

} // namespace korvane
