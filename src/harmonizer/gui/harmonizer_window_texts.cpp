#include "harmonizer/gui/harmonizer_window_texts.hpp"

#include <array>

namespace korvane {

namespace {

constexpr std::array<ControlText, 13> Texts{{
    {"frmHarmonizer", "Multiplayer Performance Harmonizer", nullptr},
    {"frmAction", "1.) Aktionen wirken auf:", "1.) Actions apply to:"},
    {"LblF1c", "EA F1 Challenge 99-02", nullptr},
    {"LblEASeason02", "EA F1 2002", nullptr},
    {"Label1", "Quillon Season 2002", nullptr},
    {"LblGT2002", "GT Racing 2002 Mod", nullptr},
    {"FrmTeam", "2.) Performance angleichen an:", "2.) \"Masterteam\" for performance:"},
    {"LblSeason", "Saison:", "Season:"},
    {"LblTeam", "Team:", nullptr},
    {"FrameActionGo", "3.) Aktion ausführen:", "3.) Perform action:"},
    {"BtnEqual", "Performance angleichen", "Harmonize performance"},
    {"BtnRestore", "Original Performance wiederherstellen", "Restore original performance"},
    {"BtnQuit", "Zurück zum Auswahlmenü", "Back to main menu"},
}};

} // namespace

std::span<const ControlText> HarmonizerWindowTexts() {
    return Texts;
}

} // namespace korvane
