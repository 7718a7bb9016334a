#include <chrono>
#include <filesystem>
#include <fstream>

#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/app_state.hpp"
#include "app/qt_shell.hpp"
#include "info/frm_update.hpp"
#include "info/local_http_server.hpp"
#include "info/qt_download.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using namespace std::chrono_literals;
using testing::LocalHttpServer;

namespace {

const QByteArray VersionPath = "/software/korvane/version.txt";

QByteArray VersionFile(const QByteArray& version, const QByteArray& homepageDe = "http://de.test/p",
                       const QByteArray& homepageUk = "http://uk.test/p") {
    return "[version]\r\nversion=" + version +
           "\r\ndate=01.02.04\r\nnewsde1=Neu eins\r\nnewsde2=Neu zwei\r\n"
           "newsuk1=News one\r\nnewsuk2=News two\r\nhomepagede=" +
           homepageDe + "\r\nhomepageuk=" + homepageUk + "\r\n";
}

QString Text(const frmUpdate& window, const char* name) {
    auto* label = window.findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<no %1>").arg(name);
}

QColor Colour(const frmUpdate& window, const char* name) {
    return window.findChild<QLabel*>(name)->palette().color(QPalette::WindowText);
}

bool ResultShown(const frmUpdate& window) {
    return !window.findChild<QLabel*>("lblResult")->isHidden();
}

void Check(frmUpdate& window) {
    QTest::mouseClick(window.findChild<QPushButton*>("BtnCheckUpdate"), Qt::LeftButton);
}

// Everything a user can see of the window, to compare before and after.
QStringList Screen(const frmUpdate& window) {
    QStringList all{window.windowTitle()};
    for (const char* name : {"lblCurrentversion", "lblCurrentversiondate", "lblWebversion",
                             "lblWebversiondate", "lblResult", "LblUpdateInfo"}) {
        all << Text(window, name);
    }
    all << QString::number(ResultShown(window));
    return all;
}

// 15 twips to a pixel.
QRect Twips(int left, int top, int width, int height) {
    return {qRound(left / 15.0), qRound(top / 15.0), qRound(width / 15.0), qRound(height / 15.0)};
}

const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);

} // namespace

class FrmUpdateTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<testing::TempDir> dir_;
    std::unique_ptr<LocalHttpServer> server_;
    AppState state_;
    std::vector<QUrl> opened_;

    std::string WebVer() const { return dir_->Text() + "webver.ini"; }
    bool WebVerExists() const { return std::filesystem::exists(dir_->Path() / "webver.ini"); }
    std::unique_ptr<frmUpdate> Open(const std::string& language, std::string url = {},
                                    std::chrono::milliseconds timeout = 5s) {
        state_.languageCode = language;
        if (url.empty()) {
            url = server_->Url(VersionPath);
        }
        auto window = std::make_unique<frmUpdate>(nullptr, state_, url, timeout);
        window->show();
        return window;
    }

  private slots:
    void init() {
        dir_ = std::make_unique<testing::TempDir>();
        server_ = std::make_unique<LocalHttpServer>();
        state_ = AppState{};
        state_.settings.directory = dir_->Text();
        testing::WriteAll(dir_->Path() / "korvane.ini", "[version]\r\ndate=26.07.03\r\n");
        opened_.clear();
        SetShellOpenerForTests([this](const QUrl& url) { opened_.push_back(url); });
    }

    void cleanup() {
        SetShellOpenerForTests({});
        server_.reset();
        dir_.reset();
    }

    void layoutFollowsTheTwipTable() {
        auto window = Open("de");
        QCOMPARE(window->size(), Twips(0, 0, 5970, 4185).size());
        const std::pair<const char*, QRect> expected[] = {
            {"frmAction", Twips(105, 120, 5700, 1515)},
            {"lblCurrentversion", Twips(240, 330, 2670, 255)},
            {"lblCurrentversiondate", Twips(3300, 330, 2295, 255)},
            {"lblWebversion", Twips(240, 735, 2880, 255)},
            {"lblWebversiondate", Twips(3300, 735, 2295, 255)},
            {"lblResult", Twips(105, 1110, 5490, 255)},
            {"LblUpdateInfo", Twips(90, 1770, 5700, 1485)},
            {"BtnCheckUpdate", Twips(90, 3465, 2310, 495)},
            {"BtnQuit", Twips(3480, 3465, 2310, 495)},
        };
        for (const auto& [name, rect] : expected) {
            auto* widget = window->findChild<QWidget*>(name);
            QVERIFY2(widget, name);
            QCOMPARE(widget->geometry(), rect);
        }
        auto* frame = window->findChild<QGroupBox*>("frmAction");
        QVERIFY(frame->title().isEmpty());
        for (const char* name : {"lblCurrentversion", "lblCurrentversiondate", "lblWebversion",
                                 "lblWebversiondate", "lblResult"}) {
            QCOMPARE(window->findChild<QWidget*>(name)->parentWidget(), frame);
        }
        // Only the two buttons take the focus, the check button first.
        auto* check = window->findChild<QPushButton*>("BtnCheckUpdate");
        auto* quit = window->findChild<QPushButton*>("BtnQuit");
        QWidget* next = check->nextInFocusChain();
        while (next != quit && !(next->focusPolicy() & Qt::TabFocus)) {
            next = next->nextInFocusChain();
        }
        QCOMPARE(next, quit);
        QCOMPARE(window->findChild<QLabel*>("lblResult")->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(window->findChild<QLabel*>("LblUpdateInfo")->backgroundRole(),
                 QPalette::ToolTipBase);
        // What the server sends is text, not markup to render.
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
        }
    }

    void openingTexts_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("screen");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("de") << "de"
                            << QStringList{"Überprüfung auf vorhandenes Update",
                                           "Ihre Version: 0.6.0",
                                           "vom: 26.07.03",
                                           "Version auf dem Web: Unbekannt",
                                           "vom: Unbekannt",
                                           "",
                                           "Hinweis:\r\nWährend der Überprüfung müssen Sie mit dem "
                                           "Internet verbunden sein!\r\n\r\nEs werden keinerlei "
                                           "Daten von Ihrem PC ins Internet übertragen. Bei der "
                                           "Überprüfung wird lediglich eine Textdatei mit "
                                           "Informationen über die aktuelle Version von der "
                                           "Homepage geladen.\r\nButton klicken um Überprüfung zu "
                                           "starten.",
                                           "0"}
                            << QStringList{"Auf neue Version prüfen", "Abbrechen"};
        QTest::newRow("uk") << "uk"
                            << QStringList{"Online update check",
                                           "Your version: 0.6.0",
                                           "of: 26.07.03",
                                           "Version at website: Unknown",
                                           "of: Unknown",
                                           "",
                                           "Note:\r\nYou need to be connected to the internet "
                                           "while checking for updates!\r\n\r\nNo information is "
                                           "sent from your PC. The version check only downloads a "
                                           "text file from the homepage with the latest version "
                                           "information.\r\n\r\nClick the button to start the "
                                           "version check.",
                                           "0"}
                            << QStringList{"Perform check", "Cancel"};
        // Any other code keeps the texts the window was designed with.
        QTest::newRow("unknown") << "unknown"
                                 << QStringList{"Überprüfung auf vorhandenes Update",
                                                "Ihre Version:",
                                                "vom:",
                                                "Version auf dem Web: Unbekannt",
                                                "vom: Unbekannt",
                                                "",
                                                "",
                                                "0"}
                                 << QStringList{"Auf neue Version prüfen", "Abbrechen"};
    }

    void openingTexts() {
        QFETCH(QString, language);
        QFETCH(QStringList, screen);
        QFETCH(QStringList, buttons);
        auto window = Open(language.toStdString());
        QCOMPARE(Screen(*window), screen);
        QCOMPARE(window->findChild<QPushButton*>("BtnCheckUpdate")->text(), buttons[0]);
        QCOMPARE(window->findChild<QPushButton*>("BtnQuit")->text(), buttons[1]);
        QCOMPARE(Colour(*window, "lblResult"), Blue);
        // The whole note fits into the box, whatever type the desktop offers.
        auto* info = window->findChild<QLabel*>("LblUpdateInfo");
        QVERIFY(info->heightForWidth(info->width()) <= info->height());
    }

    void missingOwnDateShowsUnknown() {
        std::filesystem::remove(dir_->Path() / "korvane.ini");
        auto window = Open("uk");
        QCOMPARE(Text(*window, "lblCurrentversiondate"), QString("of: unknown"));
    }

    void checkResults_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("webVersion");
        QTest::addColumn<QString>("webDate");
        QTest::addColumn<QString>("info");
        QTest::addColumn<QString>("result");

        const QString newerDe = "Es ist eine neuere Version verfügbar! - Hier klicken für Details";
        const QString currentDe = "Sie haben die aktuelle Version! - Hier klicken für die Homepage";
        const QString newerUk = "A newer version is available! - Click here for details";
        const QString currentUk = "Your version is current! - Click here to visit the homepage";
        const QString newsDe = "Neu eins\r\nNeu zwei";
        const QString newsUk = "News one\r\nNews two";

        QTest::newRow("0.6.1 de") << "de" << VersionFile("0.6.1") << "Version auf dem Web: 0.6.1"
                                  << "vom: 01.02.04" << newsDe << newerDe;
        QTest::newRow("1.0.0 uk") << "uk" << VersionFile("1.0.0") << "Version on the web: 1.0.0"
                                  << "of: 01.02.04" << newsUk << newerUk;
        QTest::newRow("0.7.0 de") << "de" << VersionFile("0.7.0") << "Version auf dem Web: 0.7.0"
                                  << "vom: 01.02.04" << newsDe << newerDe;
        QTest::newRow("0.6.0 de") << "de" << VersionFile("0.6.0") << "Version auf dem Web: 0.6.0"
                                  << "vom: 01.02.04" << newsDe << currentDe;
        QTest::newRow("0.5.9 uk") << "uk" << VersionFile("0.5.9") << "Version on the web: 0.5.9"
                                  << "of: 01.02.04" << newsUk << currentUk;
        QTest::newRow("0.10.0 de") << "de" << VersionFile("0.10.0") << "Version auf dem Web: 0.10.0"
                                   << "vom: 01.02.04" << newsDe << currentDe;
        QTest::newRow("empty version") << "uk" << VersionFile("") << "Version on the web: "
                                       << "of: 01.02.04" << newsUk << currentUk;
        QTest::newRow("version key missing")
            << "de" << QByteArray("[version]\r\ndate=x\r\nnewsde1=a\r\n")
            << "Version auf dem Web: unknown"
            << "vom: x"
            << "a\r\nunknown" << currentDe;
        QTest::newRow("no section")
            << "uk" << QByteArray("version=9.9.9\r\ndate=x\r\n") << "Version on the web: unknown"
            << "of: unknown"
            << "unknown\r\nunknown" << currentUk;
        QByteArray junk;
        for (int i = 0; i < 3000; ++i) {
            junk += char((i * 7919 + 13) % 256);
        }
        QTest::newRow("binary junk") << "de" << junk << "Version auf dem Web: unknown"
                                     << "vom: unknown"
                                     << "unknown\r\nunknown" << currentDe;
        QTest::newRow("empty file") << "uk" << QByteArray() << "Version on the web: unknown"
                                    << "of: unknown"
                                    << "unknown\r\nunknown" << currentUk;
    }

    void checkResults() {
        QFETCH(QString, language);
        QFETCH(QByteArray, file);
        server_->Serve(VersionPath, {200, file});
        auto window = Open(language.toStdString());
        const QString ownVersion = Text(*window, "lblCurrentversion");
        Check(*window);

        QCOMPARE(server_->requests.size(), size_t(1));
        QTEST(Text(*window, "lblWebversion"), "webVersion");
        QTEST(Text(*window, "lblWebversiondate"), "webDate");
        QTEST(Text(*window, "LblUpdateInfo"), "info");
        QTEST(Text(*window, "lblResult"), "result");
        QVERIFY(ResultShown(*window));
        QCOMPARE(Colour(*window, "lblResult"), Blue);
        QCOMPARE(Text(*window, "lblCurrentversion"), ownVersion);
        // The local copy is exactly what the server sent.
        QCOMPARE(QByteArray::fromStdString(testing::ReadAll(WebVer())), file);
    }

    void requestAsksTheServerWithTheBusyPointer() {
        server_->Serve(VersionPath, {200, VersionFile("0.6.0")});
        auto window = Open("de");
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        Check(*window);
        QCOMPARE(server_->requests.size(), size_t(1));
        const LocalHttpServer::Request& request = server_->requests.front();
        QCOMPARE(request.path, VersionPath);
        QVERIFY2(request.head.toLower().contains("\r\ncache-control: no-cache"), request.head);
        QVERIFY(request.busyPointer);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        // A second check goes to the server again instead of a cached copy.
        server_->Serve(VersionPath, {200, VersionFile("0.6.1")});
        Check(*window);
        QCOMPARE(server_->requests.size(), size_t(2));
        QCOMPARE(Text(*window, "lblWebversion"), QString("Version auf dem Web: 0.6.1"));
    }

    void failedChecks_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("kind"); // 0 too large, 1 silent server, 2 no server, 3 HTTP 404
        QTest::addColumn<QString>("failure");
        QTest::newRow("too large de") << "de" << 0 << "Keine Verbindung zur Homepage möglich!";
        QTest::newRow("silent uk") << "uk" << 1 << "No connection to Homepage available!";
        QTest::newRow("no server de") << "de" << 2 << "Keine Verbindung zur Homepage möglich!";
        QTest::newRow("not found uk") << "uk" << 3 << "No connection to Homepage available!";
    }

    void failedChecks() {
        QFETCH(QString, language);
        QFETCH(int, kind);
        std::string url;
        if (kind == 0) {
            server_->Serve(VersionPath, {200, VersionFile("0.6.1") + QByteArray(70000, ';')});
        } else if (kind == 1) {
            server_->Serve(VersionPath, {200, {}, true});
        } else if (kind == 2) {
            url = testing::UnusedLocalUrl();
        }
        auto window = Open(language.toStdString(), url, 400ms);
        const QStringList before = Screen(*window);

        QElapsedTimer clock;
        clock.start();
        Check(*window);
        QVERIFY(clock.elapsed() < 4000);

        QTEST(Text(*window, "lblResult"), "failure");
        QCOMPARE(Colour(*window, "lblResult"), Red);
        QVERIFY(ResultShown(*window));
        QStringList after = Screen(*window);
        // Only the result label changed.
        after[5] = before[5];
        after[7] = before[7];
        QCOMPARE(after, before);
        QVERIFY(!WebVerExists());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    void failureKeepsTheLastGoodDownloadAndSuccessTurnsBlueAgain() {
        server_->Serve(VersionPath, {200, VersionFile("0.6.1")});
        auto window = Open("uk");
        Check(*window);
        const QStringList good = Screen(*window);

        server_->Serve(VersionPath, {500, "broken"});
        Check(*window);
        QCOMPARE(Text(*window, "lblResult"), QString("No connection to Homepage available!"));
        QCOMPARE(Colour(*window, "lblResult"), Red);
        QCOMPARE(Text(*window, "lblWebversion"), good[3]);
        QCOMPARE(Text(*window, "LblUpdateInfo"), good[6]);
        QVERIFY(testing::ReadAll(WebVer()).find("version=0.6.1") != std::string::npos);

        server_->Serve(VersionPath, {200, VersionFile("0.6.0")});
        Check(*window);
        QCOMPARE(Text(*window, "lblResult"),
                 QString("Your version is current! - Click here to visit the homepage"));
        QCOMPARE(Colour(*window, "lblResult"), Blue);
        QCOMPARE(Text(*window, "lblWebversion"), QString("Version on the web: 0.6.0"));
    }

    void resultClickOpensOnlyWebPages_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("homepageDe");
        QTest::addColumn<QByteArray>("homepageUk");
        QTest::addColumn<QString>("expected"); // empty: nothing may be opened
        QTest::newRow("de http") << "de" << QByteArray("http://de.test/neu.html")
                                 << QByteArray("http://uk.test/new.html")
                                 << "http://de.test/neu.html";
        QTest::newRow("uk https") << "uk" << QByteArray("http://de.test/neu.html")
                                  << QByteArray("https://uk.test/new.html")
                                  << "https://uk.test/new.html";
        QTest::newRow("de program") << "de" << QByteArray("C:\\Windows\\system32\\calc.exe")
                                    << QByteArray("http://uk.test/") << "";
        QTest::newRow("uk local file")
            << "uk" << QByteArray("http://de.test/") << QByteArray("file:///etc/passwd") << "";
        QTest::newRow("uk no scheme")
            << "uk" << QByteArray("http://de.test/") << QByteArray("uk.test/new.html") << "";
    }

    void resultClickOpensOnlyWebPages() {
        QFETCH(QString, language);
        QFETCH(QByteArray, homepageDe);
        QFETCH(QByteArray, homepageUk);
        QFETCH(QString, expected);
        server_->Serve(VersionPath, {200, VersionFile("0.6.1", homepageDe, homepageUk)});
        auto window = Open(language.toStdString());
        Check(*window);
        QTest::mouseClick(window->findChild<QLabel*>("lblResult"), Qt::LeftButton);
        QVERIFY(!window->isVisible());
        if (expected.isEmpty()) {
            QVERIFY(opened_.empty());
        } else {
            QCOMPARE(opened_.size(), size_t(1));
            QCOMPARE(opened_.front(), QUrl(expected));
        }
        QVERIFY(!WebVerExists());
    }

    void resultClickAfterAFailedFirstCheckOpensNothing() {
        auto window = Open("de", testing::UnusedLocalUrl());
        Check(*window);
        QTest::mouseClick(window->findChild<QLabel*>("lblResult"), Qt::LeftButton);
        QVERIFY(opened_.empty());
        QVERIFY(!window->isVisible());
    }

    void localCopyGoesOnEveryWayOfClosing_data() {
        QTest::addColumn<bool>("check");
        QTest::addColumn<int>("way"); // 0 BtnQuit, 1 close box, 2 Escape, 3 destroyed unshown
        QTest::newRow("check, quit button") << true << 0;
        QTest::newRow("check, close box") << true << 1;
        QTest::newRow("check, escape") << true << 2;
        QTest::newRow("left from before, quit button") << false << 0;
        QTest::newRow("left from before, close box") << false << 1;
        QTest::newRow("left from before, never shown") << false << 3;
    }

    void localCopyGoesOnEveryWayOfClosing() {
        QFETCH(bool, check);
        QFETCH(int, way);
        server_->Serve(VersionPath, {200, VersionFile("0.6.0")});
        if (!check) {
            testing::WriteAll(dir_->Path() / "webver.ini", "[version]\r\nversion=9.9.9\r\n");
        }
        auto window =
            way == 3 ? std::make_unique<frmUpdate>(nullptr, state_, "http://x.test/") : Open("de");
        if (check) {
            Check(*window);
        }
        QVERIFY(WebVerExists());
        if (way == 0) {
            QTest::mouseClick(window->findChild<QPushButton*>("BtnQuit"), Qt::LeftButton);
        } else if (way == 1) {
            window->close();
        } else if (way == 2) {
            QTest::keyClick(window.get(), Qt::Key_Escape);
        } else {
            window.reset();
        }
        QVERIFY(!window || !window->isVisible());
        QVERIFY(!WebVerExists());
        QCOMPARE(server_->connections, check ? 1 : 0);
    }

    void openingAndClosingSendsNothing() {
        server_->Serve(VersionPath, {200, VersionFile("0.6.1")});
        for (const char* language : {"de", "uk", "unknown"}) {
            auto window = Open(language);
            QTest::qWait(50);
            QTest::mouseClick(window->findChild<QPushButton*>("BtnQuit"), Qt::LeftButton);
            QVERIFY(!window->isVisible());
        }
        QTest::qWait(50);
        QCOMPARE(server_->connections, 0);
    }

    void unknownLanguageDownloadsButShowsNothing() {
        server_->Serve(VersionPath, {200, VersionFile("0.6.1")});
        auto window = Open("unknown");
        const QStringList before = Screen(*window);
        Check(*window);
        QCOMPARE(server_->requests.size(), size_t(1));
        QVERIFY(WebVerExists());
        QCOMPARE(Screen(*window), before);

        // A failure shows nothing either.
        auto failing = Open("unknown", testing::UnusedLocalUrl());
        Check(*failing);
        QVERIFY(!ResultShown(*failing));
    }

    void downloadOverHttpsChecksTheCertificate() {
        testing::TempDir dir;
        LocalHttpServer server(LocalHttpServer::Https);
        server.Serve(VersionPath, {200, VersionFile("0.6.1")});
        const std::string target = dir.Text() + "webver.ini";

        // A certificate nobody vouches for is a failed download.
        QVERIFY(DownloadFile(server.Url(VersionPath), target, 5s) != 0);
        QCOMPARE(testing::ReadAll(target), std::string("<missing>"));

        testing::TrustLocalCertificate trust;
        QCOMPARE(DownloadFile(server.Url(VersionPath), target, 5s), 0);
        QCOMPARE(QByteArray::fromStdString(testing::ReadAll(target)), VersionFile("0.6.1"));
        QCOMPARE(server.requests.size(), size_t(1));
        QVERIFY(server.requests.front().busyPointer);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    // DownloadFile on its own: what reaches the local file, and when.
    void downloadWritesOnlyWholeSuccessfulDownloads() {
        testing::TempDir dir;
        LocalHttpServer server;
        const std::string target = dir.Text() + "got.ini";
        const QByteArray largest(int(MaxDownloadBytes), 'x');
        server.Serve("/ok", {200, "[version]\r\nversion=1.2.3\r\n"});
        server.Serve("/largest", {200, largest});
        server.Serve("/over", {200, largest + "y"});
        server.Serve("/gone", {404, "not here"});
        server.Serve("/silent", {200, {}, true});

        QCOMPARE(DownloadFile(server.Url("/ok"), target), 0);
        QCOMPARE(testing::ReadAll(target), std::string("[version]\r\nversion=1.2.3\r\n"));
        QCOMPARE(DownloadFile(server.Url("/largest"), target), 0);
        QCOMPARE(testing::ReadAll(target).size(), size_t(MaxDownloadBytes));

        // Failures leave the last good file alone.
        testing::WriteAll(dir.Path() / "got.ini", "kept");
        QVERIFY(DownloadFile(server.Url("/over"), target) != 0);
        QVERIFY(DownloadFile(server.Url("/gone"), target) != 0);
        QVERIFY(DownloadFile(server.Url("/silent"), target, 300ms) != 0);
        QVERIFY(DownloadFile(testing::UnusedLocalUrl(), target) != 0);
        QCOMPARE(testing::ReadAll(target), std::string("kept"));

        // Only web addresses are fetched.
        for (const char* address : {"", "unknown", "file:///etc/hostname", "ftp://127.0.0.1/x"}) {
            QVERIFY2(DownloadFile(address, target) != 0, address);
        }
        QCOMPARE(testing::ReadAll(target), std::string("kept"));
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }
};

QTEST_MAIN(FrmUpdateTest)
#include "frm_update_test.moc"
