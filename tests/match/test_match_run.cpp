#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "harmonizer/harmonizer.hpp"
#include "match/match_run.hpp"
#include "match/match_texts.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using namespace korvane::lancheck;
using namespace korvane::testing;

// Two player's files in one step of two: the run says once that one step failed, as the progress
// counts steps, names the files with the same advice as the question before the match (paths in
// the system's own separators), and no step shows a summary of its own.
TEST(MatchRun, OneSummaryCountsStepsAndNamesThePlayersFiles) {
#ifdef _WIN32
    const std::string arrows = "season02\\vehicles\\Arrows\\Arrows.hdv";
    const std::string bar = "season02\\vehicles\\Bar\\Bar.hdv";
#else
    const std::string arrows = "season02/vehicles/Arrows/Arrows.hdv";
    const std::string bar = "season02/vehicles/Bar/Bar.hdv";
#endif
    const struct {
        Language language;
        std::string restored, heading, step, advice;
    } cases[] = {
        {Language::English, "Original performance restored successfully!",
         "Finished with errors, 1 of 2 steps failed:",
         "Step 1: Harmonize EA 2002 season to Ferrari",
         ": changed by hand on this PC. Korvane never overwrites or deletes a file it did not "
         "write, so this file and its backup stay as they are; copy this file from the report's PC "
         "(or put back the original file) and make this PC match again"},
        {Language::German, "Original Performance erfolgreich wiederhergestellt!",
         "Mit Fehlern beendet, 1 von 2 Schritten fehlgeschlagen:",
         "Schritt 1: EA-2002-Saison an Ferrari angleichen",
         ": auf diesem PC von Hand geändert. Korvane überschreibt und löscht keine Datei, die es "
         "nicht selbst geschrieben hat, darum bleiben diese Datei und ihre Sicherung, wie sie "
         "sind; bitte diese Datei vom PC des Berichts kopieren (oder die Originaldatei "
         "zurücklegen) und diesen PC noch einmal angleichen"},
    };
    for (const auto& c : cases) {
        const Leftover players{ComponentEA2002, "season02\\vehicles\\Arrows\\Arrows.hdv",
                               Unmatchable::ChangedHere};
        EXPECT_EQ(LeftoverText(players, c.language), arrows + c.advice);

        TempDir dir;
        const FakeInstall fake(dir.Path());
        const GameInstall install = fake.Install();
        RecordingSink sink;
        const OperationContext context{install, "", c.language, sink};
        HarmonizeF1_2002(context, "McLaren", {.ea2002 = true, .ql2002 = true});
        WriteAll(dir.Path() / "F1 2002/season02/vehicles/Arrows/Arrows.hdv", "a mod");
        WriteAll(dir.Path() / "F1 2002/season02/vehicles/Bar/Bar.hdv", "another mod");
        sink.texts.clear();

        const MatchPlan plan{{{StepKind::Harmonize2002, {.ea2002 = true}, "Ferrari"},
                              {StepKind::Restore2002, {.ql2002 = true}}},
                             {}};
        const MatchRun run = RunMatch(context, plan);
        EXPECT_EQ(run.outcomes, (std::vector{Outcome::Failed, Outcome::Done}));
        EXPECT_EQ(sink.texts, std::vector{c.restored});
        std::string f1 = fake.f1Path; // the game directory, in the system's own separators too
#ifdef _WIN32
        std::ranges::replace(f1, '/', '\\');
#endif
        EXPECT_EQ(RunSummaryText(plan, run, c.language), c.heading + "\r\n" + c.step + "\r\n  " +
                                                             f1 + arrows + c.advice + "\r\n  " +
                                                             f1 + bar + c.advice);
    }
}
