// The update window against a local server, and the download on its own: its failure kinds and
// the refusal of other addresses and of oversized files.
#include <optional>

#include <QElapsedTimer>

#include "app/qt_shell.hpp"
#include "app/window_test_support.hpp"
#include "info/frm_update.hpp"
#include "info/local_http_server.hpp"
#include "info/qt_download.hpp"

using namespace korvane;
using namespace korvane::testing;
using namespace std::chrono_literals;

namespace {

const QByteArray VersionPath = "/software/korvane/version.txt";

QByteArray VersionFile(const QByteArray& version, const QByteArray& homepage = "http://x.test/") {
    return "[version]\r\nversion=" + version +
           "\r\ndate=01.02.04\r\nnewsde1=Neu eins\r\nnewsde2=Neu zwei\r\nnewsuk1=News one\r\n"
           "newsuk2=News two\r\nhomepagede=" +
           homepage + "\r\nhomepageuk=" + homepage + "\r\n";
}

// Everything the window shows; the result with its colour, "-" while it is hidden.
QStringList Screen(frmUpdate& window) {
    QStringList all{window.windowTitle()};
    for (const char* name : {"lblCurrentversion", "lblCurrentversiondate", "lblWebversion",
                             "lblWebversiondate", "LblUpdateInfo", "BtnCheckUpdate", "BtnQuit"}) {
        all << ShownText(&window, name);
    }
    QWidget* result = Child(&window, "lblResult");
    const QColor colour = result->palette().color(QPalette::WindowText);
    const QString text = ShownText(&window, "lblResult");
    all << (result->isHidden()            ? QStringLiteral("-")
            : colour == QColor(0, 0, 255) ? text + " (blue)"
            : colour == QColor(255, 0, 0) ? text + " (red)"
                                          : text);
    return all;
}

} // namespace

class FrmUpdateTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<LocalHttpServer> server_;
    AppState state_;

    std::string LocalCopy() const { return ReadAll(dir_->Text() + "webver.ini"); }
    std::unique_ptr<frmUpdate> Open(const QString& language) {
        state_.languageCode = language.toStdString();
        auto window = std::make_unique<frmUpdate>(nullptr, state_, server_->Url(VersionPath), 2s);
        window->show();
        return window;
    }

  private slots:
    void init() {
        dir_ = std::make_unique<TempDir>();
        server_ = std::make_unique<LocalHttpServer>();
        state_.settings.directory = dir_->Text();
        WriteAll(dir_->Path() / "korvane.ini", "[version]\r\ndate=26.07.03\r\n");
    }

    void opening_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("screen");
        QTest::newRow("de") << "de"
                            << QStringList{
                                   "Überprüfung auf vorhandenes Update",
                                   "Ihre Version: 0.6.0",
                                   "vom: 26.07.03",
                                   "Version auf dem Web: Unbekannt",
                                   "vom: Unbekannt",
                                   "Hinweis:\r\nWährend der Überprüfung müssen Sie mit dem "
                                   "Internet verbunden sein!\r\n\r\nEs werden keinerlei Daten von "
                                   "Ihrem PC ins Internet übertragen. Bei der Überprüfung wird "
                                   "lediglich eine Textdatei mit Informationen über die aktuelle "
                                   "Version von der Homepage geladen.\r\nButton klicken um "
                                   "Überprüfung zu starten.",
                                   "Auf neue Version prüfen",
                                   "Abbrechen",
                                   "-"};
        QTest::newRow("uk") << "uk"
                            << QStringList{"Online update check",
                                           "Your version: 0.6.0",
                                           "of: 26.07.03",
                                           "Version at website: Unknown",
                                           "of: Unknown",
                                           "Note:\r\nYou need to be connected to the internet "
                                           "while checking for updates!\r\n\r\nNo information is "
                                           "sent from your PC. The version check only downloads a "
                                           "text file from the homepage with the latest version "
                                           "information.\r\n\r\nClick the button to start the "
                                           "version check.",
                                           "Perform check",
                                           "Cancel",
                                           "-"};
        QTest::newRow("unknown") << "unknown"
                                 << QStringList{"Überprüfung auf vorhandenes Update",
                                                "Ihre Version:",
                                                "vom:",
                                                "Version auf dem Web: Unbekannt",
                                                "vom: Unbekannt",
                                                "",
                                                "Auf neue Version prüfen",
                                                "Abbrechen",
                                                "-"};
    }

    void opening() {
        QFETCH(QString, language);
        QTEST(Screen(*Open(language)), "screen");
        if (language != "uk") {
            return;
        }
        // Without an own release date in the settings file.
        std::filesystem::remove(dir_->Path() / "korvane.ini");
        QCOMPARE(ShownText(Open("uk").get(), "lblCurrentversiondate"),
                 QStringLiteral("of: unknown"));
    }

    void check_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArrayList>("answers"); // for one check each; empty: HTTP 500
        QTest::addColumn<QStringList>("shown");      // web version, web date, info box, result
        QTest::newRow("newer, de")
            << "de" << QByteArrayList{VersionFile("0.6.1")}
            << QStringList{
                   "Version auf dem Web: 0.6.1", "vom: 01.02.04", "Neu eins\r\nNeu zwei",
                   "Es ist eine neuere Version verfügbar! - Hier klicken für Details (blue)"};
        QTest::newRow("newer after a failure, uk")
            << "uk" << QByteArrayList{"", VersionFile("1.0.0")}
            << QStringList{"Version on the web: 1.0.0", "of: 01.02.04", "News one\r\nNews two",
                           "A newer version is available! - Click here for details (blue)"};
        QTest::newRow("current, uk")
            << "uk" << QByteArrayList{VersionFile("0.6.0")}
            << QStringList{"Version on the web: 0.6.0", "of: 01.02.04", "News one\r\nNews two",
                           "Your version is current! - Click here to visit the homepage (blue)"};
        QTest::newRow("no section, de")
            << "de" << QByteArrayList{"version=9.9.9\r\n"}
            << QStringList{
                   "Version auf dem Web: unknown", "vom: unknown", "unknown\r\nunknown",
                   "Sie haben die aktuelle Version! - Hier klicken für die Homepage (blue)"};
        QTest::newRow("failure after a success, de")
            << "de" << QByteArrayList{VersionFile("0.6.1"), ""}
            << QStringList{"Version auf dem Web: 0.6.1", "vom: 01.02.04", "Neu eins\r\nNeu zwei",
                           "Keine Verbindung zur Homepage möglich! (red)"};
        QTest::newRow("failure after a success, uk")
            << "uk" << QByteArrayList{VersionFile("0.6.0"), ""}
            << QStringList{"Version on the web: 0.6.0", "of: 01.02.04", "News one\r\nNews two",
                           "No connection to Homepage available! (red)"};
        QTest::newRow("unknown language")
            << "unknown" << QByteArrayList{VersionFile("0.6.1")}
            << QStringList{"Version auf dem Web: Unbekannt", "vom: Unbekannt", "", "-"};
    }

    void check() {
        QFETCH(QString, language);
        QFETCH(QByteArrayList, answers);
        auto window = Open(language);
        const QStringList opened = Screen(*window);
        QByteArray lastGood = "<missing>";
        for (const QByteArray& answer : answers) {
            server_->Serve(VersionPath, {answer.isEmpty() ? 500 : 200, answer});
            QTest::mouseClick(Child(window.get(), "BtnCheckUpdate"), Qt::LeftButton);
            lastGood = answer.isEmpty() ? lastGood : answer;
        }
        QStringList shown = Screen(*window);
        QTEST(shown.mid(3, 3) << shown.last(), "shown");
        QCOMPARE(shown.mid(0, 3) + shown.mid(6, 2), opened.mid(0, 3) + opened.mid(6, 2));
        // Each check asks the server afresh, under the busy pointer.
        QCOMPARE(server_->requests.size(), size_t(answers.size()));
        QVERIFY(server_->requests[0].head.toLower().contains("\r\ncache-control: no-cache"));
        QVERIFY(server_->requests[0].busyPointer);
        // The local copy holds the last good download, until the window closes.
        QCOMPARE(QByteArray::fromStdString(LocalCopy()), lastGood);
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QCOMPARE(LocalCopy(), std::string("<missing>"));
    }

    void resultClickOpensOnlyWebPages_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("homepage"); // empty: the check fails
        QTest::addColumn<QString>("opened");
        QTest::newRow("http, de") << "de" << QByteArray("http://x.test/neu") << "http://x.test/neu";
        QTest::newRow("https, uk") << "uk" << QByteArray("https://x.test/") << "https://x.test/";
        QTest::newRow("a program") << "de" << QByteArray("C:\\Windows\\system32\\calc.exe") << "";
        QTest::newRow("a local file") << "uk" << QByteArray("file:///etc/passwd") << "";
        QTest::newRow("unknown language") << "unknown" << QByteArray("http://x.test/") << "";
        QTest::newRow("after a failed check") << "de" << QByteArray() << "";
    }

    void resultClickOpensOnlyWebPages() {
        QFETCH(QString, language);
        QFETCH(QByteArray, homepage);
        QFETCH(QString, opened);
        server_->Serve(VersionPath,
                       {homepage.isEmpty() ? 404 : 200, VersionFile("0.6.1", homepage)});
        QStringList pages;
        SetShellOpenerForTests([&pages](const QUrl& url) { pages << url.toString(); });
        auto window = Open(language);
        QTest::mouseClick(Child(window.get(), "BtnCheckUpdate"), Qt::LeftButton);
        QTest::mouseClick(Child(window.get(), "lblResult"), Qt::LeftButton);
        SetShellOpenerForTests({});
        QVERIFY(!window->isVisible());
        QCOMPARE(pages, opened.isEmpty() ? QStringList() : QStringList{opened});
    }

    void localCopyLeftFromBeforeGoes() {
        for (bool shown : {true, false}) {
            WriteAll(dir_->Path() / "webver.ini", "[version]\r\nversion=9.9.9\r\n");
            auto window = Open("de");
            if (shown) {
                window->close();
            } else {
                window.reset();
            }
            QCOMPARE(LocalCopy(), std::string("<missing>"));
        }
        QCOMPARE(server_->connections, 0); // opening and closing send nothing
    }

    void download_data() {
        QTest::addColumn<QString>("address"); // "/path" on the server, "tls/path" over HTTPS
        QTest::addColumn<bool>("trusted");    // the server's certificate
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("written"); // bytes written; -1: the old file stays
        QTest::newRow("whole file") << "/ok" << false << int(DownloadOk) << 2;
        QTest::newRow("largest allowed")
            << "/largest" << false << int(DownloadOk) << int(MaxDownloadBytes);
        QTest::newRow("one byte too many") << "/over" << false << int(DownloadTooLarge) << -1;
        QTest::newRow("not found") << "/gone" << false << int(DownloadFailed) << -1;
        QTest::newRow("silent server") << "/silent" << false << int(DownloadTimedOut) << -1;
        QTest::newRow("nobody listening") << "closed" << false << int(DownloadFailed) << -1;
        QTest::newRow("https, trusted") << "tls/ok" << true << int(DownloadOk) << 2;
        QTest::newRow("https, unknown certificate")
            << "tls/ok" << false << int(DownloadFailed) << -1;
        for (const char* address : {"", "unknown", "file:///etc/hostname", "ftp://127.0.0.1/x"}) {
            QTest::newRow(address) << address << false << int(DownloadBadAddress) << -1;
        }
    }

    void download() {
        QFETCH(QString, address);
        QFETCH(bool, trusted);
        QFETCH(int, written);
        LocalHttpServer https(LocalHttpServer::Https);
        const QByteArray largest(int(MaxDownloadBytes), 'x');
        for (LocalHttpServer* server : {server_.get(), &https}) {
            server->Serve("/ok", {200, "ok"});
            server->Serve("/largest", {200, largest});
            server->Serve("/over", {200, largest + "y"});
            server->Serve("/silent", {200, {}, true});
        }
        std::string url = address.toStdString();
        if (address.startsWith('/')) {
            url = server_->Url(address.toUtf8());
        } else if (address.startsWith("tls/")) {
            url = https.Url(address.mid(3).toUtf8());
        } else if (address == "closed") {
            url = UnusedLocalUrl();
        }
        std::optional<TrustLocalCertificate> trust;
        if (trusted) {
            trust.emplace();
        }
        const std::string target = dir_->Text() + "got.ini";
        WriteAll(target, "old");
        QElapsedTimer clock;
        clock.start();
        QTEST(DownloadFile(url, target, 1s), "result");
        QVERIFY(clock.elapsed() < 5000);
        const std::string file = ReadAll(target);
        QCOMPARE(int(file.size()), written < 0 ? 3 : written);
        QVERIFY(written >= 0 || file == "old");
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }
};

QTEST_MAIN(FrmUpdateTest)
#include "frm_update_test.moc"
