#pragma once
// The process-wide state of one run: where the settings file is, what was detected, and the
// interface language ("de", "uk" or "unknown").
#include <string>

#include "app/game_install.hpp"
#include "app/settings.hpp"

namespace korvane {

struct AppState {
    Settings settings;
    GameInstall install;
    std::string languageCode = Unknown;

    const std::string& ProgramDir() const { return settings.directory; }
};

} // namespace korvane
