#include <gtest/gtest.h>

#include <stdexcept>

#include "grip/grip.hpp"
#include "games/catalogue.hpp"
#include "harmonizer/harmonizer.hpp"

using namespace korvane;

// Every game file path and its backup, written out as the games spell them.
TEST(Catalogue, GameFilesAndTheirBackups) {
    GameInstall at; // empty game directories: paths below them
    const auto ea = ComponentFiles(at, Component2002::EA2002);
    const auto ql = ComponentFiles(at, Component2002::QL2002);
    const auto gt = ComponentFiles(at, Component2002::GT2002);
    auto car = [&](int s, int t) {
        const CarFiles c = F1cCar(at, s, t);
        return c.performance + " " + c.performanceBackup + " " + c.engine + " " + c.engineBackup;
    };
    const std::pair<std::string, std::string> cases[] = {
        {ea[1].live + " " + ea[1].backup,
         "season02\\vehicles\\Bar\\Bar.hdv season02\\vehicles\\Bar\\Bar.org"},
        {ql[10].live, "seasonql02\\vehicles\\Williams\\Williams.hdv"},
        {gt[3].live, "GTR2002season\\vehicles\\Automotive Racing Team\\viperGT_pirelli.hdv"},
        {gt[6].live, "GTR2002season\\vehicles\\Carsport Holland\\viperGT_pirelli.hdv"},
        {gt[11].live, "GTR2002season\\vehicles\\Henrik Roos Racing\\ViperGT_dunlop.hdv"},
        {gt[15].backup, "GTR2002season\\vehicles\\Lister Storm\\Lister_dunlop.org"},
        {car(5, 2), "SeasonData\\Vehicles\\Ferrari\\2003QL_F2003GA\\2003_Ferrari.hdv "
                    "SeasonData\\Vehicles\\Ferrari\\2003QL_F2003GA\\2003_Ferrari.org "
                    "SeasonData\\Vehicles\\Ferrari\\2003QL_F2003GA\\engine.ini "
                    "SeasonData\\Vehicles\\Ferrari\\2003QL_F2003GA\\engine.org"},
        {F1cCar(at, 1, 2).performance, "SeasonData\\Vehicles\\BAR\\1999_BAR001\\1999_BAR.hdv"},
        {F1cCar(at, 1, 5).performance,
         "SeasonData\\Vehicles\\Jordan\\1999_Jordan199\\1999_Jordan.hdv"},
        {F1cCar(at, 5, 10).performance,
         "SeasonData\\Vehicles\\Williams\\2003QL_FW25\\2003_Williams.hdv"},
        {std::string(GripLiveEA) + " " + GripBackupEA + " " + GripFileEA,
         "season02\\tracks\\terrain.ini season02\\tracks\\terrain.org terea.ini"},
        {std::string(GripLiveQL) + " " + GripBackupQL + " " + GripFileQL,
         "seasonql02\\tracks\\terrain.ini seasonql02\\tracks\\terrain.org terql.ini"},
        {BackupPathOf("C:\\F1.2002\\engine"), "C:\\F1.2002\\engine.org"},
    };
    for (const auto& [got, expected] : cases) {
        EXPECT_EQ(got, expected);
    }
    EXPECT_EQ(Teams2002(0) + TeamsF1c(5, 11), "");
    EXPECT_THROW(TeamsF1c(6, 1), std::out_of_range);
    EXPECT_THROW(CarsGTR2002(25), std::out_of_range);
}
