// The LAN check window comparing with another PC's report, and the question before it makes this
// PC match that report; on the network, the host sharing its report with the guests' verdicts,
// and a guest that found the hosts and compared with one.
#include <filesystem>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "core/file_system.hpp"
#include "fake_games/fake_games.hpp"
#include "grip/grip.hpp"
#include "harmonizer/harmonizer.hpp"
#include "lan/gui/frm_lan_check.hpp"
#include "lan/gui/lan_network_box.hpp"
#include "report/component_status.hpp"
#include "report/folder_lists.hpp"
#include "report/game_trees.hpp"
#include "report/status_report.hpp"
#include "shot_registry.hpp"

namespace {

using namespace korvane;

// Until the window has read the games and compared them (a few files: moments).
void AwaitReading(QWidget* window) {
    auto* cancel = window->findChild<QWidget*>(QStringLiteral("BtnCancelScan"));
    QElapsedTimer waited;
    waited.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    } while ((cancel->isVisibleTo(window) || waited.elapsed() < 200) && waited.elapsed() < 10000);
}

// The report's PC drives both F1 2002 seasons harmonized to Ferrari with the optimized grip
// values; this one harmonized them to McLaren, and a car file was edited by hand since. Beside
// Korvane's files, this PC has Monaco in another version and a mod's skin for the Sauber.
std::unique_ptr<frmLanCheck> Compared(shots::Context& ctx) {
    const std::string sep(1, static_cast<char>(std::filesystem::path::preferred_separator));
    const std::string scratch = ctx.state.ProgramDir() + sep;
    GameInstall& here = ctx.state.install;
    here.F1Path = scratch + "here" + sep + "F1 2002" + sep;
    here.F1cPath = scratch + "here" + sep + "F1 Challenge 99-02" + sep;
    GameInstall host = here;
    host.F1Path = scratch + "host" + sep + "F1 2002" + sep;
    host.F1cPath = scratch + "host" + sep + "F1 Challenge 99-02" + sep;
    const auto content = [](const std::string& file) { return "sample " + file + "\r\n"; };
    WriteFakeGames(here, content);
    WriteFakeGames(host, content);
    WriteFileSafe(scratch + "terea.ini", "optimized EA 2002 grip\r\n");
    WriteFileSafe(scratch + "terql.ini", "optimized Quillon grip\r\n");
    const Components2002 seasons{.ea2002 = true, .ql2002 = true};
    RecordingSink quiet;
    const OperationContext onHost{host, scratch, ctx.language, quiet};
    HarmonizeF1_2002(onHost, "Ferrari", seasons);
    ApplyOptimizedGrip(onHost, seasons);
    HarmonizeF1_2002({here, scratch, ctx.language, quiet}, "McLaren", seasons);
    WriteFileSafe(here.F1Path + "season02\\vehicles\\Toyota\\Toyota.hdv",
                  "sample, edited by hand\r\n");
    for (const GameInstall* pc : {&host, &here}) {
        std::filesystem::create_directories(ResolvePath(pc->F1Path + "Locations\\Monaco"));
        WriteFileSafe(pc->F1Path + "Locations\\Monaco\\Monaco.gdb", "sample Monaco 1.0\r\n");
        WriteFileSafe(pc->F1Path + "Locations\\Monaco\\Monaco.mas", "sample Monaco archive\r\n");
    }
    WriteFileSafe(here.F1Path + "Locations\\Monaco\\Monaco.gdb", "sample Monaco 1.1 (mod)\r\n");
    WriteFileSafe(here.F1Path + "Locations\\Monaco\\Monaco.cam", "sample cameras of the mod\r\n");
    WriteFileSafe(here.F1Path + "season02\\vehicles\\Sauber\\Sauber.dds", "sample skin v2\r\n");
    const std::string report = scratch + "host.json";
    lancheck::GamesScanOptions uncached;
    uncached.useCache = false;
    const std::vector<lancheck::GameTree> games = lancheck::ScanGames(host, uncached).value().games;
    WriteFileSafe(report, lancheck::ReportJson(lancheck::CollectStatus(host, scratch), games));
    lancheck::SaveFolderLists(lancheck::FolderListsBeside(report), games, ctx.language);
    auto window = std::make_unique<frmLanCheck>(ctx.state, ctx.sink);
    window->CompareWith(QString::fromStdString(report));
    AwaitReading(window.get());
    return window;
}

