#pragma once
// The grass and gravel grip window: which seasons, and the two actions.
#include <QDialog>

#include "core/messages.hpp"
#include "games/app_state.hpp"
#include "grip/grip.hpp"

class QCheckBox;
class QLabel;

namespace korvane {

class frmGrip : public QDialog {
    Q_OBJECT
  public:
    frmGrip(AppState& state, MessageSink& sink, QWidget* parent = nullptr);

    void SetInfoText(const std::string& text);
    // What the main window sets right after loading: the EA box ticked when F1 2002 is there,
    // the Quillon box offered but not ticked when the extension is there.
    void AdjustForInstall(const GameInstall& install);

  private:
    Components2002 Ticked() const;

    AppState& state_;
    MessageSink& sink_;
    QCheckBox* chkEA2002_ = nullptr;
    QCheckBox* chkQL2002_ = nullptr;
    QLabel* info_ = nullptr;
};

} // namespace korvane
