// korvane-cli as a script sees it: the built executable run against fake installations, judged
// by its output and exit status. What the operations do to the game files is the logic tests'
// business; a row here shows that a command line reaches the right operation, and its output.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "core/installation_lock.hpp"
#include "core/instance_lock.hpp"
#include "support/english_words.hpp"
#include "support/fake_install.hpp"

namespace fs = std::filesystem;
using namespace korvane::testing;

namespace {

struct Result {
    int status = -1;
    std::string out, err;
};

// Every 12-digit hash shown as "#", each run of file lines cut to its first line and a count, and
// a game's tree in a report to its first line, so that a row states what matters in a few lines;
// a remark below a file line stays.
std::string Canonical(const std::string& text) {
    const std::string masked = std::regex_replace(
        std::regex_replace(text, std::regex("\\b[0-9a-f]{12}\\b"), "#"),
        std::regex("(\n    korvane-game [^\n]*)(\n    (?!korvane-game)[^\n]*)+"), "$1");
    static const std::regex run("(\n  [^. \n][^\n]*)((\n  [^. \n][^\n]*)+)");
    std::string result;
    auto rest = masked.cbegin();
    for (std::sregex_iterator it(masked.begin(), masked.end(), run), end; it != end; ++it) {
        const auto more = std::count((*it)[2].first, (*it)[2].second, '\n');
        result += it->prefix().str() + (*it)[1].str() + "\n  ... " + std::to_string(more) + " more";
        rest = (*it)[0].second;
    }
    return result + std::string(rest, masked.cend());
}

const std::string Pc = "[config]\r\nf1path={f1}\r\nf1cpath={f1c}\r\n";
const std::string None;
const FakeOptions All;
const FakeOptions Nothing{false, false, false, false, false};
const std::string Failed =
    "Finished with errors, 1 step(s) failed:\n{program}/terea.ini: No such file or directory\n";
const FakeOptions NoGt{true, true, false, true, false}; // nor the 2003 cars

// The LAN routine: this PC's report written as the host writes it, then the given commands.
std::vector<std::string> Lan(std::vector<std::string> then) {
    then.insert(then.begin(),
                {"harmonize f1-2002 --team Williams --ea --quillon", "grip apply --ea --quillon",
                 "status --json >{temp}/host.json", "status --files >{temp}/host.txt"});
    return then;
}
const std::string LanOut =
    "Performance of all teams is now equal to Williams\nGrip values adjusted successfully\n";
const std::string GripSame = "grip EA 2002: same\ngrip Quillon: same\n";
const std::string RestSame =
    "F1 2002, rest of the game: same\nF1 Challenge, rest of the game: same\n";
const std::string Same =
    "EA 2002 season: same\nQuillon season: same\nF1 Challenge: same\n" + GripSame + RestSame;
// The plan from McLaren and the game's grip table back to the LAN routine's state.
const std::string MatchPlan = "Steps that make this PC like the report:\n"
                              "  1. Harmonize EA 2002 season and Quillon season to Williams\n"
                              "  2. Put the optimized grip values in place for EA 2002\n";
// The player's own Arrows.hdv, as a match names it in its plan and after its run.
const std::string ArrowsLeft =
    "season02/vehicles/Arrows/Arrows.hdv: changed by hand on this PC. Korvane never overwrites or "
    "deletes a file it did not write, so this file and its backup stay as they are; copy this "
    "file from the report's PC (or put back the original file) and make this PC match again\n";
// A match whose one step failed on that file.
const std::string ArrowsKept = "Finished with errors, 1 of 1 steps failed:\n"
                               "Step 1: Harmonize EA 2002 season to Williams\n  {f1}" +
                               ArrowsLeft;
const FakeOptions Ea{true, false, false, false, false}; // F1 2002 without add-ons
const std::string F1cGame = "F1 Challenge, whole game: 109 files in 71 folders, fingerprint #\n";
const FakeOptions F1cOnly{false, false, false, true, false};
// What a command that changes files says while another run changes the game's files in dir.
std::string Busy(const std::string& dir) {
    return "Another run of Korvane is changing files in " + dir +
           " right now. No file was changed; try again when it has ended.";
}

// Every test has its own copy of the program, so that the settings file beside it is its own.
class Cli : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(program_);
        // The runtime directory, where the lock lies: the user's own, closed to others.
        fs::create_directory(temp_.Path() / "run");
        fs::permissions(temp_.Path() / "run", fs::perms::owner_all);
        const fs::path built = KORVANE_CLI_PATH;
        for (const fs::path& file :
             {built, built.parent_path() / "terea.ini", built.parent_path() / "terql.ini"}) {
            fs::copy_file(file, program_ / file.filename());
        }
    }

    // {f1}, {f1c} and {f1-dir} (without the separator) stand for pc's directories, {program} for
    // the program's, {temp} for one without a game, {pid} for this process's id.
    std::string Fill(const FakeInstall& pc, std::string text, bool quote = false) const {
        for (auto [key, value] : {std::pair<std::string, std::string>{"{f1}", pc.f1Path},
                                  {"{f1c}", pc.f1cPath},
                                  {"{f1-dir}", fs::path(pc.f1Path).parent_path()},
                                  {"{program}", program_},
                                  {"{temp}", temp_.Path()},
                                  {"{pid}", std::to_string(getpid())}}) {
            if (quote) {
                value = "'" + std::regex_replace(value, std::regex("'"), "'\\''") + "'";
            }
            for (auto at = text.find(key); at != std::string::npos; at = text.find(key)) {
                text.replace(at, key.size(), value);
            }
        }
        return text;
    }

    // A command line for korvane-cli, run by the shell, after assignments to WINEPREFIX, its
    // output kept unless the line sends it elsewhere; after "locked " while this test holds the
    // lock of a running copy, after "busy " while it holds the lock of pc's game directories. A
    // line starting with "!" is a shell command of its own (a player's hand at work), its output
    // kept.
    Result Run(const FakeInstall& pc, std::string line) {
        std::optional<korvane::InstanceLock> lock;
        if (line.starts_with("locked ")) {
            line.erase(0, 7);
            EXPECT_EQ(lock.emplace(temp_.Path() / "run" / "korvane.lock").TryLock(),
                      korvane::LockResult::Locked);
        }
        korvane::InstallationLock games;
        if (line.starts_with("busy ")) {
            line.erase(0, 5);
            EXPECT_TRUE(games.Take({pc.f1Path, pc.f1cPath}));
        }
        const bool own = line.starts_with("!");
        const bool kept = own || line.find(" >") == std::string::npos;
        const auto cli = line.starts_with("WINEPREFIX=") ? line.find(' ') + 1 : 0;
        // A home of its own: no Wine prefix or settings file of the user's takes part.
        const std::string command =
            own ? "{ " + line.substr(1) + "; } >{temp}/out"
                : "env -u WINEPREFIX -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME={temp} "
                  "XDG_RUNTIME_DIR={temp}/run " +
                      line.substr(0, cli) + "{program}/korvane-cli " + line.substr(cli) +
                      (kept ? " >{temp}/out" : "") + " 2>{temp}/err";
        const int status = std::system(Fill(pc, command, true).c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                kept ? ReadAll(Fill(pc, "{temp}/out")) : "",
                own ? "" : ReadAll(Fill(pc, "{temp}/err"))};
    }

    TempDir temp_;
    fs::path program_ = temp_.Path() / "program";
};

