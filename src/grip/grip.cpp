#include "grip/grip.hpp"

#include <vector>

#include "app/failure_log.hpp"
#include "app/file_system.hpp"
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
};

// The EA season always comes before the Quillon season.
std::vector<GripComponent> Components(Components2002 components) {
    return {{components.ea, GripLiveEA, GripBackupEA, GripFileEA, grip_texts::NotRestoredEA},
            {components.quillon, GripLiveQL, GripBackupQL, GripFileQL,
             grip_texts::NotRestoredQuillon}};
}

// A failed step ends the operation: what failed is shown instead of the success text.
bool Failed(const FailureLog& log, Language language, MessageSink& sink) {
    if (!log.Empty()) {
        sink.Show(log.Summary(language));
    }
    return !log.Empty();
}

bool Failed(const FileResult& result, Language language, MessageSink& sink) {
    FailureLog log;
    if (!result.ok) {
        log.Add(result.path, result.reason);
    }
    return Failed(log, language, sink);
}

bool SeparationFailed(const GameInstall& install, Language language,
                      MessageSink& sink, FileFaults& faults) {
    FailureLog log;
    SeparateSharedBackups(install, log, faults);
    return Failed(log, language, sink);
}

} // namespace

bool ApplyOptimizedGrip(const GameInstall& install, const std::string& programDir,
                        Components2002 components, Language language, MessageSink& sink,
                        FileFaults& faults) {
    if (SeparationFailed(install, language, sink, faults)) {
        return false;
    }
    const std::string& f1Path = install.F1Path;
    std::string dir = programDir;
    if (dir.empty() || (dir.back() != '\\' && dir.back() != '/')) {
        dir += "\\";
    }
    for (const GripComponent& c : Components(components)) {
        if (!c.ticked) {
            continue;
        }
        const std::string backup = f1Path + c.backup;
        if (!FileExists(backup) &&
            Failed(CopyFileSafe(f1Path + c.live, backup, faults), language, sink)) {
            return false;
        }
        if (Failed(CopyFileSafe(dir + c.gripFile, f1Path + c.live, faults), language, sink)) {
            return false;
        }
    }
    Say(sink, language, grip_texts::Applied);
    return true;
}

bool RestoreOriginalGrip(const GameInstall& install, Components2002 components,
                         Language language, MessageSink& sink,
                         FileFaults& faults) {
    if (SeparationFailed(install, language, sink, faults)) {
        return false;
    }
    const std::string& f1Path = install.F1Path;
    for (const GripComponent& c : Components(components)) {
        if (!c.ticked) {
            continue;
        }
        const std::string backup = f1Path + c.backup;
        if (!FileExists(backup)) {
            Say(sink, language, c.missing);
            continue;
        }
        if (Failed(CopyFileSafe(backup, f1Path + c.live, faults), language, sink) ||
            Failed(DeleteFileText(backup, faults), language, sink)) {
            return false;
        }
    }
    Say(sink, language, grip_texts::Restored);
    return true;
}

} // namespace korvane
