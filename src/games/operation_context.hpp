#pragma once
// What every operation that changes files works with: the installation, the program's directory
// (the shipped grip tables lie there), the language of its messages, where they go, and the file
// layer's faults (the real disk unless a test gives its own).
#include <string>

#include "core/failure_log.hpp"
#include "core/file_faults.hpp"
#include "core/language.hpp"
#include "core/messages.hpp"
#include "games/game_install.hpp"

namespace korvane {

// Made where an operation starts: {install, programDir, language, sink}, a test's faults next.
// The harmonizer does not look at programDir. With failures set, an operation that fails adds what
// failed there and shows no summary of its own: one run of several operations says it once.
struct OperationContext {
    const GameInstall& install;
    std::string programDir;
    Language language;
    MessageSink& sink;
    FileFaults& faults = NoFaults();
    FailureLog* failures = nullptr;

    // The summary of what failed, or (with failures set) what failed handed on.
    void ShowFailures(const FailureLog& log) const {
        if (failures != nullptr) {
            failures->Add(log);
        } else {
            sink.Show(log.Summary(language));
        }
    }
};

} // namespace korvane
