#include <gtest/gtest.h>

#include "games/race_files.hpp"

using namespace korvane;

// What the LAN check compares of an installation, path by path, as the games and Windows spell
// the names (any letter case).
TEST(RaceFiles, WhatCounts) {
    const struct {
        int line;
        const char* path;
        bool counts;
    } cases[] = {
        // clang-format off
        // the game's own data
        {__LINE__, "F1_2002.exe", true},
        {__LINE__, "season02\\vehicles\\Bar\\Bar.hdv", true},
        {__LINE__, "season02\\tracks\\terrain.ini", true},
        {__LINE__, "SeasonData/Vehicles/Ferrari/2002_F2002/engine.ini", true},
        {__LINE__, "SeasonData\\Locations\\Monza\\Monza.gdb", true},
        {__LINE__, "GameData\\Sounds\\engine.wav", true},
        // a player's or a PC's names deeper down are game data
        {__LINE__, "SeasonData\\Save\\season.dat", true},
        {__LINE__, "season02\\config.ini", true},
        {__LINE__, "season02\\trace.txt", true},
        {__LINE__, "season02\\korvane.lock", true},
        {__LINE__, "season02\\vehicles\\org", true},
        {__LINE__, ".org", true},
        // the player's folders, with everything below them
        {__LINE__, "Save\\Anna\\Anna.PLR", false},
        {__LINE__, "SAVE\\Anna\\Replays\\Monza.vcr", false},
        {__LINE__, "save", false},
        {__LINE__, "ReplayData\\race1.rpy", false},
        {__LINE__, "replays\\race1.rpy", false},
        {__LINE__, "ScreenShots\\shot0001.jpg", false},
        {__LINE__, "/Save/Anna/Anna.PLR", false},
        // what the game writes while running
        {__LINE__, "trace.txt", false},
        {__LINE__, "Trace.TXT", false},
        {__LINE__, "config.ini", false},
        {__LINE__, "Config.ini", false},
        // Korvane's own, anywhere
        {__LINE__, "korvane.lock", false},
        {__LINE__, "season02\\vehicles\\Bar\\Bar.org", false},
        {__LINE__, "season02\\tracks\\TERRAIN.ORG", false},
        {__LINE__, "season02\\vehicles\\Bar\\.Bar.hdv.korvane-123456.tmp", false},
        {__LINE__, "SeasonData\\Vehicles\\setup.log", false},
        // what Windows writes into folders
        {__LINE__, "SeasonData\\Locations\\Thumbs.db", false},
        {__LINE__, "Desktop.ini", false},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CountsForRace(c.path), c.counts) << "line " << c.line << ": " << c.path;
    }
}
