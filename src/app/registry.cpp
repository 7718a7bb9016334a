#include "app/registry.hpp"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>
#endif

namespace korvane {

#ifdef _WIN32

std::string RegReadString(Hive /*hive*/, const std::string& keyPath, const std::string& valueName) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return {};
    }
    std::string result;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        if (type == REG_SZ) {
            std::vector<char> buffer(size + 1, '\0');
            DWORD got = size;
            if (RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr,
                                 reinterpret_cast<BYTE*>(buffer.data()), &got) == ERROR_SUCCESS) {
                result.assign(buffer.data(), std::min<std::size_t>(got, buffer.size()));
                result = result.substr(0, result.find('\0'));
            }
        } else if (type == REG_BINARY && size <= sizeof(std::uint32_t)) {
            std::uint32_t cell = 0;
            DWORD got = sizeof(cell);
            if (RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr,
                                 reinterpret_cast<BYTE*>(&cell), &got) == ERROR_SUCCESS) {
                result = std::to_string(static_cast<std::int16_t>(cell & 0xFFFF));
            }
        }
    }
    RegCloseKey(key);
    return result;
}

#else

// No registry here: detection falls back to the settings file.
std::string RegReadString(Hive /*hive*/, const std::string& /*keyPath*/, const std::string& /*valueName*/) {
    return {};
}

#endif

} // namespace korvane
