#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "core/file_system.hpp"
#include "core/ini_file.hpp"

using namespace korvane;

// The shipped tables hold what their first comment says: every row complete (a name and seven
// numbers), and grass and gravel gripping less than the road.
TEST(GripTables, CompleteRowsAndGrassAndGravelBelowRoad) {
    const std::regex row(R"([A-Z]+ *= *(-?[0-9.]+, *){6}-?[0-9.]+\r?)");
    for (const char* name : {"terea.ini", "terql.ini"}) {
        const Result<std::string> read = ReadFileText(std::string(KORVANE_DATA_DIR) + name);
        ASSERT_TRUE(read.ok());
        std::istringstream lines(read.value());
        for (std::string line; std::getline(lines, line);) {
            EXPECT_TRUE(line.find_first_not_of('\r') == std::string::npos ||
                        line.starts_with("//") || line.starts_with("[TERRAIN]") ||
                        std::regex_match(line, row))
                << name << ": " << line;
        }
        const auto grip = [&](const char* surface, int column) { // dry grip, then wet
            const std::string value = IniReadText(read.value(), "TERRAIN", surface, "none");
            return std::stod(column == 0 ? value : value.substr(value.find(',') + 1));
        };
        for (const char* surface : {"GRASS", "GRAVEL"}) {
            EXPECT_LT(grip(surface, 0), grip("ROAD", 0)) << name << ": " << surface;
            EXPECT_LT(grip(surface, 1), grip("ROAD", 1)) << name << ": " << surface;
        }
    }
}
