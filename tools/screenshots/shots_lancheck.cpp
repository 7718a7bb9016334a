// The LAN check window comparing with another PC's report in which one car file differs.
#include <filesystem>

#include "core/file_system.hpp"
#include "fake_games/fake_games.hpp"
#include "lancheck/component_status.hpp"
#include "lancheck/gui/frm_lan_check.hpp"
#include "lancheck/status_report.hpp"
#include "shot_registry.hpp"

namespace {

using namespace korvane;

// Both PCs hold the sample's games; on this one a car file was edited by hand after its backup
// was made.
const bool registered = shots::Register("lancheck", [](shots::Context& ctx) {
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
    const std::string car = "season02\\vehicles\\Toyota\\Toyota";
    WriteFileSafe(here.F1Path + car + ".org", content(car + ".hdv"));
    WriteFileSafe(here.F1Path + car + ".hdv", "sample, edited by hand\r\n");
    const std::string report = scratch + "host.json";
    WriteFileSafe(report, lancheck::ReportJson(lancheck::CollectStatus(host, scratch)));
    auto window = std::make_unique<frmLanCheck>(ctx.state, ctx.sink);
    window->CompareWith(QString::fromStdString(report));
    return window;
});

} // namespace
