#include "lan/lan_guest.hpp"

#include <asio/co_spawn.hpp>
#include <asio/detached.hpp>
#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/ip/udp.hpp>
#include <asio/read.hpp>
#include <asio/redirect_error.hpp>
#include <asio/steady_timer.hpp>
#include <asio/use_awaitable.hpp>
#include <asio/write.hpp>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#endif

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "core/messages.hpp"
#include "core/text_compare.hpp"
#include "lan/lan_texts.hpp"
#include "report/game_tree_text.hpp"
#include "report/sha256.hpp"

namespace korvane::lancheck {

using asio::ip::tcp;
using asio::ip::udp;

namespace {

constexpr std::size_t MaxFoundHosts = 256;
constexpr std::chrono::milliseconds MaxRetryPause{400};

// Why a reply's header is not the one expected; empty when it is.
std::string HeaderProblem(const std::optional<FrameHeader>& header, MessageKind expected,
                          std::size_t maxPayload, Language language) {
    if (!header) {
        return TextIn(language, NotKorvaneText);
    }
    if (header->version != LanProtocolVersion) {
        return TextIn(language, OtherProtocolVersionText,
                      {std::to_string(header->version), std::to_string(LanProtocolVersion)});
    }
    if (header->kind == static_cast<std::uint8_t>(MessageKind::Refused)) {
        return TextIn(language, RequestRefusedText);
    }
    if (header->kind != static_cast<std::uint8_t>(expected)) {
        return TextIn(language, NotKorvaneText);
    }
    if (header->length > maxPayload) {
        return TextIn(language, AnswerTooLargeText,
                      {std::to_string(header->length), std::to_string(maxPayload)});
    }
    return {};
}

// Why connecting failed, in the words for that kind of failure.
MessageText ConnectProblem(const asio::error_code& error) {
    if (error == asio::error::connection_refused) {
        return NotSharingText; // the PC is there and nothing listens on the port
    }
    if (error == asio::error::host_unreachable || error == asio::error::network_unreachable) {
        return UnreachableText;
    }
    return error == asio::error::timed_out ? ConnectTimedOutText : CannotConnectText;
}

// How an exchange went: the reply's payload, or why there is none; cut when the host ended the
// connection before its answer began, as a busy host does to make room.
struct Reply {
    bool ok = false;
    bool cut = false;
    std::string reason;
    std::string payload;
};

// One request and the reply's payload.
asio::awaitable<void> Talk(tcp::socket& socket, tcp::endpoint to, const std::string& request,
                           MessageKind expected, std::size_t maxPayload, Language language,
                           Reply& result) {
    asio::error_code error;
    auto noting = asio::redirect_error(asio::use_awaitable, error);
    co_await socket.async_connect(to, noting);
    if (error) {
        result.reason =
            TextIn(language, ConnectProblem(error), {std::to_string(to.port()), error.message()});
        co_return;
    }
    std::string head(FrameHeaderBytes, '\0');
    co_await asio::async_write(socket, asio::buffer(request), noting);
    if (!error) {
        co_await asio::async_read(socket, asio::buffer(head), noting);
    }
    if (error) {
        result.cut = error == asio::error::eof || error == asio::error::connection_reset;
        result.reason = TextIn(language, EndedEarlyText, {error.message()});
        co_return;
    }
    const std::optional<FrameHeader> header = ReadHeader(head);
    result.reason = HeaderProblem(header, expected, maxPayload, language);
    if (!result.reason.empty()) {
        co_return;
    }
    result.payload.resize(header->length);
    co_await asio::async_read(socket, asio::buffer(result.payload), noting);
    result.ok = !error;
    result.reason = error ? TextIn(language, EndedEarlyText, {error.message()}) : "";
}

// Runs io until its work is done (true), until end, or until stop is asked: it looks at the
// stop token every 50 ms.
bool RunUntil(asio::io_context& io, std::chrono::steady_clock::time_point end,
              const std::stop_token& stop) {
    while (!io.stopped() && !stop.stop_requested()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= end) {
            return false;
        }
        io.run_for(std::min<std::chrono::steady_clock::duration>(end - now,
                                                                 std::chrono::milliseconds(50)));
    }
    return io.stopped() && !stop.stop_requested();
}

// Connecting, sending the request and reading the whole reply, within ExchangeTimeLimit; a
// connection the host cuts before answering is tried again, a little later each time.
Result<std::string> Exchange(const LanHost& host, const std::string& request, MessageKind expected,
                             std::size_t maxPayload, const std::stop_token& stop,
                             Language language) {
    using Reached = Result<std::string>;
    asio::error_code error;
    const asio::ip::address_v4 address = asio::ip::make_address_v4(host.address, error);
    if (error) {
        return Reached::Failure(TextIn(language, NotAnAddressText), host.address);
    }
    const auto end = std::chrono::steady_clock::now() + ExchangeTimeLimit;
    asio::io_context io;
    int cuts = 0;
    // Why it ends without a reply when the time runs out or the caller stops it.
    const auto unanswered = [&] {
        return stop.stop_requested() ? TextIn(language, CancelledText)
               : cuts > 0
                   ? TextIn(language, BusyText, {std::to_string(cuts)})
                   : TextIn(language, NoAnswerText, {std::to_string(ExchangeTimeLimit.count())});
    };
    for (std::chrono::milliseconds pause{50};; pause = std::min(pause * 2, MaxRetryPause)) {
        Reply result;
        tcp::socket socket(io);
        asio::co_spawn(
            io, Talk(socket, {address, host.port}, request, expected, maxPayload, language, result),
            asio::detached);
        if (!RunUntil(io, end, stop)) {
            socket.close(error); // Talk ends at once, with its reason overwritten here
            io.restart();
            io.run();
            return Reached::Failure(unanswered(), host.address);
        }
        io.restart();
        if (result.ok || !result.cut) {
            return result.ok ? Reached::Success(std::move(result.payload))
                             : Reached::Failure(result.reason, host.address);
        }
        ++cuts;
        asio::steady_timer wait(io, pause);
        wait.async_wait([](const asio::error_code&) {});
        if (std::chrono::steady_clock::now() + pause >= end || !RunUntil(io, end, stop)) {
            return Reached::Failure(unanswered(), host.address);
        }
        io.restart();
    }
}

// The datagram of a host, put to the list unless it is not an answer or its address is there.
void Take(const std::string& datagram, const std::string& address, std::vector<FoundHost>& found) {
    const std::optional<FrameHeader> header = ReadHeader(datagram);
    if (!header || found.size() >= MaxFoundHosts ||
        std::any_of(found.begin(), found.end(),
                    [&](const FoundHost& host) { return host.address == address; })) {
        return;
    }
    if (header->version != LanProtocolVersion) {
        found.push_back({address, header->version, {}});
        return;
    }
    const std::optional<HostAnswer> answer = ParseAnswer(datagram.substr(FrameHeaderBytes));
    if (header->kind == static_cast<std::uint8_t>(MessageKind::Answer) &&
        header->length == datagram.size() - FrameHeaderBytes && answer) {
        found.push_back({address, LanProtocolVersion, *answer});
    }
}

// One search for the hosts: the query goes out three times, a third of FindTime apart (a
// datagram lost on a busy network would hide a host), and every answer that arrives within
// FindTime is taken, each address once.
class HostSearch {
  public:
    HostSearch(unsigned short port, const std::string& to) : port_(port), to_(to) {}

