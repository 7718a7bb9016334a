#include <functional>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>

#include "app/app_state.hpp"
#include "app/qt_english_captions.hpp"
#include "app/qt_shell.hpp"
#include "build_config.hpp"
#include "info/frm_about.hpp"
#include "info/frm_info_menu.hpp"
#include "info/version.hpp"

using namespace korvane;

namespace {

QString Text(QWidget* window, const char* name) {
    auto* label = window->findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<no %1>").arg(name);
}

QStringList Texts(QWidget* window) {
    QStringList all{window->windowTitle()};
    for (const char* name : {"lblTitle", "lblVersion", "lblDescription", "LblFeedbackText",
                             "Label3", "LblHomepagetext", "LblHomepage", "lblDisclaimer"}) {
        all << Text(window, name);
    }
    all << window->findChild<QPushButton*>("cmdOK")->text();
    return all;
}

QStringList Expected(bool english) {
    return {"About Korvane",
            "Korvane",
            QString("Version %1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision),
            "",
            english ? "Send feedback or bug reports to:"
                    : "Feedback oder bug Reports bitte per Mail an:",
            QString::fromUtf8(build::FeedbackMail),
            english ? "Updates on the Korvane homepage:"
                    : "Updates gibt es auf der Korvane Homepage:",
            english ? "Link to the homepage" : "Link zur Korvane Homepage",
            "This program is freeware and comes without any  warranty.",
            "OK"};
}

frmAbout* OpenAbout() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* about = qobject_cast<frmAbout*>(window); about && about->isVisible()) {
            return about;
        }
    }
    return nullptr;
}

// Runs ShowAboutBox; while it waits, inspect sees the open box and must close it.
bool RunShowAboutBox(AppState& state, const std::function<void(frmAbout*)>& inspect) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        frmAbout* about = OpenAbout();
        seen = about != nullptr;
        if (about) {
            inspect(about);
        }
        if ((about = OpenAbout())) {
            about->reject(); // a failed check must not leave the loop waiting
        }
    });
    QWidget owner; // as from the main window: the box is a window of its own, not a child
    owner.show();
    ShowAboutBox(&owner, state);
    return seen;
}

} // namespace

class FrmAboutTest : public QObject {
    Q_OBJECT

  private:
    std::vector<QUrl> opened_;

  private slots:
    void init() {
        opened_.clear();
        SetShellOpenerForTests([this](const QUrl& url) { opened_.push_back(url); });
    }
    void cleanup() { SetShellOpenerForTests({}); }

