#pragma once
// Reading a text value from the Windows registry. Elsewhere there is no registry and the
// answer is always empty text, which sends detection to the settings file.
#include <string>

namespace korvane {

enum class Hive { LocalMachine };

// Empty text on any failure; REG_BINARY gives the decimal text of its low 16 bits, signed.
std::string RegReadString(Hive hive, const std::string& keyPath, const std::string& valueName);

} // namespace korvane
