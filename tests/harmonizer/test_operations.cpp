// Harmonize and restore for every game, and the grip module with the same ".org" backups: one
// body runs every flow and compares the whole tree of files with what it must hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <iterator>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "core/failure_log.hpp"
#include "core/file_system.hpp"
#include "grip/grip.hpp"
#include "harmonizer/harmonizer.hpp"
#include "support/fake_install.hpp"

namespace korvane {
// Test names and failures show the language as its code.
void PrintTo(Language language, std::ostream* out) {
    *out << CodeOf(language);
}
} // namespace korvane

using namespace korvane;
using namespace korvane::testing;
namespace fs = std::filesystem;

namespace {

using Tree = std::map<std::string, std::string>; // path below the root -> content

// The files where the trees differ, as each of them holds it; "{}" when they are equal.
std::string Differences(const Tree& expected, const Tree& actual) {
    std::vector<std::pair<std::string, std::string>> differing;
    std::ranges::set_symmetric_difference(expected, actual, std::back_inserter(differing));
    return ::testing::PrintToString(differing);
}

enum class Game { F1_2002, F1c, Grip };

struct Rule {
    const char* dir;       // a changed file lies below it
    const char* suffix;    // and its path ends so
    const char* source[2]; // below dir: the file whose original it gets in the first, second run
};

struct Flow {
    const char* name;
    Game game;
    Components2002 ticked;
    const char* teams[2];        // the masters of the first and the second run (F1 2002)
    std::pair<int, int> cars[2]; // season and team (F1 Challenge)
    bool with2003;
    std::vector<Rule> rules;
    int missing; // backups reported missing by the second restore
    // Texts shown (position, from the end when negative), in German and English.
    std::vector<std::tuple<int, const char*, const char*>> said;

    friend void PrintTo(const Flow& flow, std::ostream* out) { *out << flow.name; }
};

const Rule* RuleFor(const Flow& flow, const std::string& key) {
    for (const Rule& rule : flow.rules) {
        if (key.starts_with(rule.dir) && key.ends_with(rule.suffix) &&
            (flow.with2003 || key.find("2003QL_") == std::string::npos)) {
            return &rule;
        }
    }
    return nullptr;
}

// Every changed file holds its run's source as installed, every backup its file as installed.
Tree Applied(const Flow& flow, const Tree& installed, int run) {
    Tree tree = installed;
    for (const auto& [key, content] : installed) {
        if (const Rule* rule = RuleFor(flow, key)) {
            tree[key.substr(0, key.rfind('.')) + ".org"] = content;
            tree[key] = installed.at(rule->dir + std::string(rule->source[run]));
        }
    }
    return tree;
}

// A disk whose k-th step of a kind fails, or that ends the process at its k-th step of any kind
// as a kill or a power loss would.
struct StepFaults : FileFaults {
    std::map<Step, int> failAt; // the step of each kind that fails, counted from 1
    int endAt = 0;
    bool flushToDisk = false; // these tests write many thousand files
    bool eachFile = false;
    std::map<Step, int> counts;
    int steps = 0;

    bool Fails(Step step, const std::string&) override {
#ifndef _WIN32
        if (++steps == endAt) {
            raise(SIGKILL);
        }
#endif
        return ++counts[step] == failAt[step];
    }
    bool FlushToDisk() const override {
        return flushToDisk;
    }
    bool FlushEachFile() const override {
        return eachFile;
    }
};

// A fake installation for a flow; for a restore (run 2), with the apply it undoes done first.
struct Env {
    explicit Env(const Flow& flow, int run = 0)
        : flow(flow),
          fake(root.Path(), flow.game == Game::F1c ? FakeOptions{false, false, false, true, true}
                                                   : FakeOptions{.f1c = false}) {
        install.HasF1cQL2003 = flow.with2003;
        WriteAll(root.Path() / "Korvane" / GripTableEA.shipped, "optimized EA table");
        WriteAll(root.Path() / "Korvane" / GripTableQL.shipped, "optimized Quillon table");
        installed = FilesBelow(root.Path());
        if (run == 2) {
            RecordingSink sink;
            StepFaults quiet;
            EXPECT_EQ(Act(0, Language::English, sink, quiet), Outcome::Done);
        }
    }
    const Flow& flow;
    TempDir root;
    FakeInstall fake;
    GameInstall install = fake.Install();
    Tree installed; // every file as it was before the first run