TEST_F(Cli, CommandsPrintTheirResultAndExitStatus) {
    struct Case {
        FakeOptions pc;
        std::vector<std::string> commands; // run in turn, all but the last must succeed
        int status;                        // of the last command
        std::string out;                   // of all commands, canonical
        std::string err;                   // the last command's; for a refusal (2) the line's text
        std::string settings = Pc;         // beside the program; none when empty
    };
    // clang-format off
    const std::vector<Case> cases = {
        {All, {"detect", "--f1c-path {f1-dir} status"}, 2,
         "F1Path: {f1}\nF1cPath: {f1c}\nHasF1_2002: true\nHasSeasonQL: true\nHasGTR2002: true\n"
         "HasF1c: true\nHasF1cQL2003: true\n",
         "--f1c-path \"{f1-dir}\" holds no \"F1 Challenge 99-02.exe\""},
        {{true, false, true, true, false}, {"--f1-path {f1-dir} --f1c-path {f1c} detect",
          "--f1c-path {f1c} harmonize f1c --season 2003 --team Ferrari"}, 2,
         "F1Path: {f1}\nF1cPath: {f1c}\nHasF1_2002: true\nHasSeasonQL: false\nHasGTR2002: true\n"
         "HasF1c: true\nHasF1cQL2003: false\n",
         "season 2003 is not installed (the Quillon 2003 cars are missing); valid seasons: 1999, "
         "2000, 2001, 2002", None},
        {{true, false, false, false, false},
         {"!cd {temp} && mkdir -p pfx/drive_c pfx/dosdevices && ln -s / pfx/dosdevices/z: && "
          "printf '[Software\\\\\\\\EA SPORTS\\\\\\\\F1 2002]\\n\"Install Dir\"=\"Z:%s\"' {f1-dir} "
          ">pfx/system.reg", "WINEPREFIX={temp}/pfx detect --all", "--language fr detect"}, 2,
         "{temp}/pfx\tF1 2002\t{f1-dir}\\\n", "--language: fr not in {de,uk} (see --help)", None},
        {All, {"--f1-path \"\" teams f1-2002"}, 2, "", "--f1-path \"\" holds no \"f1_2002.exe\""},
        {Nothing, {"teams f1c --season 2003", "teams f1c --season 1998"}, 2,
         "BAR\nFerrari\nJaguar\nJordan\nMcLaren\nMinardi\nRenault\nSauber\nToyota\nWilliams\n",
         "unknown season \"1998\"; valid seasons: 1999, 2000, 2001, 2002, 2003", None},
        {{true, true, true, false, false},
         {"--language de harmonize f1-2002 --team mCLAREN --ea --quillon",
          "restore f1-2002 --quillon", "harmonize f1-2002 --team 'lister STORM' --gt", "status",
          "restore f1c"}, 2,
         "Performance aller Teams entspricht jetzt der von McLaren\n"
         "Original performance restored successfully!\n"
         "Performance of all teams is now equal to Lister Storm\n"
         "EA 2002 season: harmonized to McLaren, fingerprint #\n"
         "Quillon season: original, fingerprint #\n"
         "GT Racing 2002 mod: harmonized to Lister Storm, fingerprint #\n"
         "grip EA 2002: original, fingerprint #\ngrip Quillon: original, fingerprint #\n"
         "F1 2002, whole game: 49 files in 55 folders, fingerprint #\n",
         "F1 Challenge 99-02 is not installed (no \"F1 Challenge 99-02.exe\" found; give its "
         "directory with --f1c-path)"},
        {{false, false, false, true, true},
         {"harmonize f1c --season 2003 --team ferrari", "status", "--language de restore f1c",
          "status", "harmonize f1-2002 --team Ferrari --ea"}, 2,
         "Performance of all teams is now equal\nto Ferrari during season 2003.\n"
         "F1 Challenge: harmonized to Ferrari 2003, fingerprint #\n" + F1cGame +
         "Original Performance erfolgreich wiederhergestellt!\n"
         "F1 Challenge: original, fingerprint #\n" + F1cGame,
         "F1 2002 is not installed (no f1_2002.exe found; give its directory with --f1-path)"},
        {All, {"harmonize f1c --season 1999 --team Toyota"}, 2, "",
         "unknown team \"Toyota\" in season 1999; valid names: Arrows, BAR, Benetton, Ferrari, "
         "Jordan, McLaren, Minardi, Prost, Sauber, Stewart, Williams"},
        {All, {"harmonize f1-2002 --team Ferrari --ea --gt"}, 2, "",
         "--ea excludes --gt (see --help)"},
        {All, {"grip restore --quillon --ea", "harmonize f1-2002 --team Ferrari"}, 2,
         "Grip values could not be restored for EA as terrain.org was missing\n\n"
         "Grip values could not be restored for Quillon as terrain.org was missing\n\n"
         "Original grip values restored successfully\n",
         "harmonize f1-2002 needs at least one of --ea, --quillon, --gt"},
        // The language of the settings file, unless the command line names one.
        {{true, false, false, true, false},
         {"--language uk harmonize f1-2002 --team BAR --ea", "grip apply --ea", "status --files",
          "harmonize f1-2002 --team Ferrari --quillon"}, 2,
         "Performance of all teams is now equal to Bar\nGripwerte erfolgreich modifiziert\n"
         "EA 2002 season: harmonized to Bar, fingerprint #\n"
         "  season02\\vehicles\\Arrows\\Arrows.hdv: Bar, #\n  ... 10 more\n"
         "F1 Challenge: original, fingerprint #\n"
         "  SeasonData\\Vehicles\\Arrows\\1999_A20\\1999_Arrows.hdv: original, #\n  ... 87 more\n"
         "grip EA 2002: optimized, fingerprint #\n  season02\\tracks\\terrain.ini: optimized, #\n"
         "    korvane-game F1 2002\n    korvane-game F1 Challenge\n",
         "die Quillon-Saison-Erweiterung ist nicht installiert (kein seasonql02 unter {f1})",
         Pc + "language=de\r\n"},
        {Nothing, {"status"}, 2, "", "neither F1 2002 nor F1 Challenge 99-02 is installed"},
        // While another copy runs, files are looked at; those that change files wait (below).
        {Ea, {"locked status"}, 0,
         "EA 2002 season: original, fingerprint #\ngrip EA 2002: original, fingerprint #\n"
         "F1 2002, whole game: 13 files in 15 folders, fingerprint #\n", None},
        // The fingerprints cover each byte: an edit that keeps the length changes them, even
        // within the same second.
        {Ea, {"!echo GearRatio=1.20 >{f1}season02/vehicles/Bar/Bar.hdv", "status >{temp}/a",
          "!sed -i s/1.20/1.90/ {f1}season02/vehicles/Bar/Bar.hdv", "status >{temp}/b",
          "!diff {temp}/a {temp}/b"}, 1,
         "1c1\n< EA 2002 season: original, fingerprint #\n---\n"
         "> EA 2002 season: original, fingerprint #\n3c3\n"
         "< F1 2002, whole game: 13 files in 15 folders, fingerprint #\n---\n"
         "> F1 2002, whole game: 13 files in 15 folders, fingerprint #\n", None},
        // A backup still sharing its file's data, as a harmonize cut off half way leaves it.
        {Ea, {"harmonize f1-2002 --team Ferrari --ea",
          "!cd {f1}season02/vehicles/Arrows && ln -f Arrows.org Arrows.hdv", "status --files"}, 0,
         "Performance of all teams is now equal to Ferrari\n"
         "EA 2002 season: changed, fingerprint #\n"
         "  season02\\vehicles\\Arrows\\Arrows.hdv: original, #\n"
         "    shares its data with its backup season02\\vehicles\\Arrows\\Arrows.org (two names "
         "of one file); harmonize or restore again to separate them\n"
         "  season02\\vehicles\\Bar\\Bar.hdv: Ferrari, #\n  ... 9 more\n"
         "grip EA 2002: original, fingerprint #\n  season02\\tracks\\terrain.ini: original, #\n"
         "    korvane-game F1 2002\n", None},
        // verify: each file that differs from the host's report, or all the same read from
        // standard input, wherever the game lies; a report it cannot read is named.
        {NoGt, Lan({"!echo faster >{f1}seasonql02/vehicles/Toyota/Toyota.hdv",
                    "!rm {f1}season02/vehicles/Sauber/Sauber.hdv", "verify {temp}/host.json"}), 1,
         LanOut + "EA 2002 season: differs (here changed, the report harmonized to Williams)\n"
         "  season02/vehicles/Sauber/Sauber.hdv: here missing, reference Williams\n"
         "Quillon season: differs (here changed, the report harmonized to Williams)\n"
         "  seasonql02/vehicles/Toyota/Toyota.hdv: here changed, reference Williams\n"
         "F1 Challenge: same\n" + GripSame + RestSame, None},
        {NoGt, Lan({"!mv {f1-dir} {temp}/moved",
                    "--f1-path {temp}/moved verify - <{temp}/host.txt"}), 0, LanOut + Same, None},
        // match: the host's state made here by Korvane's own steps, planned without the lock of
        // a running copy; a file of the player's stays and is named; another run's lock refuses.
        {NoGt, Lan({"harmonize f1-2002 --team McLaren --ea --quillon", "grip restore --ea",
                    "locked match --dry-run {temp}/host.json"}), 1,
         LanOut + "Performance of all teams is now equal to McLaren\n"
         "Original grip values restored successfully\n" + MatchPlan + RestSame, None},
        {NoGt, Lan({"harmonize f1-2002 --team McLaren --ea --quillon", "grip restore --ea",
                    "match {temp}/host.json", "verify {temp}/host.json"}), 0,
         LanOut + "Performance of all teams is now equal to McLaren\n"
         "Original grip values restored successfully\n" + MatchPlan +
         "Step 1 of 2: Harmonize EA 2002 season and Quillon season to Williams\n"
         "Performance of all teams is now equal to Williams\n\n"
         "Step 2 of 2: Put the optimized grip values in place for EA 2002\n"
         "Grip values adjusted successfully\n\n" + Same + Same, None},
        {NoGt, Lan({"harmonize f1-2002 --team McLaren --ea",
                    "!echo mine >{f1}season02/vehicles/Arrows/Arrows.hdv",
                    "match {temp}/host.json"}), 1,
         LanOut + "Performance of all teams is now equal to McLaren\n"
         "Steps that make this PC like the report:\n  1. Harmonize EA 2002 season to Williams\n"
         "What Korvane cannot make equal:\n  " + ArrowsLeft + ArrowsKept +
         "\nEA 2002 season: differs (here changed, the report harmonized to Williams)\n"
         "  season02/vehicles/Arrows/Arrows.hdv: here changed, reference Williams\n"
         "Quillon season: same\nF1 Challenge: same\n" + GripSame + RestSame, ArrowsKept},
        // The whole game: a car mod's file named by folder, from the lists beside the report.
        {Ea, {"status --json --folder-lists {temp}/lists >{temp}/r",
              "!echo mod >{f1}season02/vehicles/Bar/Bar.gmt",
              "verify {temp}/r --folder-lists {temp}/lists"}, 1,
         "EA 2002 season: same\ngrip EA 2002: same\n"
         "F1 2002, rest of the game: 1 entry differs, in 1 folder\n  season02/vehicles/Bar/\n"
         "    Bar.gmt: here only\nKorvane does not copy game files between PCs: copy each "
         "folder named from a PC that has the right one, then compare again.\n", None},
        {All, {"status >{temp}/r", "verify {temp}/r"}, 2, "",
         "{temp}/r: no file lines; write it with status --files or status --json"},
        {All, {"verify {temp}/none.json"}, 2, "",
         "cannot read {temp}/none.json: No such file or directory"},
        {All, {"!head -c 2097152 /dev/zero >{temp}/r", "verify - <{temp}/r"}, 2, "",
         "the report on standard input: larger than 1 MiB, too large for a status report"},
        // Last: it takes a shipped file away.
        {All, {"!rm {program}/terea.ini", "grip apply --ea"}, 1, Failed, Failed},
    };
    // clang-format on
    for (std::size_t row = 0; row < cases.size(); ++row) {
        const Case& c = cases[row];
        SCOPED_TRACE(c.commands.back());
        const fs::path root = temp_.Path() / std::to_string(row);
        fs::create_directories(root);
        const FakeInstall pc(root, c.pc);
        fs::remove(program_ / "korvane.ini");
        if (!c.settings.empty()) {
            WriteAll(program_ / "korvane.ini", Fill(pc, c.settings));
        }
        const std::string settings = ReadAll((program_ / "korvane.ini").string());
        std::string out;
        std::map<std::string, std::string> before;
        Result last;
        for (const std::string& command : c.commands) {
            EXPECT_LE(last.status, 0) << "failed before " << command; // -1 before the first
            before = FilesBelow(root);
            last = Run(pc, command);
            out += last.out;
        }
        EXPECT_EQ(last.status, c.status);
        EXPECT_EQ(Canonical(out), Canonical(Fill(pc, c.out)));
        EXPECT_EQ(last.err, Fill(pc, c.status == 2 ? "korvane-cli: " + c.err + "\n" : c.err));
        if (c.status == 2) {
            EXPECT_EQ(FilesBelow(root), before) << "a refusal touches nothing";
        }
        EXPECT_EQ(ReadAll((program_ / "korvane.ini").string()), settings) << "never written";
        EXPECT_FALSE(fs::exists(temp_.Path() / "run" / "korvane.lock")) << "the lock given back";
    }
}

