// The LAN check window comparing with another PC's report, and the question before it makes this
// PC match that report.
#include <filesystem>

#include <QMessageBox>
#include <QTreeWidget>

#include "core/file_system.hpp"
#include "fake_games/fake_games.hpp"
#include "grip/grip.hpp"
#include "harmonizer/harmonizer.hpp"
#include "lancheck/component_status.hpp"
#include "lancheck/gui/frm_lan_check.hpp"
#include "lancheck/status_report.hpp"
#include "shot_registry.hpp"

namespace {

using namespace korvane;

// The report's PC drives both F1 2002 seasons harmonized to Ferrari with the optimized grip
// values; this one harmonized them to McLaren, and a car file was edited by hand since.
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
    const Components2002 seasons{.ea = true, .quillon = true};
    RecordingSink quiet;
    HarmonizeF1_2002(host, "Ferrari", seasons, ctx.language, quiet);
    ApplyOptimizedGrip(host, scratch, seasons, ctx.language, quiet);
    HarmonizeF1_2002(here, "McLaren", seasons, ctx.language, quiet);
    WriteFileSafe(here.F1Path + "season02\\vehicles\\Toyota\\Toyota.hdv",
                  "sample, edited by hand\r\n");
    const std::string report = scratch + "host.json";
    WriteFileSafe(report, lancheck::ReportJson(lancheck::CollectStatus(host, scratch)));
    auto window = std::make_unique<frmLanCheck>(ctx.state, ctx.sink);
    window->CompareWith(QString::fromStdString(report));
    return window;
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
        return frmLanCheck::MatchQuestion(nullptr, plan, ctx.language);
    });
    return true;
}();

} // namespace
