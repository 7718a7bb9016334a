#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "match/match_plan.hpp"
#include "match/match_texts.hpp"
#include "support/english_words.hpp"

using namespace korvane;
using namespace korvane::lancheck;

namespace {

const std::string Arrows = "season02\\vehicles\\Arrows\\Arrows.hdv";
const std::string Bar = "season02\\vehicles\\Bar\\Bar.hdv";
const std::string Car = "SeasonData\\Vehicles\\F1C\\Ferrari\\2002_F2002\\F2002.hdv";
const std::string Terrain = "season02\\tracks\\terrain.ini";

// A component with one or two files; the digits tell their data apart.
ComponentStatus C(const std::string& name, const std::string& state,
                  std::vector<FileStatus> files) {
    return {name, state, "000000000000", std::move(files)};
}

FileStatus F(const std::string& path, const std::string& holds, const std::string& digits) {
    return {path, holds, digits.empty() ? "" : std::string(12 - digits.size(), '0') + digits};
}

// A file with a usable backup on this PC.
FileStatus Backed(FileStatus file) {
    file.backedUp = true;
    return file;
}

constexpr Components2002 Ea{true, false, false};
constexpr Components2002 EaQL{true, true, false};
constexpr Components2002 Gt{false, false, true};
constexpr Components2002 QL{false, true, false};

} // namespace

