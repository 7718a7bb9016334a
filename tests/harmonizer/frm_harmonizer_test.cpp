// The harmonizer window: the opening sequence, the tick and season rules, and its buttons on the
// real operations. Its texts are checked where the main window opens it.
#include <QComboBox>

#include "app/window_test_support.hpp"
#include "harmonizer/frm_harmonizer.hpp"

using namespace korvane;
using namespace korvane::testing;

namespace {

// The team lists by the names the rows give them.
const std::pair<QString, QString> TeamLists[] = {
    {"F1 2002", "Arrows,Bar,Ferrari,Jaguar,Jordan,McLaren,Minardi,Renault,Sauber,Toyota,Williams"},
    {"GT", "Alda Motorsports,Alexander Frei,APP RACING,Automotive Racing Team,Autorlando,BMS "
           "Scuderia Italia,Carsport Holland,Cirtek Motorsports,Dart Racing,Force One-Italtecnica,"
           "Freisinger Motorsports,Henrik Roos Racing,JMB Competition,Jvg Racing,Larbre "
           "Competition-Chereau,Lister Storm,Mac Racing,Paul Belmondo competition,Proton "
           "Competition,PSI MOTORSPORT,Reiter Engineering,Rws Motorsport,System Force,Widi Racing"},
    {"1999", "Arrows,BAR,Benetton,Ferrari,Jordan,McLaren,Minardi,Prost,Sauber,Stewart,Williams"},
    {"2002", "Arrows,BAR,Ferrari,Jaguar,Jordan,McLaren,Minardi,Renault,Sauber,Toyota,Williams"},
    {"2003", "BAR,Ferrari,Jaguar,Jordan,McLaren,Minardi,Renault,Sauber,Toyota,Williams"},
    {"four seasons", "1999,2000,2001,2002"},
    {"five seasons", "1999,2000,2001,2002,2003"},
};

QString List(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->itemText(i);
    }
    QString name = items.join(',');
    for (const auto& [known, content] : TeamLists) {
        name = name == content ? known : name;
    }
    return name + " @" + list->currentText() + (list->isEnabled() ? "" : " (off)");
}

// What the rules decide: the boxes (see Ticks), then the two lists.
QString State(frmHarmonizer& window) {
    return Ticks(&window, {"ChkF1c", "ChkEA2002", "ChkQL2002", "ChkGT2002"}) + " | " +
           List(Child<QComboBox>(&window, "CmbSeason")) + " | " +
           List(Child<QComboBox>(&window, "CmbTeam"));
}

// What the user does: "click EA2002" (a box), "press BtnEqual", "season 1999", "team Jordan".
void Do(frmHarmonizer& window, const QStringList& steps) {
    for (const QString& step : steps) {
        const QString name = step.section(' ', 1);
        if (step.startsWith("click") || step.startsWith("press")) {
            const QString control = step.startsWith("click") ? "Chk" + name : name;
            QTest::mouseClick(Child(&window, qPrintable(control)), Qt::LeftButton);
            continue;
        }
        auto* list = Child<QComboBox>(&window, step.startsWith("season") ? "CmbSeason" : "CmbTeam");
        const int position = list->findText(name);
        QVERIFY2(position >= 0, qPrintable(step));
        list->setCurrentIndex(position);
        emit list->activated(position);
    }
}

} // namespace

class FrmHarmonizerTest : public QObject {
    Q_OBJECT

