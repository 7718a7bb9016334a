#pragma once
// What harmonize and restore tell the player, as data.
#include "core/messages.hpp"

namespace korvane::harmonizer_texts {

// {1}: the master team as chosen.
inline constexpr MessageText MasterNotHere{
    "Das Masterteam \"{1}\" gibt es hier nicht.\r\nEs wurde keine Datei verändert!",
    "The master team \"{1}\" is not available here.\r\nNo file was changed!"};
// {1}: the season's index, {2}: the team's.
inline constexpr MessageText InvalidChoice{
    "Ungültige Auswahl (Saison {1}, Team {2}).\r\nEs wurde keine Datei verändert!",
    "Invalid choice (season {1}, Team {2}).\r\nNo file was changed!"};
// The reason given for the master team's backup in the list of failed steps.
inline constexpr MessageText MasterBackupMissing{
    "Sicherung des Masterteams fehlt, keine Datei wurde überschrieben",
    "backup of the master team is missing, no file was overwritten"};

// F1 2002; {1}: a team.
inline constexpr MessageText Harmonized2002{"Performance aller Teams entspricht jetzt der von {1}",
                                            "Performance of all teams is now equal to {1}"};
inline constexpr MessageText NotRestored2002{
    "Konnte Performance für {1} nicht wiederherstellen,\r\nda original Performancedatei fehlt!",
    "Performance of {1} could not be restored,\r\nas original performance file is missing!"};

// F1 Challenge; {1}: a team, {2}: its season's year.
inline constexpr MessageText HarmonizedF1c{
    "Die Performance aller Teams entspricht jetzt\r\nder von {1} in der Saison {2}.",
    "Performance of all teams is now equal\r\nto {1} during season {2}."};
inline constexpr MessageText PerformanceNotRestoredF1c{
    "Konnte Performance für {1} in Saison {2} nicht wiederherstellen,\r\n"
    "da original Performancedatei fehlt!",
    "Performance of {1} in season {2} could not be restored,\r\n"
    "as original performance file is missing!"};
inline constexpr MessageText EngineNotRestoredF1c{
    "Konnte Performance für {1} in Saison {2} nicht wiederherstellen,\r\n"
    "da original engine.ini Datei fehlt!",
    "Performance of {1} in season {2} could not be restored,\r\n"
    "as original engine.ini file is missing!"};

// Both games.
inline constexpr MessageText Restored{"Original Performance erfolgreich wiederhergestellt!",
                                      "Original performance restored successfully!"};

} // namespace korvane::harmonizer_texts
