// detect and teams: what was found and what may be chosen; they change nothing.
#include "cli/commands.hpp"
#include "games/catalogue.hpp"

namespace korvane::cli {

namespace {

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

int PrintLines(const std::vector<std::string>& lines, std::ostream& out) {
    for (const std::string& line : lines) {
        out << line << '\n';
    }
    return ExitDone;
}

int Detect(const bool& everyCopy, const Context& c) {
    if (everyCopy) {
        PrintCopies(c.registries, c.out);
    } else {
        PrintDetect(c.install, c.out);
    }
    return ExitDone;
}

int TeamsSeason(const std::string& season, const Context& c) {
    return PrintLines(TeamNamesF1c(SeasonIndex(season, true, c.language)), c.out);
}

} // namespace

void AddInfoCommands(CLI::App& app, std::vector<Command>& commands) {
    CLI::App* detect = app.add_subcommand("detect", "print the installation model");
    auto everyCopy = std::make_shared<bool>(false);
    detect->add_flag("--all", *everyCopy,
                     "instead: every copy of the games found in the registries (on Linux in every "
                     "Wine prefix), one a line: where, game, directory, separated by tabs");
    AddCommand(commands, detect, false, everyCopy, Detect);

    CLI::App* teams =
        app.add_subcommand("teams", "print the team names to choose from, one a line");
    teams->require_subcommand(1);
    commands.push_back(
        {teams->add_subcommand("f1-2002", "teams of the EA 2002 and Quillon seasons"), false,
         [](const Context& c) { return PrintLines(TeamNames2002(), c.out); }});
    commands.push_back({teams->add_subcommand("gt", "teams of the GT Racing 2002 mod"), false,
                        [](const Context& c) { return PrintLines(TeamNamesGTR2002(), c.out); }});
    CLI::App* teamsF1c = teams->add_subcommand("f1c", "teams of one F1 Challenge season");
    auto season = std::make_shared<std::string>();
    teamsF1c->add_option("--season", *season, "the season's year")->required();
    AddCommand(commands, teamsF1c, false, season, TeamsSeason);
}

} // namespace korvane::cli
