#include "grip/grip.hpp"

#include <vector>

#include "core/backups.hpp"
#include "grip/grip_texts.hpp"

namespace korvane {

namespace {

struct GripComponent {
    bool ticked;
    GripTable table;
    const MessageText& missing;

    FilePairs Pair(const GameInstall& install) const {
        return {{install.F1Path + table.live, install.F1Path + table.backup}};
    }
};

// The EA season always comes before the Quillon season.
std::vector<GripComponent> Components(Components2002 components) {
    return {{components.ea2002, GripTableEA, grip_texts::NotRestoredEA},
            {components.ql2002, GripTableQL, grip_texts::NotRestoredQL}};
}

// What failed is shown instead of the success text, and the operation ends there: the first
// failed step of a component stops the components after it.
bool Failed(const OperationContext& context, const FailureLog& log) {
    if (!log.Empty()) {
        context.ShowFailures(log);
    }
    return !log.Empty();
}

} // namespace

Outcome ApplyOptimizedGrip(const OperationContext& context, Components2002 components) {
    InstallationLock lock;
    FailureLog log;
    if (!StartChanges(lock, context, log)) {
        return Outcome::Refused;
    }
    if (Failed(context, log)) {
        return Outcome::Failed;
    }
    for (const GripComponent& c : Components(components)) {
        if (!c.ticked) {
            continue;
        }
        const FilePairs table = c.Pair(context.install);
        const std::string gripFile = ShippedGripFile(context.programDir, c.table);
        BackupPass(table, log, context.faults);
        if (log.Empty() && Replaceable(table, {gripFile}, log, context.language)[0]) {
            CopyPass({{gripFile, table[0].first}}, log, context.faults);
        }
        SeparatePass(table, log, context.faults);
        if (Failed(context, log)) {
            return Outcome::Failed;
        }
    }
    Say(context.sink, context.language, grip_texts::Applied);
    return Outcome::Done;
}

Outcome RestoreOriginalGrip(const OperationContext& context, Components2002 components) {
    InstallationLock lock;
    FailureLog log;
    if (!StartChanges(lock, context, log)) {
        return Outcome::Refused;
    }
    if (Failed(context, log)) {
        return Outcome::Failed;
    }
    for (const GripComponent& c : Components(components)) {
        if (!c.ticked) {
            continue;
        }
        RestorePass(c.Pair(context.install), {ShippedGripFile(context.programDir, c.table)}, log,
                    context.faults, context.language,
                    [&](std::size_t) { Say(context.sink, context.language, c.missing); });
        if (Failed(context, log)) {
            return Outcome::Failed;
        }
    }
    Say(context.sink, context.language, grip_texts::Restored);
    return Outcome::Done;
}

} // namespace korvane
