// Reading the games' directories from the real registry, as their 32-bit installers wrote them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "games/registry.hpp"

namespace korvane {
namespace {

using namespace std::string_literals;

constexpr const char* TestKey = "SOFTWARE\\Korvane registry test";
constexpr REGSAM Installer = KEY_WOW64_32KEY; // a 64-bit process sees it only on request
constexpr REGSAM Native = KEY_WOW64_64KEY;

bool Set(REGSAM view, const std::string& name, DWORD type, const std::string& data) {
    HKEY key = nullptr;
    bool done = RegCreateKeyExA(HKEY_LOCAL_MACHINE, TestKey, 0, nullptr, 0, KEY_ALL_ACCESS | view,
                                nullptr, &key, nullptr) == ERROR_SUCCESS;
    done = done &&
           RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
    RegCloseKey(key);
    return done;
}

TEST(Registry, ReadsStringValuesTheInstallersViewFirst) {
    if (!Set(Installer, "both", REG_SZ, "installer") || !Set(Native, "both", REG_SZ, "native")) {
        GTEST_SKIP() << "no write access to HKEY_LOCAL_MACHINE (run as administrator)";
    }
    const struct {
        int line;
        REGSAM view;
        DWORD type; // 0: no such value
        std::string data;
        const char* expected;
    } cases[] = {
        {__LINE__, Installer, REG_SZ, "C:\\Games\\F1 2002\0"s, "C:\\Games\\F1 2002"},
        {__LINE__, Installer, REG_SZ, "D:\\F1C\\", "D:\\F1C\\"}, // stored without its NUL
        {__LINE__, Installer, REG_SZ, "E:\\F1\0junk\0"s, "E:\\F1"},
        {__LINE__, Native, REG_SZ, "C:\\Native\0"s, "C:\\Native"},
        {__LINE__, Installer, REG_BINARY, "\xFE\xFF\x01\x00"s, "-2"}, // its low word, signed
        {__LINE__, Installer, REG_BINARY, std::string(8, '\1'), ""},
        {__LINE__, Installer, REG_DWORD, "\x2A\0\0\0"s, ""},
        {__LINE__, Installer, REG_EXPAND_SZ, "%SystemDrive%\\F1\0"s, ""},
        {__LINE__, Installer, 0, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::string name = "value " + std::to_string(c.line);
        EXPECT_TRUE(c.type == 0 || Set(c.view, name, c.type, c.data));
        EXPECT_EQ(RegReadString(Hive::LocalMachine, TestKey, name), c.expected);
    }
    EXPECT_EQ(RegReadString(Hive::LocalMachine, TestKey, "both"), "installer");
    EXPECT_EQ(RegReadString(Hive::LocalMachine, "SOFTWARE\\Korvane no such key", "both"), "");
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, TestKey, Installer, 0);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, TestKey, Native, 0);
}

} // namespace
} // namespace korvane