    // The shipped grip tables lie in "Korvane" beside the games.
    OperationContext Context(Language language, MessageSink& sink, FileFaults& disk) const {
        return {install, root.Text() + "Korvane", language, sink, disk};
    }

    // Runs 0 and 1 apply with the first and the second master, run 2 restores.
    Outcome Act(int run, Language language, MessageSink& sink,
                FileFaults& disk = NoFaults()) const {
        const OperationContext context = Context(language, sink, disk);
        if (flow.game == Game::F1c) {
            return run < 2 ? HarmonizeF1c(context, flow.cars[run].first, flow.cars[run].second)
                           : RestoreF1c(context);
        }
        if (flow.game == Game::Grip) {
            return run < 2 ? ApplyOptimizedGrip(context, flow.ticked)
                           : RestoreOriginalGrip(context, flow.ticked);
        }
        return run < 2 ? HarmonizeF1_2002(context, flow.teams[run], flow.ticked)
                       : RestoreF1_2002(context, flow.ticked);
    }

    // Where the files differ from what the run must leave: its master's data, or all restored.
    std::string Left(int run) const {
        return Differences(run < 2 ? Applied(flow, installed, run) : installed,
                           FilesBelow(root.Path()));
    }
};

// clang-format off
const Flow AllFlows[] = {
    {"Seasons2002", Game::F1_2002, {true, true, false}, {"Ferrari", "Bar"}, {}, false,
     {{"F1 2002/season02/vehicles/", ".hdv", {"Ferrari/Ferrari.hdv", "Bar/Bar.hdv"}},
      {"F1 2002/seasonql02/vehicles/", ".hdv", {"Ferrari/Ferrari.hdv", "Bar/Bar.hdv"}}}, 22,
     {{0, "Performance aller Teams entspricht jetzt der von Ferrari",
          "Performance of all teams is now equal to Ferrari"},
      {2, "Original Performance erfolgreich wiederhergestellt!",
          "Original performance restored successfully!"}}},
    {"GTR2002", Game::F1_2002, {false, false, true}, {"Paul Belmondo competition", "Lister Storm"},
     {}, false,
     {{"F1 2002/GTR2002season/vehicles/", ".hdv",
       {"Paul Belmondo competition/viperGT_pirelli.hdv", "Lister Storm/Lister_dunlop.hdv"}}}, 24,
     {{22, "Konnte Performance für PSI MOTORSPORT nicht wiederherstellen,\r\n"
           "da original Performancedatei fehlt!",
           "Performance of PSI MOTORSPORT could not be restored,\r\n"
           "as original performance file is missing!"}}},
    {"F1c", Game::F1c, {}, {}, {{4, 3}, {5, 2}}, true,
     {{"F1C/SeasonData/Vehicles/", ".hdv",
       {"Ferrari/2002_F2002/2002_Ferrari.hdv", "Ferrari/2003QL_F2003GA/2003_Ferrari.hdv"}},
      {"F1C/SeasonData/Vehicles/", "engine.ini",
       {"Ferrari/2002_F2002/engine.ini", "Ferrari/2003QL_F2003GA/engine.ini"}}}, 108,
     {{0, "Die Performance aller Teams entspricht jetzt\r\nder von Ferrari in der Saison 2002.",
          "Performance of all teams is now equal\r\nto Ferrari during season 2002."},
      {3, "Konnte Performance für Arrows in Saison 1999 nicht wiederherstellen,\r\n"
          "da original Performancedatei fehlt!",
          "Performance of Arrows in season 1999 could not be restored,\r\n"
          "as original performance file is missing!"},
      {-2, "Konnte Performance für Williams in Saison 2003 nicht wiederherstellen,\r\n"
           "da original engine.ini Datei fehlt!",
           "Performance of Williams in season 2003 could not be restored,\r\n"
           "as original engine.ini file is missing!"}}},
    {"F1cWithout2003", Game::F1c, {}, {}, {{1, 11}, {4, 2}}, false,
     {{"F1C/SeasonData/Vehicles/", ".hdv",
       {"Williams/1999_FW21/1999_Williams.hdv", "BAR/2002_BAR004/2002_BAR.hdv"}},
      {"F1C/SeasonData/Vehicles/", "engine.ini",
       {"Williams/1999_FW21/engine.ini", "BAR/2002_BAR004/engine.ini"}}}, 88, {}},
    {"Grip", Game::Grip, {true, true}, {}, {}, false,
     {{"", "F1 2002/season02/tracks/terrain.ini", {"Korvane/terea.ini", "Korvane/terea.ini"}},
      {"", "F1 2002/seasonql02/tracks/terrain.ini", {"Korvane/terql.ini", "Korvane/terql.ini"}}},
     2,
     {{0, "Gripwerte erfolgreich modifiziert", "Grip values adjusted successfully"},
      {2, "Gripwerte erfolgreich wiederhergestellt", "Original grip values restored successfully"},
      {3, "Gripwerte fuer EA konnten mangels fehlender terrain.org nicht wiederhergestellt werden",
          "Grip values could not be restored for EA as terrain.org was missing"},
      {4, "Gripwerte fuer Quillon konnten mangels fehlender terrain.org nicht wiederhergestellt "
          "werden", "Grip values could not be restored for Quillon as terrain.org was missing"}}},
};
// clang-format on

class Flows : public ::testing::TestWithParam<std::tuple<Flow, Language>> {};

// Applying twice keeps the first backups and takes the data from them; restoring twice reports
// every backup missing the second time.
TEST_P(Flows, ApplyTwiceThenRestoreTwice) {
    const auto& [flow, language] = GetParam();
    const Env env(flow);
    const auto changed = [&](auto& file) { return RuleFor(flow, file.first) != nullptr; };
    RecordingSink sink;
    for (int run : {0, 1, 2, 2}) {
        EXPECT_EQ(env.Act(run, language, sink), Outcome::Done);
        EXPECT_EQ(env.Left(run), "{}") << "run " << run;
        if (run == 0) { // a file gone while its backup stays is written anew
            fs::remove(env.root.Path() / std::ranges::find_if(env.installed, changed)->first);
        }
    }
    ASSERT_EQ(sink.texts.size(), language == Language::Unknown ? 0u : 4u + flow.missing);
    for (const auto& [at, de, uk] :
         language == Language::Unknown ? decltype(flow.said){} : flow.said) {
        const std::size_t i = at < 0 ? sink.texts.size() + at : at;
        EXPECT_EQ(sink.texts.at(i), language == Language::German ? de : uk) << "text " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Games, Flows,
                         ::testing::Combine(::testing::ValuesIn(AllFlows),
                                            ::testing::Values(Language::German, Language::English,
                                                              Language::Unknown)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    CodeOf(std::get<1>(info.param));
                         });

class FailedWrites : public ::testing::TestWithParam<Flow> {};

// Whatever write, flush or rename fails: no file half written, no backup lost, no success text,
// and running the action again finishes the job. The k-th step fails, of the kind k picks in
// turn: a write, a flush or a rename as far into the action. Of a long action only some steps
// fail: the first and last two, those around the middle (where the copies follow the backups,
// or the engines the cars) and every sixth part.
TEST_P(FailedWrites, LeaveEveryFileWholeAndTheNextRunFinishes) {
    const Flow& flow = GetParam();
    using Step = FileFaults::Step;
    const std::tuple<const char*, Step, int, int> kinds[] = {
        // per two backed-up files: steps of harmonizing, of restoring
        {"rename", Step::Rename, 2, 2}, // a backup is a new name, not a rename
        {"write", Step::Write, 4, 4},   // a restore deletes each backup
        // and each directory after the renames, of F1 Challenge one for a car and its engine
        {"flush", Step::Flush, flow.game == Game::F1c ? 3 : 4, 4},
    };
    for (const int run : {0, 2}) {
        const int writes = 2 * flow.missing;
        for (int k = 1; k <= writes; ++k) {
            if (writes > 24 && k > 2 && k < writes - 1 && std::abs(2 * k - writes) > 2 &&
                k % (writes / 6) != 0) {
                continue;
            }
            const auto& [kind, failing, apply, restore] = kinds[k % 3];
            const int step = (k * (run == 0 ? apply : restore) + 3) / 4;
            SCOPED_TRACE("run " + std::to_string(run) + ", " + kind + " " + std::to_string(step));
            const Env env(flow, run);
            const Tree applied = Applied(flow, env.installed, 0);
            RecordingSink sink;
            StepFaults faults, quiet;
            faults.failAt[failing] = step;
            EXPECT_EQ(env.Act(run, Language::English, sink, faults), Outcome::Failed);
            ASSERT_EQ(sink.texts.size(), 1u);
            EXPECT_NE(sink.texts[0].find(std::string(": simulated ") + kind), std::string::npos);
            for (const auto& file : FilesBelow(env.root.Path())) { // as it was or will be
                EXPECT_TRUE(std::ranges::count(env.installed, file) ||
                            std::ranges::count(applied, file))
                    << file.first;
            }
            // A file changed without its backup, or a backup lost, stays so after the next run.
            EXPECT_EQ(env.Act(run, Language::English, sink, quiet), Outcome::Done);
            EXPECT_EQ(env.Left(run), "{}");
        }
    }
}

// F1 Challenge without the 2003 cars takes the same steps as with them.
INSTANTIATE_TEST_SUITE_P(Games, FailedWrites,
                         ::testing::Values(AllFlows[0], AllFlows[1], AllFlows[2], AllFlows[4]),
                         [](const auto& info) { return std::string(info.param.name); });

#ifndef _WIN32
// A run ended at any step (killed, power lost) loses nothing: the next action of any kind leaves
// no backup sharing its data with its game file, and running the same action again leaves every
// file right and no temporary file behind. Runs end at steps of every kind spread over the action.
// (A backup's name held by something that is no file is a failed step like any other: the
// file-system test shows that it fails.)
TEST(InterruptedRuns, TheNextRunFinishesTheJob) {
    for (const auto& [flow, run] : {std::pair{AllFlows[0], 0}, std::pair{AllFlows[3], 0},
                                    std::pair{AllFlows[3], 2}, std::pair{AllFlows[4], 0}}) {
        RecordingSink sink;
        StepFaults quiet;
        int steps = 0;
        {
            // The whole action, flushed file by file as where syncfs cannot be trusted.
            const Env env(flow, run);
            StepFaults counted;
            counted.flushToDisk = counted.eachFile = true;
            EXPECT_EQ(env.Act(run, Language::English, sink, counted), Outcome::Done);
            EXPECT_EQ(env.Left(run), "{}");
            steps = counted.steps;
        }
        for (int step = 1; step <= steps; step += std::max(1, steps / 8) | 1) {
            SCOPED_TRACE(std::string(flow.name) + " run " + std::to_string(run) + ", step " +
                         std::to_string(step) + " of " + std::to_string(steps));
            const Env env(flow, run);
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                StepFaults ending; // takes the steps of the counted run
                ending.endAt = step;
                ending.eachFile = true;
                env.Act(run, Language::English, sink, ending);
                _exit(0);
            }
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFSIGNALED(status));
            // An action on the other game changes no file there, but parts what the ended run
            // left sharing its data.
            if (flow.game == Game::F1c) {
                RestoreOriginalGrip(env.Context(Language::English, sink, quiet),
                                    {.ea2002 = true, .ql2002 = true});
            } else {
                RestoreF1c(env.Context(Language::English, sink, quiet));
            }
            for (const auto& [file, content] : FilesBelow(env.root.Path())) {
                EXPECT_EQ(content.find("<shares"), std::string::npos) << file;
            }
            EXPECT_EQ(env.Act(run, Language::English, sink, quiet), Outcome::Done);
            EXPECT_EQ(env.Left(run), "{}");
        }
    }
}
#endif

