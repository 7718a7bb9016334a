#pragma once
// The interface language: chosen once in the language chooser, kept in the settings file as the
// code "de" or "uk". Inside the program it is a Language; the code appears only where it is
// stored, read or given on the command line.
#include <string>

namespace korvane {

// Unknown until the player chose: operations then show no closing text, only their failures
// (in German, so that none goes unseen). A code other than "de" and "uk" is Unknown as well.
enum class Language { Unknown, German, English };

Language LanguageOfCode(const std::string& code);
// "de", "uk" or "unknown", as the settings file holds it.
const char* CodeOf(Language language);

} // namespace korvane
