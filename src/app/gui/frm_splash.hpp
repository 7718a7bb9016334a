#pragma once
// The window shown while the program starts: logo, name, maker and version.
#include <QWidget>

namespace korvane {

class frmSplash : public QWidget {
    Q_OBJECT
  public:
    explicit frmSplash(QWidget* parent = nullptr);
};

} // namespace korvane
