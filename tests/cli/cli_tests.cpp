// korvane-cli as a script sees it: the built executable, run against fake installations, judged
// by its output, its exit status and the game files it leaves behind.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "app/file_system.hpp"
#include "harmonizer/catalogue.hpp"
#include "support/fake_install.hpp"

extern char** environ;

namespace fs = std::filesystem;
using korvane::testing::FakeInstall;
using korvane::testing::FakeOptions;
using korvane::testing::ReadAll;
using korvane::testing::TempDir;
using korvane::testing::WriteAll;

namespace {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

struct StatusEntry {
    std::string state;
    std::string fingerprint;
    std::string missing;
};

const std::string Ea = "season02\\vehicles\\";
const std::string Ql = "seasonql02\\vehicles\\";
const std::string Gt = "GTR2002season\\vehicles\\";

std::string Hdv2002(const std::string& dir, const std::string& team) {
    return dir + team + "\\" + team + ".hdv";
}

// Performance (".hdv") and engine file of F1 Challenge car (s, t), below the game directory.
std::string F1cHdv(int s, int t) {
    return "SeasonData\\Vehicles\\" + korvane::CarDirsF1c(s, t) + "\\" + korvane::SeasonsF1c(s) +
           "_" + korvane::TeamsF1c(s, t) + ".hdv";
}
std::string F1cEngine(int s, int t) {
    return "SeasonData\\Vehicles\\" + korvane::CarDirsF1c(s, t) + "\\engine.ini";
}

std::string Original(const std::string& relative) {
    return FakeInstall::OriginalContent(relative);
}

// Every test gets its own copy of the program, so that the settings file beside it is the
// test's own and /proc/self/exe leads to it.
class Cli : public ::testing::Test {
  protected:
    void SetUp() override {
        program_ = temp_.Path() / "program";
        fs::create_directories(program_);
        const fs::path built = KORVANE_CLI_PATH;
        fs::copy_file(built, program_ / "korvane-cli");
        fs::permissions(program_ / "korvane-cli", fs::perms::owner_all, fs::perm_options::add);
        for (const char* grip : {"terea.ini", "terql.ini"}) {
            fs::copy_file(built.parent_path() / grip, program_ / grip);
        }
    }

    Result Run(const std::vector<std::string>& args) {
        std::vector<std::string> all{(program_ / "korvane-cli").string()};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& arg : all) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);

        const std::string outPath = (temp_.Path() / "stdout").string();
        const std::string errPath = (temp_.Path() / "stderr").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        pid_t pid = 0;
        const int spawned =
            posix_spawn(&pid, all[0].c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        Result result;
        if (spawned != 0) {
            ADD_FAILURE() << "cannot start " << all[0];
            return result;
        }
        int wait = 0;
        waitpid(pid, &wait, 0);
        result.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
        result.out = ReadAll(outPath);
        result.err = ReadAll(errPath);
        return result;
    }

    // Runs against the given installation, named on the command line.
    Result RunOn(const FakeInstall& pc, std::vector<std::string> args) {
        args.insert(args.begin(), {"--f1-path", pc.f1Path, "--f1c-path", pc.f1cPath});
        return Run(args);
    }

    void WriteSettings(const std::string& text) { WriteAll(program_ / "korvane.ini", text); }

    std::map<std::string, StatusEntry> Status(const FakeInstall& pc) {
        const Result result = RunOn(pc, {"status"});
        EXPECT_EQ(result.status, 0) << result.err;
        std::map<std::string, StatusEntry> entries;
        static const std::regex line("(.+): (.+), fingerprint ([0-9a-f]{12})(, missing (.+))?");
        std::size_t start = 0;
        while (start < result.out.size()) {
            const std::size_t end = result.out.find('\n', start);
            const std::string text = result.out.substr(start, end - start);
            std::smatch match;
            if (std::regex_match(text, match, line)) {
                entries[match[1]] = {match[2], match[3], match[5]};
            } else {
                ADD_FAILURE() << "unexpected status line: " << text;
            }
            start = end == std::string::npos ? result.out.size() : end + 1;
        }
        return entries;
    }

