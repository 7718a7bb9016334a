#include "core/gui/qt_shell.hpp"
#include "core/gui/qt_widgets.hpp"

#include <QDesktopServices>
#include <QGuiApplication>

#include "core/settings.hpp"

namespace korvane {

namespace {

std::function<void(const QUrl&)>& Opener() {
    static std::function<void(const QUrl&)> opener;
    return opener;
}

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
