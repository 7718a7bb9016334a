#pragma once
// The version history window.
#include <QDialog>

#include "core/language.hpp"

class QPlainTextEdit;
class QPushButton;

namespace korvane {

// Named like the other windows; its objectName keeps the historical "FrmHistory".
class frmHistory : public QDialog {
    Q_OBJECT
  public:
    frmHistory(QWidget* owner, Language language);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPlainTextEdit* TxtHistory_;
    QPushButton* cmdOK_;
};

} // namespace korvane
