#pragma once
// The grass and gravel grip window: which seasons, and the two actions.
#include <functional>

#include <QDialog>

#include "app/app_state.hpp"
#include "app/messages.hpp"
#include "app/qt_english_captions.hpp"
#include "grip/grip.hpp"

class QCheckBox;
class QLabel;

namespace korvane {

// The operations the buttons run; tests put recorders in their place.
struct GripActions {
    std::function<bool(const std::string&, const std::string&, bool, bool, const std::string&,
                       MessageSink&)>
        apply = ApplyOptimizedGrip;
    std::function<bool(const std::string&, bool, bool, const std::string&, MessageSink&)> restore =
        RestoreOriginalGrip;
};

class frmGrip : public QDialog, public HasEnglishCaptions {
    Q_OBJECT
  public:
    frmGrip(AppState& state, MessageSink& sink, GripActions actions = {},
            QWidget* parent = nullptr);

    void SetEnglishCaptions() override;
    void SetInfoText(const std::string& text);
    // What the main window sets right after loading: the EA box ticked when F1 2002 is there,
    // the Quillon box offered but not ticked when the extension is there.
    void AdjustForInstall(const GameInstall& install);

  private:
    AppState& state_;
    MessageSink& sink_;
    GripActions actions_;
    QCheckBox* chkEA2002_ = nullptr;
    QCheckBox* chkQL2002_ = nullptr;
    QLabel* info_ = nullptr;
};

} // namespace korvane
