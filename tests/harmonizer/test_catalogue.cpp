#include <gtest/gtest.h>

#include <stdexcept>

#include "harmonizer/catalogue.hpp"

using namespace korvane;

TEST(Catalogue, NamesAsTheGamesSpellThem) {
    EXPECT_EQ(Teams2002(2), "Bar");
    EXPECT_EQ(TeamsF1c(1, 2), "BAR");
    EXPECT_EQ(TeamsF1c(5, 1), "BAR");
    EXPECT_EQ(CarsGTR2002(12), "ViperGT_dunlop");
    EXPECT_EQ(CarsGTR2002(4), "viperGT_pirelli");
    EXPECT_EQ(CarsGTR2002(18), "viperGT_pirelli");
    EXPECT_EQ(TeamsGTR2002(20), "PSI MOTORSPORT");
    EXPECT_EQ(CarDirsF1c(5, 2), "Ferrari\\2003QL_F2003GA");
    EXPECT_EQ(CarDirsF1c(1, 5), "Jordan\\1999_Jordan199");
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(TeamsF1c(s, 11), "Williams");
    }
    EXPECT_EQ(TeamsF1c(5, 10), "Williams");
    EXPECT_EQ(TeamsF1c(5, 11), "");
    // Season 2002 lists the F1 2002 teams in the same order.
    for (int t = 1; t <= Teams2002Count; ++t) {
        EXPECT_EQ(TeamsF1c(4, t) == "BAR" ? "Bar" : TeamsF1c(4, t), Teams2002(t));
    }
}

TEST(Catalogue, SlotZeroIsEmptyAndOutsideTheRangeIsAnError) {
    EXPECT_EQ(Teams2002(0), "");
    EXPECT_EQ(TeamsGTR2002(0), "");
    EXPECT_EQ(CarsGTR2002(0), "");
    EXPECT_EQ(SeasonsF1c(0), "");
    EXPECT_EQ(TeamsF1c(0, 0), "");
    EXPECT_EQ(CarDirsF1c(3, 0), "");
    EXPECT_THROW(Teams2002(12), std::out_of_range);
    EXPECT_THROW(Teams2002(-1), std::out_of_range);
    EXPECT_THROW(TeamsGTR2002(25), std::out_of_range);
    EXPECT_THROW(CarsGTR2002(25), std::out_of_range);
    EXPECT_THROW(SeasonsF1c(6), std::out_of_range);
    EXPECT_THROW(TeamsF1c(6, 1), std::out_of_range);
    EXPECT_THROW(CarDirsF1c(1, 12), std::out_of_range);
    EXPECT_EQ(TeamCountF1c(5), 10);
    EXPECT_EQ(TeamCountF1c(1), 11);
    EXPECT_EQ(LastSeasonF1c(true), 5);
    EXPECT_EQ(LastSeasonF1c(false), 4);
}