    TempDir temp_;
    fs::path program_;
};

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

bool IsOneLine(const std::string& text) {
    return !text.empty() && text.back() == '\n' && text.find('\n') == text.size() - 1;
}

// --- detect -------------------------------------------------------------------------------

TEST_F(Cli, DetectReadsTheSettingsFileBesideTheProgramAndNeverWritesIt) {
    FakeInstall pc(temp_.Path() / "pc", {true, false, true, true, false});
    const std::string settings =
        "[config]\r\nf1path=" + pc.f1Path + "\r\nf1cpath=" + pc.f1cPath + "\r\nlanguage=uk\r\n";
    WriteSettings(settings);

    const Result result = Run({"detect"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, Lines({"F1Path: " + pc.f1Path, "F1cPath: " + pc.f1cPath,
                                 "HasF1_2002: true", "HasSeasonQL: false", "HasGTR2002: true",
                                 "HasF1c: true", "HasF1cQL2003: false"}));
    EXPECT_EQ(result.err, "");

    EXPECT_EQ(Run({"harmonize", "f1-2002", "--team", "Ferrari", "--ea"}).status, 0);
    EXPECT_EQ(ReadAll((program_ / "korvane.ini").string()), settings);
}

TEST_F(Cli, DetectWithoutSettingsOrPathsFindsNothingAndCreatesNoSettingsFile) {
    const Result result = Run({"detect"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, Lines({"F1Path: ", "F1cPath: ", "HasF1_2002: false", "HasSeasonQL: false",
                                 "HasGTR2002: false", "HasF1c: false", "HasF1cQL2003: false"}));
    EXPECT_FALSE(fs::exists(program_ / "korvane.ini"));
}

TEST_F(Cli, PathOptionsReplaceTheDetectedDirectoriesAndDeriveTheFlags) {
    FakeInstall stored(temp_.Path() / "stored");
    FakeInstall given(temp_.Path() / "given", {true, true, false, true, true});
    WriteSettings("[config]\nf1path=" + stored.f1Path + "\nf1cpath=" + stored.f1cPath + "\n");

    // Given without the trailing separator: one is added.
    std::string f1Dir = given.f1Path.substr(0, given.f1Path.size() - 1);
    std::string f1cDir = given.f1cPath.substr(0, given.f1cPath.size() - 1);
    const Result result = Run({"--f1-path", f1Dir, "--f1c-path", f1cDir, "detect"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, Lines({"F1Path: " + given.f1Path, "F1cPath: " + given.f1cPath,
                                 "HasF1_2002: true", "HasSeasonQL: true", "HasGTR2002: false",
                                 "HasF1c: true", "HasF1cQL2003: true"}));

    // A directory without the game's executable counts as no installation.
    const Result empty = Run(
        {"--f1-path", (temp_.Path() / "nothing").string(), "--f1c-path", stored.f1Path, "detect"});
    EXPECT_EQ(empty.out, Lines({"F1Path: ", "F1cPath: ", "HasF1_2002: false", "HasSeasonQL: false",
                                "HasGTR2002: false", "HasF1c: false", "HasF1cQL2003: false"}));
}

// --- teams --------------------------------------------------------------------------------

TEST_F(Cli, TeamsListsTheCatalogueNamesOfTheChosenGameAndSeason) {
    FakeInstall pc(temp_.Path() / "pc");
    std::vector<std::string> f1, gt, season2003, season1999;
    for (int i = 1; i <= korvane::Teams2002Count; ++i) {
        f1.push_back(korvane::Teams2002(i));
    }
    for (int i = 1; i <= korvane::TeamsGTR2002Count; ++i) {
        gt.push_back(korvane::TeamsGTR2002(i));
    }
    for (int t = 1; t <= 10; ++t) {
        season2003.push_back(korvane::TeamsF1c(5, t));
    }
    for (int t = 1; t <= 11; ++t) {
        season1999.push_back(korvane::TeamsF1c(1, t));
    }

    const Result teams2002 = RunOn(pc, {"teams", "f1-2002"});
    EXPECT_EQ(teams2002.status, 0);
    EXPECT_EQ(teams2002.out, Lines(f1));
    EXPECT_EQ(RunOn(pc, {"teams", "gt"}).out, Lines(gt));
    EXPECT_EQ(RunOn(pc, {"teams", "f1c", "--season", "1999"}).out, Lines(season1999));
    const Result teams2003 = RunOn(pc, {"teams", "f1c", "--season", "2003"});
    EXPECT_EQ(teams2003.status, 0);
    EXPECT_EQ(teams2003.out, Lines(season2003));
    EXPECT_EQ(teams2003.out.substr(0, 12), "BAR\nFerrari\n");
}

TEST_F(Cli, TeamsRefusesSeasonsAndComponentsThatAreNotThere) {
    FakeInstall pc(temp_.Path() / "pc", {true, true, false, true, false});

    const Result season2003 = RunOn(pc, {"teams", "f1c", "--season", "2003"});
    EXPECT_EQ(season2003.status, 2);
    EXPECT_TRUE(IsOneLine(season2003.err)) << season2003.err;
    EXPECT_NE(season2003.err.find("1999, 2000, 2001, 2002"), std::string::npos) << season2003.err;
    EXPECT_EQ(season2003.out, "");

    const Result unknown = RunOn(pc, {"teams", "f1c", "--season", "1998"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("1998"), std::string::npos);

    const Result gt = RunOn(pc, {"teams", "gt"});
    EXPECT_EQ(gt.status, 2);
    EXPECT_NE(gt.err.find("GT Racing 2002"), std::string::npos) << gt.err;

    EXPECT_EQ(RunOn(pc, {"teams", "f1c"}).status, 2); // --season is required
    EXPECT_EQ(Run({"teams", "f1-2002"}).status, 2);   // no F1 2002 anywhere
}

// --- harmonize and restore, F1 2002 ---------------------------------------------------------

TEST_F(Cli, HarmonizeF1_2002CopiesTheMasterOverTheChosenComponentsOnly) {
    FakeInstall pc(temp_.Path() / "pc");
    const Result result = RunOn(pc, {"harmonize", "f1-2002", "--team", "Ferrari", "--ea"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Performance of all teams is now equal to Ferrari\n");
    EXPECT_EQ(result.err, "");
    for (int i = 1; i <= korvane::Teams2002Count; ++i) {
        const std::string team = korvane::Teams2002(i);
        EXPECT_EQ(ReadAll(pc.f1Path + Hdv2002(Ea, team)), Original(Hdv2002(Ea, "Ferrari")));
        EXPECT_EQ(ReadAll(pc.f1Path + Hdv2002(Ql, team)), Original(Hdv2002(Ql, team)));
    }
}

TEST_F(Cli, TeamNamesMatchWithoutRegardToLetterCase) {
    FakeInstall pc(temp_.Path() / "pc");
    const Result both = RunOn(
        pc, {"--language", "de", "harmonize", "f1-2002", "--team", "mCLAREN", "--ea", "--quillon"});
    EXPECT_EQ(both.status, 0) << both.err;
    EXPECT_EQ(both.out, "Performance aller Teams entspricht jetzt der von McLaren\n");
    EXPECT_EQ(ReadAll(pc.f1Path + Hdv2002(Ea, "Bar")), Original(Hdv2002(Ea, "McLaren")));
    EXPECT_EQ(ReadAll(pc.f1Path + Hdv2002(Ql, "Bar")), Original(Hdv2002(Ql, "McLaren")));

    const std::string lister = Gt + "Lister Storm\\Lister_dunlop.hdv";
    const Result gt = RunOn(pc, {"harmonize", "f1-2002", "--team", "LISTER storm", "--gt"});
    EXPECT_EQ(gt.status, 0) << gt.err;
    EXPECT_EQ(gt.out, "Performance of all teams is now equal to Lister Storm\n");
    EXPECT_EQ(ReadAll(pc.f1Path + Gt + "Widi Racing\\lm600_dunlop.hdv"), Original(lister));

    // "BAR" is the F1 Challenge spelling; F1 2002 knows "Bar" and finds it all the same.
    EXPECT_EQ(RunOn(pc, {"harmonize", "f1-2002", "--team", "BAR", "--ea"}).out,
              "Performance of all teams is now equal to Bar\n");
}

TEST_F(Cli, HarmonizeF1_2002RefusesBadRequestsWithoutTouchingAFile) {
    FakeInstall pc(temp_.Path() / "pc", {true, false, true, true, true});
    const std::string ferrariBackup = pc.f1Path + Ea + "Ferrari\\Ferrari.org";

    struct Case {
        std::vector<std::string> args;
        std::string mentions;
    };
    const std::vector<Case> cases = {
        {{"harmonize", "f1-2002", "--team", "Ferrari"}, "--ea"},
        {{"harmonize", "f1-2002", "--team", "Ferrari", "--ea", "--gt"}, "--gt"},
        {{"harmonize", "f1-2002", "--ea"}, "--team"},
        {{"harmonize", "f1-2002", "--team", "Ferari", "--ea"}, "Arrows, Bar, Ferrari, Jaguar"},
        {{"harmonize", "f1-2002", "--team", "Ferrari", "--gt"}, "Alda Motorsports"},
        {{"harmonize", "f1-2002", "--team", "Ferrari", "--quillon"}, "Quillon"},
        {{"harmonize", "f1-2002", "--team", "Ferrari", "--ea", "--season", "2002"}, "--season"},
        {{"harmonize", "--team", "Ferrari", "--ea"}, ""},
        {{"restore", "f1-2002"}, "--ea"},
        {{"restore", "f1-2002", "--quillon", "--gt"}, "--gt"},
    };
    for (const Case& c : cases) {
        const Result result = RunOn(pc, c.args);
        const std::string shown = Lines(c.args);
        EXPECT_EQ(result.status, 2) << shown;
        EXPECT_TRUE(IsOneLine(result.err)) << shown << result.err;
        EXPECT_NE(result.err.find(c.mentions), std::string::npos) << shown << result.err;
        EXPECT_EQ(result.out, "") << shown;
    }
    EXPECT_FALSE(fs::exists(korvane::ResolvePath(ferrariBackup)));

    FakeInstall noF1(temp_.Path() / "nof1", {false, false, false, true, true});
    const Result missing = RunOn(noF1, {"harmonize", "f1-2002", "--team", "Ferrari", "--ea"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("F1 2002 is not installed"), std::string::npos) << missing.err;
}

TEST_F(Cli, RestoreF1_2002PutsBackTheFilesAndReportsMissingBackupsWithoutFailing) {
    FakeInstall pc(temp_.Path() / "pc");
    ASSERT_EQ(RunOn(pc, {"harmonize", "f1-2002", "--team", "Jaguar", "--ea", "--quillon"}).status,
              0);

    const Result restored = RunOn(pc, {"restore", "f1-2002", "--ea"});
    EXPECT_EQ(restored.status, 0) << restored.err;
    EXPECT_EQ(restored.out, "Original performance restored successfully!\n");
    for (int i = 1; i <= korvane::Teams2002Count; ++i) {
        const std::string team = korvane::Teams2002(i);
        EXPECT_EQ(ReadAll(pc.f1Path + Hdv2002(Ea, team)), Original(Hdv2002(Ea, team)));
        EXPECT_EQ(ReadAll(pc.f1Path + Hdv2002(Ql, team)), Original(Hdv2002(Ql, "Jaguar")));
    }

    // Every text a message of its own, CR LF as plain breaks, an empty line between two.
    std::string expected;
    for (int i = 1; i <= korvane::Teams2002Count; ++i) {
        expected += "Performance of " + korvane::Teams2002(i) +
                    " could not be restored,\nas original performance file is missing!\n\n";
    }
    expected += "Original performance restored successfully!\n";
    const Result again = RunOn(pc, {"restore", "f1-2002", "--ea"});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, expected);
    EXPECT_EQ(again.err, "");
}

// --- harmonize and restore, F1 Challenge -----------------------------------------------------

TEST_F(Cli, HarmonizeF1cFindsTheTeamInTheChosenSeason) {
    FakeInstall pc(temp_.Path() / "pc");
    const Result result = RunOn(pc, {"harmonize", "f1c", "--season", "2003", "--team", "ferrari"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "Performance of all teams is now equal\nto Ferrari during season 2003.\n");
    for (int s = 1; s <= 5; ++s) {
        for (int t = 1; t <= korvane::TeamCountF1c(s); ++t) {
            EXPECT_EQ(ReadAll(pc.f1cPath + F1cHdv(s, t)), Original(F1cHdv(5, 2)));
            EXPECT_EQ(ReadAll(pc.f1cPath + F1cEngine(s, t)), Original(F1cEngine(5, 2)));
        }
    }

    const Result restored = RunOn(pc, {"--language", "de", "restore", "f1c"});
    EXPECT_EQ(restored.status, 0) << restored.err;
    EXPECT_EQ(restored.out, "Original Performance erfolgreich wiederhergestellt!\n");
    EXPECT_EQ(ReadAll(pc.f1cPath + F1cHdv(1, 4)), Original(F1cHdv(1, 4)));
    EXPECT_EQ(ReadAll(pc.f1cPath + F1cEngine(4, 3)), Original(F1cEngine(4, 3)));
}

TEST_F(Cli, HarmonizeF1cRefusesUnknownTeamsAndSeasonsNotOnOffer) {
    FakeInstall pc(temp_.Path() / "pc", {true, true, true, true, false});
    const Result toyota = RunOn(pc, {"harmonize", "f1c", "--season", "1999", "--team", "Toyota"});
    EXPECT_EQ(toyota.status, 2);
    EXPECT_TRUE(IsOneLine(toyota.err)) << toyota.err;
    EXPECT_NE(toyota.err.find("Prost, Sauber, Stewart, Williams"), std::string::npos) << toyota.err;

    const Result season = RunOn(pc, {"harmonize", "f1c", "--season", "2003", "--team", "Ferrari"});
    EXPECT_EQ(season.status, 2);
    EXPECT_NE(season.err.find("2003"), std::string::npos);
    EXPECT_EQ(RunOn(pc, {"harmonize", "f1c", "--team", "Ferrari"}).status, 2);
    EXPECT_EQ(
        RunOn(pc, {"harmonize", "f1c", "--season", "2002", "--team", "Ferrari", "--ea"}).status, 2);
    EXPECT_EQ(ReadAll(pc.f1cPath + "SeasonData\\Vehicles\\Ferrari\\2002_F2002\\engine.org"),
              "<missing>");

    FakeInstall noF1c(temp_.Path() / "nof1c", {true, true, true, false, false});
    const Result missing = RunOn(noF1c, {"restore", "f1c"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("F1 Challenge 99-02 is not installed"), std::string::npos);
}

// --- grip ------------------------------------------------------------------------------------

TEST_F(Cli, GripAppliesTheShippedTablesAndRestoresTheOriginals) {
    FakeInstall pc(temp_.Path() / "pc");
    const std::string eaLive = pc.f1Path + "season02\\tracks\\terrain.ini";
    const std::string qlLive = pc.f1Path + "seasonql02\\tracks\\terrain.ini";
    const std::string shippedEa = ReadAll((program_ / "terea.ini").string());
    ASSERT_NE(shippedEa, "<missing>");

    const Result applied = RunOn(pc, {"grip", "apply", "--ea"});
    EXPECT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(applied.out, "Grip values adjusted successfully\n");
    EXPECT_EQ(ReadAll(eaLive), shippedEa);
    EXPECT_EQ(ReadAll(qlLive), Original("seasonql02\\tracks\\terrain.ini"));

    const Result restored = RunOn(pc, {"grip", "restore", "--ea", "--quillon"});
    EXPECT_EQ(restored.status, 0) << restored.err;
    EXPECT_EQ(restored.out,
              "Grip values could not be restored for Quillon as terrain.org was missing\n"
              "\n"
              "Original grip values restored successfully\n");
    EXPECT_EQ(ReadAll(eaLive), Original("season02\\tracks\\terrain.ini"));

    EXPECT_EQ(RunOn(pc, {"grip", "apply"}).status, 2);
    EXPECT_EQ(RunOn(pc, {"grip", "apply", "--gt"}).status, 2);
    FakeInstall noQl(temp_.Path() / "noql", {true, false, true, true, true});
    EXPECT_EQ(RunOn(noQl, {"grip", "restore", "--quillon"}).status, 2);
}

TEST_F(Cli, AFailedStepExitsWithOneAndPrintsTheSummaryOnBothStreams) {
    FakeInstall pc(temp_.Path() / "pc");
    fs::remove(program_ / "terea.ini");

    const Result result = RunOn(pc, {"grip", "apply", "--ea"});
    EXPECT_EQ(result.status, 1);
    EXPECT_FALSE(result.err.empty());
    EXPECT_NE(result.out.find(result.err), std::string::npos) << result.out << "|" << result.err;
    EXPECT_EQ(result.out.find("Grip values adjusted successfully"), std::string::npos);
    EXPECT_EQ(result.out.find('\r'), std::string::npos);
    // The shipped table is what is missing; the game's own table stays as it was.
    EXPECT_EQ(ReadAll(pc.f1Path + "season02\\tracks\\terrain.ini"),
              Original("season02\\tracks\\terrain.ini"));
}

// --- language -------------------------------------------------------------------------------

TEST_F(Cli, LanguageComesFromTheOptionThenTheSettingsFileThenEnglish) {
    FakeInstall pc(temp_.Path() / "pc");
    const std::vector<std::string> apply = {"grip", "apply", "--ea"};
    const std::string english = "Grip values adjusted successfully\n";
    const std::string german = "Gripwerte erfolgreich modifiziert\n";

    EXPECT_EQ(RunOn(pc, apply).out, english);
    WriteSettings("[config]\nlanguage=de\n");
    EXPECT_EQ(RunOn(pc, apply).out, german);
    std::vector<std::string> withOption = {"--language", "uk"};
    withOption.insert(withOption.end(), apply.begin(), apply.end());
    EXPECT_EQ(RunOn(pc, withOption).out, english);
    // No choice stored yet: a script still gets to read what happened.
    WriteSettings("[config]\nlanguage=unknown\n");
    EXPECT_EQ(RunOn(pc, apply).out, english);

    const Result french = RunOn(pc, {"--language", "fr", "grip", "apply", "--ea"});
    EXPECT_EQ(french.status, 2);
    EXPECT_TRUE(IsOneLine(french.err)) << french.err;
}

// --- usage ----------------------------------------------------------------------------------

TEST_F(Cli, HelpOnEveryLevelAndUsageErrorsExitWithTwo) {
    struct Case {
        std::vector<std::string> args;
        std::string mentions;
    };
    for (const Case& c : std::vector<Case>{{{"--help"}, "harmonize"},
                                           {{"harmonize", "--help"}, "f1c"},
                                           {{"harmonize", "f1-2002", "--help"}, "--quillon"},
                                           {{"harmonize", "f1c", "--help"}, "--season"},
                                           {{"teams", "f1c", "--help"}, "--season"},
                                           {{"grip", "apply", "--help"}, "--quillon"},
                                           {{"status", "--help"}, "fingerprint"}}) {
        const Result result = Run(c.args);
        EXPECT_EQ(result.status, 0) << Lines(c.args);
        EXPECT_NE(result.out.find(c.mentions), std::string::npos) << Lines(c.args) << result.out;
    }
    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"fly"}, {"harmonize"}, {"teams", "indycar"}, {"grip"}, {"status", "extra"}}) {
        const Result result = Run(args);
        EXPECT_EQ(result.status, 2) << Lines(args);
        EXPECT_TRUE(IsOneLine(result.err)) << Lines(args) << result.err;
    }
}

// --- status ---------------------------------------------------------------------------------

TEST_F(Cli, StatusNamesEveryInstalledComponentAndOnlyThose) {
    FakeInstall full(temp_.Path() / "full");
    const auto all = Status(full);
    std::vector<std::string> names;
    for (const auto& [name, entry] : all) {
        names.push_back(name);
        EXPECT_EQ(entry.state, "original") << name;
        EXPECT_EQ(entry.missing, "") << name;
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"EA 2002 season", "F1 Challenge", "GT Racing 2002 mod",
                                        "Quillon season", "grip EA 2002", "grip Quillon"}));

    FakeInstall bare(temp_.Path() / "bare", {true, false, false, true, false});
    const Result result = RunOn(bare, {"status"});
    std::vector<std::string> order;
    std::size_t start = 0;
    while (start < result.out.size()) {
        const std::size_t end = result.out.find('\n', start);
        order.push_back(result.out.substr(start, result.out.find(':', start) - start));
        start = end + 1;
    }
    EXPECT_EQ(order, (std::vector<std::string>{"EA 2002 season", "F1 Challenge", "grip EA 2002"}));

    FakeInstall none(temp_.Path() / "none", {false, false, false, false, false});
    EXPECT_EQ(RunOn(none, {"status"}).status, 2);
}

TEST_F(Cli, StatusFollowsHarmonizeReharmonizeAndRestore) {
    FakeInstall pc(temp_.Path() / "pc");
    const auto before = Status(pc);

    ASSERT_EQ(RunOn(pc, {"harmonize", "f1-2002", "--team", "Ferrari", "--ea"}).status, 0);
    const auto ferrari = Status(pc);
    EXPECT_EQ(ferrari.at("EA 2002 season").state, "harmonized to Ferrari");
    EXPECT_NE(ferrari.at("EA 2002 season").fingerprint, before.at("EA 2002 season").fingerprint);
    EXPECT_EQ(ferrari.at("Quillon season").state, "original");
    EXPECT_EQ(ferrari.at("Quillon season").fingerprint, before.at("Quillon season").fingerprint);

    ASSERT_EQ(RunOn(pc, {"harmonize", "f1-2002", "--team", "McLaren", "--ea"}).status, 0);
    const auto mclaren = Status(pc);
    EXPECT_EQ(mclaren.at("EA 2002 season").state, "harmonized to McLaren");
    EXPECT_NE(mclaren.at("EA 2002 season").fingerprint, ferrari.at("EA 2002 season").fingerprint);
    EXPECT_NE(mclaren.at("EA 2002 season").fingerprint, before.at("EA 2002 season").fingerprint);

    ASSERT_EQ(RunOn(pc, {"restore", "f1-2002", "--ea"}).status, 0);
    const auto restored = Status(pc);
    EXPECT_EQ(restored.at("EA 2002 season").state, "original");
    EXPECT_EQ(restored.at("EA 2002 season").fingerprint, before.at("EA 2002 season").fingerprint);

    ASSERT_EQ(RunOn(pc, {"harmonize", "f1-2002", "--team", "Lister Storm", "--gt"}).status, 0);
    ASSERT_EQ(RunOn(pc, {"harmonize", "f1c", "--season", "2002", "--team", "Ferrari"}).status, 0);
    ASSERT_EQ(RunOn(pc, {"grip", "apply", "--quillon"}).status, 0);
    const auto others = Status(pc);
    EXPECT_EQ(others.at("GT Racing 2002 mod").state, "harmonized to Lister Storm");
    EXPECT_EQ(others.at("F1 Challenge").state, "harmonized to Ferrari 2002");
    EXPECT_NE(others.at("F1 Challenge").fingerprint, before.at("F1 Challenge").fingerprint);
    EXPECT_EQ(others.at("grip Quillon").state, "optimized");
    EXPECT_NE(others.at("grip Quillon").fingerprint, before.at("grip Quillon").fingerprint);
    EXPECT_EQ(others.at("grip EA 2002").state, "original");
    EXPECT_EQ(others.at("grip EA 2002").fingerprint, before.at("grip EA 2002").fingerprint);
}

TEST_F(Cli, StatusIsTheSameOnTwoCopiesHarmonizedAlikeAndTellsAHandChangedCopy) {
    FakeInstall first(temp_.Path() / "first PC");
    FakeInstall second(temp_.Path() / "second PC");
    const std::vector<std::vector<std::string>> lanParty = {
        {"harmonize", "f1-2002", "--team", "Williams", "--ea", "--quillon"},
        {"harmonize", "f1c", "--season", "2001", "--team", "McLaren"},
        {"grip", "apply", "--ea", "--quillon"}};
    for (const auto& line : lanParty) {
        ASSERT_EQ(RunOn(first, line).status, 0);
        ASSERT_EQ(RunOn(second, line).status, 0);
    }
    EXPECT_EQ(RunOn(first, {"status"}).out, RunOn(second, {"status"}).out);
    EXPECT_EQ(Status(first).at("F1 Challenge").state, "harmonized to McLaren 2001");

    // One player edits a car by hand after the harmonize; so does another on a grip table.
    WriteAll(korvane::ResolvePath(second.f1Path + Hdv2002(Ql, "Toyota")), "faster");
    WriteAll(korvane::ResolvePath(second.f1Path + "season02\\tracks\\terrain.ini"), "sticky grass");
    const auto a = Status(first);
    const auto b = Status(second);
    EXPECT_EQ(b.at("Quillon season").state, "changed");
    EXPECT_NE(b.at("Quillon season").fingerprint, a.at("Quillon season").fingerprint);
    EXPECT_EQ(b.at("grip EA 2002").state, "changed");
    EXPECT_NE(b.at("grip EA 2002").fingerprint, a.at("grip EA 2002").fingerprint);
    EXPECT_EQ(b.at("EA 2002 season").state, "harmonized to Williams");
    EXPECT_EQ(b.at("EA 2002 season").fingerprint, a.at("EA 2002 season").fingerprint);

    // Only the engine of one car is off: the F1 Challenge files match no single master.
    WriteAll(korvane::ResolvePath(second.f1cPath + F1cEngine(3, 1)), Original(F1cEngine(3, 1)));
    EXPECT_EQ(Status(second).at("F1 Challenge").state, "changed");
}

TEST_F(Cli, StatusFingerprintTellsWhichFileHoldsWhatAndNamesMissingFiles) {
    FakeInstall first(temp_.Path() / "first");
    FakeInstall second(temp_.Path() / "second");
    const auto before = Status(first);
    EXPECT_EQ(Status(second).at("EA 2002 season").fingerprint,
              before.at("EA 2002 season").fingerprint);

    // The same bytes in other files are another installation.
    const std::string arrows = second.f1Path + Hdv2002(Ea, "Arrows");
    const std::string bar = second.f1Path + Hdv2002(Ea, "Bar");
    const std::string arrowsContent = ReadAll(arrows);
    WriteAll(korvane::ResolvePath(arrows), ReadAll(bar));
    WriteAll(korvane::ResolvePath(bar), arrowsContent);
    EXPECT_NE(Status(second).at("EA 2002 season").fingerprint,
              before.at("EA 2002 season").fingerprint);

    fs::remove(korvane::ResolvePath(first.f1Path + Hdv2002(Ea, "Sauber")));
    fs::remove(korvane::ResolvePath(first.f1Path + Gt + "Mac Racing\\996GT3_dunlop.hdv"));
    const auto missing = Status(first);
    EXPECT_EQ(missing.at("EA 2002 season").missing, "season02\\vehicles\\Sauber\\Sauber.hdv");
    EXPECT_EQ(missing.at("EA 2002 season").state, "original");
    EXPECT_NE(missing.at("EA 2002 season").fingerprint, before.at("EA 2002 season").fingerprint);
    EXPECT_EQ(missing.at("GT Racing 2002 mod").missing,
              "GTR2002season\\vehicles\\Mac Racing\\996GT3_dunlop.hdv");
    // An empty file is not the same as a missing one.
    WriteAll(korvane::ResolvePath(first.f1Path + Hdv2002(Ea, "Sauber")), "");
    const auto empty = Status(first);
    EXPECT_EQ(empty.at("EA 2002 season").missing, "");
    EXPECT_NE(empty.at("EA 2002 season").fingerprint, missing.at("EA 2002 season").fingerprint);
}

} // namespace
