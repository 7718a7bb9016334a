// The harmonizer window: the opening sequence, the tick and season rules, and its buttons on the
// real operations. Its texts are checked where the main window opens it.
#include <QComboBox>

#include "app/window_test_support.hpp"
#include "harmonizer/frm_harmonizer.hpp"

using namespace korvane;
using namespace korvane::testing;

namespace {

// A list as its size, the first three teams and its selection, "(off)" when disabled. The first
// three tell the team lists apart.
QString List(QWidget* window, const char* name) {
    auto* list = Child<QComboBox>(window, name);
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->itemText(i);
    }
    const QString first = name == QLatin1String("CmbTeam") ? items.mid(0, 3).join(',') + ' ' : "";
    return QString::number(items.size()) + ' ' + first + '@' + list->currentText() +
           (list->isEnabled() ? "" : " (off)");
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
    // What the rules decide, the boxes (see Ticks) and the two lists, after the user's steps (see
    // Do), on an installation with every component, with F1 2002, the Quillon season and the GT
    // mod, or with nothing.
    void rules() {
        const char* all = "f1c f1 ql gt ql2003";
        const char* f1 = "Arrows,Bar,Ferrari @Ferrari"; // F1 2002's teams, with "Bar"
        const struct {
            const char* present;
            const char* steps;
            QString state;
        } rows[] = {
            {all, "", QString("Tooo | 5 @2002 | 11 ") + f1},
            {"f1 ql gt", "", QString("-TTo | 4 @2002 (off) | 11 ") + f1},
            {"", "", QString("---- | 4 @2002 (off) | 11 ") + f1},
            {all, "season 1999; click GT2002",
             "oooT | 5 @2002 (off) | 24 Alda Motorsports,Alexander Frei,APP RACING @Alda "
             "Motorsports"},
            {all, "click GT2002; click EA2002; team Toyota; click QL2002",
             QString("oTTo | 5 @2002 (off) | 11 ") + f1},
            {all, "click EA2002; click QL2002; click F1c", QString("Tooo | 5 @2002 | 11 ") + f1},
            {all, "season 2003; click F1c", "oooo | 5 @2003 | 10 BAR,Ferrari,Jaguar @Ferrari"},
            {all, "season 1999", "Tooo | 5 @1999 | 11 Arrows,BAR,Benetton @Ferrari"},
            {all, "season 2003; season 2002", "Tooo | 5 @2002 | 11 Arrows,BAR,Ferrari @Ferrari"},
            {all, "click F1c; team Jaguar; season 1999",
             "oooo | 5 @1999 | 11 Arrows,Bar,Ferrari @Jaguar"},
        };
        for (const auto& row : rows) {
            const QStringList has = QString(row.present).split(' ');
            AppState state;
            state.install.HasF1c = has.contains("f1c");
            state.install.HasF1_2002 = has.contains("f1");
            state.install.HasSeasonQL = has.contains("ql");
            state.install.HasGTR2002 = has.contains("gt");
            state.install.HasF1cQL2003 = has.contains("ql2003");
            RecordingSink sink;
            frmHarmonizer window(state, sink);
            window.show();
            Do(window, QString(row.steps).split("; ", Qt::SkipEmptyParts));
            const QString shown =
                Ticks(&window, {"ChkF1c", "ChkEA2002", "ChkQL2002", "ChkGT2002"}) + " | " +
                List(&window, "CmbSeason") + " | " + List(&window, "CmbTeam");
            QCOMPARE(shown + " after " + row.steps, row.state + " after " + row.steps);
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
