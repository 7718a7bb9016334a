#include <gtest/gtest.h>

#include "core/text_compare.hpp"

using namespace korvane;

// The exact name wins over names that differ only in case; without it, one such name is taken,
// two are not (a team on the command line, an entry of a directory).
TEST(TextCompare, MatchNameExactlyElseTheOneEqualButForCase) {
    const std::vector<std::string> names = {"bar", "BAR", "Ferrari", "Lister Storm", "Jaguar"};
    const std::pair<const char*, int> cases[] = {
        {"BAR", 1},          {"bar", 0},     {"Bar", -1}, {"ferrari", 2},
        {"LISTER storm", 3}, {"Lister", -1}, {"", -1},
    };
    for (const auto& [name, expected] : cases) {
        const std::optional<std::size_t> found = MatchName(names, name);
        EXPECT_EQ(found ? static_cast<int>(*found) : -1, expected) << name;
    }
}
