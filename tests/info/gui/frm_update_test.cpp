// The update window against a local server, and the download on its own: its failure kinds, the
// refusal of other addresses, of oversized files and of redirects to anything less safe, and what
// a request tells about the user.
#include <QDeadlineTimer>

#include "core/gui/qt_shell.hpp"
#include "info/gui/frm_update.hpp"
#include "info/gui/local_http_server.hpp"
#include "info/gui/qt_download.hpp"
#include "info/gui/update_texts.hpp"
#include "info/version.hpp"
#include "support/window_test_support.hpp"

using namespace korvane;
using namespace korvane::testing;
using namespace std::chrono_literals;

namespace {

QByteArray VersionFile(const QByteArray& version) {
    return "[version]\r\nversion=" + version + "\r\ndate=01.02.04\r\nnewsde1=Neu eins\r\nnewsde2=" +
           "Neu zwei\r\nnewsuk1=News one\r\nnewsuk2=News two\r\nhomepagede=https://x.test/de\r\n" +
           "homepageuk=http://x.test/uk\r\n";
}

// Everything the window shows, the result last with its colour ("-" while it is hidden).
QStringList Screen(QWidget* window) {
    QStringList all{window->windowTitle()};
    for (const char* name : {"lblCurrentversion", "lblCurrentversiondate", "lblWebversion",
                             "lblWebversiondate", "LblUpdateInfo", "BtnCheckUpdate", "BtnQuit"}) {
        all << ShownText(window, name);
    }
    QWidget* result = Child(window, "lblResult");
    const QString colour = result->palette().color(QPalette::WindowText).name();
    all << (result->isHidden() ? "-" : ShownText(window, "lblResult") + ' ' + colour);
    return all;
}

} // namespace

class FrmUpdateTest : public QObject {
    Q_OBJECT

  private:
    TempDir dir_;
    LocalHttpServer server_;
    const QSslConfiguration untrusting_ = QSslConfiguration::defaultConfiguration();

  private slots:
    void cleanup() { QSslConfiguration::setDefaultConfiguration(untrusting_); }

    void checks_data() {
        QTest::addColumn<QString>("language");
        // The screen, %note for the note of the language; empty: as in the row of the language.
        QTest::addColumn<QString>("opening");
        QTest::addColumn<QByteArrayList>("answers"); // one for each check; empty: HTTP 500
        QTest::addColumn<QString>("shown");  // the result of each check, then the other labels
        QTest::addColumn<QString>("opened"); // by a click on the result
        QTest::newRow("de")
            << "de"
            << "Überprüfung auf vorhandenes Update | Ihre Version: 0.6.0 | vom: 26.07.03 | Version "
               "auf dem Web: Unbekannt | vom: Unbekannt | %note | Auf neue Version prüfen | "
               "Abbrechen | -"
            << QByteArrayList{VersionFile("0.6.1"), VersionFile("0.6.0"), ""}
            << "Es ist eine neuere Version verfügbar! - Hier klicken für Details #0000ff | Sie "
               "haben die aktuelle Version! - Hier klicken für die Homepage #0000ff | Keine "
               "Verbindung zur Homepage möglich! #ff0000 | Version auf dem Web: 0.6.0 | vom: "
               "01.02.04 | Neu eins\r\nNeu zwei"
            << "https://x.test/de";
        QTest::newRow("uk")
            << "uk"
            << "Online update check | Your version: 0.6.0 | of: 26.07.03 | Version at website: "
               "Unknown | of: Unknown | %note | Perform check | Cancel | -"
            << QByteArrayList{"", VersionFile("1.0.0"), VersionFile("0.6.0")}
            << "No connection to Homepage available! #ff0000 | A newer version is available! - "
               "Click here for details #0000ff | Your version is current! - Click here to visit "
               "the homepage #0000ff | Version on the web: 0.6.0 | of: 01.02.04 | News one\r\nNews "
               "two"
            << "http://x.test/uk";
        // Missing values read "unknown"; only web pages are opened.
        QTest::newRow("keys missing")
            << "de"
            << "" << QByteArrayList{"[version]\r\nhomepagede=C:\\calc.exe\r\n"}
            << "Sie haben die aktuelle Version! - Hier klicken für die Homepage #0000ff | Version "
               "auf dem Web: unknown | vom: unknown | unknown\r\nunknown"
            << "";
        // Any other language keeps the texts the window was designed with.
        QTest::newRow("unknown")
            << "unknown"
            << "Überprüfung auf vorhandenes Update | Ihre Version: | vom: | Version auf dem Web: "
               "Unbekannt | vom: Unbekannt |  | Auf neue Version prüfen | Abbrechen | -"
            << QByteArrayList{VersionFile("0.6.1")}
            << "- | Version auf dem Web: Unbekannt | vom: Unbekannt | "
            << "";
    }

