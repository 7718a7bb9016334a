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

#include <algorithm>
#include <list>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include "report/sha256.hpp"

namespace korvane::lancheck {

using asio::ip::tcp;
using asio::ip::udp;

bool AnswerBudget::Allow(const std::string& address, unsigned short port,
                         std::chrono::steady_clock::time_point now) {
    if (now - second_ >= std::chrono::seconds(1)) {
        heardBefore_ = now - second_ < std::chrono::seconds(2) ? std::move(heard_)
                                                                : std::set<std::string>();
        heard_.clear();
        answered_.clear();
        firstAnswers_ = 0;
        second_ = now;
    }
    const std::string sender = address + ':' + std::to_string(port);
    const bool heard = heard_.contains(sender) || heardBefore_.contains(sender);
    if (!heard && heard_.size() < MaxAskers) {
        heard_.insert(sender);
    }
    if ((!heard && firstAnswers_ >= MaxFirstAnswers) || ++answered_[address] > MaxAnswersPerAsker) {
        return false;
    }
    firstAnswers_ += heard ? 0 : 1;
    return true;
}

// What the share hands out, made anew only when the game files change.
struct Served {
    std::optional<std::string> report; // nothing: it could not be made (a file unreadable)
    std::string fingerprint = "unreadable";
    std::string answer; // the Answer frame
};

// An open connection, from its acceptance to its end; only the share's thread touches it.
struct Connection {
    std::shared_ptr<tcp::socket> socket;
    asio::ip::address guest;
    bool requested = false; // its request has arrived
    bool closing = false;   // closed to make room; its Serve is ending
};

struct LanShare::Impl {
    explicit Impl(Options given) : options(std::move(given)) {}

    Options options;
    unsigned short port = 0;
    // The open connections, the oldest first, on the share's thread only; emptied before io ends,
    // whose end destroys the Serve frames that still refer to them, and stopping tells those
    // frames to leave the list alone.
    std::list<Connection> connections;
    bool stopping = false;
    asio::io_context io;
    udp::socket datagrams{io};
    tcp::acceptor acceptor{io};
    std::thread thread;
    mutable std::mutex mutex;
    std::vector<VerdictRow> table; // under mutex, and so is served where Table() reads it
    // Everything below on the share's thread only.
    Served served;
    std::string stamp;
    std::chrono::steady_clock::time_point checked{};

    std::string datagram = std::string(MaxDatagramBytes, '\0');
    const std::string bareAnswer = Frame(MessageKind::Answer, ""); // the version, nothing else
    AnswerBudget budget;

    // The report as served: made at the first request, and again when the stamp has changed,
    // looked at no more than once per ReportCheckInterval.
    const Served& Current() {
        const auto now = std::chrono::steady_clock::now();
        const bool made = !served.answer.empty();
        if (made && (!options.stamp || now - checked < ReportCheckInterval)) {
            return served;
        }
        checked = now;
        std::string latest;
        try {
            latest = options.stamp ? options.stamp() : "";
        } catch (const std::exception&) {
            // No stamp: the report is made anew, and the stamp looked at again next time.
        }
        if (made && !latest.empty() && latest == stamp) {
            return served;
        }
        Served fresh;
        try {
            fresh.report = options.report();
            fresh.fingerprint = ShortSha256(*fresh.report);
        } catch (const std::exception&) {
            // A file that cannot be read: the guests are told the report is unreadable.
        }
        fresh.answer = Frame(MessageKind::Answer,
                             AnswerPayload({options.name, KorvaneVersion(), fresh.fingerprint}));
        const std::lock_guard lock(mutex);
        served = std::move(fresh);
        stamp = std::move(latest);
        return served;
    }

