// The LAN check between PCs on the loopback interface: a host as it meets hostile bytes, a guest
// as it meets hosts that are not what they should be.
#include <asio/connect.hpp>
#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/ip/udp.hpp>
#include <asio/read.hpp>
#include <asio/write.hpp>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "lan/lan_guest.hpp"
#include "lan/lan_share.hpp"
#include "report/game_tree_text.hpp"

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
    const Verdict many{"pc-07", "85110f932e0f", 100,
                       std::vector<VerdictFile>(100, {"season02\\a.hdv", "Ferrari", "changed"})};
    const std::optional<Verdict> read = ParseVerdict(VerdictPayload(many));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->name, "pc-07");
    EXPECT_EQ(read->report, "85110f932e0f");
    EXPECT_EQ(read->differing, 100u);
    EXPECT_EQ(read->files, std::vector<VerdictFile>(64, many.files[0]));
    const Verdict long_paths{"pc", "f", 3, {3, {std::string(5000, 'x'), {}, {}}}};
    EXPECT_EQ(ParseVerdict(VerdictPayload(long_paths))->files.size(), 1u) << "8 KiB at most";
    // The guest has no such file; a "|" in a team's name cannot split the line wrongly.
    const Verdict sides{"pc", "f", 2, {{"a.hdv", "", "original"}, {"b.hdv", "A|B", "changed"}}};
    EXPECT_EQ(ParseVerdict(VerdictPayload(sides))->files,
              (std::vector<VerdictFile>{{"a.hdv", "", "original"}, {"b.hdv", "A/B", "changed"}}));

    // A name cut to 64 bytes keeps whole characters, so the host can read it back.
    const std::optional<Verdict> umlauts =
        ParseVerdict(VerdictPayload({std::string(70, 'x') + "ü", "f", 0, {}}));
    ASSERT_TRUE(umlauts);
    EXPECT_EQ(umlauts->name, std::string(64, 'x'));
    const std::optional<HostAnswer> host =
        ParseAnswer(AnswerPayload({std::string(63, 'x') + "ü", "0.6.0", "f"}));
    ASSERT_TRUE(host);
    EXPECT_EQ(host->name, std::string(63, 'x'));

    std::string tooManyPaths = "pc\nf\n65";
    for (int i = 0; i < 65; ++i) {
        tooManyPaths += "\na";
    }
    for (const std::string& payload : {""s,
                                       "pc"s,
                                       "pc\nf"s,
                                       "\nf\n0"s,
                                       "pc\n\n0"s,
                                       "pc\nf\n"s,
                                       "pc\nf\n-1"s,
                                       "pc\nf\n1x"s,
                                       "pc\nf\n1\na\nb"s,
                                       "pc\x1b[2J\nf\n0"s,
                                       "pc\nf\n1\na\rb"s,
                                       "pc\nf\n1\na|b"s,
                                       "pc\nf\n1\na|b|c|d"s,
                                       "pc\nf\n1\n|b|c"s,
                                       "pc\nf\n99999999999999999999"s,
                                       "pc\nf\n1048577"s,
                                       std::string(65, 'p') + "\nf\n0",
                                       "pc\u009b2J\nf\n0"s,
                                       "pc-\u202e70\nf\n0"s,
                                       "pc\u2028pc\nf\n0"s,
                                       "pc\xff\nf\n0"s,
                                       "pc\xc3\nf\n0"s,
                                       tooManyPaths}) {
        EXPECT_FALSE(ParseVerdict(payload)) << payload;
    }
    EXPECT_TRUE(ParseVerdict("pc\nf\n1048576")); // 1 MiB, as many files as a report holds
    for (const std::string& payload :
         {"pc-\u202e70\n0.6.0\nf"s, "pc\n0.6.0"s, "pc\xe0\x80\x80\n0.6.0\nf"s, "\n0.6.0\nf"s}) {
        EXPECT_FALSE(ParseAnswer(payload)) << payload;
    }
}

