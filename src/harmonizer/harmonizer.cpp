#include "harmonizer/harmonizer.hpp"

#include <algorithm>

#include "core/backups.hpp"
#include "games/catalogue.hpp"
#include "harmonizer/harmonizer_texts.hpp"

namespace korvane {

namespace {

// Index of the team text in the component's own table, exact and case-sensitive; 0 if absent.
int MasterIndex(Component2002 component, const std::string& teamText) {
    const std::vector<std::string> names = TeamNames(component);
    const auto found = std::find(names.begin(), names.end(), teamText);
    return found == names.end() ? 0 : static_cast<int>(found - names.begin()) + 1;
}

FilePairs PairsOf(const std::vector<TeamFiles>& teams) {
    FilePairs pairs;
    for (const TeamFiles& team : teams) {
        pairs.emplace_back(team.live, team.backup);
    }
    return pairs;
}

// The cars' performance files and their engine files, each a group of its own.
std::pair<FilePairs, FilePairs> KindsOf(const std::vector<CarFiles>& cars) {
    std::pair<FilePairs, FilePairs> kinds;
    for (const CarFiles& car : cars) {
        kinds.first.emplace_back(car.performance, car.performanceBackup);
        kinds.second.emplace_back(car.engine, car.engineBackup);
    }
    return kinds;
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
Outcome Finish(const OperationContext& context, const FailureLog& log, const MessageText& done,
               const std::vector<std::string>& values) {
    if (log.Empty()) {
        Say(context.sink, context.language, done, values);
        return Outcome::Done;
    }
    context.ShowFailures(log);
    return Outcome::Failed;
}

// Copies of the master's backup onto every live file of the group that may be replaced; none
// when the master's backup cannot give its data (an empty one is logged as every empty backup).
std::vector<CopyJob> MasterCopies(const FilePairs& group, const std::string& masterBackup,
                                  FailureLog& log, Language language) {
    const std::vector<bool> replaceable = Replaceable(group, {}, log, language);
    const BackupKind master = KindOfBackup(masterBackup);
    if (master != BackupKind::Usable) {
        if (master != BackupKind::Empty) {
            log.Add(masterBackup, TextIn(language, harmonizer_texts::MasterBackupMissing));
        }
        return {};
    }
    std::vector<CopyJob> copies;
    for (std::size_t i = 0; i < group.size(); ++i) {
        if (replaceable[i]) {
            copies.push_back({masterBackup, group[i].first});
        }
    }
    return copies;
}

} // namespace

Outcome HarmonizeF1_2002(const OperationContext& context, const std::string& teamText,
                         Components2002 components) {
    const bool knownAnywhere = MasterIndex(Component2002::EA2002, teamText) != 0 ||
                               MasterIndex(Component2002::GTR2002, teamText) != 0;
    bool fitsEveryComponent = knownAnywhere;
    for (Component2002 c : EveryComponent2002) {
        if (components.Has(c) && MasterIndex(c, teamText) == 0) {
            fitsEveryComponent = false;
        }
    }
    if (!fitsEveryComponent) {
        context.sink.Show(TextIn(context.language, harmonizer_texts::MasterNotHere, {teamText}));
        return Outcome::Refused;
    }
    InstallationLock lock;
    FailureLog log;
    if (!StartChanges(lock, context, log)) {
        return Outcome::Refused;
    }
    for (Component2002 c : EveryComponent2002) {
        if (!components.Has(c)) {
            continue;
        }
        const std::vector<TeamFiles> files = ComponentFiles(context.install, c);
        const FilePairs pairs = PairsOf(files);
        BackupPass(pairs, log, context.faults);
        // Every team, the master included, gets the master's data as the game installed it.
        const std::string& masterBackup = files[MasterIndex(c, teamText) - 1].backup;
        CopyPass(MasterCopies(pairs, masterBackup, log, context.language), log, context.faults);
        SeparatePass(pairs, log, context.faults);
    }
    return Finish(context, log, harmonizer_texts::Harmonized2002, {teamText});
}

Outcome RestoreF1_2002(const OperationContext& context, Components2002 components) {
    InstallationLock lock;
    FailureLog log;
    if (!StartChanges(lock, context, log)) {
        return Outcome::Refused;
    }
    for (Component2002 c : EveryComponent2002) {
        if (!components.Has(c)) {
            continue;
        }
        const std::vector<TeamFiles> files = ComponentFiles(context.install, c);
        RestorePass(PairsOf(files), {}, log, context.faults, context.language, [&](std::size_t i) {
            Say(context.sink, context.language, harmonizer_texts::NotRestored2002, {files[i].team});
        });
    }
    return Finish(context, log, harmonizer_texts::Restored, {});
}

Outcome HarmonizeF1c(const OperationContext& context, int season, int team) {
    const GameInstall& install = context.install;
    const bool onOffer = season >= 1 && season <= LastSeasonF1c(install.HasF1cQL2003) &&
                         team >= 1 && team <= TeamCountF1c(season);
    if (!onOffer) {
        context.sink.Show(TextIn(context.language, harmonizer_texts::InvalidChoice,
                                 {std::to_string(season), std::to_string(team)}));
        return Outcome::Refused;
    }
    const std::vector<CarFiles> cars = F1cCars(install);
    InstallationLock lock;
    FailureLog log;
    if (!StartChanges(lock, context, log)) {
        return Outcome::Refused;
    }
    const FilePairs pairs = PairsOf(cars);
    BackupPass(pairs, log, context.faults);
    const CarFiles master = F1cCar(install, season, team);
    const auto [performance, engine] = KindsOf(cars);
    std::vector<CopyJob> copies =
        MasterCopies(performance, master.performanceBackup, log, context.language);
    const std::vector<CopyJob> engines =
        MasterCopies(engine, master.engineBackup, log, context.language);
    copies.insert(copies.end(), engines.begin(), engines.end());
    CopyPass(copies, log, context.faults);
    SeparatePass(pairs, log, context.faults);
    return Finish(context, log, harmonizer_texts::HarmonizedF1c,
                  {TeamsF1c(season, team), SeasonsF1c(season)});
}

Outcome RestoreF1c(const OperationContext& context) {
    const std::vector<CarFiles> cars = F1cCars(context.install);
    InstallationLock lock;
    FailureLog log;
    if (!StartChanges(lock, context, log)) {
        return Outcome::Refused;
    }
    auto missing = [&](const CarFiles& car, const MessageText& text) {
        Say(context.sink, context.language, text,
            {TeamsF1c(car.season, car.team), SeasonsF1c(car.season)});
    };
    // All performance files first, then all engine files.
    const auto [performance, engine] = KindsOf(cars);
    RestorePass(performance, {}, log, context.faults, context.language, [&](std::size_t i) {
        missing(cars[i], harmonizer_texts::PerformanceNotRestoredF1c);
    });
    RestorePass(engine, {}, log, context.faults, context.language,
                [&](std::size_t i) { missing(cars[i], harmonizer_texts::EngineNotRestoredF1c); });
    return Finish(context, log, harmonizer_texts::Restored, {});
}

} // namespace korvane
