#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "lancheck/report_compare.hpp"

using namespace korvane::lancheck;

// What a report names is shown with its control characters escaped, and every shown text stands
// for one written text only; paths keep their backslashes and UTF-8 text stays readable.
TEST(ReportCompare, PrintableEscapesControlCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {"Grüße\x01\t\r\x1f\x7f", "Grüße\\x01\\x09\\x0d\\x1f\\x7f"},
        {"a\\x1b", "a\\\\x1b"},    // written as it is, not an escape
        {"a\\\x1b", "a\\\\\\x1b"}, // a backslash, then an escape
        {"a\\\\b", "a\\\\\\b"},    // two backslashes
    };
    for (const auto& [written, shown] : cases) {
        EXPECT_EQ(Printable(written), shown) << written;
    }
}
