#include "games/registry.hpp"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>
#else
#include "core/user_dirs.hpp"
#include "games/wine_prefixes.hpp"
#include "games/wine_registry.hpp"
#endif

namespace korvane {

#ifdef _WIN32

namespace {

// The value in one view of the local-machine hive; false when the key or the value is not there.
bool QueryValue(REGSAM view, const std::string& keyPath, const std::string& valueName,
                std::string& result) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ | view, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    DWORD type = 0;
    DWORD size = 0;
    const bool exists =
        RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    if (exists && type == REG_SZ) {
        std::vector<char> buffer(size + 1, '\0');
        DWORD got = size;
        if (RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr,
                             reinterpret_cast<BYTE*>(buffer.data()), &got) == ERROR_SUCCESS) {
            result.assign(buffer.data(), std::min<std::size_t>(got, buffer.size()));
            result = result.substr(0, result.find('\0'));
        }
    } else if (exists && type == REG_BINARY && size <= sizeof(std::uint32_t)) {
        std::uint32_t cell = 0;
        DWORD got = sizeof(cell);
        if (RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr,
                             reinterpret_cast<BYTE*>(&cell), &got) == ERROR_SUCCESS) {
            result = std::to_string(static_cast<std::int16_t>(cell & 0xFFFF));
        }
    }
    RegCloseKey(key);
    return exists;
}

} // namespace

// The games are 32-bit programs whose installers write to the 32-bit view of the hive; a 64-bit
// build sees only the native view unless it asks. The installers' view is read first, the
// native one when the value is not there (a 32-bit build on 32-bit Windows has only one).
std::string RegReadString(Hive /*hive*/, const std::string& keyPath, const std::string& valueName) {
    std::string result;
    if (!QueryValue(KEY_WOW64_32KEY, keyPath, valueName, result)) {
        QueryValue(KEY_WOW64_64KEY, keyPath, valueName, result);
    }
    return result;
}

std::vector<RegistrySource> SystemRegistries() {
    return {{"HKEY_LOCAL_MACHINE", SystemRegistry}};
}

#else

// No registry of the system's own here: the games live in Wine prefixes.
std::string RegReadString(Hive /*hive*/, const std::string& /*keyPath*/,
                          const std::string& /*valueName*/) {
    return {};
}

std::vector<RegistrySource> SystemRegistries() {
    return WineRegistries(FindWinePrefixes(UserDirsFromEnvironment()));
}

#endif

std::string SystemRegistry(const std::string& keyPath, const std::string& valueName) {
    return RegReadString(Hive::LocalMachine, keyPath, valueName);
}

} // namespace korvane
