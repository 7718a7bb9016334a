#include "games/catalogue.hpp"

#include <functional>

#include <array>
#include <stdexcept>

namespace korvane {

namespace {

using Row = std::array<std::string, TeamsF1cMax + 1>;

const std::array<std::string, Teams2002Count + 1> teams2002 = {
    "",        "Arrows",  "Bar",     "Ferrari", "Jaguar", "Jordan",
    "McLaren", "Minardi", "Renault", "Sauber",  "Toyota", "Williams"};

const std::array<std::string, TeamsGTR2002Count + 1> teamsGTR2002 = {"",
                                                                     "Alda Motorsports",
                                                                     "Alexander Frei",
                                                                     "APP RACING",
                                                                     "Automotive Racing Team",
                                                                     "Autorlando",
                                                                     "BMS Scuderia Italia",
                                                                     "Carsport Holland",
                                                                     "Cirtek Motorsports",
                                                                     "Dart Racing",
                                                                     "Force One-Italtecnica",
                                                                     "Freisinger Motorsports",
                                                                     "Henrik Roos Racing",
                                                                     "JMB Competition",
                                                                     "Jvg Racing",
                                                                     "Larbre Competition-Chereau",
                                                                     "Lister Storm",
                                                                     "Mac Racing",
                                                                     "Paul Belmondo competition",
                                                                     "Proton Competition",
                                                                     "PSI MOTORSPORT",
                                                                     "Reiter Engineering",
                                                                     "Rws Motorsport",
                                                                     "System Force",
                                                                     "Widi Racing"};

const std::array<std::string, TeamsGTR2002Count + 1> carsGTR2002 = {"",
                                                                    "993GT2_dunlop",
                                                                    "Diablo_pirelli",
                                                                    "996GT2_dunlop",
                                                                    "viperGT_pirelli",
                                                                    "996GT3_Pirelli",
                                                                    "BMS550_michelin",
                                                                    "viperGT_pirelli",
                                                                    "996GT3_dunlop",
                                                                    "550_pirelli",
                                                                    "550_michelin",
                                                                    "996GT3_dunlop",
                                                                    "ViperGT_dunlop",
                                                                    "360_pirelli",
                                                                    "996GT3_Pirelli",
                                                                    "viperGT_michelin",
                                                                    "Lister_dunlop",
                                                                    "996GT3_dunlop",
                                                                    "viperGT_pirelli",
                                                                    "993GT2_yokohama",
                                                                    "996GT2_dunlop",
                                                                    "Diablo_dunlop",
                                                                    "996GT3_Pirelli",
                                                                    "996GT3_Pirelli",
                                                                    "lm600_dunlop"};

const std::array<std::string, SeasonsF1cCount + 1> seasonsF1c = {"",     "1999", "2000",
                                                                 "2001", "2002", "2003"};

const std::array<Row, SeasonsF1cCount + 1> teamsF1c = {{
    {},
    {"", "Arrows", "BAR", "Benetton", "Ferrari", "Jordan", "McLaren", "Minardi", "Prost", "Sauber",
     "Stewart", "Williams"},
    {"", "Arrows", "BAR", "Benetton", "Ferrari", "Jaguar", "Jordan", "McLaren", "Minardi", "Prost",
     "Sauber", "Williams"},
    {"", "Arrows", "BAR", "Benetton", "Ferrari", "Jaguar", "Jordan", "McLaren", "Minardi", "Prost",
     "Sauber", "Williams"},
    {"", "Arrows", "BAR", "Ferrari", "Jaguar", "Jordan", "McLaren", "Minardi", "Renault", "Sauber",
     "Toyota", "Williams"},
    {"", "BAR", "Ferrari", "Jaguar", "Jordan", "McLaren", "Minardi", "Renault", "Sauber", "Toyota",
     "Williams", ""},
}};

const std::array<Row, SeasonsF1cCount + 1> carDirsF1c = {{
    {},
    {"", "Arrows\\1999_A20", "BAR\\1999_BAR001", "Benetton\\1999_B199", "Ferrari\\1999_F399",
     "Jordan\\1999_Jordan199", "McLaren\\1999_MP4-14", "Minardi\\1999_M01", "Prost\\1999_AP02",
     "Sauber\\1999_C18", "Stewart\\1999_SF-3", "Williams\\1999_FW21"},
    {"", "Arrows\\2000_A21", "BAR\\2000_BAR002", "Benetton\\2000_B200", "Ferrari\\2000_F2000",
     "Jaguar\\2000_R1", "Jordan\\2000_EJ10", "McLaren\\2000_MP4-15", "Minardi\\2000_M02",
     "Prost\\2000_AP03", "Sauber\\2000_C19", "Williams\\2000_FW22"},
    {"", "Arrows\\2001_A22", "BAR\\2001_BAR003", "Benetton\\2001_B201", "Ferrari\\2001_F2001",
     "Jaguar\\2001_R2", "Jordan\\2001_EJ11", "McLaren\\2001_MP4-16", "Minardi\\2001_PS01",
     "Prost\\2001_AP04", "Sauber\\2001_C20", "Williams\\2001_FW23"},
    {"", "Arrows\\2002_A23", "BAR\\2002_BAR004", "Ferrari\\2002_F2002", "Jaguar\\2002_R3",
     "Jordan\\2002_EJ12", "McLaren\\2002_MP4-17", "Minardi\\2002_PS02", "Renault\\2002_R202",
     "Sauber\\2002_C21", "Toyota\\2002_TF102", "Williams\\2002_FW24"},
    {"", "BAR\\2003QL_BAR005", "Ferrari\\2003QL_F2003GA", "Jaguar\\2003QL_R4",
     "Jordan\\2003QL_EJ13", "McLaren\\2003QL_MP4-18", "Minardi\\2003QL_PS03",
     "Renault\\2003QL_R203", "Sauber\\2003QL_C22", "Toyota\\2003QL_TF103", "Williams\\2003QL_FW25",
     ""},
}};

template <typename Table> const auto& At(const Table& table, int i, const char* name) {
    if (i < 0 || static_cast<std::size_t>(i) >= table.size()) {
        throw std::out_of_range(std::string(name) + ": index " + std::to_string(i) +
                                " out of range");
    }
    return table[static_cast<std::size_t>(i)];
}

} // namespace

const std::string& Teams2002(int i) {
    return At(teams2002, i, "Teams2002");
}
const std::string& TeamsGTR2002(int i) {
    return At(teamsGTR2002, i, "TeamsGTR2002");
}
const std::string& CarsGTR2002(int i) {
    return At(carsGTR2002, i, "CarsGTR2002");
}
const std::string& SeasonsF1c(int s) {
    return At(seasonsF1c, s, "SeasonsF1c");
}
const std::string& TeamsF1c(int s, int t) {
    return At(At(teamsF1c, s, "TeamsF1c"), t, "TeamsF1c");
}
const std::string& CarDirsF1c(int s, int t) {
    return At(At(carDirsF1c, s, "CarDirsF1c"), t, "CarDirsF1c");
}

int TeamCountF1c(int season) {
    return season == 5 ? 10 : 11;
}
int LastSeasonF1c(bool hasF1cQL2003) {
    return hasF1cQL2003 ? 5 : 4;
}

namespace {

std::vector<std::string> Names(int count, const std::function<const std::string&(int)>& name) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) {
        names.push_back(name(i));
    }
    return names;
}

} // namespace

std::vector<std::string> TeamNames2002() {
    return Names(Teams2002Count, Teams2002);
}
std::vector<std::string> TeamNamesGTR2002() {
    return Names(TeamsGTR2002Count, TeamsGTR2002);
}
std::vector<std::string> TeamNamesF1c(int season) {
    return Names(TeamCountF1c(season),
                 [season](int t) -> const std::string& { return TeamsF1c(season, t); });
}
std::vector<std::string> SeasonNamesF1c(bool hasF1cQL2003) {
    return Names(LastSeasonF1c(hasF1cQL2003), SeasonsF1c);
}

} // namespace korvane
