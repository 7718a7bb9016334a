// DownloadFile against servers on this machine: where redirects may lead, and what every
// request tells the server.
#include <chrono>

#include <QTest>

#include "info/local_http_server.hpp"
#include "info/qt_download.hpp"
#include "info/version.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using namespace std::chrono_literals;
using testing::LocalHttpServer;

namespace {

const QByteArray Body = "[version]\r\nversion=0.6.1\r\n";

// The headers a request may carry: none says anything about the user or the machine.
const QByteArrayList AllowedHeaders = {"host",   "connection", "accept-encoding", "cache-control",
                                       "pragma", "user-agent", "accept-language"};

// /1 moves to /2, and so on; the last one to /end.
QStringList Chain(int redirects) {
    QStringList moves;
    for (int i = 1; i <= redirects; ++i) {
        moves << QString("/%1").arg(i) << (i < redirects ? QString("/%1").arg(i + 1) : "/end");
    }
    return moves;
}

} // namespace

class FrmDownloadTest : public QObject {
    Q_OBJECT

  private slots:
    void redirects_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("moves"); // pairs: a path on both servers, its Location
        QTest::addColumn<bool>("fetched");
        QTest::newRow("no redirect") << "{http}/end" << QStringList{} << true;
        QTest::newRow("another path") << "{http}/v" << QStringList{"/v", "/end"} << true;
        QTest::newRow("http to https") << "{http}/v" << QStringList{"/v", "{https}/end"} << true;
        QTest::newRow("five redirects") << "{http}/1" << Chain(5) << true;
        QTest::newRow("six redirects") << "{http}/1" << Chain(6) << false;
        QTest::newRow("loop") << "{http}/v" << QStringList{"/v", "/v"} << false;
        QTest::newRow("to a local file")
            << "{http}/v" << QStringList{"/v", "file:///etc/hostname"} << false;
        QTest::newRow("https to http") << "{https}/v" << QStringList{"/v", "{http}/end"} << false;
    }

    void redirects() {
        QFETCH(QString, start);
        QFETCH(QStringList, moves);
        LocalHttpServer http;
        LocalHttpServer https(LocalHttpServer::Https);
        testing::TrustLocalCertificate trust;
        const auto address = [&](QString text) {
            text.replace("{http}", QString::fromStdString(http.Url("")));
            text.replace("{https}", QString::fromStdString(https.Url("")));
            return text.toUtf8();
        };
        for (LocalHttpServer* server : {&http, &https}) {
            server->Serve("/end", {200, Body});
            for (qsizetype i = 0; i + 1 < moves.size(); i += 2) {
                server->Serve(moves[i].toUtf8(), {302, "moved", false, address(moves[i + 1])});
            }
        }
        testing::TempDir dir;
        const std::string target = dir.Text() + "webver.ini";

        const int result = DownloadFile(address(start).toStdString(), target, 5s);

        QFETCH(bool, fetched);
        QCOMPARE(result == DownloadOk, fetched);
        QCOMPARE(testing::ReadAll(target), fetched ? Body.toStdString() : "<missing>");
        QVERIFY(!http.requests.empty() || !https.requests.empty());
        const QByteArray agent = "Korvane/" + QByteArray::fromStdString(VersionNumber());
        for (const LocalHttpServer* server : {&http, &https}) {
            for (const LocalHttpServer::Request& request : server->requests) {
                QByteArrayList lines = request.head.split('\n');
                lines.removeFirst(); // the request line
                for (const QByteArray& line : lines) {
                    const QByteArray name = line.left(line.indexOf(':')).trimmed().toLower();
                    const QByteArray value = line.mid(line.indexOf(':') + 1).trimmed();
                    QVERIFY2(AllowedHeaders.contains(name), line);
                    if (name == "user-agent") {
                        QCOMPARE(value, agent);
                    } else if (name == "accept-language") {
                        QCOMPARE(value, QByteArray("*"));
                    }
                }
                QVERIFY2(request.head.toLower().contains("\nuser-agent:"), request.head);
            }
        }
    }
};

QTEST_MAIN(FrmDownloadTest)
#include "frm_download_test.moc"
