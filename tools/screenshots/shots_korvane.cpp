// The start-up, main, language and module windows.
#include <QCoreApplication>
#include <QEnterEvent>

#include "app/gui/frm_language.hpp"
#include "app/gui/frm_main.hpp"
#include "app/gui/frm_splash.hpp"
#include "app/gui/main_window_texts.hpp"
#include "grip/gui/frm_grip.hpp"
#include "harmonizer/gui/frm_harmonizer.hpp"
#include "info/version.hpp"
#include "shot_registry.hpp"

namespace {

using namespace korvane;

std::unique_ptr<frmMain> MainWindow(shots::Context& ctx) {
    auto window = std::make_unique<frmMain>(ctx.state, ctx.sink);
    window->SetPathTexts(ctx.state.install.F1Path + F1ExeShown, ctx.state.install.F1cPath + F1cExe);
    window->SetVersionText(VersionText());
    return window;
}

const bool registered = [] {
    shots::Register("splash", [](shots::Context&) { return std::make_unique<frmSplash>(); });
    shots::Register("main", [](shots::Context& ctx) { return MainWindow(ctx); });
    // The explanation that the mouse on the harmonizer button brings up.
    shots::Register("main-explanation", [](shots::Context& ctx) {
        auto window = MainWindow(ctx);
        auto* button = window->findChild<QWidget*>(QStringLiteral("BtnHarmonize"));
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(button, &enter);
        return window;
    });
    shots::Register("language", [](shots::Context& ctx) {
        return std::make_unique<frmLanguage>(ctx.state, ctx.sink);
    });
    shots::Register("harmonizer", [](shots::Context& ctx) {
        auto window = std::make_unique<frmHarmonizer>(ctx.state, ctx.sink);
        window->SetInfoText(HarmonizerInstructionText(ctx.language));
        return window;
    });
    shots::Register("grip", [](shots::Context& ctx) {
        auto window = std::make_unique<frmGrip>(ctx.state, ctx.sink);
        window->SetInfoText(GripInstructionText(ctx.language));
        window->AdjustForInstall(ctx.state.install);
        return window;
    });
    return true;
}();

} // namespace
