#pragma once
// INI files read and written with the results of the Windows profile API
// (GetPrivateProfileStringA / WritePrivateProfileStringA), on every platform.
#include <cstddef>
#include <string>

#include "core/result.hpp"

namespace korvane {

inline constexpr std::size_t IniBufferSize = 1024;

// Reads the file afresh; returns at most bufferSize - 1 bytes. A missing file, section or key
// gives the default with its trailing blanks dropped.
std::string IniRead(const std::string& fileText, const std::string& section, const std::string& key,
                    const std::string& defaultValue, std::size_t bufferSize = IniBufferSize);

// Changes only the line of that key (or adds it); every other byte stays. Fails when the
// directory is missing or the file cannot be replaced.
FileResult IniWrite(const std::string& fileText, const std::string& section, const std::string& key,
                    const std::string& value);

// The same rules on text in memory, for the reader and writer above and their tests.
std::string IniReadText(const std::string& content, const std::string& section,
                        const std::string& key, const std::string& defaultValue,
                        std::size_t bufferSize = IniBufferSize);
std::string IniWriteText(const std::string& content, const std::string& section,
                         const std::string& key, const std::string& value);

} // namespace korvane
