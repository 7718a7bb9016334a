#include "lan/lan_guest.hpp"

#include <asio/co_spawn.hpp>
#include <asio/detached.hpp>
#include <asio/io_context.hpp>
#include <asio/ip/host_name.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/ip/udp.hpp>
#include <asio/read.hpp>
#include <asio/redirect_error.hpp>
#include <asio/steady_timer.hpp>
#include <asio/use_awaitable.hpp>
#include <asio/write.hpp>

#include <algorithm>

#include "core/text_compare.hpp"

namespace korvane::lancheck {

using asio::ip::tcp;
using asio::ip::udp;

namespace {

constexpr std::size_t MaxFoundHosts = 256;

std::string Seconds(std::chrono::seconds limit) {
    return std::to_string(limit.count()) + " seconds";
}

// Why a reply's header is not the one expected; empty when it is.
std::string HeaderProblem(const std::optional<FrameHeader>& header, MessageKind expected,
                          std::size_t maxPayload) {
    if (!header) {
        return "it answered something other than Korvane's LAN check";
    }
    if (header->version != LanProtocolVersion) {
        return "it speaks LAN protocol version " + std::to_string(header->version) +
               ", this Korvane version " + std::to_string(LanProtocolVersion);
    }
    if (header->kind == static_cast<std::uint8_t>(MessageKind::Refused)) {
        return "it refused the request";
    }
    if (header->kind != static_cast<std::uint8_t>(expected)) {
        return "it answered something other than Korvane's LAN check";
    }
    if (header->length > maxPayload) {
        return "its answer of " + std::to_string(header->length) + " bytes is larger than the " +
               std::to_string(maxPayload) + " this Korvane takes";
    }
    return {};
}

// How an exchange went: the reply's payload, or why there is none.
struct Reply {
    bool ok = false;
    std::string reason;
    std::string payload;
};

// One request and the reply's payload; reply.reason is set before anything is tried.
asio::awaitable<void> Talk(tcp::socket& socket, tcp::endpoint to, const std::string& request,
                           MessageKind expected, std::size_t maxPayload, Reply& result) {
    asio::error_code error;
    auto noting = asio::redirect_error(asio::use_awaitable, error);
    co_await socket.async_connect(to, noting);
    if (error) {
        result.reason =
            "cannot connect to port " + std::to_string(to.port()) + ": " + error.message();
        co_return;
    }
    std::string head(FrameHeaderBytes, '\0');
    co_await asio::async_write(socket, asio::buffer(request), noting);
    if (!error) {
        co_await asio::async_read(socket, asio::buffer(head), noting);
    }
    if (error) {
        result.reason = "the connection ended early: " + error.message();
        co_return;
    }
    const std::optional<FrameHeader> header = ReadHeader(head);
    result.reason = HeaderProblem(header, expected, maxPayload);
    if (!result.reason.empty()) {
        co_return;
    }
    result.payload.resize(header->length);
    co_await asio::async_read(socket, asio::buffer(result.payload), noting);
    result.ok = !error;
    result.reason = error ? "the connection ended early: " + error.message() : "";
}

// Connecting, sending the request and reading the whole reply, within ExchangeTimeLimit.
Result<std::string> Exchange(const LanHost& host, const std::string& request, MessageKind expected,
                             std::size_t maxPayload) {
    asio::error_code error;
    const asio::ip::address_v4 address = asio::ip::make_address_v4(host.address, error);
    if (error) {
        return Result<std::string>::Failure("not an IPv4 address", host.address);
    }
    Reply result;
    asio::io_context io;
    tcp::socket socket(io);
    const std::string timeout = "no answer within " + Seconds(ExchangeTimeLimit);
    result.reason = timeout;
    asio::co_spawn(io, Talk(socket, {address, host.port}, request, expected, maxPayload, result),
                   asio::detached);
    io.run_for(ExchangeTimeLimit);
    if (!io.stopped()) {
        socket.close(error); // Talk ends at once, with its reason overwritten here
        io.run();
        return Result<std::string>::Failure(timeout, host.address);
    }
    return result.ok ? Result<std::string>::Success(std::move(result.payload))
                     : Result<std::string>::Failure(result.reason, host.address);
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

    std::vector<FoundHost> Run() {
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
        io_.run_for(FindTime);
        return std::move(found_);
    }

  private:
    // The address given, or else every interface's broadcast address and 255.255.255.255.
    std::vector<std::string> QueryTargets() const {
        if (!to_.empty()) {
            return {to_};
        }
        std::vector<std::string> targets = BroadcastAddresses();
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
    const std::string query_ = Frame(MessageKind::Query, "");
    int asked_ = 0;
    std::string datagram_ = std::string(MaxDatagramBytes, '\0');
    std::vector<FoundHost> found_;
};

} // namespace

std::vector<FoundHost> FindHosts(unsigned short port, const std::string& to) {
    return HostSearch(port, to).Run();
}

Result<LanHost> ResolveHost(const std::string& nameOrAddress, unsigned short port) {
    using Found = Result<LanHost>;
    asio::error_code error;
    const asio::ip::address_v4 address = asio::ip::make_address_v4(nameOrAddress, error);
    if (!error) {
        return Found::Success({address.to_string(), port});
    }
    asio::io_context io;
    udp::resolver resolver(io);
    const udp::resolver::results_type entries =
        resolver.resolve(udp::v4(), nameOrAddress, "", error);
    if (!error && !entries.empty()) {
        return Found::Success({entries.begin()->endpoint().address().to_string(), port});
    }
    for (const FoundHost& host : FindHosts(port)) {
        if (host.protocol == LanProtocolVersion && EqualNoCase(host.answer.name, nameOrAddress)) {
            return Found::Success({host.address, port});
        }
    }
    return Found::Failure("no host of that name, and no sharing PC answered with it",
                          nameOrAddress);
}

ReportRead FetchReport(const LanHost& host) {
    const Result<std::string> reply =
        Exchange(host, Frame(MessageKind::ReportRequest, ""), MessageKind::Report, MaxReportBytes);
    if (!reply.ok()) {
        return ReportRead::Refused(ReportProblem::Unreadable, reply.reason(), host.address);
    }
    return ParseReport(reply.value());
}

FileResult SendVerdict(const LanHost& host, const Verdict& verdict) {
    return Exchange(host, Frame(MessageKind::Verdict, VerdictPayload(verdict)), MessageKind::Taken,
                    0);
}

std::string ThisPcName() {
    asio::error_code error;
    const std::string name = asio::ip::host_name(error);
    return error || name.empty() ? "unknown" : name;
}

} // namespace korvane::lancheck
