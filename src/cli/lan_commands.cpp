// share and hosts: this PC's report on the LAN, and the PCs that share theirs. verify --host
// (report_commands.cpp) fetches a shared report and sends the verdict back.
#include <chrono>
#include <csignal>
#include <thread>

#include "cli/commands.hpp"
#include "cli/game_scan.hpp"
#include "cli/line_writer.hpp"
#include "lan/lan_guest.hpp"
#include "lan/lan_share.hpp"
#include "lan/shared_report.hpp"
#include "lan/lan_texts.hpp"
#include "report/report_compare.hpp"
#include "report/status_report.hpp"

namespace korvane::cli {

using namespace lancheck;

namespace {

static_assert(LanPort == 47313, "PortHelp names the port");

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void RequestStop(int) {
    stopRequested = 1;
}

struct ShareOptions {
    unsigned seconds = 0; // 0: until Ctrl+C or SIGTERM
    unsigned short port = LanPort;
    bool componentsOnly = false;
};

int Share(const ShareOptions& options, const Context& c) {
    RequireSomeGame(c);
#ifdef SIGPIPE
    // A reader that goes away (share | head -1) ends the printing, not the share.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    LineWriter printer(c.out);
    // The games are read once before sharing, with progress on a terminal, so that the guests'
    // first requests find every file in the stamp cache.
    if (!options.componentsOnly) {
        ScanThisPc(c);
    }
    SharedReport shared(c.install, c.programDir, !options.componentsOnly);
    LanShare share({ThisPcName(),
                    [&shared] { return shared.Report(); },
                    [&shared] { return shared.Stamp(); },
                    [&printer, &c](const VerdictRow& row) {
                        printer.Write(VerdictLine(row, c.language) + '\n');
                    },
                    options.port,
                    [&shared](const std::string& game, const std::string& folder) {
                        return shared.FolderFiles(game, folder);
                    }});
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    const FileResult started = share.Start();
    if (!started.ok()) {
        throw Refusal(TextIn(
            c.language, {"Freigabe auf Port {2} nicht möglich: {3}", "cannot share on {1}: {3}"},
            {started.path(), std::to_string(options.port), started.reason()}));
    }
    std::vector<std::string> addresses;
    for (const LanInterface& lan : LanInterfaces()) {
        addresses.push_back(lan.address);
    }
    printer.Write(SharingText(ThisPcName(), addresses, share.Port(), c.language) + '\n');
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(options.seconds);
    while (!stopRequested && (options.seconds == 0 || std::chrono::steady_clock::now() < end)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return ExitDone;
}

struct HostsOptions {
    std::string to;
    unsigned short port = LanPort;
};

int Hosts(const HostsOptions& options, const Context& c) {
    const std::vector<FoundHost> found = FindHosts(options.port, options.to);
    for (const FoundHost& host : found) {
        c.out << HostLine(host, IsThisPcAddress(host.address), c.language) << '\n';
    }
    if (found.empty()) {
        c.err << "korvane-cli: " << NoHostAnsweredText(options.port, c.language) << '\n';
        return ExitFailed;
    }
    return ExitDone;
}

} // namespace

void AddLanCommands(CLI::App& app, std::vector<Command>& commands) {
    CLI::App* share = app.add_subcommand(
        "share", "answer the other PCs' hosts and verify --host with this PC's report, and print "
                 "each verdict they send back, until Ctrl+C");
    auto shareOptions = std::make_shared<ShareOptions>();
    share->add_option("--seconds", shareOptions->seconds, "stop after this many seconds");
    share->add_option("--port", shareOptions->port, std::string(PortHelp) + "; 0: any free one");
    share->add_flag("--components-only", shareOptions->componentsOnly, ComponentsOnlyHelp);
    AddCommand(commands, share, false, shareOptions, Share);

    CLI::App* hosts = app.add_subcommand(
        "hosts", "list the PCs on the LAN that share their report: name, address, Korvane "
                 "version, the report's fingerprint");
    auto hostsOptions = std::make_shared<HostsOptions>();
    hosts
        ->add_option("--to", hostsOptions->to,
                     "ask this address only (a PC, or another subnet's broadcast address) "
                     "instead of broadcasting on every interface")
        ->check(CLI::ValidIPV4);
    hosts->add_option("--port", hostsOptions->port, PortHelp)->check(CLI::Range(1, 65535));
    AddCommand(commands, hosts, false, hostsOptions, Hosts);
}

} // namespace korvane::cli
