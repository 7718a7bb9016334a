#pragma once
// The registry of a Wine prefix. Wine keeps the local-machine hive as text in the prefix's
// "system.reg": a section "[Software\\EA SPORTS\\F1 2002] <time>" per key, a line
// "\"name\"=\"text\"" per string value, names and texts escaped as Wine writes them.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "games/registry.hpp"

namespace korvane {

// The text of a string value in a registry file's content. The key path is relative to the hive
// ("Software\EA SPORTS\F1 2002"); key and value names match without regard to letter case; an
// empty value name is the key's default value. Nothing when the key or value is missing or the
// value is not a string.
std::optional<std::string> WineRegistryValue(const std::string& content, const std::string& keyPath,
                                             const std::string& valueName);

// A Windows path ("C:\Games\F1 2002") as a directory of the prefix: the drive through the
// prefix's "dosdevices/<letter>:" link, every following component matched as the file-system
// layer matches names. A trailing separator stays one. Empty text for a drive the prefix does not
// have or a path without a drive letter.
std::string WinePathToLocal(const std::filesystem::path& prefix, const std::string& windowsPath);

// One registry per prefix, in the given order. Each reads a string value of the prefix's
// local-machine hive, the 32-bit view ("Software\Wow6432Node\...") first as on Windows, then the
// native one, and answers it as a directory of the prefix; empty text on any failure.
std::vector<RegistrySource> WineRegistries(const std::vector<std::filesystem::path>& prefixes);

} // namespace korvane
