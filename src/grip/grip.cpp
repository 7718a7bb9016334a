#include "grip/grip.hpp"

#include <vector>

#include "app/backups.hpp"
#include "app/path_text.hpp"
#include "grip/grip_texts.hpp"
#include "harmonizer/harmonizer.hpp"

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

} // namespace

bool ApplyOptimizedGrip(const GameInstall& install, const std::string& programDir,
                        Components2002 components, Language language, MessageSink& sink,
                        FileFaults& faults) {
    FailureLog log;
    SeparateSharedBackups(install, log, faults);
    if (Failed(log, language, sink)) {
        return false;
    }
    std::string dir = programDir;
    if (!EndsInSeparator(dir)) {
        dir += "\\";
    }
    for (const GripComponent& c : Components(components)) {
        if (!c.ticked) {
            continue;
        }
        const FilePairs table = c.Pair(install);
        BackupPass(table, log, faults);
        if (log.Empty()) {
            CopyPass({{dir + c.gripFile, table[0].first}}, log, faults);
        }
        SeparatePass(table, log, faults);
        if (Failed(log, language, sink)) {
            return false;
        }
    }
    Say(sink, language, grip_texts::Applied);
    return true;
}

bool RestoreOriginalGrip(const GameInstall& install, Components2002 components, Language language,
                         MessageSink& sink, FileFaults& faults) {
    FailureLog log;
    SeparateSharedBackups(install, log, faults);
    if (Failed(log, language, sink)) {
        return false;
    }
    for (const GripComponent& c : Components(components)) {
        if (!c.ticked) {
            continue;
        }
        RestorePass(c.Pair(install), log, faults,
                    [&](std::size_t) { Say(sink, language, c.missing); });
        if (Failed(log, language, sink)) {
            return false;
        }
    }
    Say(sink, language, grip_texts::Restored);
    return true;
}

} // namespace korvane
