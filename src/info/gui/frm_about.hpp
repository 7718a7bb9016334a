#pragma once
// The About box: program, version, feedback address and homepage.
#include <string>

#include <QDialog>

#include "core/language.hpp"

class QLabel;
class QLayout;
class QPushButton;

namespace korvane {

class ClickLabel;

// The window keeps its historical name, which is also its objectName.
class frmAbout : public QDialog {
    Q_OBJECT
  public:
    frmAbout(QWidget* owner, Language language);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QLayout* BuildTexts(); // the column beside the logo
    void Label3_Click();
    void LblHomepage_Click();

    Language language_;
    QPushButton* cmdOK_;
};

} // namespace korvane
