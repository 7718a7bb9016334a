#include "lan/lan_share.hpp"

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

#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include "report/sha256.hpp"

namespace korvane::lancheck {

using asio::ip::tcp;
using asio::ip::udp;

bool AnswerBudget::Allow(const std::string& address, std::chrono::steady_clock::time_point now) {
    if (now - second_ >= std::chrono::seconds(1)) {
        second_ = now;
        answered_.clear();
    }
    if (answered_.size() >= MaxAskers && !answered_.contains(address)) {
        return false;
    }
    return ++answered_[address] <= MaxAnswersPerAsker;
}

struct LanShare::Impl {
    explicit Impl(Options given) : options(std::move(given)) {}

    Options options;
    unsigned short port = 0;
    // Open connections, on the share's thread; they outlive io, whose end closes the connections.
    std::size_t connections = 0;
    std::map<asio::ip::address, std::size_t> connectionsFrom;
    asio::io_context io;
    udp::socket datagrams{io};
    tcp::acceptor acceptor{io};
    std::thread thread;
    mutable std::mutex mutex;
    std::vector<VerdictRow> table; // under mutex; everything below on the share's thread only

    std::string datagram = std::string(MaxDatagramBytes, '\0');
    AnswerBudget budget;
    std::string answer; // the latest, kept for a second so that a flood does not hash files
    std::chrono::steady_clock::time_point answerMade;

    // The report as it is now; nothing when it cannot be made (a file that cannot be read).
    std::optional<std::string> Report() const {
        try {
            return options.report();
        } catch (const std::exception&) {
            return std::nullopt;
        }
    }

    const std::string& Answer() {
        const auto now = std::chrono::steady_clock::now();
        if (answer.empty() || now - answerMade > std::chrono::seconds(1)) {
            std::string fingerprint = "unreadable";
            try {
                Sha256 sha;
                sha.Add(options.report());
                fingerprint = sha.Hex().substr(0, 12);
            } catch (const std::exception&) {
                // A file that cannot be read, no SHA-256: the guest sees that it is unreadable.
            }
            answer = Frame(MessageKind::Answer,
                           AnswerPayload({options.name, KorvaneVersion(), fingerprint}));
            answerMade = now;
        }
        return answer;
    }

    // A query of any version is answered, so that a guest of another version can say that this
    // host speaks this one. The datagrams are read when they are there, each by a read that ends
    // at once (under Wine, reads left pending in the system during a flood of datagrams corrupted
    // the heap), at most 64 at a time, so that the connections get their turn.
    void ReceiveQueries() {
        datagrams.async_wait(udp::socket::wait_read, [this](const asio::error_code& error) {
            if (error == asio::error::operation_aborted) {
                return;
            }
            for (int i = 0; i < 64; ++i) {
                asio::error_code failed;
                udp::endpoint asker;
                const std::size_t size =
                    datagrams.receive_from(asio::buffer(datagram), asker, 0, failed);
                if (failed == asio::error::would_block) {
                    break;
                }
                const std::optional<FrameHeader> header = ReadHeader(datagram.substr(0, size));
                if (!failed && size == FrameHeaderBytes && header &&
                    header->kind == static_cast<std::uint8_t>(MessageKind::Query) &&
                    header->length == 0 &&
                    budget.Allow(asker.address().to_string(), std::chrono::steady_clock::now())) {
                    datagrams.send_to(asio::buffer(Answer()), asker, 0, failed);
                }
            }
            ReceiveQueries();
        });
    }

    void Accept() {
        acceptor.async_accept([this](const asio::error_code& error, tcp::socket socket) {
            if (error == asio::error::operation_aborted) {
                return;
            }
            asio::error_code gone;
            const asio::ip::address guest = socket.remote_endpoint(gone).address();
            if (!error && !gone && connections < MaxConnections &&
                (!connectionsFrom.contains(guest) ||
                 connectionsFrom[guest] < MaxConnectionsPerAddress)) {
                asio::co_spawn(io, Serve(std::move(socket), guest), asio::detached);
            }
            Accept();
        });
    }

