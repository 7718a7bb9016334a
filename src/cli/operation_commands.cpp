// harmonize, restore and grip: the commands that change game files.
#include <algorithm>
#include <memory>

#include "cli/commands.hpp"
#include "games/catalogue.hpp"
#include "grip/grip.hpp"
#include "harmonizer/harmonizer.hpp"

namespace korvane::cli {

namespace {

using Components = Components2002;

// The options of the F1 2002 commands: the components, and the master team for harmonize.
struct F1_2002Options {
    Components chosen;
    std::string team;
};

// The options of harmonize f1c: the master team of one season.
struct SeasonOptions {
    std::string season;
    std::string team;
};

// Refused, in the player's language, unless it holds.
void Require(bool holds, const Context& c, const MessageText& otherwise,
             const std::vector<std::string>& values = {}) {
    if (!holds) {
        throw Refusal(TextIn(c.language, otherwise, values));
    }
}

void RequireF1_2002(const Context& c) {
    Require(c.install.HasF1_2002, c,
            {"F1 2002 ist nicht installiert (keine f1_2002.exe gefunden; sein Verzeichnis mit "
             "--f1-path angeben)",
             "F1 2002 is not installed (no f1_2002.exe found; give its directory with --f1-path)"});
}

void RequireF1c(const Context& c) {
    Require(c.install.HasF1c, c,
            {"F1 Challenge 99-02 ist nicht installiert (keine \"F1 Challenge 99-02.exe\" "
             "gefunden; sein Verzeichnis mit --f1c-path angeben)",
             "F1 Challenge 99-02 is not installed (no \"F1 Challenge 99-02.exe\" found; give its "
             "directory with --f1c-path)"});
}

void RequireComponents(const Context& c, const Components& chosen, const std::string& command) {
    Require(chosen.ea2002 || chosen.ql2002 || chosen.gtr2002, c,
            {"{1} braucht mindestens eine der Optionen --ea, --quillon{2}",
             "{1} needs at least one of --ea, --quillon{2}"},
            {command, command.starts_with("grip") ? "" : ", --gt"});
    RequireF1_2002(c);
    Require(!chosen.ql2002 || c.install.HasSeasonQL, c,
            {"die Quillon-Saison-Erweiterung ist nicht installiert (kein seasonql02 unter {1})",
             "the Quillon season extension is not installed (no seasonql02 below {1})"},
            {c.install.F1Path});
    Require(!chosen.gtr2002 || c.install.HasGTR2002, c,
            {"der GT-Racing-2002-Mod ist nicht installiert (kein GTR2002season unter {1})",
             "the GT Racing 2002 mod is not installed (no GTR2002season below {1})"},
            {c.install.F1Path});
}

// A failed step's summary, or why nothing was done, has been shown already; it goes to the error
// stream as well. Nothing done (another run holds the installation) is a refusal like any other.
int ExitStatus(const Context& c, Outcome outcome) {
    if (outcome == Outcome::Done) {
        return ExitDone;
    }
    c.err << (outcome == Outcome::Refused ? "korvane-cli: " : "") << PlainLines(c.sink.Last())
          << '\n';
    return outcome == Outcome::Refused ? ExitUsage : ExitFailed;
}

// The flags of an F1 2002 command: the components, and the master team when withTeam is set.
std::shared_ptr<F1_2002Options> AddF1_2002Options(CLI::App* command, bool withTeam, bool withGt) {
    auto options = std::make_shared<F1_2002Options>();
    if (withTeam) {
        command->add_option("--team", options->team, "the master team")->required();
    }
    Components& chosen = options->chosen;
    CLI::Option* ea = command->add_flag("--ea", chosen.ea2002, "EA's own 2002 season");
    CLI::Option* quillon =
        command->add_flag("--quillon", chosen.ql2002, "the Quillon season extension");
    if (withGt) {
        command
            ->add_flag("--gt", chosen.gtr2002,
                       "the GT Racing 2002 mod (goes with neither of the others)")
            ->excludes(ea)
            ->excludes(quillon);
    }
    return options;
}

int Harmonize2002(const F1_2002Options& options, const Context& c) {
    const Components& chosen = options.chosen;
    RequireComponents(c, chosen, "harmonize f1-2002");
    const std::string master = TeamName(chosen.gtr2002 ? TeamNamesGTR2002() : TeamNames2002(),
                                        options.team, "", c.language);
    return ExitStatus(c, HarmonizeF1_2002(c.Operation(), master, chosen));
}

int HarmonizeSeason(const SeasonOptions& options, const Context& c) {
    RequireF1c(c);
    const int s = SeasonIndex(options.season, c.install.HasF1cQL2003, c.language);
    const std::vector<std::string> names = TeamNamesF1c(s);
    const std::string master = TeamName(names, options.team, options.season, c.language);
    const auto position = std::find(names.begin(), names.end(), master) - names.begin();
    return ExitStatus(c, HarmonizeF1c(c.Operation(), s, static_cast<int>(position) + 1));
}

int Restore2002(const F1_2002Options& options, const Context& c) {
    const Components& chosen = options.chosen;
    RequireComponents(c, chosen, "restore f1-2002");
    return ExitStatus(c, RestoreF1_2002(c.Operation(), chosen));
}

int RestoreSeasons(const Context& c) {
    RequireF1c(c);
    return ExitStatus(c, RestoreF1c(c.Operation()));
}

int GripApply(const F1_2002Options& options, const Context& c) {
    RequireComponents(c, options.chosen, "grip apply");
    return ExitStatus(c, ApplyOptimizedGrip(c.Operation(), options.chosen));
}

int GripRestore(const F1_2002Options& options, const Context& c) {
    RequireComponents(c, options.chosen, "grip restore");
    return ExitStatus(c, RestoreOriginalGrip(c.Operation(), options.chosen));
}

} // namespace

void AddOperationCommands(CLI::App& app, std::vector<Command>& commands) {
    CLI::App* harmonize =
        app.add_subcommand("harmonize", "give every team the performance of one master team");
    harmonize->require_subcommand(1);
    CLI::App* harmonize2002 =
        harmonize->add_subcommand("f1-2002", "F1 2002: the chosen components, one master team");
    AddCommand(commands, harmonize2002, true, AddF1_2002Options(harmonize2002, true, true),
               Harmonize2002);
    CLI::App* harmonizeF1c = harmonize->add_subcommand(
        "f1c", "F1 Challenge 99-02: every season on offer gets one season's master team");
    auto season = std::make_shared<SeasonOptions>();
    harmonizeF1c->add_option("--season", season->season, "the master team's season (year)")
        ->required();
    harmonizeF1c->add_option("--team", season->team, "the master team, as named in that season")
        ->required();
    AddCommand(commands, harmonizeF1c, true, season, HarmonizeSeason);

    CLI::App* restore = app.add_subcommand("restore", "put back every team's own performance");
    restore->require_subcommand(1);
    CLI::App* restore2002 = restore->add_subcommand("f1-2002", "F1 2002: the chosen components");
    AddCommand(commands, restore2002, true, AddF1_2002Options(restore2002, false, true),
               Restore2002);
    commands.push_back({restore->add_subcommand("f1c", "F1 Challenge 99-02: every season on offer"),
                        true, RestoreSeasons});

    CLI::App* grip = app.add_subcommand("grip", "grass and gravel grip tables");
    grip->require_subcommand(1);
    CLI::App* apply = grip->add_subcommand("apply", "put the shipped grip tables in place");
    AddCommand(commands, apply, true, AddF1_2002Options(apply, false, false), GripApply);
    CLI::App* gripRestore = grip->add_subcommand("restore", "put the game's own grip tables back");
    AddCommand(commands, gripRestore, true, AddF1_2002Options(gripRestore, false, false),
               GripRestore);
}

} // namespace korvane::cli
