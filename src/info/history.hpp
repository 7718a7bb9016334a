#pragma once
// The release history shown from the help menu, fixed in the program, newest entry first.
#include <span>
#include <string>

#include "core/language.hpp"

namespace korvane {

// The ten entries of one language; empty while the language is unknown.
std::span<const char* const> HistoryEntries(Language language);

// The entries joined by an empty line (CR LF CR LF), nothing after the last one.
std::string HistoryText(Language language);

} // namespace korvane
