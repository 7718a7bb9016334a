#pragma once
// A label that acts as a link: pointing-hand pointer, and a signal when it is clicked.
#include <QLabel>

namespace korvane {

class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickLabel(QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace korvane
