#include "core/gui/qt_message_box.hpp"

#include <QApplication>
#include <QMessageBox>

namespace korvane {

void QtMessageBox::Show(const std::string& text) {
    // Owned by the window in front, so that it stays above the modal window that asked.
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Korvane"),
                    QString::fromLocal8Bit(text.c_str()), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace korvane
