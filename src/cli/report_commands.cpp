// status and verify: this PC's report, and the comparison with another PC's. Both only read,
// so they run beside a copy that changes files.
#include <iostream>

#include "cli/commands.hpp"
#include "lancheck/match_plan.hpp"
#include "lancheck/match_run.hpp"
#include "lancheck/match_texts.hpp"
#include "lancheck/report_compare.hpp"
#include "lancheck/status_report.hpp"

namespace korvane::cli {

using namespace lancheck;

namespace {

void RequireSomeGame(const GameInstall& install) {
    if (!install.HasF1_2002 && !install.HasF1c) {
        throw Refusal("neither F1 2002 nor F1 Challenge 99-02 is installed");
    }
}

// Another PC's report, from a file or "-" for standard input.
std::vector<ComponentStatus> ReadReport(const std::string& source) {
    ReportRead read;
    if (source != "-") {
        read = ReadReportFile(source);
    } else {
        std::string text(MaxReportBytes + 1, '\0'); // one byte more tells a larger one
        std::cin.read(text.data(), std::streamsize(text.size()));
        text.resize(std::size_t(std::cin.gcount()));
        read = ParseReport(text);
    }
    if (read.ok) {
        return read.value;
    }
    if (read.problem == ReportProblem::Unreadable) {
        throw Refusal("cannot read " + source + ": " + read.reason);
    }
    const std::string name = source == "-" ? "the report on standard input" : source;
    throw Refusal(name + ": " + read.reason);
}

struct StatusOptions {
    bool withFiles = false;
    bool asJson = false;
};

int Status(const StatusOptions& options, const Context& c) {
    RequireSomeGame(c.install);
    const std::vector<ComponentStatus> components = CollectStatus(c.install, c.programDir);
    c.out << (options.asJson ? ReportJson(components) : ReportText(components, options.withFiles));
    return ExitDone;
}

// The source is the report's file, or "-" for standard input.
int Verify(const std::string& source, const Context& c) {
    RequireSomeGame(c.install);
    const std::vector<ComponentStatus> reference = ReadReport(source);
    const Comparison comparison =
        CompareWithReport(CollectStatus(c.install, c.programDir), reference);
    PrintComparison(comparison, c.out);
    return comparison.AllSame() ? ExitDone : ExitFailed;
}

struct MatchOptions {
    std::string source;
    bool dryRun = false;
};

// The plan, then (unless a dry run) its steps, then the comparison as verify prints it.
int Match(const MatchOptions& options, const Context& c) {
    RequireSomeGame(c.install);
    const std::vector<ComponentStatus> reference = ReadReport(options.source);
    const std::vector<ComponentStatus> here = CollectStatus(c.install, c.programDir);
    const MatchPlan plan = PlanMatch(c.install, here, reference);
    c.out << PlanText(plan, c.language);
    if (options.dryRun) {
        return CompareWithReport(here, reference).AllSame() ? ExitDone : ExitFailed;
    }
    // Each step's last text: after a failed step, its summary of failures; after a refused
    // one, why. Both go to the error stream as well, as with the operations on their own.
    std::vector<std::string> lastTexts;
    const MatchRun run =
        RunMatch(plan, c.install, c.programDir, c.language, c.sink, [&](std::size_t i, auto&) {
            if (i > 0) {
                lastTexts.push_back(c.sink.Last());
            }
        });
    lastTexts.push_back(c.sink.Last());
    for (std::size_t i = 0; i < run.outcomes.size(); ++i) {
        if (run.outcomes[i] != Outcome::Done) {
            c.err << (run.outcomes[i] == Outcome::Refused ? "korvane-cli: " : "")
                  << PlainLines(lastTexts[i]) << '\n';
        }
    }
    const Outcome outcome = run.Overall();
    if (outcome == Outcome::Refused) {
        return ExitUsage;
    }
    c.out << '\n';
    const Comparison after = CompareWithReport(CollectStatus(c.install, c.programDir), reference);
    PrintComparison(after, c.out);
    return outcome == Outcome::Done && after.AllSame() ? ExitDone : ExitFailed;
}

} // namespace

void AddReportCommands(CLI::App& app, std::vector<Command>& commands) {
    CLI::App* status = app.add_subcommand(
        "status", "per installed component: original, harmonized, optimized or changed, and a "
                  "fingerprint of its files");
    auto options = std::make_shared<StatusOptions>();
    CLI::Option* filesFlag = status->add_flag("--files", options->withFiles,
                                              "a line per file: what it holds, its SHA-256");
    status->add_flag("--json", options->asJson, "the same as one JSON document")
        ->excludes(filesFlag);
    AddCommand(commands, status, false, options, Status);

    CLI::App* verify = app.add_subcommand(
        "verify", "compare this PC with another PC's report of status --files or status --json");
    auto source = std::make_shared<std::string>();
    verify->add_option("REPORT", *source, "the report's file, or - for standard input")->required();
    AddCommand(commands, verify, false, source, Verify);

    CLI::App* match = app.add_subcommand(
        "match", "make this PC like another PC's report with harmonize, restore and grip");
    auto matchOptions = std::make_shared<MatchOptions>();
    match->add_option("REPORT", matchOptions->source, "the report's file, or - for standard input")
        ->required();
    match->add_flag("--dry-run", matchOptions->dryRun, "print the steps only, change nothing");
    AddCommand(commands, match, true, matchOptions, Match);
}

} // namespace korvane::cli
