#pragma once
// The grass and gravel grip module: replaces "terrain.ini" of the EA 2002 season and of the
// Quillon season with the tables shipped beside the program, and puts the originals back.
#include <string>

#include "app/messages.hpp"

namespace korvane {

inline constexpr const char* GripLiveEA = "season02\\tracks\\terrain.ini";
inline constexpr const char* GripBackupEA = "season02\\tracks\\terrain.org";
inline constexpr const char* GripFileEA = "terea.ini";
inline constexpr const char* GripLiveQL = "seasonql02\\tracks\\terrain.ini";
inline constexpr const char* GripBackupQL = "seasonql02\\tracks\\terrain.org";
inline constexpr const char* GripFileQL = "terql.ini";

// Both stop at the first failed step and then show what failed instead of the success text.
bool ApplyOptimizedGrip(const std::string& f1Path, const std::string& programDir, bool ea2002,
                        bool ql2002, const std::string& languageCode, MessageSink& sink);
bool RestoreOriginalGrip(const std::string& f1Path, bool ea2002, bool ql2002,
                         const std::string& languageCode, MessageSink& sink);

} // namespace korvane
