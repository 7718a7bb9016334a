#pragma once
// A small HTTP server on 127.0.0.1 inside the test process. It answers from the same thread:
// the download's local event loop services its sockets while the window waits.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QByteArray>
#include <QCursor>
#include <QGuiApplication>
#include <QHostAddress>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>

#include "info/local_tls.hpp"

namespace korvane::testing {

class LocalHttpServer {
  public:
    struct Answer {
        int status = 200;
        QByteArray body;
        bool silent = false;      // accept the connection, never answer
        QByteArray location = {}; // sent as a Location header when not empty
    };

    struct Request {
        QByteArray path;
        QByteArray head;  // request line and headers
        bool busyPointer; // whether the busy pointer was up while the request came in
    };

    enum Scheme { Http, Https };

    // Https serves with the certificate of local_tls.hpp, which clients do not trust by
    // themselves: see TrustLocalCertificate().
    explicit LocalHttpServer(Scheme scheme = Http) : scheme_(scheme) {
        if (scheme == Https) {
            auto server = std::make_unique<QSslServer>();
            auto config = QSslConfiguration::defaultConfiguration();
            config.setLocalCertificate(QSslCertificate(QByteArray(LocalCertificatePem)));
            config.setPrivateKey(QSslKey(QByteArray(LocalKeyPem), QSsl::Ec));
            server->setSslConfiguration(config);
            server_ = std::move(server);
        }
        server_->listen(QHostAddress::LocalHost);
        // A TLS connection is pending only once its handshake is done, which this signal tells.
        QObject::connect(server_.get(), &QTcpServer::pendingConnectionAvailable, server_.get(),
                         [this] { Accept(); });
    }

    void Serve(const QByteArray& path, Answer answer) { answers_[path] = std::move(answer); }

    std::string Url(const QByteArray& path) const {
        return (scheme_ == Https ? "https" : "http") + std::string("://127.0.0.1:") +
               std::to_string(server_->serverPort()) + path.toStdString();
    }

    std::vector<Request> requests;

  private:
    void Accept() {
        while (QTcpSocket* socket = server_->nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket,
                             [this, socket] { Read(socket); });
            // Over TLS the request may have come in with the handshake already.
            if (socket->bytesAvailable() > 0) {
                Read(socket);
            }
        }
    }

    void Read(QTcpSocket* socket) {
        QByteArray& buffer = pending_[socket];
        buffer += socket->readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0) {
            return;
        }
        const QByteArray head = buffer.left(end);
        const QCursor* busy = QGuiApplication::overrideCursor();
        requests.push_back(
            {head.split(' ').value(1), head, busy && busy->shape() == Qt::WaitCursor});
        const auto found = answers_.find(requests.back().path);
        const Answer answer = found != answers_.end() ? found->second : Answer{404, "missing"};
        if (answer.silent) {
            return;
        }
        socket->write("HTTP/1.1 " + QByteArray::number(answer.status) + " X\r\n" +
                      (answer.location.isEmpty() ? "" : "Location: " + answer.location + "\r\n") +
                      "Content-Length: " + QByteArray::number(answer.body.size()) +
                      "\r\nConnection: close\r\n\r\n" + answer.body);
        socket->disconnectFromHost();
    }

    Scheme scheme_;
    std::unique_ptr<QTcpServer> server_ = std::make_unique<QTcpServer>();
    std::map<QByteArray, Answer> answers_;
    std::map<QTcpSocket*, QByteArray> pending_;
};

// Makes clients of this process trust the local certificate, until the object goes.
class TrustLocalCertificate {
  public:
    TrustLocalCertificate() : saved_(QSslConfiguration::defaultConfiguration()) {
        QSslConfiguration trusting = saved_;
        trusting.addCaCertificate(QSslCertificate(QByteArray(LocalCertificatePem)));
        QSslConfiguration::setDefaultConfiguration(trusting);
    }
    ~TrustLocalCertificate() { QSslConfiguration::setDefaultConfiguration(saved_); }

  private:
    QSslConfiguration saved_;
};

// An address on which nothing listens: the port was free a moment ago.
inline std::string UnusedLocalUrl() {
    QTcpServer probe; // closed on return
    probe.listen(QHostAddress::LocalHost);
    return "http://127.0.0.1:" + std::to_string(probe.serverPort()) +
           "/software/korvane/version.txt";
}

} // namespace korvane::testing
