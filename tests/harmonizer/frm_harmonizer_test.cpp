// The harmonizer window: its opening sequence, the tick rules, the season rule, which operation
// its buttons run with which values, and its texts in both languages.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/window_test_support.hpp"
#include "harmonizer/frm_harmonizer.hpp"

using namespace korvane;
using namespace korvane::testing;

namespace {

const QStringList Teams2002{"Arrows",  "Bar",     "Ferrari", "Jaguar", "Jordan",  "McLaren",
                            "Minardi", "Renault", "Sauber",  "Toyota", "Williams"};
const QStringList TeamsGT{"Alda Motorsports",
                          "Alexander Frei",
                          "APP RACING",
                          "Automotive Racing Team",
                          "Autorlando",
                          "BMS Scuderia Italia",
                          "Carsport Holland",
                          "Cirtek Motorsports",
                          "Dart Racing",
                          "Force One-Italtecnica",
                          "Freisinger Motorsports",
                          "Henrik Roos Racing",
                          "JMB Competition",
                          "Jvg Racing",
                          "Larbre Competition-Chereau",
                          "Lister Storm",
                          "Mac Racing",
                          "Paul Belmondo competition",
                          "Proton Competition",
                          "PSI MOTORSPORT",
                          "Reiter Engineering",
                          "Rws Motorsport",
                          "System Force",
                          "Widi Racing"};
const QStringList TeamsF1c1999{"Arrows",  "BAR",   "Benetton", "Ferrari", "Jordan",  "McLaren",
                               "Minardi", "Prost", "Sauber",   "Stewart", "Williams"};
const QStringList TeamsF1c2000{"Arrows",  "BAR",     "Benetton", "Ferrari", "Jaguar",  "Jordan",
                               "McLaren", "Minardi", "Prost",    "Sauber",  "Williams"};
const QStringList TeamsF1c2002{"Arrows",  "BAR",     "Ferrari", "Jaguar", "Jordan",  "McLaren",
                               "Minardi", "Renault", "Sauber",  "Toyota", "Williams"};
const QStringList TeamsF1c2003{"BAR",     "Ferrari", "Jaguar", "Jordan", "McLaren",
                               "Minardi", "Renault", "Sauber", "Toyota", "Williams"};
const QStringList FourSeasons{"1999", "2000", "2001", "2002"};
const QStringList FiveSeasons{"1999", "2000", "2001", "2002", "2003"};

GameInstall Components(bool f1c, bool f1, bool ql, bool gt, bool ql2003) {
    GameInstall install;
    install.F1Path = "C:\\F1 2002\\";
    install.F1cPath = "C:\\F1C\\";
    install.HasF1c = f1c;
    install.HasF1_2002 = f1;
    install.HasSeasonQL = ql;
    install.HasGTR2002 = gt;
    install.HasF1cQL2003 = ql2003;
    return install;
}

// What the operations were called with.
struct Calls {
    std::vector<std::string> log;
};

HarmonizerActions Recording(Calls& calls) {
    HarmonizerActions actions;
    actions.harmonizeF1_2002 = [&calls](const GameInstall& install, const std::string& team,
                                        bool ea, bool ql, bool gt, const std::string& code,
                                        MessageSink&) {
        calls.log.push_back("HarmonizeF1_2002 " + install.F1Path + " " + team + " " +
                            std::to_string(ea) + std::to_string(ql) + std::to_string(gt) + " " +
                            code);
        return true;
    };
    actions.restoreF1_2002 = [&calls](const GameInstall& install, bool ea, bool ql, bool gt,
                                      const std::string& code, MessageSink&) {
        calls.log.push_back("RestoreF1_2002 " + install.F1Path + " " + std::to_string(ea) +
                            std::to_string(ql) + std::to_string(gt) + " " + code);
        return true;
    };
    actions.harmonizeF1c = [&calls](const GameInstall& install, int season, int team,
                                    const std::string& code, MessageSink&) {
        calls.log.push_back("HarmonizeF1c " + install.F1cPath + " " + std::to_string(season) + " " +
                            std::to_string(team) + " " + code);
        return true;
    };
    actions.restoreF1c = [&calls](const GameInstall& install, const std::string& code,
                                  MessageSink&) {
        calls.log.push_back("RestoreF1c " + install.F1cPath + " " + code);
        return true;
    };
    return actions;
}

// The window as the test sees it.
struct View {
    explicit View(frmHarmonizer& w) : window(w) { window.show(); }
    frmHarmonizer& window;
    QCheckBox* box(const char* name) const { return Child<QCheckBox>(&window, name); }
    QComboBox* seasons() const { return Child<QComboBox>(&window, "CmbSeason"); }
    QComboBox* teams() const { return Child<QComboBox>(&window, "CmbTeam"); }
    static QStringList Items(const QComboBox* list) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i) {
            items << list->itemText(i);
        }
        return items;
    }
    QStringList teamItems() const { return Items(teams()); }
    QStringList seasonItems() const { return Items(seasons()); }
    // "ticked/enabled" of the four boxes, e.g. "F1c:+/+ EA:-/+ QL:-/- GT:-/-".
    QString boxes() const {
        QString text;
        for (const char* name : {"ChkF1c", "ChkEA2002", "ChkQL2002", "ChkGT2002"}) {
            QCheckBox* check = box(name);
            text += QStringLiteral("%1:%2/%3 ")
                        .arg(QLatin1String(name + 3), check->isChecked() ? "+" : "-",
                             check->isEnabled() ? "+" : "-");
        }
        return text.trimmed();
    }
    void click(const char* name) const { QTest::mouseClick(box(name), Qt::LeftButton); }
    // The user picks an entry of the season list.
    void pickSeason(const QString& year) const {
        const int position = seasons()->findText(year);
        QVERIFY(position >= 0);
        seasons()->setCurrentIndex(position);
        emit seasons()->activated(position);
    }
    void pickTeam(const QString& name) const {
        const int position = teams()->findText(name);
        QVERIFY(position >= 0);
        teams()->setCurrentIndex(position);
        emit teams()->activated(position);
    }
};

} // namespace

class FrmHarmonizerTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CloseAllWindows(); }

    void opensWithF1ChallengeTicked() {
        TempDir dir;
        AppState state = StateIn(dir, "de");
        state.install = Components(true, true, true, true, true);
        RecordingSink sink;
        frmHarmonizer window(state, sink);
        View v(window);
        QCOMPARE(v.boxes(), QStringLiteral("F1c:+/+ EA2002:-/+ QL2002:-/+ GT2002:-/+"));
        QCOMPARE(v.seasonItems(), FiveSeasons);
        QCOMPARE(v.seasons()->currentText(), QStringLiteral("2002"));
        QVERIFY(v.seasons()->isEnabled());
        // The tick rule fills Teams2002 ("Bar"), not the season's own list ("BAR").
        QCOMPARE(v.teamItems(), Teams2002);
        QCOMPARE(v.teams()->currentText(), QStringLiteral("Ferrari"));
        QVERIFY(v.teams()->isEnabled());
    }

    void opensWithoutF1ChallengeOnTheF1_2002Components() {
        struct Case {
            bool f1, ql, gt;
            const char* boxes;
        };
        for (const Case& c : {
                 Case{true, true, true, "F1c:-/- EA2002:+/+ QL2002:+/+ GT2002:-/+"},
                 Case{true, false, false, "F1c:-/- EA2002:+/+ QL2002:-/- GT2002:-/-"},
                 Case{false, true, false, "F1c:-/- EA2002:-/- QL2002:+/+ GT2002:-/-"},
                 Case{false, false, true, "F1c:-/- EA2002:-/- QL2002:-/- GT2002:-/+"},
                 Case{false, false, false, "F1c:-/- EA2002:-/- QL2002:-/- GT2002:-/-"},
             }) {
            TempDir dir;
            AppState state = StateIn(dir, "de");
            state.install = Components(false, c.f1, c.ql, c.gt, false);
            RecordingSink sink;
            frmHarmonizer window(state, sink);
            View v(window);
            QCOMPARE(v.boxes(), QString::fromLatin1(c.boxes));
            QCOMPARE(v.seasonItems(), FourSeasons);
            QCOMPARE(v.seasons()->currentText(), QStringLiteral("2002"));
            QVERIFY(!v.seasons()->isEnabled());
            QCOMPARE(v.teamItems(), Teams2002);
            QCOMPARE(v.teams()->currentText(), QStringLiteral("Ferrari"));
        }
    }

    void tickRulesKeepTheComponentsApart() {
        TempDir dir;
        AppState state = StateIn(dir, "de");
        state.install = Components(true, true, true, true, true);
        RecordingSink sink;
        frmHarmonizer window(state, sink);
        View v(window);

        v.pickSeason("1999");
        v.click("ChkGT2002");
        QCOMPARE(v.boxes(), QStringLiteral("F1c:-/+ EA2002:-/+ QL2002:-/+ GT2002:+/+"));
        QCOMPARE(v.teamItems(), TeamsGT);
        QCOMPARE(v.teams()->currentIndex(), 0);
        QCOMPARE(v.seasons()->currentText(), QStringLiteral("2002"));
        QVERIFY(!v.seasons()->isEnabled());

        v.click("ChkEA2002");
        QCOMPARE(v.boxes(), QStringLiteral("F1c:-/+ EA2002:+/+ QL2002:-/+ GT2002:-/+"));
        QCOMPARE(v.teamItems(), Teams2002);
        QCOMPARE(v.teams()->currentText(), QStringLiteral("Ferrari"));

        // EA 2002 and the Quillon season go together.
        v.pickTeam("Toyota");
        v.click("ChkQL2002");
        QCOMPARE(v.boxes(), QStringLiteral("F1c:-/+ EA2002:+/+ QL2002:+/+ GT2002:-/+"));
        QCOMPARE(v.teamItems(), Teams2002);
        QCOMPARE(v.teams()->currentText(), QStringLiteral("Ferrari"));
        QCOMPARE(v.seasons()->currentText(), QStringLiteral("2002"));
        QVERIFY(!v.seasons()->isEnabled());

        v.click("ChkF1c");
        QCOMPARE(v.boxes(), QStringLiteral("F1c:+/+ EA2002:-/+ QL2002:-/+ GT2002:-/+"));
        QCOMPARE(v.teamItems(), Teams2002);
        QCOMPARE(v.teams()->currentText(), QStringLiteral("Ferrari"));
        QCOMPARE(v.seasons()->currentText(), QStringLiteral("2002"));
        QVERIFY(v.seasons()->isEnabled());

        v.pickSeason("2000");
        v.click("ChkQL2002");
        QCOMPARE(v.boxes(), QStringLiteral("F1c:-/+ EA2002:-/+ QL2002:+/+ GT2002:-/+"));
        QCOMPARE(v.teamItems(), Teams2002);
        QCOMPARE(v.seasons()->currentText(), QStringLiteral("2002"));
        QVERIFY(!v.seasons()->isEnabled());

        v.click("ChkGT2002");
        v.click("ChkF1c");
        QCOMPARE(v.boxes(), QStringLiteral("F1c:+/+ EA2002:-/+ QL2002:-/+ GT2002:-/+"));
        QCOMPARE(v.teamItems(), Teams2002);
        QCOMPARE(v.teams()->currentText(), QStringLiteral("Ferrari"));
    }

    void untickingChangesNothingElse() {
        TempDir dir;
        AppState state = StateIn(dir, "de");
        state.install = Components(true, true, true, true, true);
        RecordingSink sink;
        frmHarmonizer window(state, sink);
        View v(window);
        v.pickSeason("2003");
        v.click("ChkF1c");
        QCOMPARE(v.boxes(), QStringLiteral("F1c:-/+ EA2002:-/+ QL2002:-/+ GT2002:-/+"));
        QVERIFY(v.seasons()->isEnabled());
        QCOMPARE(v.seasons()->currentText(), QStringLiteral("2003"));
        QCOMPARE(v.teamItems(), TeamsF1c2003);
        QCOMPARE(v.teams()->currentText(), QStringLiteral("Ferrari"));

        v.click("ChkGT2002");
        v.pickTeam("Lister Storm");
        v.click("ChkGT2002");
        QCOMPARE(v.boxes(), QStringLiteral("F1c:-/+ EA2002:-/+ QL2002:-/+ GT2002:-/+"));
        QCOMPARE(v.teamItems(), TeamsGT);
        QCOMPARE(v.teams()->currentText(), QStringLiteral("Lister Storm"));
    }

    void seasonRuleListsThatSeasonsTeamsWithFerrari() {
        struct Case {
            const char* year;
            QStringList teams;
            int ferrari;
        };
        TempDir dir;
        AppState state = StateIn(dir, "de");
        state.install = Components(true, false, false, false, true);
        RecordingSink sink;
        frmHarmonizer window(state, sink);
        View v(window);
        for (const Case& c : {Case{"2003", TeamsF1c2003, 1}, Case{"1999", TeamsF1c1999, 3},
                              Case{"2000", TeamsF1c2000, 3}, Case{"2002", TeamsF1c2002, 2}}) {
            v.pickSeason(c.year);
            QCOMPARE(v.teamItems(), c.teams);
            QCOMPARE(v.teams()->currentIndex(), c.ferrari);
            QCOMPARE(v.teams()->currentText(), QStringLiteral("Ferrari"));
        }
        v.pickSeason("2001");
        QCOMPARE(v.teams()->currentIndex(), 3);
        QCOMPARE(v.teams()->currentText(), QStringLiteral("Ferrari"));
    }

    void seasonChoiceWithoutF1ChallengeLeavesTheTeams() {
        TempDir dir;
        AppState state = StateIn(dir, "de");
        state.install = Components(true, true, false, true, true);
        RecordingSink sink;
        frmHarmonizer window(state, sink);
        View v(window);
        v.click("ChkF1c"); // unticked, the season list stays enabled
        v.click("ChkGT2002");
        v.click("ChkGT2002");
        v.pickTeam("Widi Racing");
        v.pickSeason("1999");
        QCOMPARE(v.teamItems(), TeamsGT);
        QCOMPARE(v.teams()->currentText(), QStringLiteral("Widi Racing"));
    }

    void buttonsRunTheOperationWithTheSelection() {
        TempDir dir;
        AppState state = StateIn(dir, "uk");
        state.install = Components(true, true, true, true, true);
        RecordingSink sink;
        Calls calls;
        frmHarmonizer window(state, sink, Recording(calls));
        View v(window);
        auto press = [&](const char* name) {
            QTest::mouseClick(Child<QPushButton>(&window, name), Qt::LeftButton);
        };

        v.pickSeason("2003");
        v.pickTeam("Jaguar");
        press("BtnEqual");
        press("BtnRestore");
        v.pickSeason("1999");
        press("BtnEqual"); // Ferrari, the fourth team of 1999
        v.click("ChkEA2002");
        v.click("ChkQL2002");
        v.pickTeam("McLaren");
        press("BtnEqual");
        press("BtnRestore");
        v.click("ChkGT2002");
        v.pickTeam("JMB Competition");
        press("BtnEqual");
        press("BtnRestore");

        const std::vector<std::string> expected{
            "HarmonizeF1c C:\\F1C\\ 5 3 uk",
            "RestoreF1c C:\\F1C\\ uk",
            "HarmonizeF1c C:\\F1C\\ 1 4 uk",
            "HarmonizeF1_2002 C:\\F1 2002\\ McLaren 110 uk",
            "RestoreF1_2002 C:\\F1 2002\\ 110 uk",
            "HarmonizeF1_2002 C:\\F1 2002\\ JMB Competition 001 uk",
            "RestoreF1_2002 C:\\F1 2002\\ 001 uk",
        };
        QCOMPARE(calls.log, expected);
    }

    void buttonsRunWithNothingTicked() {
        TempDir dir;
        AppState state = StateIn(dir, "de");
        state.install = Components(false, false, false, false, false);
        RecordingSink sink;
        Calls calls;
        frmHarmonizer window(state, sink, Recording(calls));
        QTest::mouseClick(Child<QPushButton>(&window, "BtnEqual"), Qt::LeftButton);
        QTest::mouseClick(Child<QPushButton>(&window, "BtnRestore"), Qt::LeftButton);
        const std::vector<std::string> expected{"HarmonizeF1_2002 C:\\F1 2002\\ Ferrari 000 de",
                                                "RestoreF1_2002 C:\\F1 2002\\ 000 de"};
        QCOMPARE(calls.log, expected);
    }

    void harmonizesAndRestoresTheFilesOfAFakeInstallation() {
        TempDir dir;
        FakeInstall fake(dir.Path());
        AppState state = StateIn(dir, "de");
        state.install = fake.Install();
        state.install.HasF1c = false; // the F1 2002 boxes open ticked
        RecordingSink sink;
        frmHarmonizer window(state, sink);
        window.show();
        View v(window);
        v.pickTeam("Jordan");
        QTest::mouseClick(Child<QPushButton>(&window, "BtnEqual"), Qt::LeftButton);

        const std::vector<TeamFiles> ea = ComponentFiles(state.install, Component2002::EA2002);
        const std::vector<TeamFiles> ql = ComponentFiles(state.install, Component2002::QL2002);
        const std::vector<TeamFiles> gt = ComponentFiles(state.install, Component2002::GT2002);
        auto relative = [&](const std::string& path) { return path.substr(fake.f1Path.size()); };
        const std::string jordanEA = FakeInstall::OriginalContent(relative(ea[4].live));
        const std::string jordanQL = FakeInstall::OriginalContent(relative(ql[4].live));
        for (const TeamFiles& team : ea) {
            QCOMPARE(ReadAll(team.live), jordanEA);
            QCOMPARE(ReadAll(team.backup), FakeInstall::OriginalContent(relative(team.live)));
        }
        for (const TeamFiles& team : ql) {
            QCOMPARE(ReadAll(team.live), jordanQL);
        }
        for (const TeamFiles& team : gt) { // not ticked, not touched
            QCOMPARE(ReadAll(team.live), FakeInstall::OriginalContent(relative(team.live)));
            QCOMPARE(ReadAll(team.backup), std::string("<missing>"));
        }
        QCOMPARE(sink.texts.size(), std::size_t{1});

        QTest::mouseClick(Child<QPushButton>(&window, "BtnRestore"), Qt::LeftButton);
        for (const auto* files : {&ea, &ql}) {
            for (const TeamFiles& team : *files) {
                QCOMPARE(ReadAll(team.live), FakeInstall::OriginalContent(relative(team.live)));
                QCOMPARE(ReadAll(team.backup), std::string("<missing>"));
            }
        }
        QCOMPARE(sink.texts.size(), std::size_t{2});
    }

    void textsInBothLanguages() {
        struct Row {
            const char* name;
            const char* german;
            const char* english;
        };
        const Row rows[] = {
            {"frmAction", "1.) Aktionen wirken auf:", "1.) Actions apply to:"},
            {"LblF1c", "EA F1 Challenge 99-02", "EA F1 Challenge 99-02"},
            {"LblEASeason02", "EA F1 2002", "EA F1 2002"},
            {"Label1", "Quillon Season 2002", "Quillon Season 2002"},
            {"LblGT2002", "GT Racing 2002 Mod", "GT Racing 2002 Mod"},
            {"FrmTeam", "2.) Performance angleichen an:", "2.) \"Masterteam\" for performance:"},
            {"LblSeason", "Saison:", "Season:"},
            {"LblTeam", "Team:", "Team:"},
            {"FrameActionGo", "3.) Aktion ausführen:", "3.) Perform action:"},
            {"BtnEqual", "Performance angleichen", "Harmonize performance"},
            {"BtnRestore", "Original Performance wiederherstellen", "Restore original performance"},
            {"BtnQuit", "Zurück zum Auswahlmenü", "Back to main menu"},
        };
        TempDir dir;
        AppState state = StateIn(dir, "uk");
        RecordingSink sink;
        frmHarmonizer window(state, sink);
        QCOMPARE(window.windowTitle(), QStringLiteral("Multiplayer Performance Harmonizer"));
        for (const Row& row : rows) {
            QCOMPARE(ShownText(&window, row.name), U8(row.german));
        }
        for (const char* check : {"ChkF1c", "ChkEA2002", "ChkQL2002", "ChkGT2002"}) {
            QCOMPARE(Child<QCheckBox>(&window, check)->text(), QString());
        }
        ApplyEnglishCaptions("uk");
        QCOMPARE(window.windowTitle(), QStringLiteral("Multiplayer Performance Harmonizer"));
        for (const Row& row : rows) {
            QCOMPARE(ShownText(&window, row.name), U8(row.english));
        }
        QCOMPARE(window.minimumSize(), window.maximumSize());
    }

    void quitClosesTheWindow() {
        TempDir dir;
        AppState state = StateIn(dir, "de");
        RecordingSink sink;
        frmHarmonizer window(state, sink);
        window.show();
        QTest::mouseClick(Child<QPushButton>(&window, "BtnQuit"), Qt::LeftButton);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(FrmHarmonizerTest)
#include "frm_harmonizer_test.moc"
