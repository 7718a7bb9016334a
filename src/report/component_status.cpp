#include "report/component_status.hpp"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "core/backups.hpp"
#include "core/file_system.hpp"
#include "games/catalogue.hpp"
#include "games/game_files.hpp"
#include "report/sha256.hpp"

namespace korvane::lancheck {

namespace {

const std::string HarmonizedTo = "harmonized to ";

using Content = std::optional<std::string>;

Content Read(const std::string& pathText) {
    Result<std::string> read = ReadFileText(pathText);
    return read.ok() ? Content(std::move(read.value())) : std::nullopt;
}

// Only what the operations take for a backup counts as one: a regular file with content, never
// a link at its name.
Content ReadBackup(const std::string& pathText) {
    return KindOfBackup(pathText) == BackupKind::Usable ? Read(pathText) : std::nullopt;
}

// One file of a component: its path below the game directory, the live file and its backup.
struct Slot {
    std::string relative;
    std::string live;
    std::string backup;
    std::string backupRelative;
};

FileStatus MakeFile(const Slot& slot, const Content& content, const std::string& holds) {
    if (!content) {
        return {slot.relative, StateMissing, ""};
    }
    return {slot.relative, holds, ShortSha256(*content),
            SameFile(slot.live, slot.backup) ? slot.backupRelative : ""};
}

// What a harmonize copies from as one master: a team (one file) or a car (two files), and what
// its files hold, slot by slot. A file that cannot be read holds nothing, and so does a backup
// that is no usable one.
struct Unit {
    std::string label;
    std::vector<Slot> slots;
    std::vector<Content> live;
    std::vector<Content> backups;
};

Unit ReadUnit(std::string label, std::vector<Slot> slots) {
    Unit unit{std::move(label), std::move(slots), {}, {}};
    for (const Slot& slot : unit.slots) {
        unit.live.push_back(Read(slot.live));
        unit.backups.push_back(ReadBackup(slot.backup));
    }
    return unit;
}

Slot MakeSlot(const std::string& gameDir, const std::string& live, const std::string& backup) {
    return {live.substr(gameDir.size()), live, backup, backup.substr(gameDir.size())};
}

// The path text is part of what is hashed, and so is the length, so that neither a renamed
// file nor content moved from one file to the next goes unnoticed.
void AddToFingerprint(Sha256& hash, const std::string& relative, const Content& content) {
    hash.Add(relative + "\n");
    if (content) {
        hash.Add("size " + std::to_string(content->size()) + "\n");
        hash.Add(*content);
    } else {
        hash.Add("absent\n");
    }
}

// Harmonized means every unit's live files hold the same bytes, slot by slot, and one unit's
// backups hold exactly those bytes.
std::string HarmonizerState(const std::vector<Unit>& units) {
    const auto hasBackup = [](const Unit& unit) {
        return std::ranges::any_of(unit.backups, [](const Content& c) { return c.has_value(); });
    };
    if (std::ranges::none_of(units, hasBackup)) {
        return StateOriginal;
    }
    const std::vector<Content>& first = units.front().live;
    const bool allRead = std::ranges::all_of(first, [](const Content& c) { return c.has_value(); });
    if (!allRead || !std::ranges::all_of(units, [&](const Unit& u) { return u.live == first; })) {
        return StateChanged;
    }
    for (const Unit& unit : units) {
        if (unit.backups == first) {
            return HarmonizedState(unit.label);
        }
    }
    return StateChanged;
}

// Whose data slot k of a unit holds: its own, a master's (a backup of another unit), or
// neither. A file without a backup was never overwritten and counts as the game's own.
std::string Holds(const std::vector<Unit>& units, const Unit& unit, std::size_t k) {
    const Content& live = unit.live[k];
    if (unit.backups[k] == live) {
        return StateOriginal;
    }
    for (const Unit& other : units) {
        if (other.backups[k] == live) {
            return other.label;
        }
    }
    return unit.backups[k] ? StateChanged : StateOriginal;
}

ComponentStatus HarmonizerComponent(const std::string& name, const std::vector<Unit>& units) {
    ComponentStatus status{name, "", "", {}};
    Sha256 hash;
    for (const Unit& unit : units) {
        for (std::size_t k = 0; k < unit.slots.size(); ++k) {
            const Slot& slot = unit.slots[k];
            AddToFingerprint(hash, slot.relative, unit.live[k]);
            status.files.push_back(MakeFile(slot, unit.live[k], Holds(units, unit, k)));
            status.files.back().owner = unit.label;
            status.files.back().backedUp = unit.backups[k].has_value();
        }
    }
    status.fingerprint = hash.Hex().substr(0, ShortDigits);
    status.state = HarmonizerState(units);
    return status;
}

ComponentStatus F1_2002Component(const std::string& name, const GameInstall& install,
                                 Component2002 component) {
    std::vector<Unit> units;
    for (const TeamFiles& team : ComponentFiles(install, component)) {
        units.push_back(ReadUnit(team.team, {MakeSlot(install.F1Path, team.live, team.backup)}));
    }
    return HarmonizerComponent(name, units);
}

ComponentStatus F1cComponent(const GameInstall& install) {
    std::vector<Unit> units;
    for (const CarFiles& car : F1cCars(install)) {
        units.push_back(ReadUnit(TeamsF1c(car.season, car.team) + " " + SeasonsF1c(car.season),
                                 {MakeSlot(install.F1cPath, car.performance, car.performanceBackup),
                                  MakeSlot(install.F1cPath, car.engine, car.engineBackup)}));
    }
    return HarmonizerComponent(ComponentF1c, units);
}

ComponentStatus GripComponent(const std::string& name, const GripTable& table,
                              const GameInstall& install, const std::string& programDir) {
    const std::string& f1Path = install.F1Path;
    const Content content = Read(f1Path + table.live);
    const Content saved = ReadBackup(f1Path + table.backup);
    const Content shipped = Read(ShippedGripFile(programDir, table));
    Sha256 hash;
    AddToFingerprint(hash, table.live, content);
    const bool optimized = content && content == shipped;
    // The component counts as changed once a backup exists; the file itself holds the game's
    // own table as long as it equals that backup.
    const std::string state = !saved ? StateOriginal : optimized ? StateOptimized : StateChanged;
    const std::string holds = optimized                    ? StateOptimized
                              : !saved || content == saved ? StateOriginal
                                                           : StateChanged;
    ComponentStatus status{name, state, hash.Hex().substr(0, ShortDigits), {}};
    status.files.push_back(
        MakeFile(MakeSlot(f1Path, f1Path + table.live, f1Path + table.backup), content, holds));
    status.files.back().backedUp = saved.has_value();
    return status;
}

} // namespace

std::vector<ComponentStatus> CollectStatus(const GameInstall& install,
                                           const std::string& programDir) {
    std::vector<ComponentStatus> result;
    if (install.HasF1_2002) {
        result.push_back(F1_2002Component(ComponentEA2002, install, Component2002::EA2002));
    }
    if (install.HasSeasonQL) {
        result.push_back(F1_2002Component(ComponentQL2002, install, Component2002::QL2002));
    }
    if (install.HasGTR2002) {
        result.push_back(F1_2002Component(ComponentGTR2002, install, Component2002::GTR2002));
    }
    if (install.HasF1c) {
        result.push_back(F1cComponent(install));
    }
    if (install.HasF1_2002) {
        result.push_back(GripComponent(ComponentGripEA, GripTableEA, install, programDir));
    }
    if (install.HasSeasonQL) {
        result.push_back(GripComponent(ComponentGripQL, GripTableQL, install, programDir));
    }
    return result;
}

std::string StatusStamp(const GameInstall& install, const std::string& programDir) {
    std::string stamp;
    const auto add = [&stamp](const std::string& pathText) {
        std::error_code error;
        const std::filesystem::path path = ResolvePath(pathText);
        const auto size = std::filesystem::file_size(path, error);
        const auto changed = std::filesystem::last_write_time(path, error);
        stamp += pathText + '|' + std::to_string(error ? 0 : size) + '|' +
                 std::to_string(error ? 0 : changed.time_since_epoch().count()) + '\n';
    };
    const bool installed[] = {install.HasF1_2002, install.HasSeasonQL, install.HasGTR2002};
    for (const Component2002 component : EveryComponent2002) {
        if (!installed[static_cast<int>(component)]) {
            continue;
        }
        for (const TeamFiles& team : ComponentFiles(install, component)) {
            add(team.live);
            add(team.backup);
        }
    }
    if (install.HasF1c) {
        for (const CarFiles& car : F1cCars(install)) {
            for (const std::string* path :
                 {&car.performance, &car.performanceBackup, &car.engine, &car.engineBackup}) {
                add(*path);
            }
        }
    }
    for (const GripTable* table : {&GripTableEA, &GripTableQL}) {
        if (!install.HasF1_2002) {
            break;
        }
        add(install.F1Path + table->live);
        add(install.F1Path + table->backup);
        add(ShippedGripFile(programDir, *table));
    }
    return stamp;
}

std::string HarmonizedState(const std::string& master) {
    return HarmonizedTo + master;
}

std::optional<std::string> HarmonizedMaster(const std::string& state) {
    if (!state.starts_with(HarmonizedTo)) {
        return std::nullopt;
    }
    return state.substr(HarmonizedTo.size());
}

std::string StatusLine(const ComponentStatus& status) {
    std::string line = status.name + ": " + status.state + ", fingerprint " + status.fingerprint;
    bool first = true;
    for (const FileStatus& file : status.files) {
        if (file.holds == StateMissing) {
            line += (first ? ", missing " : ", ") + file.path;
            first = false;
        }
    }
    return line;
}

std::string FileLine(const FileStatus& file) {
    std::string line =
        "  " + file.path + ": " + file.holds + (file.sha256.empty() ? "" : ", " + file.sha256);
    if (!file.sharedWith.empty()) {
        line += "\n    shares its data with its backup " + file.sharedWith +
                " (two names of one file); harmonize or restore again to separate them";
    }
    return line;
}

} // namespace korvane::lancheck
