// Another PC's report read back: what was read, or why it cannot be, in every form a report
// reaches this PC.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "report/status_report.hpp"
#include "support/fake_install.hpp"

using namespace korvane::lancheck;
using namespace korvane::testing;

namespace {

// One report in both forms, as status --files and status --json write it.
const std::string Text =
    "EA 2002 season: changed, fingerprint c75c40af3fc7, missing season02\\vehicles\\Bar\\Bar.hdv\n"
    "  season02\\vehicles\\Arrows\\Arrows.hdv: Ferrari, 4bfa96b1e7d9\n"
    "  season02\\vehicles\\Bar\\Bar.hdv: missing\n"
    "grip EA 2002: optimized, fingerprint 85110f932e0f\n"
    "  season02\\tracks\\terrain.ini: optimized, 6f17549a8dfa\n";
const std::string Json = R"({"format": "korvane-status", "version": 1, "components": [
 {"name": "EA 2002 season", "state": "changed", "fingerprint": "c75c40af3fc7", "files": [
  {"path": "season02\\vehicles\\Arrows\\Arrows.hdv", "holds": "Ferrari", "sha256": "4bfa96b1e7d9"},
  {"path": "season02\\vehicles\\Bar\\Bar.hdv", "holds": "missing"}]},
 {"name": "grip EA 2002", "state": "optimized", "fingerprint": "85110f932e0f", "files": [
  {"path": "season02\\tracks\\terrain.ini", "holds": "optimized", "sha256": "6f17549a8dfa"}]}]}
)";
const std::string AtTheLimit = Text + std::string(MaxReportBytes - Text.size(), '\n');

// The first `from` in text replaced.
std::string Edited(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

std::string CrLf(const std::string& text) {
    return std::regex_replace(text, std::regex("\n"), "\r\n");
}

// As Windows PowerShell redirects output: UTF-16LE after its byte-order mark.
std::string Utf16(const std::string& text) {
    std::string wide = "\xFF\xFE";
    for (const char c : text) {
        wide += {c, '\0'};
    }
    return wide;
}

// The components read, as status --files would write them again, or the problem and its reason.
std::string Shown(const ReportRead& read) {
    static const char* const problems[] = {"NotAReport",  "Damaged",  "OtherVersion",
                                           "NoFileLines", "TooLarge", "Unreadable"};
    return read.ok() ? ReportText(read.value(), true)
                     : problems[static_cast<int>(read.problem())] + (": " + read.reason());
}

} // namespace

TEST(StatusReport, ReadsEitherFormAsWrittenAnywhereAndRefusesTheRest) {
    const std::string damaged = "Damaged: damaged ";
    const std::string version = "OtherVersion: report version ";
    const std::string reads = ", this korvane-cli reads version 1";
    const std::string notOurs = "NotAReport: not a status report of korvane-cli";
    const std::string noFiles =
        "NoFileLines: no file lines; write it with status --files or status --json";
    const struct {
        const char* what;
        std::string written;
        std::string read; // Text when it reads as written
    } cases[] = {
        {"lines", Text, Text},
        {"JSON", Json, Text},
        {"a remark below a file line",
         Edited(Text, "missing\n", "missing\n    shares its data with its backup ...\n"), Text},
        {"CR LF", CrLf(Text), Text},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + CrLf(Json), Text},
        {"UTF-16LE with a byte-order mark", Utf16(CrLf(Text)), Text},
        {"UTF-16LE beyond ASCII", Utf16(Edited(Text, "Ferrari", "F\xE9rrari")),
         damaged + "(a character other than ASCII)"},
        {"UTF-16LE beyond Latin-1", Edited(Utf16(Text), {"F\0", 2}, "\x01\x04"),
         damaged + "(a character other than ASCII)"},
        {"1 MiB", AtTheLimit, Text},
        {"a byte more", AtTheLimit + "\n",
         "TooLarge: larger than 1 MiB, too large for a status report"},
        // Only the whole number 1 is this reader's version, however near to 1 another converts.
        {"version 2", Edited(Json, "1,", "2,"), version + "2" + reads},
        {"version 1.0", Edited(Json, "1,", "1.0,"), version + "1.0" + reads},
        {"version 2^32 + 1", Edited(Json, "1,", "4294967297,"), version + "4294967297" + reads},
        {"version \"1\"", Edited(Json, "1,", "\"1\","), version + "string" + reads},
        {"JSON without a file's holder", Edited(Json, R"("holds": "missing")", R"("x": 1)"),
         damaged + "(key 'holds' not found)"},
        // The digits are checked as in the lines: a file without them is a missing one.
        {"JSON without a file's digits", Edited(Json, R"(, "sha256": "4bfa96b1e7d9")", ""),
         damaged + "(component 1, file 1: no sha256 of 12 hexadecimal digits)"},
        {"JSON with a file's digits cut short", Edited(Json, "4bfa96b1e7d9", "4bfa96b1e7d"),
         damaged + "(component 1, file 1: no sha256 of 12 hexadecimal digits)"},
        {"JSON with a fingerprint of other characters",
         Edited(Json, "85110f932e0f", "85110f932e0g"),
         damaged + "(component 2: no fingerprint of 12 hexadecimal digits)"},
        {"JSON cut off", Json.substr(0, Json.find(R"("holds": "missing")")),
         damaged + "(parse error at line 4, column 48: syntax error while parsing object key - "
                   "unexpected end of input; expected string literal)"},
        {"a line of something else", Text + "sticky grass\n", damaged + "at line 6"},
        {"lines cut off", Text.substr(0, Text.find("4bfa96") + 3), damaged + "at line 2"},
        {"lines of something else", "[config]\r\nf1path=C:\\F1 2002\\\r\n", notOurs},
        {"JSON of something else", R"({"format": "lap-times", "version": 1})", notOurs},
        {"empty", "", "NotAReport: empty"},
        {"no component", R"({"format": "korvane-status", "version": 1, "components": []})",
         "NotAReport: lists no component"},
        {"plain status", "EA 2002 season: original, fingerprint c75c40af3fc7\n", noFiles},
        {"JSON, a component without files", Json.substr(0, Json.rfind('[')) + "[]}]}", noFiles},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Shown(ParseReport(c.written)), c.read) << c.what;
    }
}

// A file is read as the same text; only a missing one names a reason of the system's.
TEST(StatusReport, ReadsAFileOfUpTo1MiB) {
    TempDir dir;
    WriteAll(dir.Path() / "limit.txt", AtTheLimit);
    WriteAll(dir.Path() / "larger.txt", AtTheLimit + "\n");
    const std::pair<const char*, std::string> cases[] = {
        {"limit.txt", Text},
        {"larger.txt", "TooLarge: larger than 1 MiB, too large for a status report"},
        {"missing.txt", "Unreadable"},
    };
    for (const auto& [name, read] : cases) {
        const ReportRead file = ReadReportFile(dir.Text() + name);
        EXPECT_EQ(file.problem() == ReportProblem::Unreadable ? "Unreadable" : Shown(file), read);
        EXPECT_EQ(file.path(), file.ok() ? "" : dir.Text() + name);
    }
}
