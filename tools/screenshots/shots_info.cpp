// The update window (before and after a check), the About box and the history.
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>

#include "core/settings.hpp"
#include "info/gui/frm_about.hpp"
#include "info/gui/frm_history.hpp"
#include "info/gui/frm_update.hpp"
#include "shot_registry.hpp"

namespace {

using namespace korvane;

const QByteArray SampleVersionFile =
    "[version]\r\n"
    "version=0.6.1\r\n"
    "date=12.10.03\r\n"
    "newsde1=Neue Version mit Unterstützung für weitere Saisons.\r\n"
    "newsde2=Bitte vorher die alte Version deinstallieren.\r\n"
    "newsuk1=The new release supports more seasons.\r\n"
    "newsuk2=Please uninstall the old release first.\r\n";

// Answers every request with the sample version file; lives as long as the window.
QTcpServer* SampleServer(QObject* owner) {
    auto* server = new QTcpServer(owner);
    server->listen(QHostAddress::LocalHost);
    QObject::connect(server, &QTcpServer::newConnection, server, [server] {
        while (QTcpSocket* socket = server->nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                if (!socket->readAll().contains("\r\n\r\n")) {
                    return;
                }
                socket->write("HTTP/1.1 200 OK\r\nContent-Length: " +
                              QByteArray::number(SampleVersionFile.size()) +
                              "\r\nConnection: close\r\n\r\n" + SampleVersionFile);
                socket->disconnectFromHost();
            });
        }
    });
    return server;
}

std::string LocalUrl(quint16 port) {
    return "http://127.0.0.1:" + std::to_string(port) + "/software/korvane/version.txt";
}

// A port on the own machine on which nothing listens: it was free a moment ago.
quint16 UnusedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

// The installer writes the release date into the settings file; the scratch one has none.
std::unique_ptr<frmUpdate> UpdateWindow(shots::Context& ctx, const std::string& url) {
    WriteSetting(ctx.state.settings, VersionDateSetting, "26.07.03");
    return std::make_unique<frmUpdate>(nullptr, ctx.state, url);
}

const bool registered = [] {
    shots::Register("update",
                    [](shots::Context& ctx) { return UpdateWindow(ctx, LocalUrl(UnusedPort())); });
    shots::Register("update-checked", [](shots::Context& ctx) {
        QTcpServer* server = SampleServer(nullptr);
        auto window = UpdateWindow(ctx, LocalUrl(server->serverPort()));
        server->setParent(window.get());
        window->findChild<QPushButton*>(QStringLiteral("BtnCheckUpdate"))->click();
        return window;
    });
    shots::Register("update-failed", [](shots::Context& ctx) {
        auto window = UpdateWindow(ctx, LocalUrl(UnusedPort()));
        window->findChild<QPushButton*>(QStringLiteral("BtnCheckUpdate"))->click();
        return window;
    });
    shots::Register("about", [](shots::Context& ctx) {
        return std::make_unique<frmAbout>(nullptr, ctx.language);
    });
    shots::Register("history", [](shots::Context& ctx) {
        return std::make_unique<frmHistory>(nullptr, ctx.language);
    });
    return true;
}();

} // namespace
