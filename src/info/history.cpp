#include "info/history.hpp"

#include "core/messages.hpp"

namespace korvane {

namespace {

// The lone double quote at the end of the oldest German entry belongs to the text as shown.
const char* const GermanEntries[] = {
    "26.07.03 - 0.6.0 : Support für F1 Challenge 99-02 (inkl. Quillon Saison 2003) zum "
    "Harmonisierer hinzugefügt.",
    "19.04.03 - 0.5.0 : Grip-Modul implementiert. Wieder neue Homepage sowie viele Änderungen am "
    "Userinterface (z.B. online Update-Check). Neues Setup-Program.",
    "09.12.02 - 0.4.5 : Support für GT Racing 2002 Modifikation. Neue Homepage.",
    "09.09.02 - 0.4.0 : Modularisierung für zukünftige Erweiterungen. Auswahl der Sprache.",
    "21.08.02 - 0.3.0 : Pfad zu F1 2002 wird aus Registry ermittelt falls möglich. Diverse "
    "Kosmetik.",
    "20.08.02 - 0.2.6 : Programm merkt sich auch lange Pfade.",
    "20.08.02 - 0.2.5 : Links zur Homepage aktualisiert. Keine weiteren funtionalen Änderungen.",
    "11.08.02 - 0.2.0 : Auswahl des Masterteams möglich. Programm merkt sich den Pfad zu "
    "F1_2002.exe. Kleine Hilfe eingebaut.",
    "09.08.02 - 0.1.0 : Erste veröffentlichte beta version",
    "xx.xx.02 - < 0.1.0 : Unveröffentlichte Testversionen\"",
};

const char* const EnglishEntries[] = {
    "26.07.03 - 0.6.0 : Added support for F1 Challenge 99-02 (including Quillon season 2003) to "
    "harmonizing module.",
    "19.04.03 - 0.5.0 : Grip module activated. A new homepage again and many changes to the user "
    "interface (e.g. online update-check). New program installer.",
    "09.12.02 - 0.4.5 : Support for GT Racing 2002 modification. New homepage.",
    "09.09.02 - 0.4.0 : Changed to module structure for future extensions. Language selection.",
    "21.08.02 - 0.3.0 : Path to F1 2002 read from registry if possible. User interface cosmetics.",
    "20.08.02 - 0.2.6 : Program remembes also long paths.",
    "20.08.02 - 0.2.5 : Link to homepage updated. No other changes.",
    "11.08.02 - 0.2.0 : Selection of Masterteams possible. Program remembers the path to "
    "F1_2002.exe. Added some help texts.",
    "09.08.02 - 0.1.0 : First public beta version",
    "xx.xx.02 - < 0.1.0 : Non public beta versions",
};

} // namespace

std::span<const char* const> HistoryEntries(Language language) {
    if (language == Language::German) {
        return GermanEntries;
    }
    if (language == Language::English) {
        return EnglishEntries;
    }
    return {};
}

std::string HistoryText(Language language) {
    std::string text;
    for (const char* entry : HistoryEntries(language)) {
        if (!text.empty()) {
            text += CrLf;
            text += CrLf;
        }
        text += entry;
    }
    return text;
}

} // namespace korvane
