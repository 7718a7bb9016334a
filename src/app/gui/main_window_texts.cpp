#include "app/gui/main_window_texts.hpp"

#include <array>

#include "core/messages.hpp"

namespace korvane {

namespace {

constexpr std::array<ControlText, 19> MainTexts{{
    {"frmMain", MainWindowTitle, nullptr},
    {"FrameStatus", "Pfad zu \"F1_2002.exe\" festlegen...",
     "Please select the path to \"F1_2002.exe\" ..."},
    {"FrameStatusF1c", "Pfad zu \"F1 Challenge 99-02.exe\" festlegen...",
     "Please select the path to \"F1 Challenge 99-02.exe\" ..."},
    {"BtnBrowse", "Suchen", "browse"},
    {"BtnBrowseF1c", "Suchen", "browse"},
    {"frmModul", "Bitte Modul auswählen ...", "Please select a module..."},
    {"BtnHarmonize", "Multiplayer Performance anpassen", "Multiplayer Performance Harmonizer"},
    {"BtnGripModul", "Gripwerte für Gras und Kies verändern",
     "Change grip settings for grass and gravel"},
    {"LblInfo", "Mauszeiger auf einen Modulbutton bewegen für Erläuterungen zum Modul ...",
     "Move mouse onto a module button for explanation ..."},
    {"mnuFileLanCheck", "&LAN-Check ...", "LAN check ..."},
    {"mnuFileExit", "Be&enden", "Quit program"},
    {"mnuFile", "&Datei", "File"},
    {"mnuView", "&Ansicht", "View"},
    {"mnuViewChangeLang", "Sprache wechseln", "Change Language"},
    {"mnuHelp", "&Hilfe", "Help"},
    {"mnuUpdate", "&Suche nach neuer Version ...", "Check for new version ..."},
    {"mnuHomepage", "&Homepage besuchen ...", "Visit the homepage ..."},
    {"mnuHistory", "&Historie...", "History..."},
    {"mnuHelpAbout", "&Über Korvane", "About Korvane"},
}};

// Paragraphs joined by the given separators; parts[i] is followed by breaks[i] line breaks.
template <std::size_t N>
std::string Join(const std::array<const char*, N>& parts, const std::array<int, N>& breaks) {
    std::string text;
    for (std::size_t i = 0; i < N; ++i) {
        text += parts[i];
        for (int b = 0; b < breaks[i]; ++b) {
            text += CrLf;
        }
    }
    return text;
}

} // namespace

std::span<const ControlText> MainWindowTexts() {
    return MainTexts;
}

std::string HarmonizerInstructionText(Language language) {
    if (language == Language::German) {
        return Join<5>(
            {"Als erstes auswählen für welche Komponente(n) die Performance angeglichen werden "
             "soll.",
             "EA 2002/Quillon update und GT Mod können nicht gleichzeitig ausgewählt werden.",
             "Dann das Masterteam und ggf. die Saison (nur für F1 Challenge) auswählen. Die "
             "Performance aller Teams (und ggf. aller Saisons) wird an das Masterteam angeglichen.",
             "Nun noch ein Klick auf PERFORMANCE ANGLEICHEN und das war es.",
             "Mit einem Klick auf ORIGINAL PERFORMANCE WIEDERHERSTELLEN werden die "
             "Performancewerte, die vor der Benutzung des Programms eingestellt waren wieder "
             "hergestellt."},
            {1, 2, 2, 2, 1});
    }
    if (language == Language::English) {
        return Join<4>(
            {"First choose the component that the action should apply to (F1 Challenge, "
             "Original EA 2002, Quillon update for EA 2002 or GT Racing 2002 mod for EA 2002)",
             "Next choose your master-team and if needed the season (only for F1 Challenge). All "
             "teams and all seasons will be changed to the performance of that team.",
             "One click on HARMONIZE PERFORMANCE and that is all.",
             "With one click on the button RESTORE ORIGINAL PERFORMANCE the performance will be "
             "restored to the values you had before using the program."},
            {2, 2, 2, 1});
    }
    return "";
}

std::string GripInstructionText(Language language) {
    if (language == Language::German) {
        return Join<4>(
            {"Dieses Modul verändert die Gripwerte für Gras und Kies damit man dort nicht genauso "
             "schnell fahren kann wie auf der Strecke (und es wird dort \"holpriger\").",
             "Sofern Ihr die Season 2002 Erweiterung von Quillon installiert habt könnt Ihr "
             "auswählen, ob die Änderungen auch dafür gelten sollen.",
             "Nun noch ein Klick auf GRIPWERTE ÄNDERN und das war es (alle Änderungen die Ihr "
             "evtl. manuell an der terrain.ini vorgenommen habt werden vorübergehend "
             "deaktiviert.)",
             "Mit einem Klick auf ORIGINAL GRIPWERTE WIEDERHERSTELLEN werden die Gripwerte, die "
             "Ihr vor der Benutzung des Programms hattet wieder eingestellt."},
            {2, 2, 1, 1});
    }
    if (language == Language::English) {
        return Join<4>(
            {"This module changes the grip values for gras and gravel in a way that you can´t "
             "drive on them with the same speed as on the lane (and Gras and Gravel will be more "
             "bumpy).",
             "If you have installed the  Season 2002 update developed by Quillon you can select "
             "if those changes should also apply for it.",
             "One click on APPLY OPTIMIZED GRIP SETTINGS and that is all (all changes that you "
             "might have made manually to terrain.ini will be temporary disabled).",
             "With one click on the button RESTORE ORIGINAL GRIP SETTINGS the grip will be "
             "restored to the values you had before using the program."},
            {2, 2, 1, 1});
    }
    return "";
}

std::string HarmonizerOverviewText(Language language) {
    if (language == Language::German) {
        return Join<4>(
            {"Mit diesem Modul kann die Performance aller mitfahrenden Teams auf einen "
             "einheitlichen Wert (den des Masterteams) gesetzt werden.",
             "Dies ist nützlich, wenn man z.B. auf Lan-Parties mit mehreren verschiedenen Teams "
             "fahren will, aber trotzdem alle die gleichen Chancen haben sollen.",
             "Das Modul muß auf jedem PC der im LAN mitfährt ausgeführt werden, allerdings nur "
             "einmalig.",
             "Die Performancewerte bleiben erhalten bis Ihr die Werte mit dem Programm wieder "
             "zurücksetzt (oder natürlich F1 2002 neu installiert)."},
            {2, 2, 1, 0});
    }
    if (language == Language::English) {
        return Join<4>(
            {"This module allows to set all teams to equal performance levels.",
             "This can be useful for LAN parties where participants want to drive different "
             "teams but still all should have equal performance.",
             "The program needs to be executed on all participating PC´s - but only once.",
             "The performance values will stay the same until you reset them with the modul (or "
             "until you re-install F1 2002 of course)."},
            {2, 2, 2, 0});
    }
    return "";
}

std::string GripOverviewText(Language language) {
    if (language == Language::German) {
        return Join<4>(
            {"Mit diesem Modul können die Gripwerte sowie die \"Holprigkeit\" für Gras und Kies "
             "verändert werden.",
             "Damit wird erreicht, daß man auf Gras und Kies nicht mehr genauso schnell ist wie "
             "auf der Strecke.",
             "Somit werden absichtliche oder unfreiwillige Abkürzungen zeitmässig stärker "
             "\"bestraft\".",
             "Die Änderungen können mit einem Mausclick wieder rückgängig gemacht werden."},
            {2, 2, 2, 0});
    }
    if (language == Language::English) {
        return Join<4>(
            {"This module allows you to easily change the grip values and bumpyness for gras and "
             "gravel.",
             "With those changes you will be slower on gras and gravel than on the lane.",
             "The result is that you will not be able to cheat as easy by taking shortcuts onto "
             "the gras.",
             "The changes can be undone with one mouse click."},
            {2, 2, 2, 0});
    }
    return "";
}

const char* ModulePromptText(Language language) {
    if (language == Language::German) {
        return MainTexts[8].german;
    }
    if (language == Language::English) {
        return MainTexts[8].english;
    }
    return nullptr;
}

} // namespace korvane