// Under --language de every line a person reads is German, refusals included; only the system's
// own reason after one may be English. The lines in English are the rows above.
TEST_F(Cli, SpeaksGermanInGerman) {
    const struct {
        FakeOptions pc;
        std::vector<std::string> commands; // all but the last must succeed
        int status;                        // of the last one
        std::string detail = None;         // the system's words in its output
    } cases[] = {
        // clang-format off
        {Nothing, {"status"}, 2},
        {Ea, {"!rm {f1}season02/vehicles/Bar/Bar.hdv", "status"}, 0},
        {Ea, {"status --json >{temp}/host.json", "harmonize f1-2002 --team Ferrari --ea",
              "verify {temp}/host.json"}, 1},
        {Ea, {"status --json >{temp}/host.json", "harmonize f1-2002 --team Ferrari --ea",
              "match --dry-run {temp}/host.json"}, 1},
        {Ea, {"status >{temp}/r", "verify {temp}/r"}, 2},
        {Ea, {"verify {temp}/none.json"}, 2, "No such file or directory"},
        {Ea, {"verify"}, 2},
        {Ea, {"verify --bogus"}, 2, "The following argument was not expected: --bogus"},
        {Ea, {"--help"}, 0}, {Ea, {"detect --help"}, 0}, {Ea, {"teams f1c --help"}, 0},
        {Ea, {"harmonize f1-2002 --help"}, 0}, {Ea, {"harmonize f1c --help"}, 0},
        {Ea, {"restore --help"}, 0}, {Ea, {"grip apply --help"}, 0}, {Ea, {"status --help"}, 0},
        {Ea, {"match --help"}, 0}, {Ea, {"share --help"}, 0}, {Ea, {"hosts --help"}, 0},
        {Ea, {"harmonize f1-2002 --team"}, 2, "--team: 1 required TEXT missing"},
        {Ea, {"verify --host 127.0.0.1 --port 1"}, 2},
        {Ea, {"hosts --to 127.0.0.1 --port 9"}, 1},
        {Ea, {"share --port 0 --seconds 1"}, 0},
        {Ea, {"harmonize f1-2002 --team Ferrari"}, 2},
        {Ea, {"harmonize f1-2002 --team Ferrari --quillon"}, 2},
        {Ea, {"harmonize f1-2002 --team Nobody --ea"}, 2},
        {F1cOnly, {"harmonize f1c --season 1999 --team Toyota"}, 2},
        {F1cOnly, {"teams f1c --season 1998"}, 2},
        {F1cOnly, {"grip apply --ea"}, 2},
        {Ea, {"restore f1c"}, 2},
        {Ea, {"locked grip apply --ea"}, 2},
        {Ea, {"--f1c-path {temp} status"}, 2},
        // clang-format on
    };
    for (std::size_t row = 0; row < std::size(cases); ++row) {
        const auto& c = cases[row];
        SCOPED_TRACE(c.commands.back());
        const FakeInstall pc(temp_.Path() / std::to_string(row), c.pc);
        WriteAll(program_ / "korvane.ini", Fill(pc, Pc));
        Result last;
        for (std::string command : c.commands) {
            EXPECT_LE(last.status, 0) << "failed before " << command;
            const std::size_t at = command.starts_with("locked ") ? 7 : 0;
            last =
                Run(pc, command.starts_with("!") ? command : command.insert(at, "--language de "));
        }
        EXPECT_EQ(last.status, c.status);
        std::string said = last.out + last.err;
        EXPECT_FALSE(said.empty());
        if (!c.detail.empty()) {
            ASSERT_NE(said.find(c.detail), std::string::npos) << said;
            said.erase(said.find(c.detail), c.detail.size());
        }
        EXPECT_EQ(EnglishWordsIn(said), "") << said;
    }
}

