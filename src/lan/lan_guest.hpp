#pragma once
// The guest's side of the LAN check: finding the PCs that share their report, fetching a report
// and telling its host the verdict. Each call stands alone and returns within its time limit,
// whatever the other side does or fails to do.
#include <chrono>
#include <string>
#include <vector>

#include "core/result.hpp"
#include "lan/lan_protocol.hpp"
#include "report/status_report.hpp"

namespace korvane::lancheck {

// Connecting and the whole exchange of a request with its answer.
inline constexpr std::chrono::seconds ExchangeTimeLimit{5};
inline constexpr std::chrono::milliseconds FindTime{2000};

// A PC that answered a query. One that speaks another protocol version has only its address
// and that version.
struct FoundHost {
    std::string address;
    int protocol = LanProtocolVersion;
    HostAnswer answer;
};

// A host to talk to: an IPv4 address and the port.
struct LanHost {
    std::string address;
    unsigned short port = LanPort;
};

// Every PC that answers within FindTime, each once. The query goes by broadcast to each
// interface's broadcast address and to 255.255.255.255, or, when to is given, to that address
// alone; an interface that cannot send is left out. It is sent three times, a third of FindTime
// apart.
std::vector<FoundHost> FindHosts(unsigned short port = LanPort, const std::string& to = {});

// The address of an IPv4 address, of a host name, or else of the sharing PC that answers with
// that name (letter case aside).
Result<LanHost> ResolveHost(const std::string& nameOrAddress, unsigned short port = LanPort);

// The host's report as it is now, read as a report file is read (ParseReport, at most
// MaxReportBytes); a host that cannot be reached or answers otherwise is Unreadable, the reason
// saying what failed.
ReportRead FetchReport(const LanHost& host);

// Tells the host what this PC found when it compared itself with the host's report.
FileResult SendVerdict(const LanHost& host, const Verdict& verdict);

// This PC's name on the network: its host name.
std::string ThisPcName();

// The IPv4 broadcast address of every interface that is up and can broadcast (lan_interfaces.cpp).
std::vector<std::string> BroadcastAddresses();

} // namespace korvane::lancheck