LanNetworkBox* NetworkOf(QWidget* window) {
    return window->findChild<LanNetworkBox*>(QStringLiteral("FrmNetwork"));
}

// Today at this time, as a guest's verdict is stamped.
std::chrono::system_clock::time_point Today(int hour, int minute, int second) {
    const QDateTime at(QDate::currentDate(), QTime(hour, minute, second));
    return std::chrono::system_clock::from_time_t(at.toSecsSinceEpoch());
}

const bool registered = [] {
    // The first component opened, as a click on it shows its files.
    shots::Register("lancheck", [](shots::Context& ctx) {
        auto window = Compared(ctx);
        auto* list = window->findChild<QTreeWidget*>(QStringLiteral("LstDifferences"));
        list->expandItem(list->topLevelItem(0));
        return window;
    });
    // The question that Make this PC match asks, with the plan.
    shots::Register("lancheck-match", [](shots::Context& ctx) -> std::unique_ptr<QWidget> {
        auto window = Compared(ctx);
        QString plan;
        window->SetConfirm([&](QWidget*, const QString& text) {
            plan = text;
            return false;
        });
        window->Match();
        AwaitReading(window.get()); // the plan comes once the games are compared again
        return frmLanCheck::MatchQuestion(nullptr, plan, ctx.language);
    });
    // The host: its report shared, and three guests that checked against it, one opened. The
    // rows stand for what the share's table holds after their verdicts.
    shots::Register("lancheck-share", [](shots::Context& ctx) -> std::unique_ptr<QWidget> {
        auto window = std::make_unique<frmLanCheck>(ctx.state, ctx.sink);
        LanNetworkBox* network = NetworkOf(window.get());
        auto* share = network->findChild<QCheckBox*>(QStringLiteral("ChkShare"));
        const QSignalBlocker quiet(share);
        share->setChecked(true);
        // A room of a dozen PCs, one of them with a car that differs and a grip table of its own.
        std::vector<lancheck::VerdictRow> room;
        for (int pc = 1; pc <= 12; ++pc) {
            const std::string name = std::string(pc < 10 ? "pc-0" : "pc-").append(std::to_string(pc));
            room.push_back({name, std::string("192.168.1.").append(std::to_string(10 + pc)),
                            {name, "", 0, {}},
                            Today(20, 14 - pc / 3, 5 + pc)});
        }
        room[2].verdict = {"pc-03",
                           "",
                           2,
                           {{"season02\\vehicles\\Toyota\\Toyota.hdv", "Ferrari", "original"},
                            {"season02\\tracks\\terrain.ini", "original", "optimized"}}};
        network->ShowGuests(room);
        auto* guests = network->findChild<QTreeWidget*>(QStringLiteral("LstGuests"));
        guests->expandItem(guests->topLevelItem(2));
        window->show(); // laid out, so that the table is given its room as a real share gives it
        emit network->SharingStarted();
        return window;
    });
    // A guest: the hosts found, one of them of another version, and the comparison with the
    // chosen one.
    shots::Register("lancheck-host", [](shots::Context& ctx) -> std::unique_ptr<QWidget> {
        auto window = Compared(ctx);
        LanNetworkBox* network = NetworkOf(window.get());
        network->ShowHosts(
            {{"192.168.1.10", lancheck::LanProtocolVersion, {"lan-host", "0.6.0", "0c0744039885"}},
             {"192.168.1.23", lancheck::LanProtocolVersion + 1, {}}});
        auto* hosts = network->findChild<QTreeWidget*>(QStringLiteral("LstHosts"));
        hosts->setCurrentItem(hosts->topLevelItem(0));
        // The rest of the game opened: its folders and files that differ, and the advice.
        auto* list = window->findChild<QTreeWidget*>(QStringLiteral("LstDifferences"));
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            if (list->topLevelItem(i)->childCount() > 0 &&
                list->topLevelItem(i)->child(0)->childCount() > 0) {
                list->expandRecursively(list->indexFromItem(list->topLevelItem(i)));
            }
        }
        list->scrollToBottom();
        return window;
    });
    return true;
}();

} // namespace