    std::vector<FoundHost> Run(const std::stop_token& stop) {
        asio::error_code error;
        socket_.open(udp::v4(), error);
        if (error) {
            return {};
        }
        socket_.set_option(asio::socket_base::broadcast(true), error);
        targets_ = QueryTargets();
        Ask();
        // The answers are read as the host reads the queries: each by a read that ends at once.
        socket_.non_blocking(true, error);
        Receive();
        RunUntil(io_, std::chrono::steady_clock::now() + FindTime, stop);
        return stop.stop_requested() ? std::vector<FoundHost>() : std::move(found_);
    }

  private:
    // The address given, or else every interface's broadcast address and 255.255.255.255.
    std::vector<std::string> QueryTargets() const {
        if (!to_.empty()) {
            return {to_};
        }
        std::vector<std::string> targets;
        for (const LanInterface& lan : LanInterfaces()) {
            targets.push_back(lan.broadcast);
        }
        targets.push_back("255.255.255.255");
        return targets;
    }

    // The query to every target; then, until it has gone out three times, again after a while.
    void Ask() {
        for (const std::string& target : targets_) {
            asio::error_code error;
            const asio::ip::address_v4 address = asio::ip::make_address_v4(target, error);
            if (!error) {
                socket_.send_to(asio::buffer(query_), udp::endpoint(address, port_), 0, error);
            }
        }
        if (++asked_ < 3) {
            again_.expires_after(FindTime / 3);
            again_.async_wait([this](const asio::error_code& failed) {
                if (!failed) {
                    Ask();
                }
            });
        }
    }

    // Each datagram as it arrives, until the search ends.
    void Receive() {
        socket_.async_wait(udp::socket::wait_read, [this](const asio::error_code& failed) {
            if (failed == asio::error::operation_aborted) {
                return;
            }
            asio::error_code error;
            udp::endpoint sender;
            const std::size_t size =
                socket_.receive_from(asio::buffer(datagram_), sender, 0, error);
            if (!error) {
                Take(datagram_.substr(0, size), sender.address().to_string(), found_);
            }
            Receive();
        });
    }