// What the player made is never overwritten: a game file changed after Korvane wrote it, a link or
// an empty file at a backup's name. That step fails, named with its reason; the file and its
// backup stay as the player left them, and every other file ends as without the player's hand.
TEST(PlayersFiles, StayAsTheyAreWhileTheOtherFilesAreDone) {
    const std::string ea = "F1 2002/season02/vehicles/";
    const std::string car = "F1C/SeasonData/Vehicles/Jordan/2001_EJ11/";
    const std::string grip = "F1 2002/seasonql02/tracks/"; // grip stops at the first failed step
    const char* changed = "was changed after Korvane wrote it";
    const struct {
        const Flow& flow;
        int run;             // after the first apply: 1 applies again, 2 restores
        bool before;         // the player's hand comes before the first apply instead
        std::string file;    // named in the summary with the reason
        const char* written; // by the player; nullptr: a link to the live file
        const char* reason;
    } cases[] = {
        {AllFlows[0], 2, false, ea + "Arrows/Arrows.hdv", "mod", changed},
        {AllFlows[0], 1, false, ea + "Arrows/Arrows.hdv", "mod", changed},
        {AllFlows[4], 1, false, grip + "terrain.ini", "mine", changed},
        {AllFlows[0], 0, true, ea + "Arrows/Arrows.org", nullptr, "not a regular file"},
        {AllFlows[0], 2, false, ea + "Arrows/Arrows.org", nullptr, "not a regular file"},
        {AllFlows[0], 2, false, ea + "Arrows/Arrows.org", "", "is empty"},
        {AllFlows[2], 0, false, car + "2001_Jordan.org", "", "is empty"},
    };
    for (const auto& c : cases) {
#ifdef _WIN32
        if (!c.written) {
            continue; // a program may make no symbolic link there without extra rights
        }
#endif
        SCOPED_TRACE(std::string(c.flow.name) + " run " + std::to_string(c.run) + ": " + c.file +
                     (c.written ? std::string(" = '") + c.written + "'" : " linked"));
        RecordingSink sink;
        const Env env(c.flow);
        Tree expected = c.run == 2 ? env.installed : Applied(c.flow, env.installed, c.run);
        const fs::path file = env.root.Path() / c.file;
        const std::string live =
            c.file.ends_with(".org") ? c.file.substr(0, c.file.size() - 4) + ".hdv" : c.file;
        const auto hand = [&] {
            fs::remove(file);
            if (c.written) {
                WriteAll(file, c.written);
            } else {
                fs::create_symlink(fs::path(live).filename(), file);
            }
        };
        if (c.before) {
            hand();
        }
        const Tree untouched = FilesBelow(env.root.Path());
        if (!c.before) {
            env.Act(0, Language::English, sink);
            hand();
        }
        const Tree handed = FilesBelow(env.root.Path());
        sink.texts.clear();
        EXPECT_EQ(env.Act(c.run, Language::English, sink), Outcome::Failed);
        ASSERT_EQ(sink.texts.size(), 1u);
        std::string summary = sink.texts[0];
        std::ranges::replace(summary, '\\', '/');
        std::string named = env.root.Text() + c.file + ": " + c.reason;
        std::ranges::replace(named, '\\', '/');
        EXPECT_NE(summary.find(named), std::string::npos) << summary;
        // The player's file and the file it stands beside (its backup or its live file) stay.
        for (const std::string& kept : {live, BackupPathOf(live)}) {
            const Tree& from = c.before ? untouched : handed;
            if (from.contains(kept)) {
                expected[kept] = from.at(kept);
            } else {
                expected.erase(kept);
            }
        }
        EXPECT_EQ(Differences(expected, FilesBelow(env.root.Path())), "{}");
    }
}

