#include "info/gui/frm_info_menu.hpp"

#include "build_config.hpp"
#include "info/gui/frm_about.hpp"
#include "info/gui/frm_history.hpp"
#include "info/gui/frm_update.hpp"

namespace korvane {

void ShowUpdateWindow(QWidget* owner, AppState& state) {
    frmUpdate window(owner, state, build::VersionUrl);
    window.exec();
}

void ShowAboutBox(QWidget* owner, AppState& state) {
    frmAbout window(owner, state.language);
    window.exec();
}

void ShowHistory(QWidget* owner, const AppState& state) {
    frmHistory window(owner, state.language);
    window.exec();
}

} // namespace korvane
