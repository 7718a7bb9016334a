#pragma once
// Putting what a batch wrote on disk, the platform's way. Part of the file layer
// (file_system.hpp); its callers are the batch and nothing else.
#include <cstdio>
#include <filesystem>
#include <vector>

#include "core/file_faults.hpp"

namespace korvane {

// Puts the data of the open files on disk: 0 or the system's error number for each.
std::vector<int> FlushData(const std::vector<std::FILE*>& files, const FileFaults& faults);

// Puts the data of the named files on disk, each by itself: 0 or the system's error number for each.
std::vector<int> FlushFiles(const std::vector<std::filesystem::path>& files,
                            const FileFaults& faults);

// Puts the entries of the directories on disk: 0 or the system's error number for each.
std::vector<int> FlushEntries(const std::vector<std::filesystem::path>& dirs,
                              const FileFaults& faults);

// Whether the new names in this directory may wait for the next batched flush of its file system.
bool NamesMayWait(const std::filesystem::path& dir, const FileFaults& faults);

} // namespace korvane