// A folder is asked for by a path that leads only down from the game directory.
TEST(LanProtocol, FolderRequestsAreReadOnlyWhenWellFormed) {
    const std::string game = "grip EA 2002";
    std::string deep = game + "\n";
    for (std::size_t i = 0; i <= MaxTreeDepth; ++i) {
        deep += "d\\";
    }
    deep.pop_back();
    const struct {
        std::string payload;
        std::optional<std::string> path; // nothing: refused
    } cases[] = {
        {FolderRequestPayload(game, "season02\\tracks"), "season02\\tracks"},
        {FolderRequestPayload(game, ""), ""},
        // Written escaped, or the parser would refuse the space and the newline.
        {FolderRequestPayload(game, "my cars\\a\nb"), "my cars\\a\nb"},
        {game, std::nullopt},
        {game + "\nseason02\nb", std::nullopt},
        {game + "\nseason02\\..\\..", std::nullopt},
        {game + "\n%2E%2E", std::nullopt},
        {game + "\nseason02\\\\tracks", std::nullopt},
        {game + "\nseason02\\", std::nullopt},
        {game + "\na%5Cb", std::nullopt}, // a name that holds the separator
        {game + "\nsea\tson", std::nullopt},
        {"grip\x1b[2J\nseason02", std::nullopt},
        {"\nseason02", std::nullopt},
        {std::string(MaxNameBytes + 1, 'g') + "\nseason02", std::nullopt},
        {game + "\n" + std::string(MaxFolderPathBytes + 1, 'x'), std::nullopt},
        {deep, std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<FolderRequest> read = ParseFolderRequest(c.payload);
        EXPECT_EQ(read ? std::optional(read->folderPath) : std::nullopt, c.path) << c.payload;
        if (read) {
            EXPECT_EQ(read->game, game);
        }
    }
}

// Each address is answered a few times a second, and a sender not heard in this second or the
// one before only while few others were; so a flood from made-up senders takes no answer from a
// guest that asks again from its port. At most MaxAskers senders are remembered a second.
TEST(LanShare, AnswersGuestsThatAskAgainThroughAFlood) {
    AnswerBudget budget;
    const auto start = std::chrono::steady_clock::now();
    const auto ask = [&](const std::string& address, unsigned short port, int milliseconds) {
        return budget.Allow(address, port, start + std::chrono::milliseconds(milliseconds)) ? '+'
                                                                                          : '-';
    };
    int madeUp = 0;
    const auto flood = [&](int milliseconds, std::size_t senders) {
        for (std::size_t i = 0; i < senders; ++i, ++madeUp) {
            ask(asio::ip::address_v4(0x0A010000u + madeUp).to_string(), 9, milliseconds);
        }
    };
    std::string answered;
    for (int i = 0; i < 6; ++i) {
        answered += ask("10.0.0.9", 5000, i);
    }
    answered += ask("10.0.0.2", 5000, 10);
    flood(20, AnswerBudget::MaxFirstAnswers);
    answered += ask("10.0.0.3", 5000, 30); // new while the flood took the first answers
    answered += ask("10.0.0.3", 5000, 31); // the same sender again
    answered += ask("10.0.0.3", 5001, 32); // another port: another sender
    flood(1100, AnswerBudget::MaxFirstAnswers);
    answered += ask("10.0.0.3", 5001, 1101); // heard in the second before
    answered += ask("10.0.0.5", 5000, 1102);
    flood(3200, AnswerBudget::MaxFirstAnswers);
    answered += ask("10.0.0.5", 5000, 3201); // heard more than two seconds ago
    flood(4300, AnswerBudget::MaxAskers);
    answered += ask("10.0.0.4", 5000, 4301);
    answered += ask("10.0.0.4", 5000, 4302); // not remembered: the memory is full
    EXPECT_EQ(answered, "++++--+-+-+----");
}

// Whatever reaches the host, by UDP or TCP, it answers good requests afterwards and keeps only
// well-formed verdicts.
TEST(LanShare, SurvivesHostileBytesAndStillAnswers) {
    std::vector<VerdictRow> seen;
    LanShare share({"host-pc",
                    [] { return Report; },
                    {},
                    [&seen](const VerdictRow& row) { seen.push_back(row); },
                    0});
    ASSERT_TRUE(share.Start().ok());
    const unsigned short port = share.Port();
    const tcp::endpoint host(asio::ip::make_address_v4(Loopback), port);
    asio::io_context io;

    // Garbage and a flood of queries, from the address that asks again later.
    udp::socket flood(io, udp::endpoint(udp::v4(), 0));
    for (const std::string& datagram :
         {"hello"s, "KVLC\x01"s, Header(2, 'Q', 0) + std::string(2000, 'x'),
          "KVLX"s + Header(2, 'Q', 0).substr(4), Header(1, 'Q', 7), Header(1, 'A', 0),
          std::string(513, 'Q')}) { // over 512 bytes
        flood.send_to(asio::buffer(datagram), udp::endpoint(host.address(), port));
    }
    for (int i = 0; i < 200; ++i) {
        flood.send_to(asio::buffer(Header(2, 'Q', 0)), udp::endpoint(host.address(), port));
    }

    const struct {
        const char* what;
        std::string sent;
        std::optional<std::string> reply; // nothing: the connection is left open, unanswered
    } requests[] = {
        {"garbage", "GET / HTTP/1.1\r\n\r\n", ""},
        {"cut off", "KVLC\x01", ""},
        {"wrong magic", "KVLX\x01R\0\0\0\0"s, ""},
        {"another version", Header(1, 'R', 0), Header(2, 'X', 0)},
        {"an unknown kind", Header(2, 'Z', 0), ""},
        {"a report request with a payload", Header(2, 'R', 3) + "abc", ""},
        {"a verdict of 4 GiB", Header(2, 'V', 0xFFFFFFFF) + "pc\nf\n0", ""},
        {"a verdict over 8 KiB",
         Frame(MessageKind::Verdict, "pc\nf\n1\n"s + std::string(8 * 1024, 'a')), ""},
        {"a verdict cut off", Header(2, 'V', 20) + "pc\nf\n0", ""},
        {"a verdict it cannot read", Frame(MessageKind::Verdict, "pc\nf\n1\na\nb"),
         Header(2, 'X', 0)},
        {"a folder request of 4 GiB", Header(2, 'F', 0xFFFFFFFF) + "g\n", ""},
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
    const FetchedReport fetched = FetchReport({Loopback, port});
    ASSERT_TRUE(fetched.read.ok()) << fetched.read.reason();
    EXPECT_EQ(ReportJson(fetched.read.value()), Report);
    EXPECT_EQ(fetched.fingerprint, found[0].answer.fingerprint);
    ASSERT_TRUE(
        SendVerdict({Loopback, port}, {"guest-pc", fetched.fingerprint, 2, {{"a.hdv"}, {"b.hdv"}}})
            .ok());

    const std::vector<VerdictRow> table = share.Table();
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].name, "guest-pc");
    EXPECT_EQ(table[0].address, Loopback);
    EXPECT_EQ(table[0].verdict.files, (std::vector<VerdictFile>{{"a.hdv"}, {"b.hdv"}}));
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
        {"another version", Header(1, 'r', 2) + "{}",
         "it speaks LAN protocol version 1, this Korvane version 2"},
        {"refusing", Header(2, 'X', 0), "it refused the request"},
        {"a report of 2 MiB", Header(2, 'r', 2 * 1024 * 1024),
         "its answer of 2097152 bytes is larger than the 1048576 this Korvane takes"},
        {"cut off", Header(2, 'r', 100) + "{", "the connection ended early: End of file"},
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
        const ReportRead read = FetchReport({Loopback, port}).read;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8)) << c.what;
        answering.join();
        EXPECT_FALSE(read.ok()) << c.what;
        EXPECT_EQ(read.reason(), c.reason) << c.what;
    }

    // A host that keeps cutting the connection before it answers, as a full one does, is asked
    // again until the time runs out, and called busy.
    std::atomic<bool> cutting = true;
    std::thread cutter([&] {
        while (cutting) {
            asio::error_code error;
            tcp::socket socket = peer.accept(error);
            socket.close(error);
        }
    });
    const std::string busy = FetchReport({Loopback, port}).read.reason();
    cutting = false;
    asio::error_code ignored;
    tcp::socket(io).connect(peer.local_endpoint(), ignored); // frees the cutter's last accept
    cutter.join();
    EXPECT_TRUE(busy.starts_with("the host is busy: it ended the connection ")) << busy;
    EXPECT_GT(std::stoi(busy.substr(busy.find("connection ") + 11)), 3) << busy;

    // A host of another version is listed as such, with nothing of its answer read; the query
    // is asked again, so a host whose first one was lost is still found.
    udp::socket other(io, udp::endpoint(asio::ip::make_address_v4(Loopback), 0));
    std::thread answering([&] {
        char query[64];
        udp::endpoint guest;
        other.receive_from(asio::buffer(query), guest); // lost on the way
        other.receive_from(asio::buffer(query), guest);
        other.send_to(asio::buffer(Header(1, 'A', 5) + "x\ny\nz"), guest);
    });
    const std::vector<FoundHost> found = FindHosts(other.local_endpoint().port(), Loopback);
    // A query asked only once would leave the peer waiting for its second: this one frees it.
    udp::socket(io, udp::v4()).send_to(asio::buffer(Header(2, 'Q', 0)), other.local_endpoint());
    answering.join();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].protocol, 1);
    EXPECT_EQ(found[0].answer.name, "");
}

