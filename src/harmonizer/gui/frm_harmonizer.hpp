#pragma once
// The harmonizer window: components, master team and season, and the two actions.

#include <QDialog>

#include "core/messages.hpp"
#include "games/app_state.hpp"
#include "harmonizer/harmonizer.hpp"
#include "harmonizer/harmonizer_choice.hpp"

class QCheckBox;
class QComboBox;
class QLabel;

namespace korvane {

class frmHarmonizer : public QDialog {
    Q_OBJECT
  public:
    frmHarmonizer(AppState& state, MessageSink& sink, QWidget* parent = nullptr);

    void SetInfoText(const std::string& text);

  private:
    // The parts of the window, each made with its controls and their layout.
    QWidget* BuildComponents();
    QWidget* BuildMaster();
    QWidget* BuildActions(); // wired to the actions
    QCheckBox* Check(HarmonizerBox box) const;
    void BoxToggled(HarmonizerBox box, bool ticked);
    void SeasonPicked(int position);
    void Mirror(); // puts choice_ on the controls
    Components2002 Ticked() const;
    void Harmonize();
    void Restore();

    AppState& state_;
    MessageSink& sink_;
    HarmonizerChoice choice_;

    QCheckBox* chkF1c_ = nullptr;
    QCheckBox* chkEA2002_ = nullptr;
    QCheckBox* chkQL2002_ = nullptr;
    QCheckBox* chkGT2002_ = nullptr;
    QComboBox* cmbSeason_ = nullptr;
    QComboBox* cmbTeam_ = nullptr;
    QLabel* info_ = nullptr;
};

} // namespace korvane
