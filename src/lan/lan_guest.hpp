#pragma once
// The guest's side of the LAN check: finding the PCs that share their report, fetching a report
// and the file lists of its folders, and telling its host the verdict. Each call stands alone and
// returns within its time limit, whatever the other side does or fails to do, and ends early,
// with nothing found, when its stop token is asked to stop.
#include <chrono>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "core/language.hpp"
#include "core/result.hpp"
#include "lan/lan_protocol.hpp"
#include "report/game_tree.hpp"
#include "report/status_report.hpp"

namespace korvane::lancheck {

// Connecting and the whole exchange of a request with its answer, tried again within that time
// when the host ends the connection before it answers (a busy host makes room so).
inline constexpr std::chrono::seconds ExchangeTimeLimit{5};
inline constexpr std::chrono::milliseconds FindTime{2000};
// The system's name lookup; with FindTime after it, a name is resolved within 5 seconds.
inline constexpr std::chrono::milliseconds LookupTimeLimit{3000};

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
std::vector<FoundHost> FindHosts(unsigned short port = LanPort, const std::string& to = {},
                                 std::stop_token stop = {});

// Whether the text is an IPv4 address, such as 192.168.1.10.
bool IsIPv4Address(const std::string& text);

// The address of an IPv4 address, of a host name the system knows within LookupTimeLimit, or else
// of the one sharing PC that answers with that name (letter case aside); two or more that answer
// with it are refused, naming their addresses. When the sharing PCs were searched, searched
// (if given) holds what the search found. Every reason a call of this file gives is in the
// language given (lan_texts.hpp), with the system's own text after it where there is one.
Result<LanHost> ResolveHost(const std::string& nameOrAddress, unsigned short port = LanPort,
                            std::stop_token stop = {},
                            std::optional<std::vector<FoundHost>>* searched = nullptr,
                            Language language = Language::English);

// The addresses of the hosts among those found that answer with that name (letter case aside).
std::vector<std::string> AddressesAnswering(const std::vector<FoundHost>& found,
                                            const std::string& name);
// The address of the one host among those found that answers with that name; none or several
// are refused, several naming their addresses.
Result<std::string> AddressAnswering(const std::vector<FoundHost>& found, const std::string& name,
                                     Language language = Language::English);

// A host's report as it is now, read as a report file is read (ParseReport, at most
// MaxReportBytes), and the fingerprint of the document as it came; a host that cannot be reached
// or answers otherwise is Unreadable, the reason saying what failed.
struct FetchedReport {
    ReportRead read;
    std::string fingerprint;
};
FetchedReport FetchReport(const LanHost& host, std::stop_token stop = {},
                          Language language = Language::English);

// The files of one folder of a game in the host's report (FolderRequest), as ParseTreeFiles reads
// them, in one exchange within ExchangeTimeLimit; an answer larger than MaxFolderFilesBytes is
// refused unread. Nothing when the host refuses (no such folder, or it serves none), cannot be
// reached, or sends what is no such list. The list is only what the host says: the caller takes
// it only when its digest (FilesDigest) is the one the report gives the folder.
std::optional<std::vector<TreeFile>> FetchFolderFiles(const LanHost& host, const std::string& game,
                                                      const std::string& folderPath,
                                                      std::stop_token stop = {});

// Tells the host what this PC found when it compared itself with the host's report; ok only when
// the host said it took it.
FileResult SendVerdict(const LanHost& host, const Verdict& verdict, std::stop_token stop = {},
                       Language language = Language::English);

// This PC's name on the network: its host name in UTF-8, cut to MaxNameBytes; "unknown" when it
// has none that can be shown (lan_interfaces.cpp).
std::string ThisPcName();

// Every IPv4 interface that is up and can broadcast: its address and its broadcast address
// (lan_interfaces.cpp).
struct LanInterface {
    std::string address;
    std::string broadcast;
};
std::vector<LanInterface> LanInterfaces();
// Whether a host at that address is this PC itself: a loopback address or one of LanInterfaces.
bool IsThisPcAddress(const std::string& address);

} // namespace korvane::lancheck