// Every command that changes files changes nothing while the desktop program, or another
// korvane-cli that changes files, runs for the same user (the lock of a running copy), nor while
// another run changes files of the same installation (the lock in the game directory: a run from
// another account, a shell without the runtime directory, a renamed copy), and says which.
TEST_F(Cli, CommandsThatChangeFilesWaitForBothLocks) {
    const std::string running = "another copy of Korvane is running (korvane_cli_tests, process "
                                "{pid}, holding {temp}/run/korvane.lock); try again when it has "
                                "ended";
    const struct {
        FakeOptions pc;
        std::vector<std::string> first; // so that the command has files to change
        std::string command;
        std::string dir;         // the game directory it changes
        std::string plan = None; // what it prints before it finds the installation busy
    } commands[] = {
        {Ea, {}, "harmonize f1-2002 --team Ferrari --ea", "{f1}"},
        {Ea, {"harmonize f1-2002 --team Ferrari --ea"}, "restore f1-2002 --ea", "{f1}"},
        {F1cOnly, {}, "harmonize f1c --season 2002 --team Ferrari", "{f1c}"},
        {F1cOnly, {"harmonize f1c --season 2002 --team Ferrari"}, "restore f1c", "{f1c}"},
        {Ea, {}, "grip apply --ea", "{f1}"},
        {Ea, {"grip apply --ea"}, "grip restore --ea", "{f1}"},
        {Ea,
         {"harmonize f1-2002 --team Ferrari --ea", "status --json >{temp}/host.json",
          "restore f1-2002 --ea"},
         "match {temp}/host.json",
         "{f1}",
         "Steps that make this PC like the report:\n  1. Harmonize EA 2002 season to Ferrari\n"
         "Step 1 of 1: Harmonize EA 2002 season to Ferrari\n"},
    };
    int run = 0;
    for (const auto& c : commands) {
        for (const std::string lock : {"locked", "busy"}) {
            SCOPED_TRACE(lock + " " + c.command);
            const fs::path root = temp_.Path() / std::to_string(run++);
            fs::create_directories(root);
            const FakeInstall pc(root, c.pc);
            WriteAll(program_ / "korvane.ini", Fill(pc, Pc));
            for (const std::string& command : c.first) {
                ASSERT_EQ(Run(pc, command).status, 0) << command;
            }
            const auto before = FilesBelow(root);
            const Result refused = Run(pc, lock + " " + c.command);
            const std::string why = lock == "locked" ? running : Busy(c.dir);
            EXPECT_EQ(refused.status, 2);
            EXPECT_EQ(refused.out, Fill(pc, lock == "locked" ? None : c.plan + why + "\n"));
            EXPECT_EQ(refused.err, Fill(pc, "korvane-cli: " + why + "\n"));
            EXPECT_EQ(FilesBelow(root), before) << "a refusal touches nothing";
        }
    }
}