    unsigned short port_;
    std::string to_;
    asio::io_context io_;
    udp::socket socket_{io_};
    asio::steady_timer again_{io_};
    std::vector<std::string> targets_;
    const std::string query_ = Frame(MessageKind::Query, std::string(QueryPadding, '\0'));
    int asked_ = 0;
    std::string datagram_ = std::string(MaxDatagramBytes, '\0');
    std::vector<FoundHost> found_;
};

// The system's answer for a host name within LookupTimeLimit, on a thread of its own that is left
// to end by itself when the name server is silent: the lookup cannot be cancelled.
std::optional<std::string> LookUp(const std::string& name, std::stop_token stop) {
    struct Lookup {
        std::mutex mutex;
        std::condition_variable_any done;
        bool finished = false;
        std::optional<std::string> address;
    };
    auto lookup = std::make_shared<Lookup>();
    std::thread([lookup, name] {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        addrinfo* found = nullptr;
        std::optional<std::string> address;
        if (getaddrinfo(name.c_str(), nullptr, &hints, &found) == 0 && found) {
            char text[INET_ADDRSTRLEN] = {};
            const auto* ip = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
            if (inet_ntop(AF_INET, &ip->sin_addr, text, sizeof text)) {
                address = text;
            }
            freeaddrinfo(found);
        }
        const std::lock_guard lock(lookup->mutex);
        lookup->finished = true;
        lookup->address = std::move(address);
        lookup->done.notify_all();
    }).detach();
    std::unique_lock lock(lookup->mutex);
    lookup->done.wait_for(lock, stop, LookupTimeLimit, [&] { return lookup->finished; });
    return lookup->address;
}

} // namespace

std::vector<FoundHost> FindHosts(unsigned short port, const std::string& to, std::stop_token stop) {
    return HostSearch(port, to).Run(stop);
}

bool IsIPv4Address(const std::string& text) {
    asio::error_code error;
    asio::ip::make_address_v4(text, error);
    return !error;
}

Result<LanHost> ResolveHost(const std::string& nameOrAddress, unsigned short port,
                            std::stop_token stop, std::optional<std::vector<FoundHost>>* searched,
                            Language language) {
    using Found = Result<LanHost>;
    asio::error_code error;
    const asio::ip::address_v4 address = asio::ip::make_address_v4(nameOrAddress, error);
    if (!error) {
        return Found::Success({address.to_string(), port});
    }
    if (const std::optional<std::string> known = LookUp(nameOrAddress, stop)) {
        return Found::Success({*known, port});
    }
    std::vector<FoundHost> found = FindHosts(port, {}, stop);
    const Result<std::string> answering = AddressAnswering(found, nameOrAddress, language);
    if (searched) {
        *searched = std::move(found);
    }
    return answering.ok() ? Found::Success({answering.value(), port})
                          : Found::Failure(answering.reason(), nameOrAddress);
}

std::vector<std::string> AddressesAnswering(const std::vector<FoundHost>& found,
                                            const std::string& name) {
    std::vector<std::string> answering;
    for (const FoundHost& host : found) {
        if (host.protocol == LanProtocolVersion && EqualNoCase(host.answer.name, name)) {
            answering.push_back(host.address);
        }
    }
    return answering;
}

Result<std::string> AddressAnswering(const std::vector<FoundHost>& found, const std::string& name,
                                     Language language) {
    const std::vector<std::string> answering = AddressesAnswering(found, name);
    if (answering.size() == 1) {
        return Result<std::string>::Success(answering[0]);
    }
    if (answering.empty()) {
        return Result<std::string>::Failure(TextIn(language, NoSuchHostText), name);
    }
    return Result<std::string>::Failure(
        TextIn(language, SeveralHostsText,
               {std::to_string(answering.size()), ListIn(language, answering)}),
        name);
}

FetchedReport FetchReport(const LanHost& host, std::stop_token stop, Language language) {
    const Result<std::string> reply = Exchange(host, Frame(MessageKind::ReportRequest, ""),
                                               MessageKind::Report, MaxReportBytes, stop, language);
    if (!reply.ok()) {
        return {ReportRead::Refused(ReportProblem::Unreadable, reply.reason(), host.address), ""};
    }
    return {ParseReport(reply.value(), language), ShortSha256(reply.value())};
}

std::optional<std::vector<TreeFile>> FetchFolderFiles(const LanHost& host, const std::string& game,
                                                      const std::string& folderPath,
                                                      std::stop_token stop) {
    // The reason is not kept: a folder's list is either had or not.
    const Result<std::string> reply =
        Exchange(host, Frame(MessageKind::FolderRequest, FolderRequestPayload(game, folderPath)),
                 MessageKind::FolderFiles, MaxFolderFilesBytes, stop, Language::English);
    return reply.ok() ? ParseTreeFiles(reply.value()) : std::nullopt;
}

FileResult SendVerdict(const LanHost& host, const Verdict& verdict, std::stop_token stop,
                       Language language) {
    return Exchange(host, Frame(MessageKind::Verdict, VerdictPayload(verdict)), MessageKind::Taken,
                    0, stop, language);
}

} // namespace korvane::lancheck
