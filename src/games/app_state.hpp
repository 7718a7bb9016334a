#pragma once
// The process-wide state of one run: where the settings file is, what was detected, and the
// interface language.
#include <string>

#include "core/language.hpp"
#include "core/settings.hpp"
#include "games/game_install.hpp"
#include "games/operation_context.hpp"

namespace korvane {

struct AppState {
    Settings settings;
    GameInstall install;
    Language language = Language::Unknown;

    const std::string& ProgramDir() const { return settings.directory; }
    // What an operation that changes files, started now, works with; its messages go to sink.
    OperationContext Operation(MessageSink& sink) const {
        return {install, ProgramDir(), language, sink};
    }
};

// Takes the language for this run and stores its code for the next start (see KeepSetting).
void SetLanguage(AppState& state, MessageSink& sink, Language language);

} // namespace korvane
