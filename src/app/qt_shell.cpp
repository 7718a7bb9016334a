#include "app/qt_shell.hpp"

#include <QDesktopServices>
#include <QGuiApplication>

#include "app/settings.hpp"

namespace korvane {

namespace {

std::function<void(const QUrl&)>& Opener() {
    static std::function<void(const QUrl&)> opener;
    return opener;
}

// Restores the normal pointer on every path out of the shell call.
class BusyPointer {
  public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace

void OpenDocument(QWidget* /*owner*/, const std::string& target) {
    BusyPointer busy;
    const QString text = QString::fromLocal8Bit(target.c_str());
    // A web or mail address goes as it is; anything else is a local document.
    QUrl url(text, QUrl::TolerantMode);
    if (url.scheme().size() <= 1) {  // no scheme, or a drive letter
        url = QUrl::fromLocalFile(text);
    }
    if (Opener()) {
        Opener()(url);
    } else {
        QDesktopServices::openUrl(url);
    }
}

void ComposeMail(QWidget* owner, const std::string& address, const std::string& subject) {
    OpenDocument(owner, MailtoTarget(address, subject));
}

void SetShellOpenerForTests(std::function<void(const QUrl&)> opener) { Opener() = std::move(opener); }

} // namespace korvane
