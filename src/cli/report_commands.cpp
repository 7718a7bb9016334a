// status, verify and match: this PC's report, the comparison with another PC's, read from a file
// or fetched from a PC that shares it, and the steps that make this PC like it. status and verify
// only read, so they run beside a copy that changes files.
#include <iostream>
#include <optional>

#include "cli/commands.hpp"
#include "cli/game_scan.hpp"
#include "core/file_system.hpp"
#include "lan/lan_guest.hpp"
#include "match/match_plan.hpp"
#include "match/match_run.hpp"
#include "match/match_texts.hpp"
#include "report/comparison_texts.hpp"
#include "report/folder_lists.hpp"
#include "report/game_compare.hpp"
#include "report/game_compare_texts.hpp"
#include "report/report_compare.hpp"
#include "report/status_report.hpp"

namespace korvane::cli {

using namespace lancheck;

namespace {

// Standard input, up to one byte more than a report may hold, so that a larger one is told.
std::string StandardInput() {
    std::string text(MaxReportBytes + 1, '\0');
    std::cin.read(text.data(), std::streamsize(text.size()));
    text.resize(std::size_t(std::cin.gcount()));
    return text;
}

// Another PC's report, from a file or "-" for standard input.
ReportRead ReadReport(const std::string& source, Language language) {
    ReportRead read =
        source != "-" ? ReadReportFile(source, language) : ParseReport(StandardInput(), language);
    if (read.ok()) {
        return read;
    }
    if (read.problem() == ReportProblem::Unreadable) {
        throw Refusal(TextIn(language,
                             {"{1} kann nicht gelesen werden: {2}", "cannot read {1}: {2}"},
                             {source, read.reason()}));
    }
    const std::string name = source == "-"
                                 ? TextIn(language, {"der Bericht auf der Standardeingabe",
                                                     "the report on standard input"})
                                 : source;
    throw Refusal(name + ": " + read.reason());
}

// "host NAME" or "host NAME (ADDRESS)", as a message names a host given on the command line.
std::string HostText(const std::string& given, const std::string& address, Language language) {
    return TextIn(language, {"Host {1}", "host {1}"}, {given}) +
           (address == given ? "" : std::string(" (").append(address).append(")"));
}

// The report of a PC that shares it.
FetchedReport FetchHostReport(const std::string& given, const LanHost& host, Language language) {
    FetchedReport fetched = FetchReport(host, {}, language);
    if (!fetched.read.ok()) {
        throw Refusal(HostText(given, host.address, language) + ": " + fetched.read.reason());
    }
    return fetched;
}

LanHost Reach(const std::string& given, unsigned short port, Language language) {
    const Result<LanHost> host = ResolveHost(given, port, {}, nullptr, language);
    if (!host.ok()) {
        throw Refusal(HostText(given, given, language) + ": " + host.reason());
    }
    return host.value();
}

struct StatusOptions {
    bool withFiles = false;
    bool asJson = false;
    bool componentsOnly = false;
    std::string folderLists; // where every folder's list of files goes, for verify
};

int Status(const StatusOptions& options, const Context& c) {
    RequireSomeGame(c);
    const std::vector<ComponentStatus> components = CollectStatus(c.install, c.programDir);
    const std::vector<GameTree> games =
        options.componentsOnly ? std::vector<GameTree>{} : ScanThisPc(c);
    if (!options.folderLists.empty()) {
        const FileResult written = SaveFolderLists(options.folderLists, games, c.language);
        if (!written.ok()) {
            throw Refusal(TextIn(
                c.language, {"{1} kann nicht geschrieben werden: {2}", "cannot write {1}: {2}"},
                {options.folderLists, written.reason()}));
        }
    }
    // --json and --files are reports that other PCs read back: the same in every language.
    if (options.asJson || options.withFiles) {
        c.out << (options.asJson ? ReportJson(components, games)
                                 : ReportText(components, true, games));
        return ExitDone;
    }
    c.out << StatusLinesIn(components, c.language) << GameStatusLines(games, c.language);
    return ExitDone;
}

// Where the other PC's report comes from: a file, or a PC that shares it.
struct SourceOptions {
    std::string report; // the report's file, or "-" for standard input
    std::string host;   // else the PC that shares its report, by name or address
    unsigned short port = LanPort;
    bool componentsOnly = false; // Korvane's components only, not the whole game
    std::string folderLists;     // the other PC's folder lists, beside its report file
};

// The other PC's report, and the host it came from and its fingerprint when it came over the
// network.
struct Reference {
    std::vector<ComponentStatus> components;
    std::vector<GameTree> games;
    std::optional<LanHost> host;
    std::string fingerprint;
};

Reference ReadReference(const SourceOptions& options, const std::string& command,
                        Language language) {
    if (options.report.empty() == options.host.empty()) {
        throw Refusal(TextIn(language,
                             {"{1} braucht einen BERICHT oder --host, eines von beiden",
                              "{1} needs a REPORT or --host, one of the two"},
                             {command}));
    }
    if (options.host.empty()) {
        const ReportRead read = ReadReport(options.report, language);
        return {read.value(), read.games(), std::nullopt, ""};
    }
    const LanHost host = Reach(options.host, options.port, language);
    FetchedReport fetched = FetchHostReport(options.host, host, language);
    return {fetched.read.value(), fetched.read.games(), host, std::move(fetched.fingerprint)};
}

// The whole game held against the report's: the folder lists asked of the host it came from.
std::vector<GameComparison> CompareWholeGame(const SourceOptions& options,
                                             const Reference& reference,
                                             const std::vector<ComponentStatus>& here,
                                             const Context& c) {
    if (options.componentsOnly) {
        return {};
    }
    if (reference.games.empty()) {
        c.out << NoWholeGameText(c.language) << '\n';
        return {};
    }
    const std::vector<GameTree> games = ScanThisPc(c);
    FilesThere filesThere;
    std::optional<FolderLists> lists;
    if (reference.host) {
        filesThere = HostFolderFiles(*reference.host);
    } else if (!options.folderLists.empty() ||
               (options.report != "-" && FileExists(FolderListsBeside(options.report)))) {
        // Named, or lying beside the report as the LAN check window saves them.
        const std::string file =
            options.folderLists.empty() ? FolderListsBeside(options.report) : options.folderLists;
        Result<FolderLists> read = FolderLists::Read(file, c.language);
        if (!read.ok()) {
            throw Refusal(file + ": " + read.reason());
        }
        lists = std::move(read.value());
        filesThere = lists->Lookup();
    }
    return CompareGames(games, reference.games, here, reference.components, filesThere);
}

// After a comparison with a host's report, the host learns what this PC found; a host that does
// not take it changes nothing here but a line on the error stream.
void TellHost(const SourceOptions& options, const Reference& reference,
              const Comparison& comparison, const std::vector<GameComparison>& games,
              const Context& c) {
    if (!reference.host) {
        return;
    }
    const FileResult told = SendVerdict(
        *reference.host, VerdictOf(comparison, ThisPcName(), reference.fingerprint, games), {},
        c.language);
    if (!told.ok()) {
        c.err << "korvane-cli: "
              << TextIn(
                     c.language,
                     {"{1} hat das Ergebnis des Vergleichs nicht erhalten: {2}",
                      "{1} was not told the verdict: {2}"},
                     {HostText(options.host, reference.host->address, c.language), told.reason()})
              << '\n';
    }
}

int Verify(const SourceOptions& options, const Context& c) {
    RequireSomeGame(c);
    const Reference reference = ReadReference(options, "verify", c.language);
    const std::vector<ComponentStatus> here = CollectStatus(c.install, c.programDir);
    const Comparison comparison = CompareWithReport(here, reference.components);
    const std::vector<GameComparison> games = CompareWholeGame(options, reference, here, c);
    PrintComparison(comparison, c.out, c.language);
    PrintGames(games, c.out, c.language);
    TellHost(options, reference, comparison, games, c);
    return comparison.AllSame() && AllSame(games) ? ExitDone : ExitFailed;
}

struct MatchOptions : SourceOptions {
    bool dryRun = false;
};

// The plan, then (unless a dry run) its steps, then the comparison as verify prints it.
int Match(const MatchOptions& options, const Context& c) {
    RequireSomeGame(c);
    const Reference reference = ReadReference(options, "match", c.language);
    const std::vector<ComponentStatus> here = CollectStatus(c.install, c.programDir);
    const MatchPlan plan = PlanMatch(c.install, here, reference.components);
    c.out << PlanText(plan, c.language);
    if (options.dryRun) {
        const Comparison comparison = CompareWithReport(here, reference.components);
        const std::vector<GameComparison> games = CompareWholeGame(options, reference, here, c);
        PrintGames(games, c.out, c.language);
        TellHost(options, reference, comparison, games, c);
        return comparison.AllSame() && AllSame(games) ? ExitDone : ExitFailed;
    }
    // The run's one summary of what failed, and why a step was refused (the last text: a
    // refusal ends the run), go to the error stream as well, as with the operations on their own.
    // Each step's messages under its line, which says the game and the part they are about.
    const MatchRun run =
        RunMatch(c.Operation(), plan, [&](std::size_t index, const MatchStep& step) {
            c.sink.Head(
                StepProgressText(index, plan.steps.size(), StepText(step, c.language), c.language));
        });
    c.sink.Head(""); // a last step that said nothing: the summary is the run's, not its
    const Outcome outcome = run.Overall();
    const std::string refusal = outcome == Outcome::Refused ? c.sink.Last() : "";
    const std::string summary = RunSummaryText(plan, run, c.language);
    if (!summary.empty()) {
        c.sink.Show(summary);
        c.err << PlainLines(summary) << '\n';
    }
    if (outcome == Outcome::Refused) {
        c.err << "korvane-cli: " << PlainLines(refusal) << '\n';
        return ExitUsage;
    }
    c.out << '\n';
    const std::vector<ComponentStatus> now = CollectStatus(c.install, c.programDir);
    const Comparison after = CompareWithReport(now, reference.components);
    const std::vector<GameComparison> games = CompareWholeGame(options, reference, now, c);
    PrintComparison(after, c.out, c.language);
    PrintGames(games, c.out, c.language);
    TellHost(options, reference, after, games, c);
    return outcome == Outcome::Done && after.AllSame() && AllSame(games) ? ExitDone : ExitFailed;
}

// REPORT, or --host with its --port, and --components-only.
void AddSourceOptions(CLI::App* command, SourceOptions& options) {
    CLI::Option* report =
        command->add_option("REPORT", options.report, "the report's file, or - for standard input");
    command
        ->add_option("--host", options.host,
                     "instead of REPORT: the PC that shares its report (korvane-cli share), by "
                     "address, host name or the name it shares under")
        ->excludes(report);
    command->add_option("--port", options.port, PortHelp)->check(CLI::Range(1, 65535));
    command->add_flag("--components-only", options.componentsOnly, ComponentsOnlyHelp);
    command
        ->add_option("--folder-lists", options.folderLists,
                     "the other PC's folder lists (status --folder-lists), to name the files of "
                     "the game that differ")
        ->excludes("--host");
}

} // namespace

void RequireSomeGame(const Context& c) {
    if (!c.install.HasF1_2002 && !c.install.HasF1c) {
        throw Refusal(TextIn(c.language, {"weder F1 2002 noch F1 Challenge 99-02 ist installiert",
                                          "neither F1 2002 nor F1 Challenge 99-02 is installed"}));
    }
}

void AddReportCommands(CLI::App& app, std::vector<Command>& commands) {
    CLI::App* status = app.add_subcommand(
        "status", "per installed component: original, harmonized, optimized or changed, and a "
                  "fingerprint of its files");
    auto options = std::make_shared<StatusOptions>();
    CLI::Option* filesFlag = status->add_flag("--files", options->withFiles,
                                              "a line per file: what it holds, its SHA-256");
    status->add_flag("--json", options->asJson, "the same as one JSON document")
        ->excludes(filesFlag);
    status->add_flag("--components-only", options->componentsOnly, ComponentsOnlyHelp);
    status->add_option("--folder-lists", options->folderLists,
                       "also write every folder's list of files into this file, for verify "
                       "--folder-lists on another PC");
    AddCommand(commands, status, false, options, Status);

    CLI::App* verify = app.add_subcommand(
        "verify", "compare this PC with another PC's report of status --files or status --json, "
                  "or with the report of a PC that shares it");
    auto verifyOptions = std::make_shared<SourceOptions>();
    AddSourceOptions(verify, *verifyOptions);
    AddCommand(commands, verify, false, verifyOptions, Verify);

    CLI::App* match = app.add_subcommand(
        "match", "make this PC like another PC's report with harmonize, restore and grip");
    auto matchOptions = std::make_shared<MatchOptions>();
    AddSourceOptions(match, *matchOptions);
    match->add_flag("--dry-run", matchOptions->dryRun, "print the steps only, change nothing");
    AddCommand(commands, match, true, matchOptions, Match);
}

} // namespace korvane::cli
