// korvane-cli's help in German: the command line is described in English where it is defined,
// and each of those texts is put into German here, by the English text it stands beside.
#include <string_view>

#include "cli/commands.hpp"

namespace korvane::cli {

namespace {

constexpr struct {
    std::string_view english;
    const char* german;
} Texts[] = {
    {"Gives every team the car performance of one master team and replaces the terrain grip "
     "tables of F1 2002 and F1 Challenge 99-02, as the desktop program does; status tells whether "
     "two PCs carry the same files.",
     "Gibt jedem Team die Fahrzeugleistung eines Masterteams und ersetzt die Gripwerte für Gras "
     "und Kies von F1 2002 und F1 Challenge 99-02, wie es das Programm mit Fenster tut; status "
     "sagt, ob zwei PCs dieselben Dateien haben."},
    {"Print this help message and exit", "diese Hilfe zeigen und enden"},
    {"language of the messages (default: the desktop program's choice, else uk)",
     "Sprache der Meldungen (sonst die Wahl des Programms mit Fenster, sonst uk)"},
    {"F1 2002 directory, instead of the detected one",
     "Verzeichnis von F1 2002 statt des erkannten"},
    {"F1 Challenge 99-02 directory, instead of the detected one",
     "Verzeichnis von F1 Challenge 99-02 statt des erkannten"},
    {"print the installation model", "die erkannten Spiele und Komponenten ausgeben"},
    {"instead: every copy of the games found in the registries (on Linux in every Wine prefix), "
     "one a line: where, game, directory, separated by tabs",
     "stattdessen: jede in den Registrierungen gefundene Kopie der Spiele (unter Linux in jedem "
     "Wine-Präfix), eine je Zeile: wo, Spiel, Verzeichnis, durch Tabulatoren getrennt"},
    {"print the team names to choose from, one a line",
     "die wählbaren Teamnamen ausgeben, einen je Zeile"},
    {"teams of the EA 2002 and Quillon seasons", "Teams der EA-2002-Saison und der Quillon-Saison"},
    {"teams of the GT Racing 2002 mod", "Teams des GT-Racing-2002-Mods"},
    {"teams of one F1 Challenge season", "Teams einer Saison von F1 Challenge"},
    {"the season's year", "das Jahr der Saison"},
    {"give every team the performance of one master team",
     "jedem Team die Performance eines Masterteams geben"},
    {"F1 2002: the chosen components, one master team",
     "F1 2002: die gewählten Komponenten, ein Masterteam"},
    {"F1 Challenge 99-02: every season on offer gets one season's master team",
     "F1 Challenge 99-02: jede angebotene Saison bekommt das Masterteam einer Saison"},
    {"the master team", "das Masterteam"},
    {"EA's own 2002 season", "die EA-2002-Saison"},
    {"the Quillon season extension", "die Quillon-Saison"},
    {"the GT Racing 2002 mod (goes with neither of the others)",
     "der GT-Racing-2002-Mod (mit keiner der beiden anderen)"},
    {"the master team's season (year)", "die Saison des Masterteams (Jahr)"},
    {"the master team, as named in that season", "das Masterteam, wie es in dieser Saison heißt"},
    {"put back every team's own performance", "jedem Team seine eigene Performance zurückgeben"},
    {"F1 2002: the chosen components", "F1 2002: die gewählten Komponenten"},
    {"F1 Challenge 99-02: every season on offer", "F1 Challenge 99-02: jede angebotene Saison"},
    {"grass and gravel grip tables", "Gripwerte für Gras und Kies"},
    {"put the shipped grip tables in place", "die mitgelieferten Gripwerte einsetzen"},
    {"put the game's own grip tables back", "die Gripwerte des Spiels zurücklegen"},
    {"per installed component: original, harmonized, optimized or changed, and a fingerprint of "
     "its files",
     "je installierter Komponente: original, angeglichen, optimiert oder geändert, und ein "
     "Fingerabdruck ihrer Dateien"},
    {"a line per file: what it holds, its SHA-256",
     "eine Zeile je Datei: was sie enthält, ihr SHA-256"},
    {"the same as one JSON document", "dasselbe als ein JSON-Dokument"},
    {"the other PC's folder lists (status --folder-lists), to name the files of the game that "
     "differ",
     "die Ordnerlisten des anderen PCs (status --folder-lists), um die abweichenden Dateien des "
     "Spiels zu nennen"},
    {"also write every folder's list of files into this file, for verify --folder-lists on "
     "another PC",
     "zusätzlich die Dateiliste jedes Ordners in diese Datei schreiben, für verify "
     "--folder-lists auf einem anderen PC"},
    {"Korvane's components only: leave out the rest of the game's files",
     "nur Korvanes Komponenten: die übrigen Dateien des Spiels auslassen"},
    {"compare this PC with another PC's report of status --files or status --json, or with the "
     "report of a PC that shares it",
     "diesen PC mit dem Bericht eines anderen PCs vergleichen (von status --files oder status "
     "--json) oder mit dem Bericht eines PCs, der ihn freigibt"},
    {"make this PC like another PC's report with harmonize, restore and grip",
     "diesen PC mit harmonize, restore und grip dem Bericht eines anderen PCs angleichen"},
    {"the report's file, or - for standard input",
     "die Datei des Berichts, oder - für die Standardeingabe"},
    {"instead of REPORT: the PC that shares its report (korvane-cli share), by address, host name "
     "or the name it shares under",
     "statt REPORT: der PC, der seinen Bericht freigibt (korvane-cli share), mit Adresse, "
     "Hostnamen oder dem Namen, unter dem er freigibt"},
    {"print the steps only, change nothing", "nur die Schritte ausgeben, nichts ändern"},
    {"answer the other PCs' hosts and verify --host with this PC's report, and print each verdict "
     "they send back, until Ctrl+C",
     "den anderen PCs auf hosts und verify --host mit dem Bericht dieses PCs antworten und jedes "
     "Ergebnis ausgeben, das sie zurückschicken, bis Strg+C"},
    {"stop after this many seconds", "nach so vielen Sekunden enden"},
    {"list the PCs on the LAN that share their report: name, address, Korvane version, the "
     "report's fingerprint",
     "die PCs im LAN auflisten, die ihren Bericht freigeben: Name, Adresse, Korvane-Version, "
     "Fingerabdruck des Berichts"},
    {"ask this address only (a PC, or another subnet's broadcast address) instead of broadcasting "
     "on every interface",
     "nur diese Adresse fragen (einen PC oder die Broadcast-Adresse eines anderen Subnetzes) "
     "statt eines Broadcasts über jede Schnittstelle"},
    {PortHelp, "der UDP- und TCP-Port des LAN-Checks (sonst 47313)"},
    {"the UDP and TCP port of the LAN check (default 47313); 0: any free one",
     "der UDP- und TCP-Port des LAN-Checks (sonst 47313); 0: irgendein freier"},
    {ExitStatusHelp,
     "Exit-Status: 0 erledigt (verify, match: alles gleich), 1 ein Schritt ist fehlgeschlagen "
     "(verify, match: etwas weicht ab; hosts: kein PC hat geantwortet) oder ein unerwarteter "
     "Fehler, 2 falscher Aufruf, unbekannter Name oder unbekannte Saison, Spiel oder Komponente "
     "nicht installiert, ein Bericht, der sich nicht lesen lässt, oder ein Host, der nicht "
     "erreichbar ist oder ablehnt, ein belegter Port, oder ein anderes laufendes Korvane, während "
     "Dateien geändert werden sollen."},
};

std::string German(const std::string& english) {
    for (const auto& [text, german] : Texts) {
        if (english == text) {
            return german;
        }
    }
    return english;
}

void Translate(CLI::App& app) {
    app.description(German(app.get_description()));
    app.footer(German(app.get_footer()));
    app.group("Befehle");
    for (CLI::Option* option : app.get_options()) {
        option->description(German(option->get_description()));
        option->group("Optionen");
    }
    for (CLI::App* subcommand : app.get_subcommands({})) {
        Translate(*subcommand);
    }
}

} // namespace

void HelpInLanguage(CLI::App& app, Language language) {
    if (language == Language::English) {
        return;
    }
    Translate(app);
    const auto formatter = app.get_formatter();
    for (const auto& [label, german] : {std::pair{"Usage", "Aufruf"},
                                        {"OPTIONS", "OPTIONEN"},
                                        {"SUBCOMMAND", "BEFEHL"},
                                        {"Positionals", "Argumente"},
                                        {"REQUIRED", "NÖTIG"},
                                        {"Excludes", "schließt aus"},
                                        {"Needs", "braucht"}}) {
        formatter->label(label, german);
    }
}

} // namespace korvane::cli
