#pragma once
// The version history window.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The window keeps its historical name, which is also its objectName.
class FrmHistory : public QDialog {
    Q_OBJECT
  public:
    explicit FrmHistory(QWidget* owner);

    void SetHistoryText(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPlainTextEdit* TxtHistory_;
    QPushButton* cmdOK_;
};
