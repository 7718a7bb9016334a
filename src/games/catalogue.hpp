#pragma once
// The fixed set of teams, cars and seasons the harmonizer works on. Every table is indexed
// from 1; slot 0 is empty. An index outside a table's declared range throws std::out_of_range.
#include <string>
#include <vector>

namespace korvane {

inline constexpr int Teams2002Count = 11;
inline constexpr int TeamsGTR2002Count = 24;
inline constexpr int SeasonsF1cCount = 5;
inline constexpr int TeamsF1cMax = 11;

const std::string& Teams2002(int i);         // 0..11
const std::string& TeamsGTR2002(int i);      // 0..24
const std::string& CarsGTR2002(int i);       // 0..24
const std::string& SeasonsF1c(int s);        // 0..5
const std::string& TeamsF1c(int s, int t);   // 0..5 x 0..11
const std::string& CarDirsF1c(int s, int t); // 0..5 x 0..11

// A table's names in order, from index 1: the teams of F1 2002's seasons, of the GT mod, of an
// F1 Challenge season; the F1 Challenge seasons on offer.
std::vector<std::string> TeamNames2002();
std::vector<std::string> TeamNamesGTR2002();
std::vector<std::string> TeamNamesF1c(int season);
std::vector<std::string> SeasonNamesF1c(bool hasF1cQL2003);

// 10 teams in season 5 ("2003"), 11 in the others.
int TeamCountF1c(int season);
// 5 when the Quillon 2003 cars are installed, otherwise 4.
int LastSeasonF1c(bool hasF1cQL2003);

} // namespace korvane
