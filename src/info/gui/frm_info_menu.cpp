#include "info/gui/frm_info_menu.hpp"

#include "build_config.hpp"
#include "info/gui/frm_about.hpp"
#include "info/gui/frm_history.hpp"
#include "info/gui/frm_update.hpp"
#include "info/history.hpp"

namespace korvane {

void ShowUpdateWindow(QWidget* owner, AppState& state) {
    frmUpdate window(owner, state, build::VersionUrl);
    window.exec();
}

void ShowAboutBox(QWidget* owner, AppState& state) {
    frmAbout window(owner, state.language);
    window.exec();
}

QString HistoryDisplayText(Language language) {
    QString text = QString::fromUtf8(HistoryText(language).c_str());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

void ShowHistory(QWidget* owner, const AppState& state) {
    FrmHistory window(owner);
    window.SetHistoryText(HistoryDisplayText(state.language));
    window.exec();
}

} // namespace korvane
