#include "cli/cli_app.hpp"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <vector>

#include "app/file_system.hpp"
#include "app/game_install.hpp"
#include "app/instance_lock.hpp"
#include "app/settings.hpp"
#include "app/user_dirs.hpp"
#include "cli/console_sink.hpp"
#include "grip/grip.hpp"
#include "harmonizer/catalogue.hpp"
#include "harmonizer/harmonizer.hpp"
#include "lancheck/report_compare.hpp"
#include "lancheck/status_report.hpp"

namespace korvane::cli {

using namespace lancheck;

namespace {

// Anything that makes the command impossible before a file is touched: an unknown name, a
// missing game or component, a command line the options alone cannot judge.
class Refusal : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct Components {
    bool ea = false;
    bool quillon = false;
    bool gt = false;
};

std::string Join(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : ", ") + item;
    }
    return text;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The catalogue picks names by exact text; people type them as they remember them. An exact
// match wins, otherwise the single name that differs only in letter case. -1 for none.
int FindName(const std::vector<std::string>& names, const std::string& text) {
    const auto exact = std::find(names.begin(), names.end(), text);
    if (exact != names.end()) {
        return static_cast<int>(exact - names.begin());
    }
    int found = -1;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (Lower(names[i]) == Lower(text)) {
            if (found >= 0) {
                return -1;
            }
            found = static_cast<int>(i);
        }
    }
    return found;
}

std::vector<std::string> Names2002() {
    std::vector<std::string> names;
    for (int i = 1; i <= Teams2002Count; ++i) {
        names.push_back(Teams2002(i));
    }
    return names;
}

std::vector<std::string> NamesGT() {
    std::vector<std::string> names;
    for (int i = 1; i <= TeamsGTR2002Count; ++i) {
        names.push_back(TeamsGTR2002(i));
    }
    return names;
}

std::vector<std::string> NamesF1c(int season) {
    std::vector<std::string> names;
    for (int t = 1; t <= TeamCountF1c(season); ++t) {
        names.push_back(TeamsF1c(season, t));
    }
    return names;
}

std::string TeamName(const std::vector<std::string>& names, const std::string& text,
                     const std::string& where) {
    const int index = FindName(names, text);
    if (index < 0) {
        throw Refusal("unknown team \"" + text + "\"" + where + "; valid names: " + Join(names));
    }
    return names[static_cast<std::size_t>(index)];
}

void RequireF1_2002(const GameInstall& install) {
    if (!install.HasF1_2002) {
        throw Refusal("F1 2002 is not installed (no f1_2002.exe found; give its directory with "
                      "--f1-path)");
    }
}

void RequireF1c(const GameInstall& install) {
    if (!install.HasF1c) {
        throw Refusal("F1 Challenge 99-02 is not installed (no \"F1 Challenge 99-02.exe\" found; "
                      "give its directory with --f1c-path)");
    }
}

void RequireSomeGame(const GameInstall& install) {
    if (!install.HasF1_2002 && !install.HasF1c) {
        throw Refusal("neither F1 2002 nor F1 Challenge 99-02 is installed");
    }
}

// Another PC's report, from a file or "-" for standard input.
std::vector<ComponentStatus> ReadReport(const std::string& source) {
    try {
        if (source != "-") {
            return ReadReportFile(source);
        }
        std::string text(MaxReportBytes + 1, '\0'); // one byte more tells a larger one
        std::cin.read(text.data(), std::streamsize(text.size()));
        text.resize(std::size_t(std::cin.gcount()));
        return ParseReport(text);
    } catch (const ReportError& error) {
        if (error.Problem() == ReportProblem::Unreadable) {
            throw Refusal("cannot read " + source + ": " + error.what());
        }
        const std::string name = source == "-" ? "the report on standard input" : source;
        throw Refusal(name + ": " + error.what());
    }
}

// korvane-cli takes the desktop program's lock while it changes files, so that neither changes
// them under the other, nor two scripts at once. A lock that cannot be made at all (no runtime
// directory) does not stop it, as it does not stop the desktop program.
void TakeLock(std::optional<InstanceLock>& lock) {
    const std::filesystem::path file = InstanceLockFile("korvane");
    if (lock.emplace(file).TryLock() != LockResult::HeldByOther) {
        return;
    }
    const std::optional<LockHolder> holder = ReadLockHolder(file);
    throw Refusal("another copy of Korvane is running (" +
                  (holder ? holder->program + ", process " + std::to_string(holder->pid) + ", "
                          : std::string()) +
                  "holding " + file.string() + "); try again when it has ended");
}

