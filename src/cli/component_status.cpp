#include "cli/component_status.hpp"

#include <optional>
#include <stdexcept>

#include "app/file_system.hpp"
#include "cli/sha256.hpp"
#include "grip/grip.hpp"
#include "harmonizer/catalogue.hpp"
#include "harmonizer/harmonizer.hpp"

namespace korvane::cli {

namespace {

constexpr std::size_t FingerprintDigits = 12;

std::optional<std::string> Read(const std::string& pathText) {
    std::string content;
    if (!ReadFileText(pathText, content).ok) {
        return std::nullopt;
    }
    return content;
}

// One file of a component: its path below the game directory, the live file and its backup.
struct Slot {
    std::string relative;
    std::string live;
    std::string backup;
};

// What a harmonize copies from as one master: a team (one file) or a car (two files).
struct Unit {
    std::string label;
    std::vector<Slot> slots;
};

Slot MakeSlot(const std::string& gameDir, const std::string& live, const std::string& backup) {
    return {live.substr(gameDir.size()), live, backup};
}

// The path text is part of what is hashed, and so is the length, so that neither a renamed
// file nor content moved from one file to the next goes unnoticed.
void AddToFingerprint(Sha256& hash, const std::string& relative,
                      const std::optional<std::string>& content) {
    hash.Add(relative + "\n");
    if (content) {
        hash.Add("size " + std::to_string(content->size()) + "\n");
        hash.Add(*content);
    } else {
        hash.Add("absent\n");
    }
}

// Harmonized means every live file of a slot holds the same bytes, and one unit's backups hold
// exactly those bytes.
std::string HarmonizerState(const std::vector<Unit>& units,
                            const std::vector<std::vector<std::optional<std::string>>>& live) {
    bool anyBackup = false;
    for (const Unit& unit : units) {
        for (const Slot& slot : unit.slots) {
            anyBackup = anyBackup || FileExists(slot.backup);
        }
    }
    if (!anyBackup) {
        return "original";
    }
    const std::size_t slotCount = units.front().slots.size();
    for (std::size_t k = 0; k < slotCount; ++k) {
        for (const auto& unitContent : live) {
            if (!unitContent[k] || *unitContent[k] != *live.front()[k]) {
                return "changed";
            }
        }
    }
    for (const Unit& unit : units) {
        bool matches = true;
        for (std::size_t k = 0; k < slotCount && matches; ++k) {
            const auto backup = Read(unit.slots[k].backup);
            matches = backup && *backup == *live.front()[k];
        }
        if (matches) {
            return "harmonized to " + unit.label;
        }
    }
    return "changed";
}

ComponentStatus HarmonizerComponent(const std::string& name, const std::vector<Unit>& units) {
    ComponentStatus status{name, "", "", {}};
    Sha256 hash;
    std::vector<std::vector<std::optional<std::string>>> live;
    for (const Unit& unit : units) {
        live.emplace_back();
        for (const Slot& slot : unit.slots) {
            live.back().push_back(Read(slot.live));
            AddToFingerprint(hash, slot.relative, live.back().back());
            if (!live.back().back()) {
                status.missing.push_back(slot.relative);
            }
        }
    }
    status.fingerprint = hash.Hex().substr(0, FingerprintDigits);
    status.state = HarmonizerState(units, live);
    return status;
}

ComponentStatus F1_2002Component(const std::string& name, const GameInstall& install,
                                 Component2002 component) {
    std::vector<Unit> units;
    for (const TeamFiles& team : ComponentFiles(install, component)) {
        units.push_back({team.team, {MakeSlot(install.F1Path, team.live, team.backup)}});
    }
    return HarmonizerComponent(name, units);
}

ComponentStatus F1cComponent(const GameInstall& install) {
    std::vector<Unit> units;
    for (const CarFiles& car : F1cCars(install)) {
        units.push_back({TeamsF1c(car.season, car.team) + " " + SeasonsF1c(car.season),
                         {MakeSlot(install.F1cPath, car.performance, car.performanceBackup),
                          MakeSlot(install.F1cPath, car.engine, car.engineBackup)}});
    }
    return HarmonizerComponent("F1 Challenge", units);
}

ComponentStatus GripComponent(const std::string& name, const std::string& f1Path,
                              const std::string& live, const std::string& backup,
                              const std::string& shippedFile) {
    ComponentStatus status{name, "", "", {}};
    const auto content = Read(f1Path + live);
    Sha256 hash;
    AddToFingerprint(hash, live, content);
    status.fingerprint = hash.Hex().substr(0, FingerprintDigits);
    if (!content) {
        status.missing.push_back(live);
    }
    if (!FileExists(f1Path + backup)) {
        status.state = "original";
    } else if (content && content == Read(shippedFile)) {
        status.state = "optimized";
    } else {
        status.state = "changed";
    }
    return status;
}

} // namespace

std::vector<ComponentStatus> CollectStatus(const GameInstall& install,
                                           const std::string& programDir) {
    std::vector<ComponentStatus> result;
    if (install.HasF1_2002) {
        result.push_back(F1_2002Component("EA 2002 season", install, Component2002::EA2002));
    }
    if (install.HasSeasonQL) {
        result.push_back(F1_2002Component("Quillon season", install, Component2002::QL2002));
    }
    if (install.HasGTR2002) {
        result.push_back(F1_2002Component("GT Racing 2002 mod", install, Component2002::GT2002));
    }
    if (install.HasF1c) {
        result.push_back(F1cComponent(install));
    }
    if (install.HasF1_2002) {
        result.push_back(GripComponent("grip EA 2002", install.F1Path, GripLiveEA, GripBackupEA,
                                       programDir + GripFileEA));
    }
    if (install.HasSeasonQL) {
        result.push_back(GripComponent("grip Quillon", install.F1Path, GripLiveQL, GripBackupQL,
                                       programDir + GripFileQL));
    }
    return result;
}

std::string StatusLine(const ComponentStatus& status) {
    std::string line = status.name + ": " + status.state + ", fingerprint " + status.fingerprint;
    for (std::size_t i = 0; i < status.missing.size(); ++i) {
        line += (i == 0 ? ", missing " : ", ") + status.missing[i];
    }
    return line;
}

} // namespace korvane::cli
