// status and verify: this PC's report, and the comparison with another PC's. Both only read,
// so they run beside a copy that changes files.
#include <filesystem>
#include <iostream>

#include "app/file_system.hpp"
#include "cli/commands.hpp"
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

// A report of every component and file is some 30 KB; anything much larger is something else,
// which is refused before it is read into memory.
constexpr std::uintmax_t MaxReportBytes = 1024 * 1024;

// Another PC's report, from a file or "-" for standard input.
std::vector<ComponentStatus> ReadReport(const std::string& source) {
    const std::string name = source == "-" ? "the report on standard input" : source;
    const Refusal tooLarge(name + ": larger than 1 MiB, too large for a status report");
    std::string text;
    if (source == "-") {
        text.resize(MaxReportBytes + 1);
        std::cin.read(text.data(), std::streamsize(text.size()));
        text.resize(std::size_t(std::cin.gcount()));
    } else {
        std::error_code ec;
        if (FileExists(source) &&
            std::filesystem::file_size(ResolvePath(source), ec) > MaxReportBytes && !ec) {
            throw tooLarge;
        }
        if (const FileResult read = ReadFileText(source, text); !read.ok) {
            throw Refusal("cannot read " + source + ": " + read.reason);
        }
    }
    if (text.size() > MaxReportBytes) { // grown since, or on standard input
        throw tooLarge;
    }
    try {
        return ParseReport(text);
    } catch (const ReportError& error) {
        throw Refusal(name + ": " + error.what());
    }
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
    const bool same = CompareWithReport(CollectStatus(c.install, c.programDir), reference, c.out);
    return same ? ExitDone : ExitFailed;
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
}

} // namespace korvane::cli
