// The LAN check between PCs on the loopback interface: a host as it meets hostile bytes, a guest
// as it meets hosts that are not what they should be.
#include <asio/connect.hpp>
#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/ip/udp.hpp>
#include <asio/read.hpp>
#include <asio/write.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "lan/lan_guest.hpp"
#include "lan/lan_share.hpp"

using namespace korvane::lancheck;
using asio::ip::tcp;
using asio::ip::udp;
using namespace std::string_literals;

namespace {

const std::string Loopback = "127.0.0.1";
const std::string Report =
    ReportJson({{"grip EA 2002",
                 "optimized",
                 "85110f932e0f",
                 {{"season02\\tracks\\terrain.ini", "optimized", "6f17549a8dfa"}}}});

std::string Header(char version, char kind, std::uint32_t length) {
    return "KVLC"s + version + kind + char(length >> 24) + char(length >> 16) + char(length >> 8) +
           char(length);
}

// What a peer sent back until it closed the connection.
std::string ReadToEnd(tcp::socket& socket) {
    std::string reply;
    asio::error_code error;
    asio::read(socket, asio::dynamic_buffer(reply), error);
    return reply;
}

} // namespace

TEST(LanProtocol, VerdictsAreCappedAndReadBackOnlyWhenWellFormed) {
    const Verdict many{"pc-07", 100, std::vector<std::string>(100, "season02\\a.hdv")};
    const std::optional<Verdict> read = ParseVerdict(VerdictPayload(many));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->name, "pc-07");
    EXPECT_EQ(read->differing, 100u);
    EXPECT_EQ(read->paths.size(), 64u);
    const Verdict long_paths{"pc", 3, std::vector<std::string>(3, std::string(5000, 'x'))};
    EXPECT_EQ(ParseVerdict(VerdictPayload(long_paths))->paths.size(), 1u) << "8 KiB at most";

    std::string tooManyPaths = "pc\n65";
    for (int i = 0; i < 65; ++i) {
        tooManyPaths += "\na";
    }
    for (const std::string& payload :
         {""s, "pc"s, "\n0"s, "pc\n"s, "pc\n-1"s, "pc\n1x"s, "pc\n1\na\nb"s, "pc\x1b[2J\n0"s,
          "pc\n1\na\rb"s, "pc\n99999999999999999999"s, std::string(65, 'p') + "\n0",
          tooManyPaths}) {
        EXPECT_FALSE(ParseVerdict(payload)) << payload;
    }
}

// A flood from one address exhausts its own answers for the second, and nobody else's; and
// memory for no more than 256 askers a second.
TEST(LanShare, AnswersEachAddressAFewTimesASecond) {
    AnswerBudget budget;
    const auto start = std::chrono::steady_clock::now();
    const auto at = [&](int milliseconds) {
        return start + std::chrono::milliseconds(milliseconds);
    };
    std::string answered;
    for (int i = 0; i < 6; ++i) {
        answered += budget.Allow("10.0.0.9", at(i)) ? '+' : '-';
    }
    answered += budget.Allow("10.0.0.2", at(10)) ? '+' : '-';
    answered += budget.Allow("10.0.0.9", at(1000)) ? '+' : '-'; // the next second
    for (int i = 0; i < 256; ++i) {
        budget.Allow("10.1." + std::to_string(i / 250) + "." + std::to_string(i % 250), at(1001));
    }
    answered += budget.Allow("10.0.0.3", at(1002)) ? '+' : '-';
    answered += budget.Allow("10.0.0.9", at(1003)) ? '+' : '-';
    EXPECT_EQ(answered, "++++--++-+");
}

