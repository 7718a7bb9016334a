#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "report/comparison_texts.hpp"
#include "report/report_compare.hpp"

using namespace korvane::lancheck;

namespace {

// A component as status collects it; its state is shown, its fingerprint takes no part.
ComponentStatus Component(const std::string& name, std::vector<FileStatus> files,
                          const std::string& state = "changed") {
    return {name, state, "c75c40af3fc7", std::move(files)};
}

// Bar's car on this PC, holding what and whose file it is.
FileStatus BarHere(const std::string& holds, const std::string& sha256) {
    return {"season02\\vehicles\\Bar\\Bar.hdv", holds, sha256, "", "Bar"};
}

// The expected lines name files with "/" as Linux shows them; Windows shows "\\".
std::string OnThisSystem(std::string text) {
#ifdef _WIN32
    std::replace(text.begin(), text.end(), '/', '\\');
#endif
    return text;
}

const FileStatus Arrows{"season02\\vehicles\\Arrows\\Arrows.hdv", "Ferrari", "4bfa96b1e7d9"};
const FileStatus Bar{"season02\\vehicles\\Bar\\Bar.hdv", "original", "54878138516d"};
const FileStatus Terrain{"season02\\tracks\\terrain.ini", "optimized", "6f17549a8dfa"};

} // namespace

// This PC against the report, as korvane-cli prints it and with how many files differ.
TEST(ReportCompare, NamesEachFileThatDiffersWithBothSides) {
    const struct {
        const char* what;
        std::vector<ComponentStatus> here, reference;
        std::string printed;
        std::size_t differing;
    } cases[] = {
        {"same",
         {Component("EA 2002 season", {Arrows, Bar})},
         {Component("EA 2002 season", {Arrows, Bar})},
         "EA 2002 season: same\n",
         0},
        {"other holders",
         {Component("EA 2002 season", {Arrows, {Bar.path, "missing", ""}})},
         {Component("EA 2002 season", {Arrows, Bar})},
         "EA 2002 season: differs (here changed, the report changed)\n"
         "  season02/vehicles/Bar/Bar.hdv: here missing, reference original\n",
         1},
        // A car that holds its own data is named by its team on both sides.
        {"its own data, and a master's",
         {Component("EA 2002 season", {BarHere("original", "111111111111")}, "original"),
          Component("Quillon season", {BarHere("Ferrari", "222222222222")},
                    "harmonized to Ferrari")},
         {Component("EA 2002 season", {{Bar.path, "Ferrari", "222222222222"}},
                    "harmonized to Ferrari"),
          Component("Quillon season", {{Bar.path, "original", "111111111111"}}, "original")},
         "EA 2002 season: differs (here original, the report harmonized to Ferrari)\n"
         "  season02/vehicles/Bar/Bar.hdv: here Bar, reference Ferrari\n"
         "Quillon season: differs (here harmonized to Ferrari, the report original)\n"
         "  season02/vehicles/Bar/Bar.hdv: here Ferrari, reference Bar\n",
         2},
        {"the same holder, other data",
         {Component("grip EA 2002", {{Terrain.path, "changed", "111111111111"}})},
         {Component("grip EA 2002", {{Terrain.path, "changed", "222222222222"}})},
         "grip EA 2002: differs (here changed, the report changed)\n"
         "  season02/tracks/terrain.ini: here changed (111111111111), reference changed "
         "(222222222222)\n",
         1},
        {"files on one side",
         {Component("EA 2002 season", {Arrows, Terrain})},
         {Component("EA 2002 season", {Bar, Arrows})},
         "EA 2002 season: differs (here changed, the report changed)\n"
         "  season02/vehicles/Bar/Bar.hdv: in the reference only\n"
         "  season02/tracks/terrain.ini: here only\n",
         2},
        // What differs first, then what is the same; each in the report's order, then what is
        // installed here only. Each file of a component on one side counts.
        {"components on one side",
         {Component("grip EA 2002", {Terrain}), Component("EA 2002 season", {Arrows})},
         {Component("EA 2002 season", {Arrows}), Component("Quillon season", {Arrows, Bar})},
         "Quillon season: installed in the reference only\ngrip EA 2002: installed here only\n"
         "EA 2002 season: same\n",
         3},
        // Written on Windows and on Linux, in a directory of other letter case.
        {"letter case and separators",
         {Component("ea 2002 SEASON",
                    {{"Season02/Vehicles/ARROWS/Arrows.hdv", "Ferrari", "4BFA96B1E7D9"}})},
         {Component("EA 2002 season", {Arrows})},
         "EA 2002 season: same\n",
         0},
        {"control characters",
         {Component("EA\x1b[2J", {}), Component("EA", {{Bar.path, "mine\a", "111111111111"}})},
         {Component("EA", {{Bar.path, "changed\r", "222222222222"}, {"a\nb", "x", ""}})},
         "EA: differs (here changed, the report changed)\n"
         "  season02/vehicles/Bar/Bar.hdv: here mine\\x07, reference changed\\x0d\n"
         "  a\\x0ab: in the reference only\nEA\\x1b[2J: installed here only\n",
         2},
    };
    for (const auto& c : cases) {
        const Comparison comparison = CompareWithReport(c.here, c.reference);
        std::ostringstream printed;
        PrintComparison(comparison, printed);
        EXPECT_EQ(printed.str(), OnThisSystem(c.printed)) << c.what;
        EXPECT_EQ(comparison.DifferingFiles(), c.differing) << c.what;
        EXPECT_EQ(comparison.AllSame(), c.differing == 0) << c.what;
    }
}

// What a report names is shown with its controls, separators, direction overrides and broken
// UTF-8 escaped, and every shown text stands for one written text only; paths keep their
// backslashes and UTF-8 text stays readable.
TEST(ReportCompare, PrintableEscapesWhatIsNotShownText) {
    const std::pair<std::string, std::string> cases[] = {
        {"Grüße\x01\t\r\x1f\x7f", "Grüße\\x01\\x09\\x0d\\x1f\\x7f"},
        {"a\\x1b", "a\\\\x1b"},    // written as it is, not an escape
        {"a\\\x1b", "a\\\\\\x1b"}, // a backslash, then an escape
        {"a\\\\b", "a\\\\\\b"},    // two backslashes
        // C1 control (a terminal's CSI), right-to-left override, line separator, invalid UTF-8
        {"pc\u009b2J", "pc\\xc2\\x9b2J"},
        {"pc-\u202e21", "pc-\\xe2\\x80\\xae21"},
        {"a\u2028b", "a\\xe2\\x80\\xa8b"},
        {"a\xff\xc3", "a\\xff\\xc3"},
        {"\xe0\x80\x80", "\\xe0\\x80\\x80"}, // an overlong NUL
        {"a\\\u202e", "a\\\\\\xe2\\x80\\xae"},
    };
    for (const auto& [written, shown] : cases) {
        EXPECT_EQ(Printable(written), shown) << written;
    }
}
