// status and verify: this PC's report, and the comparison with another PC's, read from a file or
// fetched from a PC that shares it. Both only read, so they run beside a copy that changes files.
#include <iostream>
#include <optional>

#include "cli/commands.hpp"
#include "lancheck/lan_guest.hpp"
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

// "host NAME" or "host NAME (ADDRESS)", as a message names a host given on the command line.
std::string HostText(const std::string& given, const LanHost& host) {
    return "host " + given + (host.address == given ? "" : " (" + host.address + ")");
}

// The report of a PC that shares it.
std::vector<ComponentStatus> FetchHostReport(const std::string& given, const LanHost& host) {
    const ReportRead read = FetchReport(host);
    if (!read.ok) {
        throw Refusal(HostText(given, host) + ": " + read.reason);
    }
    return read.value;
}

LanHost Reach(const std::string& given, unsigned short port) {
    const Result<LanHost> host = ResolveHost(given, port);
    if (!host.ok) {
        throw Refusal("host " + given + ": " + host.reason);
    }
    return host.value;
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

struct VerifyOptions {
    std::string report; // the report's file, or "-" for standard input
    std::string host;   // else the PC that shares its report, by name or address
    unsigned short port = LanPort;
};

// After a comparison with a host's report, the host learns what this PC found; a host that does
// not take it changes nothing here but a line on the error stream.
int Verify(const VerifyOptions& options, const Context& c) {
    RequireSomeGame(c.install);
    if (options.report.empty() == options.host.empty()) {
        throw Refusal("verify needs a REPORT or --host, one of the two");
    }
    std::optional<LanHost> host;
    if (!options.host.empty()) {
        host = Reach(options.host, options.port);
    }
    const std::vector<ComponentStatus> reference =
        host ? FetchHostReport(options.host, *host) : ReadReport(options.report);
    const Comparison comparison =
        CompareWithReport(CollectStatus(c.install, c.programDir), reference);
    PrintComparison(comparison, c.out);
    if (host) {
        const FileResult told = SendVerdict(*host, VerdictOf(comparison));
        if (!told.ok) {
            c.err << "korvane-cli: " << HostText(options.host, *host)
                  << " was not told the verdict: " << told.reason << '\n';
        }
    }
    return comparison.AllSame() ? ExitDone : ExitFailed;
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
        "verify", "compare this PC with another PC's report of status --files or status --json, "
                  "or with the report of a PC that shares it");
    auto verifyOptions = std::make_shared<VerifyOptions>();
    CLI::Option* report = verify->add_option("REPORT", verifyOptions->report,
                                             "the report's file, or - for standard input");
    verify
        ->add_option("--host", verifyOptions->host,
                     "instead of REPORT: the PC that shares its report (korvane-cli share), by "
                     "address, host name or the name it shares under")
        ->excludes(report);
    verify->add_option("--port", verifyOptions->port, PortHelp)->check(CLI::Range(1, 65535));
    AddCommand(commands, verify, false, verifyOptions, Verify);
}

} // namespace korvane::cli
