#include "info/gui/update_texts.hpp"

#include <array>

namespace korvane {

namespace {

constexpr std::array<ControlText, 7> Texts{{
    {"frmUpdate", "Überprüfung auf vorhandenes Update", "Online update check"},
    {"lblCurrentversion", "Ihre Version:", nullptr},
    {"lblCurrentversiondate", "vom:", nullptr},
    {"lblWebversion", "Version auf dem Web: Unbekannt", "Version at website: Unknown"},
    {"lblWebversiondate", "vom: Unbekannt", "of: Unknown"},
    {"BtnCheckUpdate", "Auf neue Version prüfen", "Perform check"},
    {"BtnQuit", "Abbrechen", "Cancel"},
}};

} // namespace

std::span<const ControlText> UpdateWindowTexts() {
    return Texts;
}

} // namespace korvane
