#pragma once
// The release history shown from the help menu, fixed in the program, newest entry first.
#include <span>
#include <string>

namespace korvane {

// The ten entries of one language; empty for a code other than "de" and "uk".
std::span<const char* const> HistoryEntries(const std::string& languageCode);

// The entries joined by an empty line (CR LF CR LF), nothing after the last one.
std::string HistoryText(const std::string& languageCode);

} // namespace korvane