    // One request, answered within RequestTimeLimit or not at all.
    asio::awaitable<void> Serve(tcp::socket socket, asio::ip::address guest) {
        ++connections;
        ++connectionsFrom[guest];
        struct Leave {
            Impl& share;
            asio::ip::address guest;
            ~Leave() {
                --share.connections;
                if (--share.connectionsFrom[guest] == 0) {
                    share.connectionsFrom.erase(guest);
                }
            }
        } leave{*this, guest};
        asio::steady_timer deadline(io, RequestTimeLimit);
        deadline.async_wait([&socket](const asio::error_code& error) {
            if (!error) {
                asio::error_code ignored;
                socket.close(ignored);
            }
        });
        // A guest that goes away, sends too little or takes too long gets no answer.
        asio::error_code error;
        std::string head(FrameHeaderBytes, '\0');
        co_await asio::async_read(socket, asio::buffer(head),
                                  asio::redirect_error(asio::use_awaitable, error));
        const std::optional<FrameHeader> header = ReadHeader(head);
        if (error || !header) {
            co_return;
        }
        const std::string reply = co_await Reply(socket, *header, guest);
        co_await asio::async_write(socket, asio::buffer(reply),
                                   asio::redirect_error(asio::use_awaitable, error));
    }

    // The answer to a request; empty when the request is no request of this protocol.
    asio::awaitable<std::string> Reply(tcp::socket& socket, const FrameHeader& header,
                                       const asio::ip::address& guest) {
        if (header.version != LanProtocolVersion) {
            co_return Frame(MessageKind::Refused, "");
        }
        if (header.kind == static_cast<std::uint8_t>(MessageKind::ReportRequest) &&
            header.length == 0) {
            const std::optional<std::string> report = Report();
            co_return report ? Frame(MessageKind::Report, *report)
                             : Frame(MessageKind::Refused, "");
        }
        if (header.kind != static_cast<std::uint8_t>(MessageKind::Verdict) || header.length == 0 ||
            header.length > MaxVerdictBytes) {
            co_return std::string();
        }
        asio::error_code error;
        std::string payload(header.length, '\0');
        co_await asio::async_read(socket, asio::buffer(payload),
                                  asio::redirect_error(asio::use_awaitable, error));
        if (error) {
            co_return std::string();
        }
        std::optional<Verdict> verdict = ParseVerdict(payload);
        if (!verdict) {
            co_return Frame(MessageKind::Refused, "");
        }
        Note(std::move(*verdict), guest.to_string());
        co_return Frame(MessageKind::Taken, "");
    }

    void Note(Verdict verdict, const std::string& address) {
        const VerdictRow row{verdict.name, address, std::move(verdict),
                             std::chrono::system_clock::now()};
        {
            const std::lock_guard lock(mutex);
            std::erase_if(table, [&row](const VerdictRow& old) {
                return old.name == row.name && old.address == row.address;
            });
            if (table.size() >= MaxTableRows) {
                table.pop_back();
            }
            table.insert(table.begin(), row);
        }
        if (options.onVerdict) {
            options.onVerdict(row);
        }
    }
};

LanShare::LanShare(Options options) : impl_(std::make_unique<Impl>(std::move(options))) {}

LanShare::~LanShare() {
    if (impl_->thread.joinable()) {
        impl_->io.stop();
        impl_->thread.join();
    }
}

FileResult LanShare::Start() {
    Impl& s = *impl_;
    try {
        s.acceptor.open(tcp::v4());
#ifndef _WIN32
        // A share started again at once takes the port back from connections still closing.
        // (Windows would let a second program take a port in use with this.)
        s.acceptor.set_option(tcp::acceptor::reuse_address(true));
#endif
        s.acceptor.bind(tcp::endpoint(tcp::v4(), s.options.port));
        s.acceptor.listen();
        s.port = s.acceptor.local_endpoint().port();
        s.datagrams.open(udp::v4());
        s.datagrams.bind(udp::endpoint(udp::v4(), s.port));
        s.datagrams.non_blocking(true);
    } catch (const std::system_error& e) {
        asio::error_code ignored;
        s.acceptor.close(ignored);
        s.datagrams.close(ignored);
        return FileResult::Failure(e.code().message(), "port " + std::to_string(s.options.port));
    }
    s.ReceiveQueries();
    s.Accept();
    s.thread = std::thread([&s] { s.io.run(); });
    return FileResult::Success();
}

unsigned short LanShare::Port() const {
    return impl_->port;
}

std::vector<VerdictRow> LanShare::Table() const {
    const std::lock_guard lock(impl_->mutex);
    return impl_->table;
}

} // namespace korvane::lancheck