// A name is taken from the hosts found only when exactly one of them answers to it.
TEST(LanGuest, TakesANameOnlyFromTheOneHostThatAnswersToIt) {
    const auto host = [](const char* address, const char* name, int protocol = LanProtocolVersion) {
        return FoundHost{address, protocol, {name, "0.6.0", "f"}};
    };
    const struct {
        std::vector<FoundHost> found;
        std::string said; // the address, or why not
    } cases[] = {
        {{host("10.0.0.2", "pc-02"), host("10.0.0.9", "Organiser")}, "10.0.0.9"},
        {{host("10.0.0.9", "organiser", 1)},
         "no host of that name, and no sharing PC answered with it"},
        {{host("10.0.0.9", "organiser"), host("10.0.0.66", "ORGANISER")},
         "2 PCs answer to that name: 10.0.0.9 and 10.0.0.66; give the address of the one meant"},
        {{host("10.0.0.9", "organiser"), host("10.0.0.66", "organiser"),
          host("10.0.0.67", "organiser")},
         "3 PCs answer to that name: 10.0.0.9, 10.0.0.66 and 10.0.0.67; give the address of the "
         "one meant"},
    };
    for (const auto& c : cases) {
        const auto address = AddressAnswering(c.found, "organiser");
        EXPECT_EQ(address.ok() ? address.value() : address.reason(), c.said);
    }
}