// The commands that only look make nothing anywhere, not even for a moment (a file made and
// removed again changes its directory's time). The settings file beside the program is
// read-only, as an administrator's run leaves it, so that the user's own directory, which does
// not exist, is where a choice would be stored.
TEST_F(Cli, LookingWritesNothing) {
    const FakeInstall pc(temp_.Path() / "pc", Ea);
    Run(pc, "--f1-path {f1-dir} status --json >{temp}/report");
    WriteAll(temp_.Path() / "out", "");
    WriteAll(program_ / "korvane.ini", "[config]\r\n");
    fs::permissions(program_ / "korvane.ini", fs::perms::owner_read);
    const auto past = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char* command : {"detect", "teams f1-2002", "--f1-path {f1-dir} status",
                                "--f1-path {f1-dir} verify {temp}/report"}) {
        const fs::path dirs[] = {program_, temp_.Path()}; // the program's and HOME
        for (const fs::path& dir : dirs) {
            fs::last_write_time(dir, past);
        }
        EXPECT_EQ(Run(pc, command).status, 0) << command;
        for (const fs::path& dir : dirs) {
            EXPECT_TRUE(fs::last_write_time(dir) == past) << command << " changed " << dir;
        }
    }
}

// Two changing runs at once on one installation, the second from a shell without the runtime
// directory and under another name, as a LAN script over ssh beside a player's own run: one waits
// its turn, and no team's own data is ever lost.
TEST_F(Cli, TwoRunsAtOnceLoseNothing) {
    fs::copy_file(program_ / "korvane-cli", program_ / "lan-tool");
    for (int round = 0; round < 10; ++round) {
        const fs::path root = temp_.Path() / std::to_string(round);
        fs::create_directories(root);
        const FakeInstall pc(root, Ea);
        const auto installed = FilesBelow(root);
        ASSERT_EQ(Run(pc, "--f1-path {f1-dir} harmonize f1-2002 --team Bar --ea").status, 0);
        const std::string both = Fill(
            pc,
            "cd {temp} && { HOME={temp} XDG_RUNTIME_DIR={temp}/run {program}/korvane-cli "
            "--f1-path {f1-dir} harmonize f1-2002 --team Ferrari --ea >/dev/null 2>&1; echo $? "
            ">a; } & env -u XDG_RUNTIME_DIR HOME={temp} {program}/lan-tool --f1-path {f1-dir} "
            "restore f1-2002 --ea >/dev/null 2>&1; echo $? >{temp}/b; wait",
            true);
        ASSERT_EQ(std::system(both.c_str()), 0);
        for (const char* run : {"a", "b"}) {
            const std::string status = ReadAll((temp_.Path() / run).string());
            EXPECT_TRUE(status == "0\n" || status == "2\n") << run << ": " << status;
        }
        const auto now = FilesBelow(root);
        for (const auto& [file, content] : installed) {
            if (!file.ends_with(".hdv")) {
                continue;
            }
            const std::string backup = file.substr(0, file.size() - 4) + ".org";
            EXPECT_TRUE(now.at(file) == content ||
                        (now.contains(backup) && now.at(backup) == content))
                << "round " << round << ": " << file << "'s own data is gone";
        }
    }
}

