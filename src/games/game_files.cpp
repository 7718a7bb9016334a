#include "games/game_files.hpp"

#include "core/path_text.hpp"
#include "games/catalogue.hpp"

namespace korvane {

namespace {

struct ComponentTables {
    const std::string& (*teamDir)(int);
    const std::string& (*fileBase)(int);
    int count;
};

ComponentTables TablesOf(Component2002 component) {
    if (component == Component2002::GTR2002) {
        return {TeamsGTR2002, CarsGTR2002, TeamsGTR2002Count};
    }
    return {Teams2002, Teams2002, Teams2002Count};
}

const std::string& SubDirectory(const GameInstall& install, Component2002 component) {
    switch (component) {
    case Component2002::EA2002:
        return install.DirSeason02;
    case Component2002::QL2002:
        return install.DirSeasonQL02;
    case Component2002::GTR2002:
        break;
    }
    return install.DirGTR2002;
}

} // namespace

std::vector<std::string> TeamNames(Component2002 component) {
    return component == Component2002::GTR2002 ? TeamNamesGTR2002() : TeamNames2002();
}

std::vector<TeamFiles> ComponentFiles(const GameInstall& install, Component2002 component) {
    const ComponentTables tables = TablesOf(component);
    std::vector<TeamFiles> files;
    for (int i = 1; i <= tables.count; ++i) {
        const std::string live = install.F1Path + SubDirectory(install, component) +
                                 tables.teamDir(i) + "\\" + tables.fileBase(i) + ".hdv";
        files.push_back({tables.teamDir(i), live, BackupPathOf(live)});
    }
    return files;
}

CarFiles F1cCar(const GameInstall& install, int season, int team) {
    const std::string dir = install.F1cPath + install.DirSeasonData + CarDirsF1c(season, team);
    const std::string stem = "\\" + SeasonsF1c(season) + "_" + TeamsF1c(season, team);
    return {season,
            team,
            dir + stem + ".hdv",
            dir + stem + ".org",
            dir + "\\engine.ini",
            dir + "\\engine.org"};
}

std::vector<CarFiles> F1cCars(const GameInstall& install) {
    std::vector<CarFiles> cars;
    for (int s = 1; s <= LastSeasonF1c(install.HasF1cQL2003); ++s) {
        for (int t = 1; t <= TeamCountF1c(s); ++t) {
            cars.push_back(F1cCar(install, s, t));
        }
    }
    return cars;
}

FilePairs EveryFilePair(const GameInstall& install) {
    FilePairs pairs;
    if (!install.F1cPath.empty()) {
        for (const CarFiles& car : F1cCars(install)) {
            pairs.emplace_back(car.performance, car.performanceBackup);
            pairs.emplace_back(car.engine, car.engineBackup);
        }
    }
    if (!install.F1Path.empty()) {
        for (Component2002 c : EveryComponent2002) {
            for (const TeamFiles& team : ComponentFiles(install, c)) {
                pairs.emplace_back(team.live, team.backup);
            }
        }
        for (const GripTable& table : {GripTableEA, GripTableQL}) {
            pairs.emplace_back(install.F1Path + table.live, install.F1Path + table.backup);
        }
    }
    return pairs;
}

bool StartChanges(InstallationLock& lock, const OperationContext& context, FailureLog& log) {
    const GameInstall& install = context.install;
    if (!LockForChanges(lock, {install.F1Path, install.F1cPath}, context.language, context.sink)) {
        return false;
    }
    SeparatePass(EveryFilePair(install), log, context.faults);
    return true;
}

std::string ShippedGripFile(const std::string& programDir, const GripTable& table) {
    return programDir + (EndsInSeparator(programDir) ? "" : "\\") + table.shipped;
}

} // namespace korvane