namespace {

// A connection from one of the loopback addresses, left open without a word.
tcp::socket IdleFrom(asio::io_context& io, const std::string& from, unsigned short port) {
    tcp::socket socket(io, tcp::endpoint(asio::ip::make_address_v4(from), 0));
    socket.connect({asio::ip::make_address_v4(Loopback), port});
    return socket;
}

// Whether the host has closed the connection, looked at for up to the given time.
bool ClosedWithin(tcp::socket& socket, std::chrono::milliseconds limit) {
    socket.non_blocking(true);
    const auto end = std::chrono::steady_clock::now() + limit;
    char byte;
    while (std::chrono::steady_clock::now() < end) {
        asio::error_code error;
        socket.read_some(asio::buffer(&byte, 1), error);
        if (error && error != asio::error::would_block) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

} // namespace

// Connections that send nothing lock nobody out: a newcomer takes the place of the oldest of its
// address's, or of the share's, that has not sent its request, and each is closed after a second.
TEST(LanShare, IdleConnectionsMakeRoomForGuests) {
    LanShare share({"host-pc", [] { return Report; }, {}, {}, 0});
    ASSERT_TRUE(share.Start().ok());
    const unsigned short port = share.Port();
    asio::io_context io;
    std::vector<tcp::socket> idle;
    for (std::size_t i = 0; i < MaxConnections; ++i) { // the share full, four from each address
        idle.push_back(IdleFrom(io, asio::ip::address_v4(0x7F000100u + i / 4).to_string(), port));
    }
    tcp::socket fifth = IdleFrom(io, "127.0.1.0", port);
    EXPECT_TRUE(ClosedWithin(idle[0], std::chrono::milliseconds(500))) << "its address's oldest";
    EXPECT_FALSE(ClosedWithin(idle[1], std::chrono::milliseconds(50)));

    const auto start = std::chrono::steady_clock::now();
    const FetchedReport fetched = FetchReport({Loopback, port});
    EXPECT_TRUE(fetched.read.ok()) << fetched.read.reason();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500))
        << "at once, not when the idle ones time out";
    EXPECT_TRUE(ClosedWithin(idle[1], RequestArrivalLimit + std::chrono::milliseconds(500)));
}

// The report is made once and served as it is until the files change: requests cost no work.
TEST(LanShare, MakesTheReportAnewOnlyWhenTheFilesChange) {
    std::atomic<int> made = 0;
    std::atomic<int> stamp = 1;
    LanShare share({"host-pc",
                    [&made] {
                        ++made;
                        return Report;
                    },
                    [&stamp] { return std::to_string(stamp.load()); },
                    {},
                    0});
    ASSERT_TRUE(share.Start().ok());
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(FetchReport({Loopback, share.Port()}).read.ok());
    }
    EXPECT_EQ(FindHosts(share.Port(), Loopback).size(), 1u);
    EXPECT_EQ(made, 1);
    std::this_thread::sleep_for(ReportCheckInterval);
    EXPECT_TRUE(FetchReport({Loopback, share.Port()}).read.ok());
    EXPECT_EQ(made, 1) << "the stamp is the same";
    ++stamp;
    std::this_thread::sleep_for(ReportCheckInterval);
    EXPECT_TRUE(FetchReport({Loopback, share.Port()}).read.ok());
    EXPECT_EQ(made, 2);
}

