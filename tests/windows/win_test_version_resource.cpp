#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

#include "info/version.hpp"

using namespace korvane;

// Every executable carries the version the program shows, from the same number in CMakeLists.txt.
TEST(VersionResource, CarriesTheProgramsVersion) {
    char exe[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, exe, MAX_PATH), 0u);
    DWORD unused = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(exe, &unused));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoA(exe, 0, static_cast<DWORD>(info.size()), info.data()));

    const auto text = [&](const std::string& name) {
        void* value = nullptr;
        UINT length = 0;
        const std::string key = "\\StringFileInfo\\040904B0\\" + name;
        return VerQueryValueA(info.data(), key.c_str(), &value, &length) && length > 0
                   ? std::string(static_cast<const char*>(value))
                   : std::string("<none>");
    };
    EXPECT_EQ(text("FileVersion"), VersionNumber());
    EXPECT_EQ(text("ProductVersion"), VersionNumber());
    EXPECT_EQ(text("ProductName"), "Korvane");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD(VersionMajor << 16 | VersionMinor));
    EXPECT_EQ(fixed->dwFileVersionLS, DWORD(VersionRevision << 16));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
}
