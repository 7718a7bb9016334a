#include "cli/cli_app.hpp"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

#include "cli/commands.hpp"
#include "core/file_system.hpp"
#include "core/instance_lock.hpp"
#include "core/path_text.hpp"
#include "core/settings.hpp"
#include "core/user_dirs.hpp"

namespace korvane::cli {

namespace {

// korvane-cli takes the desktop program's lock while it changes files, so that neither changes
// them under the other, nor two scripts at once. A lock that cannot be made at all (no runtime
// directory) does not stop it, as it does not stop the desktop program.
void TakeLock(std::optional<InstanceLock>& lock, Language language) {
    const std::filesystem::path file = InstanceLockFile("korvane");
    if (lock.emplace(file).TryLock() != LockResult::HeldByOther) {
        return;
    }
    const std::optional<LockHolder> holder = ReadLockHolder(file);
    const std::string process = holder
                                    ? TextIn(language, {"{1}, Prozess {2}, ", "{1}, process {2}, "},
                                             {holder->program, std::to_string(holder->pid)})
                                    : std::string();
    throw Refusal(TextIn(language,
                         {"eine andere Kopie von Korvane läuft ({1}sie hält {2}); bitte erneut "
                          "versuchen, wenn sie beendet ist",
                          "another copy of Korvane is running ({1}holding {2}); try again when it "
                          "has ended"},
                         {process, file.string()}));
}

std::string WithSeparator(std::string dir) {
    if (!dir.empty() && !EndsInSeparator(dir)) {
        dir += static_cast<char>(std::filesystem::path::preferred_separator);
    }
    return dir;
}

// A directory given on the command line must hold the game: a typo in a LAN script is refused
// rather than taken for a PC without the game. An empty text would look in the working
// directory, so it is refused as well.
std::string GivenGameDir(const std::string& option, const std::string& dir, const char* exe,
                         Language language) {
    const std::string withSeparator = WithSeparator(dir);
    if (dir.empty() || !FileExists(withSeparator + exe)) {
        throw Refusal(TextIn(language,
                             {"in {1} \"{2}\" liegt keine \"{3}\"", "{1} \"{2}\" holds no \"{3}\""},
                             {option, dir, exe}));
    }
    return withSeparator;
}

// The add-ons of a directory given on the command line are judged as detection judges them.
void UseF1Path(GameInstall& install, const std::string& dir, Language language) {
    TakeF1Directory(install, GivenGameDir("--f1-path", dir, F1ExeTested, language));
}

void UseF1cPath(GameInstall& install, const std::string& dir, Language language) {
    TakeF1cDirectory(install, GivenGameDir("--f1c-path", dir, F1cExe, language));
}

// The desktop program's choice when it made one, English otherwise: a script must never run
// silently, which a stored "unknown" would make the operations do.
Language ChooseLanguage(const std::string& given, const Settings& settings) {
    const std::string code = given.empty() ? ReadSetting(settings, LanguageSetting) : given;
    return LanguageOfCode(code) == Language::German ? Language::German : Language::English;
}

// What --language says on the command line, as given; empty without it.
std::string LanguageOnCommandLine(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--language" && i + 1 < argc) {
            return argv[i + 1];
        }
        if (arg.starts_with("--language=")) {
            return std::string(arg.substr(arg.find('=') + 1));
        }
    }
    return "";
}