void RequireComponents(const GameInstall& install, const Components& chosen,
                       const std::string& command) {
    if (!chosen.ea && !chosen.quillon && !chosen.gt) {
        throw Refusal(command + " needs at least one of --ea, --quillon" +
                      (command.starts_with("grip") ? "" : ", --gt"));
    }
    RequireF1_2002(install);
    if (chosen.quillon && !install.HasSeasonQL) {
        throw Refusal("the Quillon season extension is not installed (no seasonql02 below " +
                      install.F1Path + ")");
    }
    if (chosen.gt && !install.HasGTR2002) {
        throw Refusal("the GT Racing 2002 mod is not installed (no GTR2002season below " +
                      install.F1Path + ")");
    }
}

// with2003: whether the Quillon 2003 cars count as a season on offer.
int SeasonIndex(const std::string& year, bool with2003) {
    const int last = LastSeasonF1c(with2003);
    std::vector<std::string> offered;
    for (int s = 1; s <= last; ++s) {
        if (SeasonsF1c(s) == year) {
            return s;
        }
        offered.push_back(SeasonsF1c(s));
    }
    if (last < SeasonsF1cCount && year == SeasonsF1c(SeasonsF1cCount)) {
        throw Refusal("season " + year + " is not installed (the Quillon 2003 cars are missing); " +
                      "valid seasons: " + Join(offered));
    }
    throw Refusal("unknown season \"" + year + "\"; valid seasons: " + Join(offered));
}

std::string WithSeparator(std::string dir) {
    if (!dir.empty() && dir.back() != '/' && dir.back() != '\\') {
        dir += static_cast<char>(std::filesystem::path::preferred_separator);
    }
    return dir;
}

// A directory given on the command line must hold the game: a typo in a LAN script is refused
// rather than taken for a PC without the game. An empty text would look in the working
// directory, so it is refused as well.
std::string GivenGameDir(const std::string& option, const std::string& dir, const char* exe) {
    const std::string withSeparator = WithSeparator(dir);
    if (dir.empty() || !FileExists(withSeparator + exe)) {
        throw Refusal(option + " \"" + dir + "\" holds no \"" + exe + "\"");
    }
    return withSeparator;
}

// The add-ons of a directory given on the command line are judged as detection judges them.
void UseF1Path(GameInstall& install, const std::string& dir) {
    install.F1Path = GivenGameDir("--f1-path", dir, F1ExeTested);
    install.HasF1_2002 = true;
    install.HasSeasonQL = PathExists(install.F1Path + install.DirSeasonQL02);
    install.HasGTR2002 = PathExists(install.F1Path + install.DirGTR2002);
}

void UseF1cPath(GameInstall& install, const std::string& dir) {
    install.F1cPath = GivenGameDir("--f1c-path", dir, F1cExe);
    install.HasF1c = true;
    install.HasF1cQL2003 = PathExists(install.F1cPath + F1cQL2003Marker);
}

// The desktop program's choice when it made one, English otherwise: a script must never run
// silently, which a stored "unknown" would make the operations do.
std::string ChooseLanguage(const std::string& given, const Settings& settings) {
    if (!given.empty()) {
        return given;
    }
    return ReadSetting(settings, "config", "language") == "de" ? "de" : "uk";
}

const char* YesNo(bool flag) {
    return flag ? "true" : "false";
}

void PrintDetect(const GameInstall& install, std::ostream& out) {
    out << "F1Path: " << install.F1Path << '\n'
        << "F1cPath: " << install.F1cPath << '\n'
        << "HasF1_2002: " << YesNo(install.HasF1_2002) << '\n'
        << "HasSeasonQL: " << YesNo(install.HasSeasonQL) << '\n'
        << "HasGTR2002: " << YesNo(install.HasGTR2002) << '\n'
        << "HasF1c: " << YesNo(install.HasF1c) << '\n'
        << "HasF1cQL2003: " << YesNo(install.HasF1cQL2003) << '\n';
}

void PrintCopies(const std::vector<RegistrySource>& registries, std::ostream& out) {
    for (const RegistrySource& registry : registries) {
        const GameInstall found = FindInRegistry(registry.read).install;
        if (found.HasF1_2002) {
            out << registry.where << "\tF1 2002\t" << found.F1Path << '\n';
        }
        if (found.HasF1c) {
            out << registry.where << "\tF1 Challenge 99-02\t" << found.F1cPath << '\n';
        }
    }
}

void PrintLines(const std::vector<std::string>& lines, std::ostream& out) {
    for (const std::string& line : lines) {
        out << line << '\n';
    }
}

