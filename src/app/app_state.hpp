#pragma once
// The process-wide state of one run: where the settings file is, what was detected, and the
// interface language.
#include <string>

#include "app/game_install.hpp"
#include "app/language.hpp"
#include "app/settings.hpp"

namespace korvane {

struct AppState {
    Settings settings;
    GameInstall install;
    Language language = Language::Unknown;

    const std::string& ProgramDir() const { return settings.directory; }
};

} // namespace korvane
