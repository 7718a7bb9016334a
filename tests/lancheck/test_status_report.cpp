#include <gtest/gtest.h>

#include <string>

#include "lancheck/status_report.hpp"

using namespace korvane::lancheck;

// Only the whole number 1 is this reader's version; whatever else stands there is another
// version, however near to 1 it converts.
TEST(StatusReport, ReadsOnlyVersionOne) {
    for (const char* version : {"4294967297", "1.9", "true", "1e300", "\"1\"", "-1", "2", "1.0"}) {
        const ReportRead read =
            ParseReport(std::string(R"({"format": "korvane-status", "version": )") + version + "}");
        EXPECT_FALSE(read.ok) << version << " read as version 1";
        EXPECT_EQ(read.problem, ReportProblem::OtherVersion) << version;
    }
}
