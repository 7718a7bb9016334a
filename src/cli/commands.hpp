#pragma once
// korvane-cli's commands. Each Add...Commands function puts its subcommands with their own
// options on the command line and adds, per subcommand, the handler that runs once the line has
// been parsed.
#include <CLI/CLI.hpp>

#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/cli_app.hpp"
#include "cli/console_sink.hpp"
#include "core/language.hpp"
#include "core/messages.hpp"
#include "games/game_install.hpp"
#include "games/operation_context.hpp"

namespace korvane::cli {

// Anything that makes the command impossible before a file is touched: an unknown name, a
// missing game or component, a command line the options alone cannot judge.
class Refusal : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What a command works on: the games as detected or given on the command line.
struct Context {
    const GameInstall& install;
    const std::vector<RegistrySource>& registries;
    Language language;
    const std::string& programDir; // holds the shipped grip files
    ConsoleSink& sink;             // the operations' messages
    std::ostream& out;
    std::ostream& err;

    // What an operation that changes files works with.
    OperationContext Operation() const { return {install, programDir, language, sink}; }
};

// The option that leaves the whole game out of status, verify, match and share.
inline constexpr const char* ComponentsOnlyHelp =
    "Korvane's components only: leave out the rest of the game's files";

struct Command {
    CLI::App* subcommand;
    bool changesFiles;                      // takes the desktop program's lock first
    std::function<int(const Context&)> run; // returns the exit status
};

// A subcommand whose handler runs with the subcommand's own options.
template <typename Options>
void AddCommand(std::vector<Command>& commands, CLI::App* subcommand, bool changesFiles,
                std::shared_ptr<Options> options, int (*handler)(const Options&, const Context&)) {
    commands.push_back({subcommand, changesFiles,
                        [options, handler](const Context& c) { return handler(*options, c); }});
}

// detect, teams (info_commands.cpp); harmonize, restore, grip (operation_commands.cpp); status,
// verify, match (report_commands.cpp); share, hosts (lan_commands.cpp): in this order, as --help
// lists them.
void AddInfoCommands(CLI::App& app, std::vector<Command>& commands);
void AddOperationCommands(CLI::App& app, std::vector<Command>& commands);
void AddReportCommands(CLI::App& app, std::vector<Command>& commands);
void AddLanCommands(CLI::App& app, std::vector<Command>& commands);

// Refuses a command that needs a game when neither is installed (report_commands.cpp).
void RequireSomeGame(const Context& c);

// The exit statuses, under the help of every command.
inline constexpr const char* ExitStatusHelp =
    "Exit status: 0 done (verify, match: all the same), 1 a step failed (verify, match: something "
    "differs; hosts: no PC answered) or an unexpected error, 2 usage error, unknown name or "
    "season, game or component not installed, a report that cannot be read or a host that cannot "
    "be reached or refuses, a port in use, or another copy of Korvane running while files are to "
    "be changed.";

// korvane-cli's help in German when that is the language (help_texts.cpp).
void HelpInLanguage(CLI::App& app, Language language);

// The help of the --port options of the commands that talk to other PCs.
inline constexpr const char* PortHelp = "the UDP and TCP port of the LAN check (default 47313)";

// The names and seasons to choose from (choices.cpp).
std::string Join(const std::vector<std::string>& items);
// The name of names that text means, exactly or but for letter case; season (when not empty)
// tells the refusal in which season's list it looked.
std::string TeamName(const std::vector<std::string>& names, const std::string& text,
                     const std::string& season, Language language);
// The season's number; with2003: whether the Quillon 2003 cars count as a season on offer.
int SeasonIndex(const std::string& year, bool with2003, Language language);

} // namespace korvane::cli