// What the parser did not understand. It says so in English; in German a sentence of ours comes
// first and the parser's words follow it, as the system's own reasons follow ours elsewhere.
std::string UsageErrorText(const CLI::ParseError& error, Language language) {
    if (language == Language::English) {
        return std::string(error.what()) + " (see --help)";
    }
    // By type: an error of a subcommand carries the subcommand's name, not its kind's.
    const char* sentence = "der Aufruf ist nicht verständlich";
    if (dynamic_cast<const CLI::ExtrasError*>(&error)) {
        sentence = "ein Argument ist hier unbekannt";
    } else if (dynamic_cast<const CLI::RequiredError*>(&error)) {
        sentence = "ein Befehl oder eine Option fehlt";
    } else if (dynamic_cast<const CLI::ArgumentMismatch*>(&error)) {
        sentence = "eine Option hat zu wenige oder zu viele Werte";
    } else if (dynamic_cast<const CLI::ValidationError*>(&error) ||
               dynamic_cast<const CLI::ConversionError*>(&error)) {
        sentence = "ein Wert ist hier nicht zulässig";
    } else if (dynamic_cast<const CLI::ExcludesError*>(&error)) {
        sentence = "zwei Optionen schließen einander aus";
    }
    return std::string(sentence).append(" (").append(error.what()).append("); siehe --help");
}

// The options before the command, which every command shares.
struct GlobalOptions {
    std::string language;
    std::string f1Path;
    std::string f1cPath;
    CLI::Option* f1PathGiven = nullptr;
    CLI::Option* f1cPathGiven = nullptr;
};

void AddGlobalOptions(CLI::App& app, GlobalOptions& options) {
    app.add_option("--language", options.language,
                   "language of the messages (default: the desktop "
                   "program's choice, else uk)")
        ->check(CLI::IsMember({"de", "uk"}));
    options.f1PathGiven = app.add_option("--f1-path", options.f1Path,
                                         "F1 2002 directory, instead of the detected one");
    options.f1cPathGiven = app.add_option(
        "--f1c-path", options.f1cPath, "F1 Challenge 99-02 directory, instead of the detected one");
}

// The exit statuses under the help, the options before the command, and every command.
void DefineCommandLine(CLI::App& app, GlobalOptions& global, std::vector<Command>& commands) {
    app.footer(ExitStatusHelp);
    app.require_subcommand(1);
    app.fallthrough();
    AddGlobalOptions(app, global);
    AddInfoCommands(app, commands);
    AddOperationCommands(app, commands);
    AddReportCommands(app, commands);
    AddLanCommands(app, commands);
}

} // namespace

int RunCli(int argc, const char* const* argv, const std::string& programDir, std::ostream& out,
           std::ostream& err) {
    CLI::App app{"Gives every team the car performance of one master team and replaces the terrain "
                 "grip tables of F1 2002 and F1 Challenge 99-02, as the desktop program does; "
                 "status tells whether two PCs carry the same files.",
                 "korvane-cli"};
    GlobalOptions global;
    std::vector<Command> commands;
    DefineCommandLine(app, global, commands);
    // The desktop program's settings file: korvane-cli lies beside korvane. The language is
    // taken from the command line before the parser runs, as the help and the parser's
    // complaints speak it too.
    const Settings settings = LocateSettings(programDir, "korvane", UserConfigDirectory());
    const Language language = ChooseLanguage(LanguageOnCommandLine(argc, argv), settings);
    HelpInLanguage(app, language);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
            return app.exit(e, out, err);
        }
        err << "korvane-cli: " << UsageErrorText(e, language) << '\n';
        return ExitUsage;
    }
    // The one subcommand at the end of the command line: the parser requires it.
    const Command& command = *std::find_if(commands.begin(), commands.end(),
                                           [](const Command& c) { return c.subcommand->parsed(); });

    const std::vector<RegistrySource> registries = SystemRegistries();
    GameInstall install = DetectInstallations(settings, registries).install;
    ConsoleSink sink(out);

    // Only the commands that change files take the lock: status and verify run beside anything,
    // and so does a dry run, which changes nothing.
    const CLI::Option* dryRun = command.subcommand->get_option_no_throw("--dry-run");
    std::optional<InstanceLock> lock;
    try {
        if (command.changesFiles && !(dryRun != nullptr && dryRun->count() > 0)) {
            TakeLock(lock, language);
        }
        if (*global.f1PathGiven) {
            UseF1Path(install, global.f1Path, language);
        }
        if (*global.f1cPathGiven) {
            UseF1cPath(install, global.f1cPath, language);
        }
        return command.run({install, registries, language, programDir, sink, out, err});
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