// One PC's made-up names push out only its own rows, and a verdict on an earlier report says so.
TEST(LanShare, KeepsAFewNamesPerAddressAndMarksEarlierReports) {
    LanShare share({"host-pc", [] { return Report; }, {}, {}, 0});
    ASSERT_TRUE(share.Start().ok());
    const LanHost host{Loopback, share.Port()};
    const std::string current = FetchReport(host).fingerprint;
    for (int i = 0; i < 6; ++i) {
        const std::string report = i == 5 ? "85110f932e0f" : current;
        ASSERT_TRUE(SendVerdict(host, {"fake-"s + std::to_string(i), report, 0, {}}).ok());
    }
    std::string rows;
    for (const VerdictRow& row : share.Table()) {
        rows += row.name + (row.earlier ? " (earlier)" : "") + ", ";
    }
    EXPECT_EQ(rows, "fake-5 (earlier), fake-4, fake-3, fake-2, ");
}

// No answer is larger than its query, so a made-up sender address gets no flood out of the host:
// a padded query of this version gets the whole answer, any other the header that tells the
// version.
TEST(LanShare, AnswersNoLargerThanTheQuery) {
    LanShare share({std::string(64, 'n'), [] { return Report; }, {}, {}, 0});
    ASSERT_TRUE(share.Start().ok());
    asio::io_context io;
    udp::socket asker(io, udp::endpoint(udp::v4(), 0));
    const udp::endpoint host(asio::ip::make_address_v4(Loopback), share.Port());
    for (const std::string& query : {Frame(MessageKind::Query, std::string(QueryPadding, '\0')),
                                     Header(2, 'Q', 0), Header(1, 'Q', 0)}) {
        asker.send_to(asio::buffer(query), host);
        std::string reply(MaxDatagramBytes, '\0');
        reply.resize(asker.receive(asio::buffer(reply)));
        EXPECT_LE(reply.size(), query.size());
        const bool full = query.size() > FrameHeaderBytes;
        EXPECT_EQ(reply.size() > FrameHeaderBytes, full);
        EXPECT_EQ(ReadHeader(reply)->version, LanProtocolVersion);
        if (full) {
            EXPECT_EQ(ParseAnswer(reply.substr(FrameHeaderBytes))->name, std::string(64, 'n'));
        }
    }
}

// A guest gets the files of the folder it names, as the host wrote them; nothing of a folder the
// host does not have, from a host that serves no folders, or when the list is too large to send.
TEST(LanShare, ServesTheFilesOfTheFolderAsked) {
    TreeFolder tracks;
    tracks.files = {{"monaco.gmt", EntryState::Compared, Digest{1}, {}},
                    {"spa", EntryState::Link, {}, {}}};
    const std::string game = "grip EA 2002";
    LanShare share({"host-pc",
                    [] { return Report; },
                    {},
                    {},
                    0,
                    [&](const std::string& asked, const std::string& folderPath) {
                        return asked == game && folderPath == "season02\\tracks"
                                   ? std::optional(WriteTreeFiles(tracks))
                               : folderPath == "huge"
                                   ? std::optional(std::string(MaxFolderFilesBytes + 1, 'f'))
                                   : std::nullopt;
                    }});
    LanShare bare({"host-pc", [] { return Report; }, {}, {}, 0});
    ASSERT_TRUE(share.Start().ok());
    ASSERT_TRUE(bare.Start().ok());
    const LanHost host{Loopback, share.Port()};

    const std::optional<std::vector<TreeFile>> files =
        FetchFolderFiles(host, game, "season02\\tracks");
    ASSERT_TRUE(files);
    EXPECT_EQ(FilesDigest(*files), FilesDigest(tracks.files));
    EXPECT_FALSE(FetchFolderFiles(host, game, "season02\\cars"));
    EXPECT_FALSE(FetchFolderFiles({Loopback, bare.Port()}, game, "season02\\tracks"));

    // The guest refuses so large an answer unread too: only the host's own reply shows it.
    asio::io_context io;
    tcp::socket socket(io);
    socket.connect({asio::ip::make_address_v4(Loopback), share.Port()});
    asio::write(socket, asio::buffer(Frame(MessageKind::FolderRequest, game + "\nhuge")));
    EXPECT_EQ(ReadToEnd(socket).substr(0, 16), Header(2, 'X', 0)); // a wrong one shown short
}
