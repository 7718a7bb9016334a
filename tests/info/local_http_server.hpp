#pragma once
// A small HTTP server on 127.0.0.1 inside the test process. It answers from the same thread:
// the download's local event loop services its sockets while the window waits.
#include <map>
#include <string>
#include <vector>

#include <QByteArray>
#include <QCursor>
#include <QGuiApplication>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace korvane::testing {

class LocalHttpServer {
  public:
    struct Answer {
        int status = 200;
        QByteArray body;
        bool silent = false; // accept the connection, never answer
    };

    struct Request {
        QByteArray path;
        QByteArray head;  // request line and headers
        bool busyPointer; // whether the busy pointer was up while the request came in
    };

    LocalHttpServer() {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] { Accept(); });
    }

    void Serve(const QByteArray& path, Answer answer) { answers_[path] = std::move(answer); }

    std::string Url(const QByteArray& path) const {
        return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + path.toStdString();
    }

    int connections = 0;
    std::vector<Request> requests;

  private:
    void Accept() {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            ++connections;
            QObject::connect(socket, &QTcpSocket::readyRead, socket,
                             [this, socket] { Read(socket); });
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
        const QByteArray path = head.split(' ').value(1);
        const QCursor* cursor = QGuiApplication::overrideCursor();
        requests.push_back({path, head, cursor && cursor->shape() == Qt::WaitCursor});

        const auto found = answers_.find(path);
        const Answer answer = found != answers_.end() ? found->second : Answer{404, "missing"};
        if (answer.silent) {
            return;
        }
        QByteArray reply = "HTTP/1.1 " + QByteArray::number(answer.status) + " X\r\n" +
                           "Content-Type: text/plain\r\nContent-Length: " +
                           QByteArray::number(answer.body.size()) +
                           "\r\nConnection: close\r\n\r\n" + answer.body;
        socket->write(reply);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    std::map<QByteArray, Answer> answers_;
    std::map<QTcpSocket*, QByteArray> pending_;
};

// An address on which nothing listens: the port was free a moment ago.
inline std::string UnusedLocalUrl() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return "http://127.0.0.1:" + std::to_string(port) + "/software/korvane/version.txt";
}

} // namespace korvane::testing
