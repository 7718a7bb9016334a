#include "info/gui/qt_download.hpp"
#include "core/gui/qt_widgets.hpp"

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include "core/file_system.hpp"
#include "info/version.hpp"

namespace korvane {

namespace {

QNetworkRequest FreshRequest(const QUrl& url) {
    QNetworkRequest request(url);
    // Neither our own cache nor one on the way may answer: the file tells about the newest
    // release, and an old copy would hide it.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    // A few moves of the file are followed, only to http and https and never from https back
    // to http; any other redirect fails the download.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(MaxRedirects);
    // Nothing of the user's goes out. Qt names the system's locale in Accept-Language whenever
    // the request sets none, so the request sets the one value that says nothing: any language.
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QByteArray("Korvane/") + QByteArray::fromStdString(VersionNumber()));
    request.setRawHeader("Accept-Language", "*");
    return request;
}

// A reply's body and how its download ended: DownloadOk, DownloadTooLarge, DownloadTimedOut or
// DownloadFailed.
struct Received {
    int result = DownloadOk;
    QByteArray body;
};

// Reads the reply as it comes, until it ends, its body grows beyond MaxDownloadBytes or the time
// is up.
Received Receive(QNetworkReply* reply, std::chrono::milliseconds timeout) {
    Received received;
    bool tooLarge = false;
    bool timedOut = false;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);

    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        received.body += reply->readAll();
        if (received.body.size() > MaxDownloadBytes) {
            tooLarge = true;
            loop.quit();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });

    deadline.start(timeout);
    if (!reply->isFinished()) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    deadline.stop();

    if (tooLarge) {
        received.result = DownloadTooLarge;
    } else if (timedOut && !reply->isFinished()) {
        received.result = DownloadTimedOut;
    } else {
        received.body += reply->readAll();
        if (reply->error() != QNetworkReply::NoError) {
            received.result = DownloadFailed;
        } else if (received.body.size() > MaxDownloadBytes) {
            received.result = DownloadTooLarge;
        }
    }
    QObject::disconnect(reply, nullptr, &loop, nullptr);
    return received;
}

} // namespace

int DownloadFile(const std::string& address, const std::string& localPath,
                 std::chrono::milliseconds timeout) {
    BusyPointer busy;

    const QUrl url(QString::fromLocal8Bit(address.c_str()), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != "http" && scheme != "https")) {
        return DownloadBadAddress;
    }

    QNetworkAccessManager manager;
    manager.setCache(nullptr);
    QNetworkReply* reply = manager.get(FreshRequest(url));
    // The transfer pauses when this much waits unread, so an endless body never piles up.
    reply->setReadBufferSize(MaxDownloadBytes + 1);
    const Received received = Receive(reply, timeout);
    if (!reply->isFinished()) {
        reply->abort();
    }
    delete reply;

    if (received.result != DownloadOk) {
        return received.result;
    }
    const FileResult written = WriteFileSafe(localPath, received.body.toStdString());
    return written.ok() ? DownloadOk : DownloadWriteFailed;
}

} // namespace korvane
