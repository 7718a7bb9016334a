// How long the organiser's window stops answering while guests' verdicts pour in: the LAN check's
// network box shares a report and takes verdicts at a given rate (2,000 a second unless told),
// each from its own connection, from 4,096 loopback addresses under 300 names each, as a LAN of
// pranksters could send them. The floor is the same flood into a share that no window shows,
// with the same event loop running beside it. Each round floods for 5 seconds; its figure is the
// longest time between two ticks of a 10 ms timer; the median of the rounds is printed.
//
// Usage: korvane_lan_table_bench [rounds] [verdicts a second]   (bench/lan_table.sh runs it)
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QTreeWidget>

#include "fake_games/fake_games.hpp"
#include "lan/gui/lan_network_box.hpp"
#include "lan/lan_protocol.hpp"
#include "lan/lan_share.hpp"
#include "report/component_status.hpp"
#include "report/status_report.hpp"

namespace {

using namespace korvane;
using Clock = std::chrono::steady_clock;

constexpr auto RoundTime = std::chrono::seconds(5);

// One verdict over a connection of its own from 127.x.y.z, not waiting for the host's answer.
void SendOne(unsigned short port, int index) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) {
        return;
    }
    sockaddr_in from{};
    from.sin_family = AF_INET;
    from.sin_addr.s_addr = htonl(0x7f000000u | (1u + static_cast<unsigned>(index % 4096) * 7u));
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const std::size_t differing = static_cast<std::size_t>(index % 3);
    const lancheck::Verdict verdict{
        std::string("pc-").append(std::to_string(index % (4096 * 300))), "0c0744039885", differing,
        std::vector<lancheck::VerdictFile>(
            differing, {"season02\\vehicles\\Arrows\\Arrows.hdv", "changed", "original"})};
    const std::string frame =
        lancheck::Frame(lancheck::MessageKind::Verdict, lancheck::VerdictPayload(verdict));
    if (bind(fd, reinterpret_cast<sockaddr*>(&from), sizeof from) == 0 &&
        connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0) {
        (void)!write(fd, frame.data(), frame.size());
    }
    close(fd);
}

// Verdicts at the rate, in bursts every 10 ms, until the round's time is over.
void Flood(unsigned short port, int perSecond) {
    const auto end = Clock::now() + RoundTime;
    int sent = 0;
    for (auto tick = Clock::now(); tick < end; tick += std::chrono::milliseconds(10)) {
        for (int i = 0; i < perSecond / 100; ++i) {
            SendOne(port, sent++);
        }
        std::this_thread::sleep_until(tick + std::chrono::milliseconds(10));
    }
}

// The longest gap between two ticks of a 10 ms timer while the flood runs, in milliseconds.
qint64 WorstGapDuring(unsigned short port, int perSecond) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 worst = 0;
    QTimer ticks;
    ticks.setInterval(10);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        worst = std::max(worst, clock.elapsed() - last);
        last = clock.elapsed();
    });
    ticks.start();
    std::jthread flood(Flood, port, perSecond);
    QEventLoop loop;
    QTimer::singleShot(std::chrono::duration_cast<std::chrono::milliseconds>(RoundTime) +
                           std::chrono::milliseconds(500),
                       &loop, &QEventLoop::quit);
    loop.exec();
    return worst;
}

qint64 Median(std::vector<qint64> values) {
    std::ranges::sort(values);
    return values[values.size() / 2];
}

std::string List(const std::vector<qint64>& values) {
    std::string list;
    for (const qint64 value : values) {
        list.append(list.empty() ? "" : " ").append(std::to_string(value));
    }
    return list;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int perSecond = argc > 2 ? std::max(100, std::atoi(argv[2])) : 2000;

    const std::filesystem::path root =
        std::filesystem::temp_directory_path() /
        std::string("korvane-lan-bench-").append(std::to_string(getpid()));
    AppState state;
    state.language = Language::English;
    state.settings.directory = root.string();
    state.install.F1Path = (root / "F1 2002").string() + "/";
    state.install.HasF1_2002 = true;
    if (!WriteFakeGames(state.install, [](const std::string& path) { return "// " + path; })) {
        std::fprintf(stderr, "cannot write the fake games below %s\n", root.c_str());
        return 1;
    }
    RecordingSink sink;
    std::vector<qint64> window;
    std::vector<qint64> floor;
    int rows = 0;
    for (int round = 0; round < rounds; ++round) {
        {
            LanNetworkBox box(state, sink, {}, nullptr);
            box.SetNetwork(0, "127.0.0.1");
            box.show();
            box.findChild<QCheckBox*>(QStringLiteral("ChkShare"))->setChecked(true);
            window.push_back(WorstGapDuring(box.SharedPort(), perSecond));
            rows = box.findChild<QTreeWidget*>(QStringLiteral("LstGuests"))->topLevelItemCount();
        }
        const std::string report = lancheck::ReportJson(
            lancheck::CollectStatus(state.install, state.ProgramDir()));
        lancheck::LanShare share({"floor", [&report] { return report; }, {}, {}, 0});
        if (!share.Start().ok()) {
            std::fprintf(stderr, "cannot share for the floor\n");
            return 1;
        }
        floor.push_back(WorstGapDuring(share.Port(), perSecond));
    }
    std::filesystem::remove_all(root);
    std::printf("%d verdicts a second, %d rounds of %lld s; longest stop of the event loop in ms\n",
                perSecond, rounds, static_cast<long long>(RoundTime.count()));
    std::printf("window: median %lld (rounds: %s), %d rows in its table at the end\n",
                static_cast<long long>(Median(window)), List(window).c_str(), rows);
    std::printf("floor:  median %lld (rounds: %s)\n", static_cast<long long>(Median(floor)),
                List(floor).c_str());
    return sink.texts.empty() ? 0 : 1;
}
