// DownloadFile against servers on this machine: where redirects may lead, what a request says.
#include <QTest>

#include "info/local_http_server.hpp"
#include "info/qt_download.hpp"
#include "info/version.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using testing::LocalHttpServer;

class FrmDownloadTest : public QObject {
    Q_OBJECT

  private slots:
    void redirects_data() {
        QTest::addColumn<QString>("scheme");   // of the first request
        QTest::addColumn<int>("redirects");    // /1 moves to /2 and so on, the last one to...
        QTest::addColumn<QString>("location"); // ... this
        QTest::addColumn<bool>("fetched");
        QTest::newRow("no redirect") << "http" << 0 << "" << true;
        QTest::newRow("another path") << "http" << 1 << "/end" << true;
        QTest::newRow("http to https") << "http" << 1 << "{https}/end" << true;
        QTest::newRow("five redirects") << "http" << 5 << "/end" << true;
        QTest::newRow("six redirects") << "http" << 6 << "/end" << false;
        QTest::newRow("loop") << "http" << 1 << "/1" << false;
        QTest::newRow("to a local file") << "http" << 1 << "file:///etc/hostname" << false;
        QTest::newRow("https to http") << "https" << 1 << "{http}/end" << false;
    }

    void redirects() {
        QFETCH(QString, scheme);
        QFETCH(int, redirects);
        QFETCH(QString, location);
        QFETCH(bool, fetched);
        LocalHttpServer http;
        LocalHttpServer https(LocalHttpServer::Https);
        testing::TrustLocalCertificate trust;
        location.replace("{http}", QString::fromStdString(http.Url("")));
        location.replace("{https}", QString::fromStdString(https.Url("")));
        const QByteArray body = "[version]\r\nversion=0.6.1\r\n";
        for (LocalHttpServer* server : {&http, &https}) {
            server->Serve("/end", {200, body});
            for (int i = 1; i <= redirects; ++i) {
                const QByteArray next =
                    i < redirects ? "/" + QByteArray::number(i + 1) : location.toUtf8();
                server->Serve("/" + QByteArray::number(i), {302, "moved", false, next});
            }
        }
        const std::string start = (scheme == "http" ? http : https).Url(redirects ? "/1" : "/end");
        testing::TempDir dir;
        const std::string target = dir.Text() + "webver.ini";

        QCOMPARE(DownloadFile(start, target) == DownloadOk, fetched);
        QCOMPARE(testing::ReadAll(target), fetched ? body.toStdString() : "<missing>");

        // Every request names the program and nothing of the user's: no language, no cookie.
        const QString agent = "user-agent: korvane/" + QString::fromStdString(VersionNumber());
        auto requests = http.requests;
        requests.insert(requests.end(), https.requests.begin(), https.requests.end());
        QVERIFY(!requests.empty());
        for (const LocalHttpServer::Request& request : requests) {
            QStringList headers; // names, and the values that could tell about the user
            for (const QString& line : QString(request.head.toLower()).split("\r\n").mid(1)) {
                const bool told = line.startsWith("user-agent") || line.startsWith("accept-lang");
                headers << (told ? line : line.left(line.indexOf(':')));
            }
            headers.sort();
            QCOMPARE(headers.join(" | "), "accept-encoding | accept-language: * | cache-control | "
                                          "connection | host | pragma | " +
                                              agent);
        }
    }
};

QTEST_MAIN(FrmDownloadTest)
#include "frm_download_test.moc"
