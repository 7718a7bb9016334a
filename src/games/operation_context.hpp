#pragma once
// What every operation that changes files works with: the installation, the program's directory
// (the shipped grip tables lie there), the language of its messages, where they go, and the file
// layer's faults (the real disk unless a test gives its own).
#include <string>

#include "core/file_faults.hpp"
#include "core/language.hpp"
#include "core/messages.hpp"
#include "games/game_install.hpp"

namespace korvane {

// Made where an operation starts: {install, programDir, language, sink}, a test's faults last.
// The harmonizer does not look at programDir.
struct OperationContext {
    const GameInstall& install;
    std::string programDir;
    Language language;
    MessageSink& sink;
    FileFaults& faults = NoFaults();
};

} // namespace korvane
