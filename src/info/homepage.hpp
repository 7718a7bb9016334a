#pragma once
// The program's homepage, which the main window's menu and the About box open.
#include <string>

#include "core/language.hpp"

namespace korvane {

// The German or the English page; empty while no language is chosen.
std::string HomepageAddress(Language language);

} // namespace korvane
