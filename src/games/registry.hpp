#pragma once
// Reading a text value from the registry the games were installed into: on Windows the system's,
// elsewhere the registries of the Wine prefixes the player uses.
#include <functional>
#include <string>
#include <vector>

namespace korvane {

enum class Hive { LocalMachine };

// Empty text on any failure; REG_BINARY gives the decimal text of its low 16 bits, signed. On a
// system without a registry it is always empty.
std::string RegReadString(Hive hive, const std::string& keyPath, const std::string& valueName);

// (key path under HKEY_LOCAL_MACHINE, value name) -> text, empty on failure.
using RegistryReader = std::function<std::string(const std::string&, const std::string&)>;

// RegReadString on the local-machine hive.
std::string SystemRegistry(const std::string& keyPath, const std::string& valueName);

// A registry and where it is, for the player to read.
struct RegistrySource {
    std::string where;
    RegistryReader read;
};

// The registries the games are looked up in, in order. On Windows the system's own; elsewhere
// one per Wine prefix of the player's, in the order of FindWinePrefixes.
std::vector<RegistrySource> SystemRegistries();

} // namespace korvane
