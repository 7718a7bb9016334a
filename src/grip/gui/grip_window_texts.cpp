#include "grip/gui/grip_window_texts.hpp"

#include <array>

namespace korvane {

namespace {

constexpr std::array<ControlText, 7> Texts{{
    {"frmGrip", "Grip von Gras und Kies ändern", "Change grip for gras and gravel"},
    {"frmAction", "Aktionen wirken auf:", "Actions apply to..."},
    {"LblEASeason02", "EA F1 2002", nullptr},
    {"Label1", "Quillon Season 2002", nullptr},
    {"BtnEqual", "Gripwerte optimieren", "Apply optimized grip settings"},
    {"BtnRestore", "Original Gripwerte wiederherstellen", "Restore original grip settings"},
    {"BtnQuit", "Zurück zum Auswahlmenü", "Back to main menu"},
}};

} // namespace

std::span<const ControlText> GripWindowTexts() {
    return Texts;
}

} // namespace korvane
