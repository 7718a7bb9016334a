#include "harmonizer/harmonizer.hpp"

#include "app/backups.hpp"
#include "grip/grip.hpp"
#include "harmonizer/catalogue.hpp"
#include "harmonizer/harmonizer_texts.hpp"

namespace korvane {

namespace {

struct ComponentTables {
    const std::string& (*teamDir)(int);
    const std::string& (*fileBase)(int);
    int count;
};

ComponentTables TablesOf(Component2002 component) {
    if (component == Component2002::GT2002) {
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
    case Component2002::GT2002:
        break;
    }
    return install.DirGTR2002;
}

// Index of the team text in the component's own table, exact and case-sensitive; 0 if absent.
int MasterIndex(Component2002 component, const std::string& teamText) {
    const ComponentTables tables = TablesOf(component);
    int found = 0;
    for (int i = 1; i <= tables.count; ++i) {
        if (tables.teamDir(i) == teamText) {
            found = i;
        }
    }
    return found;
}

FilePairs PairsOf(const std::vector<TeamFiles>& teams) {
    FilePairs pairs;
    for (const TeamFiles& team : teams) {
        pairs.emplace_back(team.live, team.backup);
    }
    return pairs;
}

// Each car's performance file, then its engine file.
FilePairs PairsOf(const std::vector<CarFiles>& cars) {
    FilePairs pairs;
    for (const CarFiles& car : cars) {
        pairs.emplace_back(car.performance, car.performanceBackup);
        pairs.emplace_back(car.engine, car.engineBackup);
    }
    return pairs;
}

// Failures are shown in every language, so that none goes unseen.
void Finish(MessageSink& sink, Language language, const FailureLog& log, const MessageText& done,
            const std::vector<std::string>& values) {
    if (log.Empty()) {
        Say(sink, language, done, values);
    } else {
        sink.Show(log.Summary(language));
    }
}

constexpr Component2002 EveryComponent[] = {Component2002::EA2002, Component2002::QL2002,
                                            Component2002::GT2002};

} // namespace

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

void SeparateSharedBackups(const GameInstall& install, FailureLog& log, FileFaults& faults) {
    FilePairs pairs = install.F1cPath.empty() ? FilePairs{} : PairsOf(F1cCars(install));
    if (!install.F1Path.empty()) {
        for (Component2002 c : EveryComponent) {
            const FilePairs component = PairsOf(ComponentFiles(install, c));
            pairs.insert(pairs.end(), component.begin(), component.end());
        }
        pairs.emplace_back(install.F1Path + GripLiveEA, install.F1Path + GripBackupEA);
        pairs.emplace_back(install.F1Path + GripLiveQL, install.F1Path + GripBackupQL);
    }
    SeparatePass(pairs, log, faults);
}

bool HarmonizeF1_2002(const GameInstall& install, const std::string& teamText,
                      Components2002 components, Language language, MessageSink& sink,
                      FileFaults& faults) {
    const bool knownAnywhere = MasterIndex(Component2002::EA2002, teamText) != 0 ||
                               MasterIndex(Component2002::GT2002, teamText) != 0;
    bool fitsEveryComponent = knownAnywhere;
    for (Component2002 c : EveryComponent) {
        if (components.Has(c) && MasterIndex(c, teamText) == 0) {
            fitsEveryComponent = false;
        }
    }
    if (!fitsEveryComponent) {
        sink.Show(TextIn(language, harmonizer_texts::MasterNotHere, {teamText}));
        return false;
    }

    FailureLog log;
    SeparateSharedBackups(install, log, faults);
    for (Component2002 c : EveryComponent) {
        if (!components.Has(c)) {
            continue;
        }
        const std::vector<TeamFiles> files = ComponentFiles(install, c);
        BackupPass(PairsOf(files), log, faults);
        // Every team, the master included, gets the master's data as the game installed it.
        const std::string& masterBackup = files[MasterIndex(c, teamText) - 1].backup;
        std::vector<CopyJob> copies;
        if (!FileExists(masterBackup)) {
            log.Add(masterBackup, TextIn(language, harmonizer_texts::MasterBackupMissing));
        } else {
            for (const TeamFiles& team : files) {
                if (FileExists(team.backup)) {
                    copies.push_back({masterBackup, team.live});
                }
            }
        }
        CopyPass(copies, log, faults);
        SeparatePass(PairsOf(files), log, faults);
    }
    Finish(sink, language, log, harmonizer_texts::Harmonized2002, {teamText});
    return log.Empty();
}

bool RestoreF1_2002(const GameInstall& install, Components2002 components, Language language,
                    MessageSink& sink, FileFaults& faults) {
    FailureLog log;
    SeparateSharedBackups(install, log, faults);
    for (Component2002 c : EveryComponent) {
        if (!components.Has(c)) {
            continue;
        }
        const std::vector<TeamFiles> files = ComponentFiles(install, c);
        RestorePass(PairsOf(files), log, faults, [&](std::size_t i) {
            Say(sink, language, harmonizer_texts::NotRestored2002, {files[i].team});
        });
    }
    Finish(sink, language, log, harmonizer_texts::Restored, {});
    return log.Empty();
}

bool HarmonizeF1c(const GameInstall& install, int season, int team, Language language,
                  MessageSink& sink, FileFaults& faults) {
    const bool onOffer = season >= 1 && season <= LastSeasonF1c(install.HasF1cQL2003) &&
                         team >= 1 && team <= TeamCountF1c(season);
    if (!onOffer) {
        sink.Show(TextIn(language, harmonizer_texts::InvalidChoice,
                         {std::to_string(season), std::to_string(team)}));
        return false;
    }

    const std::vector<CarFiles> cars = F1cCars(install);
    FailureLog log;
    SeparateSharedBackups(install, log, faults);
    const FilePairs pairs = PairsOf(cars);
    BackupPass(pairs, log, faults);
    const CarFiles master = F1cCar(install, season, team);
    const bool performanceSource = FileExists(master.performanceBackup);
    const bool engineSource = FileExists(master.engineBackup);
    if (!performanceSource) {
        log.Add(master.performanceBackup, TextIn(language, harmonizer_texts::MasterBackupMissing));
    }
    if (!engineSource) {
        log.Add(master.engineBackup, TextIn(language, harmonizer_texts::MasterBackupMissing));
    }
    std::vector<CopyJob> copies;
    for (const CarFiles& car : cars) {
        if (performanceSource && FileExists(car.performanceBackup)) {
            copies.push_back({master.performanceBackup, car.performance});
        }
        if (engineSource && FileExists(car.engineBackup)) {
            copies.push_back({master.engineBackup, car.engine});
        }
    }
    CopyPass(copies, log, faults);
    SeparatePass(pairs, log, faults);
    Finish(sink, language, log, harmonizer_texts::HarmonizedF1c,
           {TeamsF1c(season, team), SeasonsF1c(season)});
    return log.Empty();
}

bool RestoreF1c(const GameInstall& install, Language language, MessageSink& sink,
                FileFaults& faults) {
    const std::vector<CarFiles> cars = F1cCars(install);
    FailureLog log;
    SeparateSharedBackups(install, log, faults);
    auto missing = [&](const CarFiles& car, const MessageText& text) {
        Say(sink, language, text, {TeamsF1c(car.season, car.team), SeasonsF1c(car.season)});
    };
    // All performance files first, then all engine files.
    FilePairs performance;
    FilePairs engine;
    for (const CarFiles& car : cars) {
        performance.emplace_back(car.performance, car.performanceBackup);
        engine.emplace_back(car.engine, car.engineBackup);
    }
    RestorePass(performance, log, faults, [&](std::size_t i) {
        missing(cars[i], harmonizer_texts::PerformanceNotRestoredF1c);
    });
    RestorePass(engine, log, faults,
                [&](std::size_t i) { missing(cars[i], harmonizer_texts::EngineNotRestoredF1c); });
    Finish(sink, language, log, harmonizer_texts::Restored, {});
    return log.Empty();
}

} // namespace korvane