// From this PC's state and a report to the steps that make them alike, and what stays different.
TEST(MatchPlan, StepsFromStatesAndWhatNoStepMends) {
    const std::string ToFerrari = "harmonized to Ferrari";
    const struct {
        const char* what;
        std::vector<ComponentStatus> here, report;
        std::vector<MatchStep> steps;
        std::vector<Leftover> leftovers;
        bool with2003 = false;
    } cases[] = {
        // clang-format off
        {"the same",
         {C(ComponentEA2002, ToFerrari, {F(Arrows, "Ferrari", "1")})},
         {C(ComponentEA2002, ToFerrari, {F(Arrows, "Ferrari", "1")})}, {}, {}},
        // One harmonize for both seasons of one master, in the catalogue's spelling; the GT mod
        // on its own.
        {"original and another master to a master",
         {C(ComponentEA2002, "original", {F(Arrows, "original", "2")}),
          C(ComponentQL2002, "harmonized to McLaren", {F(Arrows, "McLaren", "3")}),
          C(ComponentGTR2002, "original", {F(Arrows, "original", "2")})},
         {C(ComponentEA2002, "harmonized to ferrari", {F(Arrows, "Ferrari", "1")}),
          C(ComponentQL2002, ToFerrari, {F(Arrows, "Ferrari", "1")}),
          C(ComponentGTR2002, "harmonized to Alda Motorsports", {F(Arrows, "Ferrari", "1")})},
         {{StepKind::Harmonize2002, EaQL, "Ferrari"},
          {StepKind::Harmonize2002, Gt, "Alda Motorsports"}}, {}},
        {"harmonized to original",
         {C(ComponentQL2002, ToFerrari, {F(Arrows, "Ferrari", "1")})},
         {C(ComponentQL2002, "original", {F(Arrows, "original", "2")})},
         {{StepKind::Restore2002, QL}}, {}},
        // The player's file stays; the harmonize refuses it as it does on its own.
        {"changed here",
         {C(ComponentEA2002, "changed", {F(Arrows, "changed", "9"), F(Bar, "McLaren", "3")})},
         {C(ComponentEA2002, ToFerrari, {F(Arrows, "Ferrari", "1"), F(Bar, "Ferrari", "1")})},
         {{StepKind::Harmonize2002, Ea, "Ferrari"}},
         {{ComponentEA2002, Arrows, Unmatchable::ChangedHere}}},
        // Matched once already: a step that could only fail on the player's file is left out,
        // and the file is named once more.
        {"nothing but a player's file here",
         {C(ComponentEA2002, "changed", {F(Arrows, "changed", "9")}),
          C(ComponentGripEA, "changed", {F(Terrain, "changed", "6")})},
         {C(ComponentEA2002, ToFerrari, {F(Arrows, "Ferrari", "1")}),
          C(ComponentGripEA, "optimized", {F(Terrain, "optimized", "7")})}, {},
         {{ComponentEA2002, Arrows, Unmatchable::ChangedHere},
          {ComponentGripEA, Terrain, Unmatchable::ChangedHere}}},
        {"a player's file in one season, the other one to harmonize",
         {C(ComponentEA2002, "changed", {F(Arrows, "changed", "9")}),
          C(ComponentQL2002, "harmonized to McLaren", {F(Arrows, "McLaren", "3")})},
         {C(ComponentEA2002, ToFerrari, {F(Arrows, "Ferrari", "1")}),
          C(ComponentQL2002, ToFerrari, {F(Arrows, "Ferrari", "1")})},
         {{StepKind::Harmonize2002, QL, "Ferrari"}},
         {{ComponentEA2002, Arrows, Unmatchable::ChangedHere}}},
        // The player's file deleted: a restore or a harmonize writes it again from its backup or
        // the master's; with no backup no step can, and one that could write nothing else is
        // left out.
        {"a file missing here, with a backup and without",
         {C(ComponentEA2002, "changed", {Backed(F(Arrows, "missing", "")), F(Bar, "Ferrari", "1")}),
          C(ComponentQL2002, "changed", {Backed(F(Arrows, "missing", ""))}),
          C(ComponentGTR2002, "changed", {F(Arrows, "missing", "")})},
         {C(ComponentEA2002, ToFerrari, {F(Arrows, "Ferrari", "1"), F(Bar, "Ferrari", "1")}),
          C(ComponentQL2002, "original", {F(Arrows, "original", "2")}),
          C(ComponentGTR2002, "original", {F(Arrows, "original", "2")})},
         {{StepKind::Harmonize2002, Ea, "Ferrari"}, {StepKind::Restore2002, QL}},
         {{ComponentGTR2002, Arrows, Unmatchable::MissingHere}}},
        {"changed in the report",
         {C(ComponentEA2002, "original", {F(Arrows, "original", "2"), F(Bar, "original", "4")})},
         {C(ComponentEA2002, "changed", {F(Arrows, "changed", "9"), F(Bar, "Ferrari", "1")})}, {},
         {{ComponentEA2002, "", Unmatchable::ChangedThere},
          {ComponentEA2002, Arrows, Unmatchable::ChangedThere}}},
        {"a file missing on either side",
         {C(ComponentEA2002, "original", {F(Arrows, "missing", ""), F(Bar, "original", "4")})},
         {C(ComponentEA2002, ToFerrari, {F(Arrows, "Ferrari", "1")})},
         {{StepKind::Harmonize2002, Ea, "Ferrari"}},
         {{ComponentEA2002, Arrows, Unmatchable::MissingHere},
          {ComponentEA2002, Bar, Unmatchable::MissingThere}}},
        {"the same state, other data",
         {C(ComponentEA2002, "original", {F(Arrows, "original", "2")})},
         {C(ComponentEA2002, "original", {F(Arrows, "original", "5")})}, {},
         {{ComponentEA2002, Arrows, Unmatchable::OtherData}}},
        {"a master this catalogue does not know",
         {C(ComponentEA2002, "original", {F(Arrows, "original", "2")})},
         {C(ComponentEA2002, "harmonized to Brabham", {F(Arrows, "Brabham", "1")})}, {},
         {{ComponentEA2002, "", Unmatchable::UnknownMaster, "Brabham"}}},
        {"F1 Challenge to a master and back",
         {C(ComponentF1c, "original", {F(Car, "original", "2")}),
          C(ComponentGripEA, "optimized", {F(Terrain, "optimized", "7")})},
         {C(ComponentF1c, "harmonized to Ferrari 2002", {F(Car, "original", "1")}),
          C(ComponentGripEA, "original", {F(Terrain, "original", "8")})},
         {{StepKind::HarmonizeF1c, {}, "Ferrari 2002", 4, 3}, {StepKind::GripRestore, Ea}}, {}},
        {"the 2003 cars on offer here",
         {C(ComponentF1c, ToFerrari + " 2002", {F(Car, "original", "2")})},
         {C(ComponentF1c, ToFerrari + " 2003", {F(Car, "Ferrari 2003", "1")})},
         {{StepKind::HarmonizeF1c, {}, "Ferrari 2003", 5, 2}}, {}, true},
        {"the 2003 cars not on offer here",
         {C(ComponentF1c, "original", {F(Car, "original", "2")})},
         {C(ComponentF1c, ToFerrari + " 2003", {F(Car, "Ferrari 2003", "1")})}, {},
         {{ComponentF1c, "", Unmatchable::UnknownMaster, "Ferrari 2003"}}},
        {"F1 Challenge to original, grip optimized",
         {C(ComponentF1c, ToFerrari + " 2002", {F(Car, "original", "1")}),
          C(ComponentGripQL, "original", {F(Terrain, "original", "8")})},
         {C(ComponentF1c, "original", {F(Car, "original", "2")}),
          C(ComponentGripQL, "optimized", {F(Terrain, "optimized", "7")})},
         {{StepKind::RestoreF1c}, {StepKind::GripApply, QL}}, {}},
        {"a grip table of the report's own",
         {C(ComponentGripEA, "original", {F(Terrain, "original", "8")})},
         {C(ComponentGripEA, "changed", {F(Terrain, "changed", "6")})}, {},
         {{ComponentGripEA, "", Unmatchable::ChangedThere},
          {ComponentGripEA, Terrain, Unmatchable::ChangedThere}}},
        // A report edited by hand: the state words count in any letter case, as for "the same".
        {"states in other letters",
         {C(ComponentEA2002, ToFerrari, {F(Arrows, "Ferrari", "1")}),
          C(ComponentQL2002, "original", {F(Arrows, "original", "2"), F(Bar, "original", "4")}),
          C(ComponentGripEA, "original", {F(Terrain, "original", "8")})},
         {C(ComponentEA2002, "Original", {F(Arrows, "original", "2")}),
          C(ComponentQL2002, "Harmonized To Ferrari",
            {F(Arrows, "Ferrari", "1"), F(Bar, "Changed", "9")}),
          C(ComponentGripEA, "OPTIMIZED", {F(Terrain, "optimized", "7")})},
         {{StepKind::Harmonize2002, QL, "Ferrari"},
          {StepKind::Restore2002, Ea},
          {StepKind::GripApply, Ea}},
         {{ComponentQL2002, Bar, Unmatchable::ChangedThere}}},
        // A component the report does not name is never touched.
        {"installed on one side",
         {C(ComponentQL2002, ToFerrari, {F(Arrows, "Ferrari", "1")})},
         {C(ComponentGTR2002, "original", {F(Arrows, "original", "2")})}, {},
         {{ComponentGTR2002, "", Unmatchable::NotInstalledHere},
          {ComponentQL2002, "", Unmatchable::InstalledHereOnly}}},
        // clang-format on
    };
    for (const auto& c : cases) {
        GameInstall install;
        install.HasF1cQL2003 = c.with2003;
        const MatchPlan plan = PlanMatch(install, c.here, c.report);
        EXPECT_EQ(plan.steps, c.steps) << c.what;
        EXPECT_EQ(plan.leftovers, c.leftovers) << c.what;
    }
}

