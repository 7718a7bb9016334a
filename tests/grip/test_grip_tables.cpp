#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/file_system.hpp"
#include "app/ini_file.hpp"

using namespace korvane;

namespace {

// The numbers of a row (dry grip, wet grip, resistance, bump amplitude, bump wavelength,
// sparks, dust); empty when a field is no number.
std::vector<double> Numbers(const std::string& row) {
    std::vector<double> numbers;
    std::istringstream fields(row);
    for (std::string field; std::getline(fields, field, ',');) {
        std::istringstream in(field);
        double number = 0;
        if (!(in >> number) || !(in >> std::ws).eof()) {
            return {};
        }
        numbers.push_back(number);
    }
    return numbers;
}

} // namespace

// The shipped tables hold what their comment says: complete rows, and grass and gravel that
// grip less than the road, dry and wet.
TEST(GripTables, CompleteRowsAndGrassAndGravelBelowRoad) {
    for (const char* name : {"terea.ini", "terql.ini"}) {
        SCOPED_TRACE(name);
        std::string content;
        ASSERT_TRUE(ReadFileText(std::string(KORVANE_DATA_DIR) + name, content).ok);
        std::istringstream lines(content);
        int rows = 0;
        for (std::string line; std::getline(lines, line);) {
            line.erase(line.find_last_not_of("\r") + 1);
            if (line.empty() || line.rfind("//", 0) == 0 || line == "[TERRAIN]") {
                continue;
            }
            EXPECT_EQ(Numbers(line.substr(line.find('=') + 1)).size(), 7u) << line;
            ++rows;
        }
        EXPECT_GT(rows, 3);
        const auto row = [&](const char* surface) {
            return Numbers(IniReadText(content, "TERRAIN", surface, ""));
        };
        const std::vector<double> road = row("ROAD");
        ASSERT_EQ(road.size(), 7u);
        for (const char* surface : {"GRASS", "GRAVEL"}) {
            const std::vector<double> grip = row(surface);
            ASSERT_EQ(grip.size(), 7u) << surface;
            EXPECT_LT(grip[0], road[0]) << surface << " dry";
            EXPECT_LT(grip[1], road[1]) << surface << " wet";
        }
    }
}