void AddComponentFlags(CLI::App* command, Components& chosen, bool withGt) {
    CLI::Option* ea = command->add_flag("--ea", chosen.ea, "EA's own 2002 season");
    CLI::Option* quillon =
        command->add_flag("--quillon", chosen.quillon, "the Quillon season extension");
    if (withGt) {
        command
            ->add_flag("--gt", chosen.gt,
                       "the GT Racing 2002 mod (goes with neither of the others)")
            ->excludes(ea)
            ->excludes(quillon);
    }
}

} // namespace

int RunCli(int argc, const char* const* argv, const std::string& programDir, std::ostream& out,
           std::ostream& err) {
    CLI::App app{"Gives every team the car performance of one master team and replaces the terrain "
                 "grip tables of F1 2002 and F1 Challenge 99-02, as the desktop program does; "
                 "status tells whether two PCs carry the same files.",
                 "korvane-cli"};
    app.footer("Exit status: 0 done (verify: all the same), 1 a step failed (verify: something "
               "differs) or an unexpected error, 2 usage error, unknown name or season, game or "
               "component not installed, a report that cannot be read, or another copy of "
               "Korvane running while files are to be changed.");
    app.require_subcommand(1);
    app.fallthrough();

    std::string language;
    std::string f1Path;
    std::string f1cPath;
    app.add_option("--language", language,
                   "language of the messages (default: the desktop "
                   "program's choice, else uk)")
        ->check(CLI::IsMember({"de", "uk"}));
    CLI::Option* f1PathOption =
        app.add_option("--f1-path", f1Path, "F1 2002 directory, instead of the detected one");
    CLI::Option* f1cPathOption = app.add_option(
        "--f1c-path", f1cPath, "F1 Challenge 99-02 directory, instead of the detected one");

    std::string season;
    std::string team;
    Components chosen;

    CLI::App* detect = app.add_subcommand("detect", "print the installation model");
    bool everyCopy = false;
    detect->add_flag("--all", everyCopy,
                     "instead: every copy of the games found in the registries (on Linux in every "
                     "Wine prefix), one a line: where, game, directory, separated by tabs");

    CLI::App* teams =
        app.add_subcommand("teams", "print the team names to choose from, one a line");
    teams->require_subcommand(1);
    CLI::App* teams2002 =
        teams->add_subcommand("f1-2002", "teams of the EA 2002 and Quillon seasons");
    CLI::App* teamsGt = teams->add_subcommand("gt", "teams of the GT Racing 2002 mod");
    CLI::App* teamsF1c = teams->add_subcommand("f1c", "teams of one F1 Challenge season");
    teamsF1c->add_option("--season", season, "the season's year")->required();

    CLI::App* harmonize =
        app.add_subcommand("harmonize", "give every team the performance of one master team");
    harmonize->require_subcommand(1);
    CLI::App* harmonize2002 =
        harmonize->add_subcommand("f1-2002", "F1 2002: the chosen components, one master team");
    harmonize2002->add_option("--team", team, "the master team")->required();
    AddComponentFlags(harmonize2002, chosen, true);
    CLI::App* harmonizeF1c = harmonize->add_subcommand(
        "f1c", "F1 Challenge 99-02: every season on offer gets one season's master team");
    harmonizeF1c->add_option("--season", season, "the master team's season (year)")->required();
    harmonizeF1c->add_option("--team", team, "the master team, as named in that season")
        ->required();

    CLI::App* restore = app.add_subcommand("restore", "put back every team's own performance");
    restore->require_subcommand(1);
    CLI::App* restore2002 = restore->add_subcommand("f1-2002", "F1 2002: the chosen components");
    AddComponentFlags(restore2002, chosen, true);
    CLI::App* restoreF1c =
        restore->add_subcommand("f1c", "F1 Challenge 99-02: every season on offer");

    CLI::App* grip = app.add_subcommand("grip", "grass and gravel grip tables");
    grip->require_subcommand(1);
    CLI::App* gripApply = grip->add_subcommand("apply", "put the shipped grip tables in place");
    AddComponentFlags(gripApply, chosen, false);
    CLI::App* gripRestore = grip->add_subcommand("restore", "put the game's own grip tables back");
    AddComponentFlags(gripRestore, chosen, false);

    CLI::App* status = app.add_subcommand(
        "status", "per installed component: original, harmonized, optimized or changed, and a "
                  "fingerprint of its files");
    bool withFiles = false;
    bool asJson = false;
    CLI::Option* filesFlag =
        status->add_flag("--files", withFiles, "a line per file: what it holds, its SHA-256");
    status->add_flag("--json", asJson, "the same as one JSON document")->excludes(filesFlag);

    std::string reportSource;
    CLI::App* verify = app.add_subcommand(
        "verify", "compare this PC with another PC's report of status --files or status --json");
    verify->add_option("REPORT", reportSource, "the report's file, or - for standard input")
        ->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
            return app.exit(e, out, err);
        }
        err << "korvane-cli: " << e.what() << " (see --help)\n";
        return ExitUsage;
    }

    // The desktop program's settings file: korvane-cli lies beside korvane.
    const Settings settings = LocateSettings(programDir, "korvane", UserConfigDirectory());
    const std::vector<RegistrySource> registries = SystemRegistries();
    GameInstall install = DetectInstallations(settings, registries).install;
    const std::string languageCode = ChooseLanguage(language, settings);
    ConsoleSink sink(out);

    // Only the commands that change files take the lock: status and verify run beside anything.
    std::optional<InstanceLock> lock;
    const bool changesFiles = harmonize2002->parsed() || harmonizeF1c->parsed() ||
                              restore2002->parsed() || restoreF1c->parsed() ||
                              gripApply->parsed() || gripRestore->parsed();
    try {
        if (changesFiles) {
            TakeLock(lock);
        }
        if (*f1PathOption) {
            UseF1Path(install, f1Path);
        }
        if (*f1cPathOption) {
            UseF1cPath(install, f1cPath);
        }
        bool ok = true;
        if (detect->parsed() && everyCopy) {
            PrintCopies(registries, out);
        } else if (detect->parsed()) {
            PrintDetect(install, out);
        } else if (teams2002->parsed()) {
            PrintLines(Names2002(), out);
        } else if (teamsGt->parsed()) {
            PrintLines(NamesGT(), out);
        } else if (teamsF1c->parsed()) {
            PrintLines(NamesF1c(SeasonIndex(season, true)), out);
        } else if (harmonize2002->parsed()) {
            RequireComponents(install, chosen, "harmonize f1-2002");
            const std::string master = TeamName(chosen.gt ? NamesGT() : Names2002(), team, "");
            ok = HarmonizeF1_2002(install, master, chosen.ea, chosen.quillon, chosen.gt,
                                  languageCode, sink);
        } else if (harmonizeF1c->parsed()) {
            RequireF1c(install);
            const int s = SeasonIndex(season, install.HasF1cQL2003);
            const std::vector<std::string> names = NamesF1c(s);
            const std::string master = TeamName(names, team, " in season " + season);
            const auto position = std::find(names.begin(), names.end(), master) - names.begin();
            ok = HarmonizeF1c(install, s, static_cast<int>(position) + 1, languageCode, sink);
        } else if (restore2002->parsed()) {
            RequireComponents(install, chosen, "restore f1-2002");
            ok = RestoreF1_2002(install, chosen.ea, chosen.quillon, chosen.gt, languageCode, sink);
        } else if (restoreF1c->parsed()) {
            RequireF1c(install);
            ok = RestoreF1c(install, languageCode, sink);
        } else if (gripApply->parsed()) {
            RequireComponents(install, chosen, "grip apply");
            ok = ApplyOptimizedGrip(install, programDir, chosen.ea, chosen.quillon,
                                    languageCode, sink);
        } else if (gripRestore->parsed()) {
            RequireComponents(install, chosen, "grip restore");
            ok = RestoreOriginalGrip(install, chosen.ea, chosen.quillon, languageCode, sink);
        } else if (status->parsed()) {
            RequireSomeGame(install);
            const std::vector<ComponentStatus> components = CollectStatus(install, programDir);
            out << (asJson ? ReportJson(components) : ReportText(components, withFiles));
        } else if (verify->parsed()) {
            RequireSomeGame(install);
            const std::vector<ComponentStatus> reference = ReadReport(reportSource);
            const Comparison comparison =
                CompareWithReport(CollectStatus(install, programDir), reference);
            PrintComparison(comparison, out);
            return comparison.AllSame() ? ExitDone : ExitFailed;
        }
        if (!ok) {
            err << PlainLines(sink.Last()) << '\n';
            return ExitFailed;
        }
        return ExitDone;
    } catch (const Refusal& refusal) {
        err << "korvane-cli: " << refusal.what() << '\n';
        return ExitUsage;
    } catch (const std::exception& e) {
        // Unforeseen, a file-system error say: one line, as a script's log expects.
        std::string reason = e.what();
        std::replace(reason.begin(), reason.end(), '\n', ' ');
        err << "korvane-cli: " << reason << '\n';
        return ExitFailed;
    }
}

} // namespace korvane::cli
