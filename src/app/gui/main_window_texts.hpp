#pragma once
// The texts of the main window and of the module explanations it shows, as data. Texts that
// depend on the language give, while it is unknown, empty text (or nullptr where the caller must
// keep what it shows).
#include <span>
#include <string>

#include "core/gui/interface_texts.hpp"
#include "core/language.hpp"

namespace korvane {

// Shown after German was chosen from the View menu, German whatever the language was.
inline constexpr const char* RestartForGermanMessage =
    "Programm jetzt bitte neu starten für deutsches Userinterface.";

// Rows of frmMain: German texts it is created with, English texts set over them.
std::span<const ControlText> MainWindowTexts();

inline constexpr const char* MainWindowTitle = "Korvane";
inline constexpr const char* StatusPanelStart = "Status";
// Shown after an executable was picked, German in both languages.
inline constexpr const char* StatusPanelChooseAction = "Bitte Aktion wählen ...";

// The file dialogs stay German in both languages.
inline constexpr const char* BrowseF1Title = "F1_2002.exe auswählen ...";
inline constexpr const char* BrowseF1FilterName = "F1_2002.exe";
inline constexpr const char* BrowseF1FilterPattern = "f1_2002.exe";
inline constexpr const char* BrowseF1cTitle = "F1 Challenge 99-02.exe auswählen ...";
inline constexpr const char* BrowseF1cFilterName = "F1 Challenge 99-02.exe";
inline constexpr const char* BrowseF1cFilterPattern = "f1 challenge 99-02.exe";

// Put into LblHarmonizerInfo of the module windows when they open.
std::string HarmonizerInstructionText(Language language);
std::string GripInstructionText(Language language);

// Shown on LblInfo while the mouse rests on a module button.
std::string HarmonizerOverviewText(Language language);
std::string GripOverviewText(Language language);
// Shown on LblInfo when the mouse is back on the module frame; nullptr: keep the label's text.
const char* ModulePromptText(Language language);


// The splash is shown before the language is known, so it has one set of texts.
inline constexpr const char* SplashProductName = "Korvane";
inline constexpr const char* SplashMakerName = "Korvane Team's";

} // namespace korvane