TEST(MatchPlan, StepsAndLeftoversInWords) {
    const struct {
        std::string shown, expected;
    } cases[] = {
        {StepText({StepKind::Harmonize2002, EaQL, "Ferrari"}, Language::English),
         "Harmonize EA 2002 season and Quillon season to Ferrari"},
        {StepText({StepKind::RestoreF1c}, Language::German), "F1 Challenge wiederherstellen"},
        {LeftoverText({ComponentEA2002, "", Unmatchable::ChangedThere}, Language::German),
         "EA-2002-Saison: auf dem PC des Berichts von Hand geändert; bitte von dort kopieren"},
        {StepText({StepKind::GripRestore, QL}, Language::English),
         "Put back the original grip values for Quillon"},
        {LeftoverText({ComponentEA2002, "", Unmatchable::UnknownMaster, "Bra\x1b[2Jbham"},
                      Language::English),
         "EA 2002 season: the report's master team, Bra\\x1b[2Jbham, is not on offer here; "
         "install the same add-on as on the report's PC"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.shown, c.expected);
    }
    // A plan, what it cannot mend included, reads as German in German.
    const MatchPlan plan{{{StepKind::RestoreF1c}},
                         {{ComponentGTR2002, "", Unmatchable::NotInstalledHere}}};
    const std::string german = PlanText(plan, Language::German);
    EXPECT_NE(german, PlanText(plan, Language::English));
    EXPECT_EQ(korvane::testing::EnglishWordsIn(german), "") << german;
}
