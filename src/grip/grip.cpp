#include "grip/grip.hpp"

#include <vector>

#include "core/backups.hpp"
#include "grip/grip_texts.hpp"

namespace korvane {

namespace {

struct GripComponent {
    bool ticked;
    const char* live;
    const char* backup;
    const char* gripFile;
    const MessageText& missing;

    FilePairs Pair(const GameInstall& install) const {
        return {{install.F1Path + live, install.F1Path + backup}};
    }
};

// The EA season always comes before the Quillon season.
std::vector<GripComponent> Components(Components2002 components) {
    return {
        {components.ea, GripLiveEA, GripBackupEA, GripFileEA, grip_texts::NotRestoredEA},
        {components.quillon, GripLiveQL, GripBackupQL, GripFileQL, grip_texts::NotRestoredQuillon}};
}

// What failed is shown instead of the success text, and the operation ends there: the first
// failed step of a component stops the components after it.
bool Failed(const FailureLog& log, Language language, MessageSink& sink) {
    if (!log.Empty()) {
        sink.Show(log.Summary(language));
    }
    return !log.Empty();
}

// The shipped table of the component, beside the program.
std::string GripFile(const std::string& programDir, const GripComponent& c) {
    return ShippedGripFile(programDir, c.gripFile);
}

} // namespace

Outcome ApplyOptimizedGrip(const GameInstall& install, const std::string& programDir,
                           Components2002 components, Language language, MessageSink& sink,
                           FileFaults& faults) {
    InstallationLock lock;
    FailureLog log;
    if (!StartChanges(lock, install, language, sink, log, faults)) {
        return Outcome::Refused;
    }
    if (Failed(log, language, sink)) {
        return Outcome::Failed;
    }
    for (const GripComponent& c : Components(components)) {
        if (!c.ticked) {
            continue;
        }
        const FilePairs table = c.Pair(install);
        const std::string gripFile = GripFile(programDir, c);
        BackupPass(table, log, faults);
        if (log.Empty() && Replaceable(table, {gripFile}, log, language)[0]) {
            CopyPass({{gripFile, table[0].first}}, log, faults);
        }
        SeparatePass(table, log, faults);
        if (Failed(log, language, sink)) {
            return Outcome::Failed;
        }
    }
    Say(sink, language, grip_texts::Applied);
    return Outcome::Done;
}

Outcome RestoreOriginalGrip(const GameInstall& install, const std::string& programDir,
                            Components2002 components, Language language, MessageSink& sink,
                            FileFaults& faults) {
    InstallationLock lock;
    FailureLog log;
    if (!StartChanges(lock, install, language, sink, log, faults)) {
        return Outcome::Refused;
    }
    if (Failed(log, language, sink)) {
        return Outcome::Failed;
    }
    for (const GripComponent& c : Components(components)) {
        if (!c.ticked) {
            continue;
        }
        RestorePass(c.Pair(install), {GripFile(programDir, c)}, log, faults, language,
                    [&](std::size_t) { Say(sink, language, c.missing); });
        if (Failed(log, language, sink)) {
            return Outcome::Failed;
        }
    }
    Say(sink, language, grip_texts::Restored);
    return Outcome::Done;
}

} // namespace korvane
