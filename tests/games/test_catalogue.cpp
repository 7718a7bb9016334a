#include <gtest/gtest.h>

#include <stdexcept>

#include "games/catalogue.hpp"
#include "harmonizer/harmonizer.hpp"

using namespace korvane;

// Game file paths as the games spell them. How a path and its backup are put together, and the
// files of the masters it names, the operations' test walks file by file; here the names that no
// other test spells.
TEST(Catalogue, GameFilesAndTheirBackups) {
    GameInstall at; // empty game directories: paths below them
    const auto ql = ComponentFiles(at, Component2002::QL2002);
    const auto gtr = ComponentFiles(at, Component2002::GTR2002);
    const std::pair<std::string, std::string> cases[] = {
        {ql[10].live, "seasonql02\\vehicles\\Williams\\Williams.hdv"},
        {gtr[3].live, "GTR2002season\\vehicles\\Automotive Racing Team\\viperGT_pirelli.hdv"},
        {gtr[6].live, "GTR2002season\\vehicles\\Carsport Holland\\viperGT_pirelli.hdv"},
        {gtr[11].live, "GTR2002season\\vehicles\\Henrik Roos Racing\\ViperGT_dunlop.hdv"},
        {F1cCar(at, 1, 2).performance, "SeasonData\\Vehicles\\BAR\\1999_BAR001\\1999_BAR.hdv"},
        {F1cCar(at, 1, 5).performance,
         "SeasonData\\Vehicles\\Jordan\\1999_Jordan199\\1999_Jordan.hdv"},
        {F1cCar(at, 5, 10).performance,
         "SeasonData\\Vehicles\\Williams\\2003QL_FW25\\2003_Williams.hdv"},
        {BackupPathOf("C:\\F1.2002\\engine"), "C:\\F1.2002\\engine.org"},
    };
    for (const auto& [got, expected] : cases) {
        EXPECT_EQ(got, expected);
    }
    EXPECT_EQ(Teams2002(0) + TeamsF1c(5, 11), "");
    EXPECT_THROW(TeamsF1c(6, 1), std::out_of_range);
    EXPECT_THROW(CarsGTR2002(25), std::out_of_range);
}