    void textsAtEveryOpening_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("english");
        QTest::newRow("de") << "de" << false;
        QTest::newRow("uk") << "uk" << true;
        QTest::newRow("unknown") << "unknown" << false;
    }

    void textsAtEveryOpening() {
        QFETCH(QString, language);
        QFETCH(bool, english);
        AppState state;
        state.languageCode = language.toStdString();
        for (int opening = 1; opening <= 3; ++opening) {
            QStringList shown;
            QVERIFY(RunShowAboutBox(state, [&](frmAbout* about) {
                shown = Texts(about);
                QTest::mouseClick(about->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
            }));
            QCOMPARE(shown, Expected(english));
            QVERIFY(!OpenAbout());
        }
        QVERIFY(opened_.empty());
    }

    void looks() {
        frmAbout about(nullptr, "de");
        QFont title = about.findChild<QLabel*>("lblTitle")->font();
        QCOMPARE(title.pointSize(), 12);
        QVERIFY(title.bold() && title.italic());

        auto* mail = about.findChild<QLabel*>("Label3");
        auto* homepage = about.findChild<QLabel*>("LblHomepage");
        for (QLabel* link : {mail, homepage}) {
            QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
            QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        }
        QVERIFY(!mail->font().bold());
        QVERIFY(homepage->font().bold());
        QCOMPARE(mail->toolTip(), QString("Click here to send feedback via e-mail..."));
        QCOMPARE(homepage->toolTip(),
                 QString::fromUtf8(build::HomepageHostDe) + "/software/korvane/korvane.html");

        const QPixmap logo = about.findChild<QLabel*>("Image1")->pixmap();
        QVERIFY(!logo.isNull());
        const QImage image = logo.toImage();
        QVERIFY(image.pixelColor(image.width() / 2, image.height() / 2).alpha() > 0);
        QVERIFY(about.findChild<QPushButton*>("cmdOK")->isDefault());
    }

    void feedbackComposesAMailAndStaysOpen_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("mail");
        QTest::newRow("de") << "de" << true;
        QTest::newRow("uk") << "uk" << true;
        QTest::newRow("unknown") << "unknown" << false;
    }

    void feedbackComposesAMailAndStaysOpen() {
        QFETCH(QString, language);
        QFETCH(bool, mail);
        frmAbout about(nullptr, language.toStdString());
        about.show();
        QTest::mouseClick(about.findChild<QLabel*>("Label3"), Qt::LeftButton);
        QVERIFY(about.isVisible());
        if (!mail) {
            QVERIFY(opened_.empty());
            return;
        }
        QCOMPARE(opened_.size(), size_t(1));
        const QUrl& url = opened_.front();
        QCOMPARE(url.scheme(), QString("mailto"));
        QCOMPARE(url.path(), QString::fromUtf8(build::FeedbackMail));
        QCOMPARE(QUrlQuery(url).queryItemValue("subject", QUrl::FullyDecoded),
                 QString("Feedback Korvane"));
    }

    void homepageOpensThePageOfTheLanguageAndCloses_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("page"); // empty: nothing opened
        QTest::newRow("de") << "de"
                            << QString::fromUtf8(build::HomepageHostDe) +
                                   "/software/korvane/korvane.html";
        QTest::newRow("uk") << "uk"
                            << QString::fromUtf8(build::HomepageHostUk) +
                                   "/software/korvane/korvane_e.html";
        QTest::newRow("unknown") << "unknown" << QString();
    }

    void homepageOpensThePageOfTheLanguageAndCloses() {
        QFETCH(QString, language);
        QFETCH(QString, page);
        frmAbout about(nullptr, language.toStdString());
        about.show();
        QTest::mouseClick(about.findChild<QLabel*>("LblHomepage"), Qt::LeftButton);
        QVERIFY(!about.isVisible());
        if (page.isEmpty()) {
            QVERIFY(opened_.empty());
        } else {
            QCOMPARE(opened_.size(), size_t(1));
            QCOMPARE(opened_.front(), QUrl(page));
        }
    }

    void enterAndEscapePressOk_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("enter") << int(Qt::Key_Return);
        QTest::newRow("escape") << int(Qt::Key_Escape);
    }

    void enterAndEscapePressOk() {
        QFETCH(int, key);
        frmAbout about(nullptr, "uk");
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        about.activateWindow();
        bool pressed = false;
        connect(about.findChild<QPushButton*>("cmdOK"), &QPushButton::clicked, this,
                [&] { pressed = true; });
        QTest::keyClick(&about, Qt::Key(key));
        QVERIFY(pressed);
        QVERIFY(!about.isVisible());
    }

    void englishCaptionsReachOnlyAnOpenBox() {
        // The shared caption call finds the box by its name among the open windows.
        frmAbout about(nullptr, "uk");
        ApplyEnglishCaptions("de");
        QCOMPARE(Text(&about, "LblHomepage"), QString("Link zur Korvane Homepage"));
        ApplyEnglishCaptions("uk");
        QCOMPARE(Text(&about, "LblHomepage"), QString("Link to the homepage"));
        QCOMPARE(about.windowTitle(), QString("About Korvane"));
    }
};

QTEST_MAIN(FrmAboutTest)
#include "frm_about_test.moc"
