#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "lan/lan_texts.hpp"
#include "report/comparison_texts.hpp"
#include "report/status_report.hpp"
#include "support/english_words.hpp"

using namespace korvane;
using namespace korvane::lancheck;
using korvane::testing::EnglishWordsIn;

namespace {

const FileStatus Arrows{"season02\\vehicles\\Arrows\\Arrows.hdv", "Ferrari", "4bfa96b1e7d9"};
const FileStatus Bar{"season02\\vehicles\\Bar\\Bar.hdv", "missing", ""};
const FileStatus Terrain{"season02\\tracks\\terrain.ini", "optimized", "6f17549a8dfa"};

// This PC: every component, in every state, one of them with a file missing.
const std::vector<ComponentStatus> Here{
    {ComponentEA2002, HarmonizedState("Ferrari"), "c75c40af3fc7", {Arrows, Bar}},
    {ComponentQL2002, StateOriginal, "c75c40af3fc8", {Arrows}},
    {ComponentGTR2002, StateChanged, "c75c40af3fc9", {Arrows}},
    {ComponentF1c, StateOriginal, "c75c40af3fca", {Arrows}},
    {ComponentGripEA, StateOptimized, "c75c40af3fcb", {Terrain}},
};
// The report: the same but for a changed car, a file of its own, and the grip of another season.
const std::vector<ComponentStatus> Reference{
    {ComponentEA2002,
     StateChanged,
     "c75c40af3fc7",
     {Arrows, {Bar.path, "changed", "111111111111"}}},
    {ComponentQL2002, StateOriginal, "c75c40af3fc8", {Arrows, Terrain}},
    {ComponentGTR2002, StateChanged, "c75c40af3fc9", {Arrows}},
    {ComponentF1c, StateOriginal, "c75c40af3fca", {Arrows}},
    {ComponentGripQL, StateOriginal, "c75c40af3fcc", {Terrain}},
};

std::string Printed(Language language) {
    std::ostringstream out;
    PrintComparison(CompareWithReport(Here, Reference), out, language);
    return out.str();
}

FoundHost Host(const char* address, const char* name, int protocol = LanProtocolVersion) {
    return {address, protocol, {name, "0.6.0", "4bfa96b1e7d9"}};
}

VerdictRow Row(std::size_t differing, bool earlier) {
    return {"pc-02",
            "10.0.0.2",
            {"pc-02", "4bfa96b1e7d9", differing, {{"a.hdv"}, {"b.hdv"}, {"c.hdv"}, {"d.hdv"}}},
            {},
            earlier};
}

std::string Refused(const std::string& written, Language language) {
    return ParseReport(written, language).reason();
}

} // namespace

// Everything the LAN check says, in the window and in korvane-cli, reads as German in German:
// the reasons of a failed exchange, the lines of status, verify, hosts and share, and why a
// report cannot be read. The values put in carry no words.
TEST(LanTexts, SayEverythingInGermanInGerman) {
    const auto inGerman = [](const std::function<std::string(Language)>& said) {
        const std::string german = said(Language::German); // a failing row names itself by it
        EXPECT_NE(german, said(Language::English)) << german;
        EXPECT_EQ(EnglishWordsIn(german), "") << german;
    };
    for (const MessageText& message :
         {NotSharingText, UnreachableText, ConnectTimedOutText, CannotConnectText, EndedEarlyText,
          NotKorvaneText, OtherProtocolVersionText, RequestRefusedText, AnswerTooLargeText,
          NotAnAddressText, CancelledText, BusyText, NoAnswerText}) {
        inGerman([&message](Language l) { return TextIn(l, message, {"47313", "7"}); });
    }
    const std::function<std::string(Language)> cases[] = {
        [](Language l) { return AddressAnswering({Host("10.0.0.2", "a")}, "b", l).reason(); },
        [](Language l) {
            return AddressAnswering({Host("10.0.0.2", "a"), Host("10.0.0.3", "a")}, "a", l)
                .reason();
        },
        [](Language l) { return HostLine(Host("10.0.0.2", "pc-02"), true, l); },
        [](Language l) { return HostLine(Host("10.0.0.2", "", 1), false, l); }, // other protocol
        [](Language l) { return NoHostAnsweredText(47313, l); },
        [](Language l) {
            return SharingText("pc-01", {"10.0.0.1", "10.0.0.9"}, 47313, l);
        },
        [](Language l) { return VerdictLine(Row(0, false), l); },
        [](Language l) { return VerdictLine(Row(9, true), l); },
        [](Language l) { return StatusLinesIn(Here, l); },
        Printed, // verify
        // The window's status list and comparison: every component's name, every state.
        [](Language l) {
            std::string lines;
            for (const ComponentComparison& c : CompareWithReport(Here, Reference).components) {
                lines += ComponentLine(c, l) + '\n';
            }
            return lines;
        },
        [](Language l) { return Refused("x", l); },
        [](Language l) { return Refused(" ", l); },
        [](Language l) { return Refused("EA 2002 season: original, fingerprint c75c40af3fc7", l); },
        [](Language l) { return Refused(ReportText(Here, true) + "x\n", l); },
        [](Language l) { return Refused(R"({"format": "korvane-status", "version": 2})", l); },
        [](Language l) { return Refused(std::string(MaxReportBytes + 1, 'x'), l); },
    };
    for (const auto& said : cases) {
        inGerman(said);
    }
}
