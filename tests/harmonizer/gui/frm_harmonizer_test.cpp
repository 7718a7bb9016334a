// The harmonizer window: the opening sequence, the tick and season rules, and its buttons on the
// real operations. Its texts are checked where the main window opens it.
#include <QComboBox>

#include "harmonizer/gui/frm_harmonizer.hpp"
#include "support/window_test_support.hpp"

using namespace korvane;
using namespace korvane::testing;

namespace {

// A list as its size, the first three teams (they tell the team lists apart) and its selection,
// "(off)" when disabled.
QString List(QWidget* window, const char* name) {
    auto* list = Child<QComboBox>(window, name);
    QString shown = QString::number(list->count()) + ' ';
    for (int i = 0; i < 3 && name == QLatin1String("CmbTeam"); ++i) {
        shown += list->itemText(i) + (i < 2 ? ',' : ' ');
    }
    return shown + '@' + list->currentText() + (list->isEnabled() ? "" : " (off)");
}

// What the user does: a click on a control ("ChkEA2002") or a pick from a list ("CmbTeam Jordan").
void Do(QWidget* window, const QStringList& steps) {
    for (const QString& step : steps) {
        auto* list = Child<QComboBox>(window, qPrintable(step.section(' ', 0, 0)));
        if (!list) {
            QTest::mouseClick(Child(window, qPrintable(step)), Qt::LeftButton);
            continue;
        }
        const int position = list->findText(step.section(' ', 1));
        QVERIFY2(position >= 0, qPrintable(step));
        list->setCurrentIndex(position);
        emit list->activated(position);
    }
}

} // namespace

class FrmHarmonizerTest : public QObject {
    Q_OBJECT

  private slots:
    // What the rules decide, the boxes (see Ticks) and the two lists, after the user's steps (see
    // Do), on an installation with every component, with F1 2002, the Quillon season and the GT
    // mod, or with nothing.
    void rules() {
        GameInstall f1s;
        f1s.HasF1_2002 = f1s.HasSeasonQL = f1s.HasGTR2002 = true;
        GameInstall all = f1s;
        all.HasF1c = all.HasF1cQL2003 = true;
        const char* f1 = "Arrows,Bar,Ferrari @Ferrari"; // F1 2002's teams, with "Bar"
        const std::tuple<GameInstall, const char*, QString> rows[] = {
            {all, "", QString("Tooo | 5 @2002 | 11 ") + f1},
            {f1s, "", QString("-TTo | 4 @2002 (off) | 11 ") + f1},
            {{}, "", QString("---- | 4 @2002 (off) | 11 ") + f1},
            {all, "CmbSeason 1999; ChkGT2002",
             "oooT | 5 @2002 (off) | 24 Alda Motorsports,Alexander Frei,APP RACING @Alda "
             "Motorsports"},
            {all, "ChkGT2002; ChkEA2002; CmbTeam Toyota; ChkQL2002",
             QString("oTTo | 5 @2002 (off) | 11 ") + f1},
            {all, "ChkEA2002; ChkQL2002; ChkF1c", QString("Tooo | 5 @2002 | 11 ") + f1},
            {all, "CmbSeason 2003; ChkF1c", "oooo | 5 @2003 | 10 BAR,Ferrari,Jaguar @Ferrari"},
            {all, "CmbSeason 1999", "Tooo | 5 @1999 | 11 Arrows,BAR,Benetton @Ferrari"},
            {all, "CmbSeason 2003; CmbSeason 2002",
             "Tooo | 5 @2002 | 11 Arrows,BAR,Ferrari @Ferrari"},
            {all, "ChkF1c; CmbTeam Jaguar; CmbSeason 1999",
             "oooo | 5 @1999 | 11 Arrows,Bar,Ferrari @Jaguar"},
        };
        for (const auto& [present, steps, expected] : rows) {
            AppState state;
            state.install = present;
            RecordingSink sink;
            frmHarmonizer window(state, sink);
            window.show();
            Do(&window, QString(steps).split("; ", Qt::SkipEmptyParts));
            const QString shown =
                Ticks(&window, {"ChkF1c", "ChkEA2002", "ChkQL2002", "ChkGT2002"}) + " | " +
                List(&window, "CmbSeason") + " | " + List(&window, "CmbTeam");
            QCOMPARE(shown + " after " + steps, expected + " after " + steps);
        }
    }

    void buttonsRunTheOperationsOnTheSelection() {
        TempDir dir;
        FakeInstall fake(dir.Path());
        AppState state;
        state.install = fake.Install();
        RecordingSink sink;
        frmHarmonizer window(state, sink);
        window.show();
        // F1 Challenge: the places of season and team in their lists.
        Do(&window, {"CmbSeason 2003", "CmbTeam Jaguar", "BtnEqual"});
        const CarFiles jaguar = F1cCar(state.install, 5, 3);
        for (const CarFiles& car : F1cCars(state.install)) {
            QCOMPARE(ReadAll(car.performance), ReadAll(jaguar.performanceBackup));
        }
        Do(&window, {"BtnRestore"});
        QCOMPARE(ReadAll(jaguar.performanceBackup), std::string("<missing>"));
        // The F1 2002 family: the team's name, on the ticked components only.
        Do(&window, {"ChkEA2002", "ChkQL2002", "CmbTeam McLaren"});
        using enum Component2002;
        for (const char* button : {"BtnEqual", "BtnRestore"}) {
            Do(&window, {button});
            for (auto component : {EA2002, QL2002, GTR2002}) {
                const std::vector<TeamFiles> teams = ComponentFiles(state.install, component);
                const bool changed = button == std::string("BtnEqual") && component != GTR2002;
                for (const TeamFiles& team : teams) {
                    const std::string& source = changed ? teams[5].live : team.live;
                    QCOMPARE(ReadAll(team.live),
                             FakeInstall::OriginalContent(source.substr(fake.f1Path.size())));
                }
            }
        }
    }
};

QTEST_MAIN(FrmHarmonizerTest)
#include "frm_harmonizer_test.moc"
