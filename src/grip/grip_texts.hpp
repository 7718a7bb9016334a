#pragma once
// What the grip module tells the player, as data.
#include "core/messages.hpp"

namespace korvane::grip_texts {

inline constexpr MessageText Applied{"Gripwerte erfolgreich modifiziert",
                                     "Grip values adjusted successfully"};
inline constexpr MessageText Restored{"Gripwerte erfolgreich wiederhergestellt",
                                      "Original grip values restored successfully"};
inline constexpr MessageText NotRestoredEA{
    "Gripwerte fuer EA konnten mangels fehlender terrain.org nicht wiederhergestellt werden",
    "Grip values could not be restored for EA as terrain.org was missing"};
inline constexpr MessageText NotRestoredQL{
    "Gripwerte fuer Quillon konnten mangels fehlender terrain.org nicht wiederhergestellt werden",
    "Grip values could not be restored for Quillon as terrain.org was missing"};

} // namespace korvane::grip_texts