    void checks() {
        QFETCH(QString, language);
        QFETCH(QByteArrayList, answers);
        WriteAll(dir_.Path() / "korvane.ini", "[version]\r\ndate=26.07.03\r\n");
        server_.requests.clear();
        QStringList opened;
        SetShellOpenerForTests([&opened](const QUrl& url) { opened << url.toString(); });
        AppState state;
        state.settings.directory = dir_.Text();
        state.language = LanguageOfCode(language.toStdString());
        frmUpdate window(nullptr, state, server_.Url("/version.txt"), 2s);
        window.show();
        const QStringList before = Screen(&window);
        QFETCH(QString, opening);
        if (!opening.isEmpty()) {
            const char* note = language == "uk" ? UpdateNote.english : UpdateNote.german;
            QCOMPARE(before.join(" | "), opening.replace("%note", QString::fromUtf8(note)));
        }
        QVERIFY(server_.requests.empty()); // nothing is sent before a check
        QStringList shown;
        for (const QByteArray& answer : answers) {
            server_.answers["/version.txt"] = {answer.isEmpty() ? 500 : 200, answer};
            QTest::mouseClick(Child(&window, "BtnCheckUpdate"), Qt::LeftButton);
            shown << Screen(&window).last();
        }
        const QStringList after = Screen(&window);
        QTEST((shown + after.mid(3, 3)).join(" | "), "shown");
        QCOMPARE(after.mid(0, 3) + after.mid(6, 2), before.mid(0, 3) + before.mid(6, 2));
        // Each check asks the server afresh, under the busy pointer; the local copy holds the
        // last good download until the window closes.
        QCOMPARE(server_.requests.size(), size_t(answers.size()));
        QVERIFY(server_.requests[0].head.toLower().contains("\r\ncache-control: no-cache"));
        QVERIFY(server_.requests[0].busyPointer);
        const std::string copy = dir_.Text() + "webver.ini";
        QCOMPARE(ReadAll(copy),
                 (answers.last().isEmpty() ? answers[1] : answers.last()).toStdString());
        QTest::mouseClick(Child(&window, "lblResult"), Qt::LeftButton);
        SetShellOpenerForTests({});
        QVERIFY(!window.isVisible() && ReadAll(copy) == "<missing>");
        QTEST(opened.join(' '), "opened");
    }

    void download_data() {
        // "/path" on the HTTP server, "tls/path" on the HTTPS one, whose certificate is trusted
        // only where told. /1 redirects to /2 and so on up to /6, which moves to /end.
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("trusted");
        QTest::addColumn<int>("result");
        QTest::newRow("64 KiB") << "/end" << false << int(DownloadOk);
        QTest::newRow("64 KiB and one byte") << "/over" << false << int(DownloadTooLarge);
        QTest::newRow("not found") << "/gone" << false << int(DownloadFailed);
        QTest::newRow("silent server") << "/silent" << false << int(DownloadTimedOut);
        QTest::newRow("https, not trusted") << "tls/end" << false << int(DownloadFailed);
        QTest::newRow("https") << "tls/end" << true << int(DownloadOk);
        QTest::newRow("five redirects") << "/2" << false << int(DownloadOk);
        QTest::newRow("six redirects") << "/1" << false << int(DownloadFailed);
        QTest::newRow("http to https") << "/to-tls" << true << int(DownloadOk);
        QTest::newRow("https to http") << "tls/to-http" << true << int(DownloadFailed);
        for (const char* address : {"", "unknown", "file:///etc/hostname", "ftp://127.0.0.1/x"}) {
            QTest::newRow(address) << address << false << int(DownloadBadAddress);
        }
    }

    void download() {
        QFETCH(QString, address);
        QFETCH(bool, trusted);
        LocalHttpServer http;
        LocalHttpServer https(LocalHttpServer::Https);
        if (trusted) {
            QSslConfiguration trusting = untrusting_;
            trusting.addCaCertificate(QSslCertificate(QByteArray(LocalCertificatePem)));
            QSslConfiguration::setDefaultConfiguration(trusting);
        }
        const QByteArray largest(65536, 'x');
        http.answers["/end"] = {200, largest};
        https.answers["/end"] = {200, largest};
        for (int i = 1; i <= 6; ++i) {
            http.answers["/" + QByteArray::number(i)] = {
                302, i < 6 ? "/" + QByteArray::number(i + 1) : "/end"};
        }
        http.answers["/over"] = {200, QByteArray(65537, 'y')};
        http.answers["/silent"] = {0, {}};
        http.answers["/to-tls"] = {302, QByteArray::fromStdString(https.Url("/end"))};
        https.answers["/to-http"] = {302, QByteArray::fromStdString(http.Url("/end"))};
        const std::string url = address.startsWith('/')      ? http.Url(address.toUtf8())
                                : address.startsWith("tls/") ? https.Url(address.mid(3).toUtf8())
                                                             : address.toStdString();
        const std::string target = dir_.Text() + "got.ini";
        WriteAll(target, "old");
        const QDeadlineTimer fiveSeconds(5000);
        const int result = DownloadFile(url, target, 2s);
        QTEST(result, "result");
        QVERIFY(!fiveSeconds.hasExpired() && !QGuiApplication::overrideCursor());
        // Only a whole download replaces the file.
        QVERIFY(ReadAll(target) == (result == DownloadOk ? largest.toStdString() : "old"));

        // Every request names the program and nothing of the user's: no language, no cookie.
        const QString agent = "user-agent: korvane/" + QString::fromStdString(VersionNumber());
        auto requests = http.requests;
        requests.insert(requests.end(), https.requests.begin(), https.requests.end());
        for (const auto& request : requests) {
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

QTEST_MAIN(FrmUpdateTest)
#include "frm_update_test.moc"
