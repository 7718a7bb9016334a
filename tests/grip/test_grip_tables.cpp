#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>

#include "app/file_system.hpp"
#include "app/ini_file.hpp"

using namespace korvane;

// The shipped tables hold what their first comment says: every row complete (a name and seven
// numbers), and grass and gravel gripping less than the road, dry and wet.
TEST(GripTables, CompleteRowsAndGrassAndGravelBelowRoad) {
    const std::regex row(R"([A-Z]+ *= *(-?[0-9.]+, *){6}-?[0-9.]+)");
    for (const char* name : {"terea.ini", "terql.ini"}) {
        SCOPED_TRACE(name);
        std::string content;
        ASSERT_TRUE(ReadFileText(std::string(KORVANE_DATA_DIR) + name, content).ok);
        std::istringstream lines(content);
        for (std::string line; std::getline(lines, line);) {
            line.erase(line.find_last_not_of('\r') + 1);
            if (!line.empty() && line.rfind("//", 0) != 0 && line != "[TERRAIN]") {
                EXPECT_TRUE(std::regex_match(line, row)) << line;
            }
        }
        // Dry grip is the first number of a row, wet grip the second.
        const auto grip = [&](const char* surface, int column) {
            const std::string value = IniReadText(content, "TERRAIN", surface, "none");
            return std::stod(column == 0 ? value : value.substr(value.find(',') + 1));
        };
        for (const char* surface : {"GRASS", "GRAVEL"}) {
            EXPECT_LT(grip(surface, 0), grip("ROAD", 0)) << surface;
            EXPECT_LT(grip(surface, 1), grip("ROAD", 1)) << surface;
        }
    }
}