    // A query of any version is answered, so that a guest of another version can say that this
    // host speaks this one, and never with more bytes than it has: a padded query of this version
    // gets the answer, any other the header alone, which tells the version. The datagrams are
    // read when they are there, each by a read that ends at once (under Wine, reads left pending
    // in the system during a flood of datagrams corrupted the heap), at most 64 at a time, so that
    // the connections get their turn.
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
                if (failed || !header ||
                    header->kind != static_cast<std::uint8_t>(MessageKind::Query) ||
                    size != FrameHeaderBytes + header->length ||
                    !budget.Allow(asker.address().to_string(), asker.port(),
                                  std::chrono::steady_clock::now())) {
                    continue;
                }
                const std::string& answer = Current().answer;
                const bool full = header->version == LanProtocolVersion && size >= answer.size();
                datagrams.send_to(asio::buffer(full ? answer : bareAnswer), asker, 0, failed);
            }
            ReceiveQueries();
        });
    }

    // Room for one more connection from guest: when that address, or the share, is full, its
    // oldest connection still waiting for its request is closed (ending its Serve); false when
    // every one of them has sent its request.
    bool MakeRoom(const asio::ip::address& guest) {
        const auto open = [](const Connection& c) { return !c.closing; };
        const auto fromGuest = [&](const Connection& c) { return open(c) && c.guest == guest; };
        const auto closeOldest = [this](auto among) {
            const auto oldest = std::ranges::find_if(
                connections, [&](const Connection& c) { return !c.requested && among(c); });
            if (oldest == connections.end()) {
                return false;
            }
            asio::error_code ignored;
            oldest->socket->close(ignored);
            oldest->closing = true;
            return true;
        };
        if (static_cast<std::size_t>(std::ranges::count_if(connections, fromGuest)) >=
                MaxConnectionsPerAddress &&
            !closeOldest(fromGuest)) {
            return false;
        }
        return static_cast<std::size_t>(std::ranges::count_if(connections, open)) <
                   MaxConnections ||
               closeOldest(open);
    }

    void Accept() {
        acceptor.async_accept([this](const asio::error_code& error, tcp::socket socket) {
            if (error == asio::error::operation_aborted) {
                return;
            }
            asio::error_code gone;
            const asio::ip::address guest = socket.remote_endpoint(gone).address();
            if (!error && !gone && MakeRoom(guest)) {
                connections.push_back({std::make_shared<tcp::socket>(std::move(socket)), guest});
                asio::co_spawn(io, Serve(std::prev(connections.end())), asio::detached);
            }
            Accept();
        });
    }

    // Closes the connection when the time runs out before its Serve has ended. The handler holds
    // the socket itself, so it never touches one that is gone.
    static void CloseAt(asio::steady_timer& deadline, std::chrono::steady_clock::time_point at,
                        const std::shared_ptr<tcp::socket>& socket) {
        deadline.expires_at(at);
        deadline.async_wait([socket](const asio::error_code& error) {
            if (!error) {
                asio::error_code ignored;
                socket->close(ignored);
            }
        });
    }

    // One request, its header within RequestArrivalLimit, answered within RequestTimeLimit or not
    // at all.
    asio::awaitable<void> Serve(std::list<Connection>::iterator connection) {
        const std::shared_ptr<tcp::socket> socket = connection->socket;
        const asio::ip::address guest = connection->guest;
        const auto opened = std::chrono::steady_clock::now();
        asio::steady_timer deadline(io);
        struct Leave {
            Impl& share;
            std::list<Connection>::iterator connection;
            asio::steady_timer& deadline;
            ~Leave() {
                if (share.stopping) {
                    return;
                }
                deadline.cancel();
                asio::error_code ignored;
                connection->socket->close(ignored);
                share.connections.erase(connection);
            }
        } leave{*this, connection, deadline};
        CloseAt(deadline, opened + RequestArrivalLimit, socket);
        // A guest that goes away, sends too little or takes too long gets no answer.
        asio::error_code error;
        std::string head(FrameHeaderBytes, '\0');
        co_await asio::async_read(*socket, asio::buffer(head),
                                  asio::redirect_error(asio::use_awaitable, error));
        const std::optional<FrameHeader> header = ReadHeader(head);
        if (error || !header) {
            co_return;
        }
        connection->requested = true;
        CloseAt(deadline, opened + RequestTimeLimit, socket);
        const std::string reply = co_await Reply(*socket, *header, guest);
        co_await asio::async_write(*socket, asio::buffer(reply),
                                   asio::redirect_error(asio::use_awaitable, error));
    }

    // The answer to a request; empty when the request is no request of this protocol. A payload
    // is read only when its length is within the limit of its kind.
    asio::awaitable<std::string> Reply(tcp::socket& socket, const FrameHeader& header,
                                       const asio::ip::address& guest) {
        if (header.version != LanProtocolVersion) {
            co_return Frame(MessageKind::Refused, "");
        }
        if (header.kind == static_cast<std::uint8_t>(MessageKind::ReportRequest) &&
            header.length == 0) {
            const Served& current = Current();
            co_return current.report ? Frame(MessageKind::Report, *current.report)
                                     : Frame(MessageKind::Refused, "");
        }
        const bool verdict = header.kind == static_cast<std::uint8_t>(MessageKind::Verdict) &&
                             header.length > 0 && header.length <= MaxVerdictBytes;
        const bool folder = header.kind == static_cast<std::uint8_t>(MessageKind::FolderRequest) &&
                            header.length <= MaxFolderRequestBytes;
        if (!verdict && !folder) {
            co_return std::string();
        }
        asio::error_code error;
        std::string payload(header.length, '\0');
        co_await asio::async_read(socket, asio::buffer(payload),
                                  asio::redirect_error(asio::use_awaitable, error));
        if (error) {
            co_return std::string();
        }
        co_return verdict ? TakeVerdict(payload, guest) : FolderReply(payload);
    }

    std::string TakeVerdict(const std::string& payload, const asio::ip::address& guest) {
        std::optional<Verdict> verdict = ParseVerdict(payload);
        if (!verdict) {
            return Frame(MessageKind::Refused, "");
        }
        Note(std::move(*verdict), guest.to_string());
        return Frame(MessageKind::Taken, "");
    }

    // The folder's files, or Refused when the request cannot be read, no such folder is there,
    // or its list is larger than a guest takes.
    std::string FolderReply(const std::string& payload) {
        const std::optional<FolderRequest> request = ParseFolderRequest(payload);
        std::optional<std::string> files;
        if (request && options.folderFiles) {
            try {
                files = options.folderFiles(request->game, request->folderPath);
            } catch (const std::exception&) {
                // A list that cannot be had is not served.
            }
        }
        return files && files->size() <= MaxFolderFilesBytes
                   ? Frame(MessageKind::FolderFiles, *files)
                   : Frame(MessageKind::Refused, "");
    }

    // The verdict as the row of its PC, the latest first; a PC's older row of the same name goes,
    // and so does the oldest of its address's rows when it has MaxNamesPerAddress of them.
    void Note(Verdict verdict, const std::string& address) {
        VerdictRow row{verdict.name, address, std::move(verdict), std::chrono::system_clock::now()};
        {
            const std::lock_guard lock(mutex);
            row.earlier = row.verdict.report != served.fingerprint;
            std::erase_if(table, [&row](const VerdictRow& old) {
                return old.name == row.name && old.address == row.address;
            });
            const auto fromAddress = [&row](const VerdictRow& old) {
                return old.address == row.address;
            };
            if (static_cast<std::size_t>(std::ranges::count_if(table, fromAddress)) >=
                MaxNamesPerAddress) {
                table.erase(
                    std::next(std::find_if(table.rbegin(), table.rend(), fromAddress)).base());
            }
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
    // The sockets go while io is still there; the Serve frames io's end destroys leave the list
    // alone.
    impl_->stopping = true;
    impl_->connections.clear();
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
    std::vector<VerdictRow> rows = impl_->table;
    for (VerdictRow& row : rows) {
        row.earlier = row.verdict.report != impl_->served.fingerprint;
    }
    return rows;
}

std::string LanShare::Fingerprint() const {
    const std::lock_guard lock(impl_->mutex);
    return impl_->served.answer.empty() ? "" : impl_->served.fingerprint;
}

} // namespace korvane::lancheck
