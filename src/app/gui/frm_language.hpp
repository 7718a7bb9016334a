#pragma once
// The language chooser: two buttons with flags; a click stores the choice and closes it.
#include <QDialog>

#include "games/app_state.hpp"
#include "core/messages.hpp"

class QLabel;

namespace korvane {

class frmLanguage : public QDialog {
    Q_OBJECT
  public:
    frmLanguage(AppState& state, MessageSink& sink, QWidget* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Choose(Language language);

    AppState& state_;
    MessageSink& sink_;
    QLabel* flagUK_ = nullptr;
    QLabel* flagDE_ = nullptr;
};

// Shows frmLanguage modally over the given window; returns when it is closed.
void ShowLanguageChooser(AppState& state, MessageSink& sink, QWidget* over = nullptr);

} // namespace korvane