// Whatever reaches the host, by UDP or TCP, it answers good requests afterwards and keeps only
// well-formed verdicts.
TEST(LanShare, SurvivesHostileBytesAndStillAnswers) {
    std::vector<VerdictRow> seen;
    LanShare share({"host-pc", [] { return Report; },
                    [&seen](const VerdictRow& row) { seen.push_back(row); }, 0});
    ASSERT_TRUE(share.Start().ok());
    const unsigned short port = share.Port();
    const tcp::endpoint host(asio::ip::make_address_v4(Loopback), port);
    asio::io_context io;

    // Garbage and a flood of queries, from the address that asks again later.
    udp::socket flood(io, udp::endpoint(udp::v4(), 0));
    for (const std::string& datagram :
         {"hello"s, "KVLC\x01"s, Header(1, 'Q', 0) + std::string(2000, 'x'),
          "KVLX" + Header(1, 'Q', 0).substr(4), Header(1, 'Q', 7), Header(1, 'A', 0),
          std::string(MaxDatagramBytes + 1, 'Q')}) {
        flood.send_to(asio::buffer(datagram), udp::endpoint(host.address(), port));
    }
    for (int i = 0; i < 200; ++i) {
        flood.send_to(asio::buffer(Header(1, 'Q', 0)), udp::endpoint(host.address(), port));
    }

    const struct {
        const char* what;
        std::string sent;
        std::optional<std::string> reply; // nothing: the connection is left open, unanswered
    } requests[] = {
        {"garbage", "GET / HTTP/1.1\r\n\r\n", ""},
        {"cut off", "KVLC\x01", ""},
        {"wrong magic", "KVLX\x01R\0\0\0\0"s, ""},
        {"another version", Header(2, 'R', 0), Header(1, 'X', 0)},
        {"an unknown kind", Header(1, 'Z', 0), ""},
        {"a report request with a payload", Header(1, 'R', 3) + "abc", ""},
        {"a verdict of 4 GiB", Header(1, 'V', 0xFFFFFFFF) + "pc\n0", ""},
        {"a verdict cut off", Header(1, 'V', 20) + "pc\n0", ""},
        {"a verdict it cannot read", Frame(MessageKind::Verdict, "pc\n1\na\nb"), Header(1, 'X', 0)},
        {"silent", "", std::nullopt},
        {"slow", "KVLC", std::nullopt},
    };
    std::vector<tcp::socket> open;
    for (const auto& request : requests) {
        tcp::socket socket(io);
        socket.connect(host);
        asio::error_code closedEarly; // by the host, which has seen enough
        asio::write(socket, asio::buffer(request.sent), closedEarly);
        if (!request.reply) {
            open.push_back(std::move(socket));
            continue;
        }
        socket.shutdown(tcp::socket::shutdown_send, closedEarly);
        EXPECT_EQ(ReadToEnd(socket), *request.reply) << request.what;
    }

    std::this_thread::sleep_for(std::chrono::milliseconds(1100)); // the flood's second is over
    const std::vector<FoundHost> found = FindHosts(port, Loopback);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].address, Loopback);
    EXPECT_EQ(found[0].answer.name, "host-pc");
    EXPECT_EQ(found[0].answer.fingerprint.size(), 12u);
    const ReportRead read = FetchReport({Loopback, port});
    ASSERT_TRUE(read.ok()) << read.reason();
    EXPECT_EQ(ReportJson(read.value()), Report);
    ASSERT_TRUE(SendVerdict({Loopback, port}, {"guest-pc", 2, {"a.hdv", "b.hdv"}}).ok());

    const std::vector<VerdictRow> table = share.Table();
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].name, "guest-pc");
    EXPECT_EQ(table[0].address, Loopback);
    EXPECT_EQ(table[0].verdict.paths, (std::vector<std::string>{"a.hdv", "b.hdv"}));
    EXPECT_EQ(seen.size(), 1u);
}

// A host that answers wrongly or not at all is named as such, within the time limit.
TEST(LanGuest, SaysWhatFailedWithAHostThatIsNotOne) {
    asio::io_context io;
    tcp::acceptor peer(io, tcp::endpoint(asio::ip::make_address_v4(Loopback), 0));
    const unsigned short port = peer.local_endpoint().port();
    const struct {
        const char* what;
        std::optional<std::string> answer; // nothing: it accepts and stays silent
        std::string reason;
    } cases[] = {
        {"silent", std::nullopt, "no answer within 5 seconds"},
        {"something else", "HTTP/1.1 400 Bad Request\r\n\r\n",
         "it answered something other than Korvane's LAN check"},
        {"another version", Header(2, 'r', 2) + "{}",
         "it speaks LAN protocol version 2, this Korvane version 1"},
        {"refusing", Header(1, 'X', 0), "it refused the request"},
        {"a report of 2 MiB", Header(1, 'r', 2 * 1024 * 1024),
         "its answer of 2097152 bytes is larger than the 1048576 this Korvane takes"},
        {"cut off", Header(1, 'r', 100) + "{", "the connection ended early: End of file"},
    };
    for (const auto& c : cases) {
        std::thread answering([&] {
            tcp::socket socket = peer.accept();
            std::string request(10, '\0');
            asio::read(socket, asio::buffer(request));
            if (c.answer) {
                asio::write(socket, asio::buffer(*c.answer));
                return;
            }
            ReadToEnd(socket); // until the guest gives up
        });
        const auto start = std::chrono::steady_clock::now();
        const ReportRead read = FetchReport({Loopback, port});
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8)) << c.what;
        answering.join();
        EXPECT_FALSE(read.ok()) << c.what;
        EXPECT_EQ(read.reason(), c.reason) << c.what;
    }

    // A host of another version is listed as such, with nothing of its answer read; the query
    // is asked again, so a host whose first one was lost is still found.
    udp::socket other(io, udp::endpoint(asio::ip::make_address_v4(Loopback), 0));
    std::thread answering([&] {
        char query[64];
        udp::endpoint guest;
        other.receive_from(asio::buffer(query), guest); // lost on the way
        other.receive_from(asio::buffer(query), guest);
        other.send_to(asio::buffer(Header(2, 'A', 5) + "x\ny\nz"), guest);
    });
    const std::vector<FoundHost> found = FindHosts(other.local_endpoint().port(), Loopback);
    // A query asked only once would leave the peer waiting for its second: this one frees it.
    udp::socket(io, udp::v4()).send_to(asio::buffer(Header(1, 'Q', 0)), other.local_endpoint());
    answering.join();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].protocol, 2);
    EXPECT_EQ(found[0].answer.name, "");
}
