#pragma once
// The temporary files of the batch: ".<target's name>.korvane-<digits>.tmp" beside the target.
// Part of the file layer (file_system.hpp); its callers are the batch and nothing else.
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace korvane {

// Makes a new temporary file for target and opens it for writing: created afresh (never an
// existing file, never through a link) and held while open, so that no other run removes it.
// Sets temp to its path; nullptr with error set when it fails.
std::FILE* CreateTemp(const std::filesystem::path& target, std::filesystem::path& temp,
                      std::error_code& error);

// Removes the temporary files that earlier runs left in dir, unless a running copy holds them.
// Only names of the form above are touched, and only regular files.
void RemoveAbandonedTemps(const std::filesystem::path& dir);

} // namespace korvane