  private slots:
    void rules_data() {
        QTest::addColumn<QString>("present"); // the components of the installation
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("state");
        const QString all = "f1c f1 ql gt ql2003";
        QTest::newRow("opens on F1 Challenge")
            << all << QStringList() << "Tooo | five seasons @2002 | F1 2002 @Ferrari";
        QTest::newRow("opens on F1 2002 and the Quillon season")
            << "f1 ql gt" << QStringList() << "-TTo | four seasons @2002 (off) | F1 2002 @Ferrari";
        QTest::newRow("opens on nothing")
            << "" << QStringList() << "---- | four seasons @2002 (off) | F1 2002 @Ferrari";
        QTest::newRow("GT mod ticked") << all << QStringList{"season 1999", "click GT2002"}
                                       << "oooT | five seasons @2002 (off) | GT @Alda Motorsports";
        QTest::newRow("EA 2002 after the GT mod")
            << all << QStringList{"click GT2002", "click EA2002"}
            << "oToo | five seasons @2002 (off) | F1 2002 @Ferrari";
        QTest::newRow("Quillon season with EA 2002")
            << all << QStringList{"click EA2002", "team Toyota", "click QL2002"}
            << "oTTo | five seasons @2002 (off) | F1 2002 @Ferrari";
        QTest::newRow("F1 Challenge after both")
            << all << QStringList{"click EA2002", "click QL2002", "click F1c"}
            << "Tooo | five seasons @2002 | F1 2002 @Ferrari";
        QTest::newRow("F1 Challenge unticked") << all << QStringList{"season 2003", "click F1c"}
                                               << "oooo | five seasons @2003 | 2003 @Ferrari";
        QTest::newRow("season 1999")
            << all << QStringList{"season 1999"} << "Tooo | five seasons @1999 | 1999 @Ferrari";
        QTest::newRow("season 2002") << all << QStringList{"season 2003", "season 2002"}
                                     << "Tooo | five seasons @2002 | 2002 @Ferrari";
        QTest::newRow("season 2003")
            << all << QStringList{"season 2003"} << "Tooo | five seasons @2003 | 2003 @Ferrari";
        QTest::newRow("season without F1 Challenge")
            << all << QStringList{"click F1c", "team Jaguar", "season 1999"}
            << "oooo | five seasons @1999 | F1 2002 @Jaguar";
    }

    void rules() {
        QFETCH(QString, present);
        QFETCH(QStringList, steps);
        AppState state;
        const QStringList has = present.split(' ');
        state.install.HasF1c = has.contains("f1c");
        state.install.HasF1_2002 = has.contains("f1");
        state.install.HasSeasonQL = has.contains("ql");
        state.install.HasGTR2002 = has.contains("gt");
        state.install.HasF1cQL2003 = has.contains("ql2003");
        RecordingSink sink;
        frmHarmonizer window(state, sink);
        window.show();
        Do(window, steps);
        QTEST(State(window), "state");
    }

    void buttonsRunTheOperationsOnTheSelection() {
        TempDir dir;
        FakeInstall fake(dir.Path());
        AppState state;
        state.install = fake.Install();
        RecordingSink sink;
        frmHarmonizer window(state, sink);
        window.show();
        auto original = [&fake](const std::string& path) {
            return FakeInstall::OriginalContent(path.substr(fake.f1Path.size()));
        };
        // F1 Challenge: the places of season and team in their lists.
        Do(window, {"season 2003", "team Jaguar", "press BtnEqual"});
        const CarFiles jaguar = F1cCar(state.install, 5, 3);
        for (const CarFiles& car : F1cCars(state.install)) {
            QCOMPARE(ReadAll(car.performance), ReadAll(jaguar.performanceBackup));
        }
        Do(window, {"press BtnRestore"});
        QCOMPARE(ReadAll(jaguar.performanceBackup), std::string("<missing>"));
        // The F1 2002 family: the team's name, on the ticked components only.
        Do(window, {"click EA2002", "click QL2002", "team McLaren"});
        for (const char* button : {"BtnEqual", "BtnRestore"}) {
            Do(window, {QString("press ") + button});
            for (auto component :
                 {Component2002::EA2002, Component2002::QL2002, Component2002::GT2002}) {
                const std::vector<TeamFiles> teams = ComponentFiles(state.install, component);
                const bool changed =
                    button == std::string("BtnEqual") && component != Component2002::GT2002;
                for (const TeamFiles& team : teams) {
                    QCOMPARE(ReadAll(team.live), original(changed ? teams[5].live : team.live));
                }
            }
        }
    }
};

QTEST_MAIN(FrmHarmonizerTest)
#include "frm_harmonizer_test.moc"