// Two copies on one PC, over the loopback interface: a host that shares its report and a guest
// that finds it, compares itself with it, matches it and tells it each verdict.
TEST_F(Cli, ShareAndVerifyOverTheLoopback) {
    const FakeInstall host(temp_.Path() / "host", Ea);
    const FakeInstall guest(temp_.Path() / "guest", Ea);
    for (const FakeInstall* pc : {&host, &guest}) {
        WriteAll(fs::path(pc->f1Path) / "Locations/Monaco/Monaco.gdb", "1.0");
    }
    FILE* started = popen(Fill(host,
                               "{program}/korvane-cli --f1-path {f1-dir} share --port 0 "
                               "--seconds 60 >{temp}/share 2>&1 & echo $!",
                               true)
                              .c_str(),
                          "r");
    ASSERT_TRUE(started);
    int pid = 0;
    ASSERT_EQ(fscanf(started, "%d", &pid), 1);
    pclose(started);
    // The share's output once it holds what is waited for (within a guard of ten seconds).
    const auto shared = [&](const std::string& until) {
        std::string text;
        for (int i = 0; i < 100 && text.find(until) == std::string::npos; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            text = ReadAll(Fill(host, "{temp}/share"));
        }
        return text;
    };
    std::smatch port;
    const std::string banner = shared("\n");
    ASSERT_TRUE(std::regex_search(banner, port, std::regex("on port ([0-9]+) ")));
    char name[256] = {};
    gethostname(name, sizeof name - 1);
    const std::string at = " --port " + port[1].str();

    EXPECT_EQ(Run(host, "--f1-path {f1-dir} status --json >{temp}/host.json").status, 0);
    const Result fingerprint = Run(host, "!sha256sum {temp}/host.json | cut -c1-12");
    const Result found = Run(guest, "hosts --to 127.0.0.1" + at);
    EXPECT_EQ(found.out, std::string(name) +
                             " (this PC, 127.0.0.1): Korvane 0.6.0, report fingerprint " +
                             fingerprint.out);
    const Result alike = Run(guest, "--f1-path {f1-dir} verify --host 127.0.0.1" + at);
    EXPECT_EQ(alike.status, 0);
    EXPECT_EQ(alike.out, "EA 2002 season: same\ngrip EA 2002: same\n"
                         "F1 2002, rest of the game: same\n");
    // How a difference is printed is the verify rows' business above: here its exit status.
    Run(guest, "--f1-path {f1-dir} harmonize f1-2002 --team Ferrari --ea");
    EXPECT_EQ(Run(guest, "--f1-path {f1-dir} verify --host 127.0.0.1" + at).status, 1);
    // match restores this PC from the host's report and tells the host it is the same now.
    const Result matched = Run(guest, "--f1-path {f1-dir} match --host 127.0.0.1" + at);
    EXPECT_EQ(matched.status, 0);
    const std::string same = std::string(name) + " (127.0.0.1): same\n";
    const std::string verdicts = same + name +
                                 " (127.0.0.1): differs in 10 file(s): season02/vehicles/"
                                 "Arrows/Arrows.hdv, season02/vehicles/Bar/Bar.hdv, "
                                 "season02/vehicles/Jaguar/Jaguar.hdv and 7 more\n" +
                                 same;
    EXPECT_EQ(shared(" more\n" + same), banner + verdicts);

    // A track in another version: the guest asks the host for the folder's list, names the file
    // and tells the host.
    Run(guest, "!echo 1.1 >{f1}Locations/Monaco/Monaco.gdb");
    const Result track = Run(guest, "--f1-path {f1-dir} verify --host 127.0.0.1" + at);
    EXPECT_EQ(track.status, 1);
    EXPECT_EQ(Canonical(track.out),
              "EA 2002 season: same\ngrip EA 2002: same\n"
              "F1 2002, rest of the game: 1 entry differs, in 1 folder\n  Locations/Monaco/\n"
              "    Monaco.gdb: here #, reference #\nKorvane does not copy game files between PCs: "
              "copy each folder named from a PC that has the right one, then compare again.\n");
    EXPECT_EQ(shared("Monaco.gdb\n"), banner + verdicts + name +
                                           " (127.0.0.1): differs in 1 file(s): "
                                           "Locations/Monaco/Monaco.gdb\n");

    const auto start = std::chrono::steady_clock::now();
    const Result unreachable = Run(guest, "--f1-path {f1-dir} verify --host 127.0.0.1 --port 1");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(unreachable.status, 2);
    EXPECT_EQ(unreachable.err,
              "korvane-cli: host 127.0.0.1: it does not share its report now (it may have ended "
              "sharing): port 1 refused the connection\n");
    kill(pid, SIGTERM);
}

} // namespace