// Where files are flushed one by one, a backup made as a second name of its live file has its data
// (which a car mod just unpacked may not have on disk yet) flushed before that file is replaced.
TEST(PerFileFlushes, PutABackupsDataOnDiskBeforeItsFileIsReplaced) {
    struct Recorder : FileFaults {
        std::vector<std::pair<Step, std::string>> steps;
        bool Fails(Step step, const std::string& file) override {
            steps.emplace_back(step, file);
            return false;
        }
        bool FlushEachFile() const override { return true; }
    } disk;
    const Env env(AllFlows[0]);
    RecordingSink sink;
    ASSERT_EQ(
        HarmonizeF1_2002(env.Context(Language::English, sink, disk), "Ferrari", {.ea2002 = true}),
        Outcome::Done);
    for (const TeamFiles& team : ComponentFiles(env.install, Component2002::EA2002)) {
        const auto at = [&](FileFaults::Step step, const std::string& file) {
            return std::ranges::find(disk.steps, std::pair{step, file}) - disk.steps.begin();
        };
        EXPECT_LT(at(FileFaults::Step::Flush, team.backup), at(FileFaults::Step::Rename, team.live))
            << team.team;
    }
}

// A refused action shows why and changes no file (backups made before the master's file was
// found missing aside).
TEST(Refusals, ChangeNoFile) {
    const struct {
        Language language;
        const char* team;           // an F1 2002 master for the EA season ("GT:" for GT), or none
        std::pair<int, int> car;    // an F1 Challenge master (season, team)
        const char* expected;       // the text shown, or a part of it
        bool withoutMaster = false; // the EA season's Ferrari.hdv is gone
    } cases[] = {
        // clang-format off
        {Language::English, "ferrari", {},
         "The master team \"ferrari\" is not available here.\r\nNo file was changed!"},
        {Language::Unknown, "GT:Ferrari", {},
         "Das Masterteam \"Ferrari\" gibt es hier nicht.\r\nEs wurde keine Datei verändert!"},
        {Language::English, nullptr, {5, 2}, "Invalid choice (season 5, Team 2).\r\nNo file was changed!"},
        {Language::German, nullptr, {0, 3},
         "Ungültige Auswahl (Saison 0, Team 3).\r\nEs wurde keine Datei verändert!"},
        {Language::English, nullptr, {4, 12}, "Invalid choice (season 4, Team 12).\r\nNo file was changed!"},
        {Language::German, "Ferrari", {},
         "Ferrari.org: Sicherung des Masterteams fehlt, keine Datei wurde überschrieben", true},
        {Language::English, "Ferrari", {},
         "Ferrari.org: backup of the master team is missing, no file was overwritten", true},
        // clang-format on
    };
    for (const auto& r : cases) {
        SCOPED_TRACE(r.expected);
        TempDir root;
        const GameInstall install = FakeInstall(root.Path(), {.f1cQL2003 = false}).Install();
        if (r.withoutMaster) {
            fs::remove(root.Path() / "F1 2002/season02/vehicles/Ferrari/Ferrari.hdv");
        }
        const Tree installed = FilesBelow(root.Path());
        const std::string team = r.team ? r.team : "";
        const bool gt = team.starts_with("GT:");
        RecordingSink sink;
        const OperationContext context{install, "", r.language, sink};
        EXPECT_EQ(r.team ? HarmonizeF1_2002(context, team.substr(gt ? 3 : 0),
                                            {.ea2002 = !gt, .gtr2002 = gt})
                         : HarmonizeF1c(context, r.car.first, r.car.second),
                  r.withoutMaster ? Outcome::Failed : Outcome::Refused);
        ASSERT_EQ(sink.texts.size(), 1u);
        EXPECT_NE(sink.texts[0].find(r.expected), std::string::npos) << sink.texts[0];
        Tree files = FilesBelow(root.Path());
        std::erase_if(files, [&](auto& f) { return r.withoutMaster && f.first.ends_with(".org"); });
        EXPECT_EQ(Differences(installed, files), "{}");
    }
}

// A failed step is named with its reason instead of the success text, in every language, its
// path in the system's own separators (a game directory typed with slashes, the games' own
// backslashes below it).
TEST(FailureLog, SummaryListsTheFirstTenFailedSteps) {
#ifdef _WIN32
    const std::string shown = "\\games\\season02\\file";
#else
    const std::string shown = "/games/season02/file";
#endif
    FailureLog log;
    std::string listed;
    for (int i = 1; i <= 11; ++i) {
        log.Add("/games/season02\\file" + std::to_string(i), "reason");
        listed += i <= 10 ? "\r\n" + shown + std::to_string(i) + ": reason" : "";
    }
    EXPECT_EQ(log.Summary(Language::English),
              "Finished with errors, 11 step(s) failed:" + listed + "\r\n... and 1 more");
    EXPECT_EQ(log.Summary(Language::Unknown), "Mit Fehlern beendet, 11 Schritt(e) fehlgeschlagen:" +
                                                  listed + "\r\n... und 1 weitere");
}

} // namespace
