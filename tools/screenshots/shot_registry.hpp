#pragma once
// The windows the screenshot tool renders. Each shots_*.cpp registers its windows with a static
// `const bool registered = korvane::shots::Register(...)`; main.cpp renders every registered
// shot in German ("de") and in English ("uk").
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QWidget>

#include "core/messages.hpp"
#include "games/app_state.hpp"

namespace korvane::shots {

struct Context {
    Language language;  // German or English
    AppState state;     // settings in a scratch directory; every game component present
    RecordingSink sink; // messages are recorded, never shown
};

// Builds the window as the program shows it in ctx.language;
// the tool shows it, renders it and then destroys it.
using Factory = std::function<std::unique_ptr<QWidget>(Context& ctx)>;

struct Shot {
    std::string name; // file name stem: <name>-<de|uk>.png
    Factory make;
};

bool Register(const std::string& name, Factory make);
const std::vector<Shot>& All();

} // namespace korvane::shots
