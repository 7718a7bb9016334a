#pragma once
// The language chooser: two buttons with flags; a click stores the choice and closes it.
#include <QDialog>

#include "app/app_state.hpp"

class QLabel;

namespace korvane {

class frmLanguage : public QDialog {
    Q_OBJECT
  public:
    explicit frmLanguage(AppState& state, QWidget* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Choose(const char* code);

    AppState& state_;
    QLabel* flagUK_ = nullptr;
    QLabel* flagDE_ = nullptr;
};

// Shows frmLanguage modally over the given window; returns when it is closed.
void ShowLanguageChooser(AppState& state, QWidget* over = nullptr);

} // namespace korvane
