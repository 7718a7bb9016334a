// Reading the games' directories from the real registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "app/game_install.hpp"
#include "app/registry.hpp"
#include "app/settings.hpp"
#include "support/fake_install.hpp"
#include "windows/win_platform.hpp"

namespace korvane {
namespace {

using testing::FakeInstall;
using testing::TempDir;

constexpr const char* TestKey = "SOFTWARE\\EA SPORTS\\Korvane registry test";

// The games are 32-bit programs: their installers write to the 32-bit view of the hive, which a
// 64-bit process does not see unless it asks for it.
constexpr REGSAM InstallerView = KEY_WOW64_32KEY;
constexpr REGSAM NativeView = KEY_WOW64_64KEY;

bool KeyExists(const char* keyPath, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ | view, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

void DeleteTree(const char* keyPath, REGSAM view) {
    HKEY software = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_ALL_ACCESS | view, &software) !=
        ERROR_SUCCESS) {
        return;
    }
    const std::string below = std::string(keyPath).substr(std::string("SOFTWARE\\").size());
    RegDeleteTreeA(software, below.c_str());
    RegDeleteKeyExA(software, below.c_str(), view, 0);
    // Only when nothing else lives there.
    RegDeleteKeyExA(software, "EA SPORTS", view, 0);
    RegCloseKey(software);
}

// Creates and removes values under the local-machine hive. A machine where the games are
// really registered is left alone: the tests would have to overwrite the player's entries.
class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* keyPath : {RegKeyF1_2002, RegKeyF1c, TestKey}) {
            for (const REGSAM view : {InstallerView, NativeView}) {
                if (KeyExists(keyPath, view)) {
                    GTEST_SKIP() << keyPath << " exists already; not touching a real installation";
                }
            }
        }
        HKEY probe = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, TestKey, 0, nullptr, 0,
                            KEY_ALL_ACCESS | InstallerView, nullptr, &probe,
                            nullptr) != ERROR_SUCCESS) {
            GTEST_SKIP() << "no write access to HKEY_LOCAL_MACHINE (run as administrator)";
        }
        RegCloseKey(probe);
        created_ = true;
    }

    void TearDown() override {
        if (!created_) {
            return;
        }
        for (const char* keyPath : {RegKeyF1_2002, RegKeyF1c, TestKey}) {
            for (const REGSAM view : {InstallerView, NativeView}) {
                DeleteTree(keyPath, view);
            }
        }
    }

    static void SetValue(const char* keyPath, const char* valueName, DWORD type, const void* data,
                         DWORD size, REGSAM view = InstallerView) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS | view,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const LONG result =
            RegSetValueExA(key, valueName, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
        ASSERT_EQ(result, ERROR_SUCCESS);
    }

    // A string value stored with its terminating NUL, as installers store it.
    static void SetString(const char* keyPath, const std::string& text,
                          REGSAM view = InstallerView) {
        SetValue(keyPath, RegValueInstallDir, REG_SZ, text.c_str(),
                 static_cast<DWORD>(text.size() + 1), view);
    }

    bool created_ = false;
};

TEST_F(RegistryTest, ReadsStringValues) {
    SetString(TestKey, "C:\\Games\\F1 2002");
    EXPECT_EQ(RegReadString(Hive::LocalMachine, TestKey, RegValueInstallDir), "C:\\Games\\F1 2002");

    // Stored without its NUL: the whole buffer is the text.
    const std::string bare = "D:\\F1C\\";
    SetValue(TestKey, "bare", REG_SZ, bare.data(), static_cast<DWORD>(bare.size()));
    EXPECT_EQ(RegReadString(Hive::LocalMachine, TestKey, "bare"), bare);

    // Stored with text behind an inner NUL: only the text before it counts.
    const char inner[] = "E:\\F1\0junk";
    SetValue(TestKey, "inner", REG_SZ, inner, sizeof inner);
    EXPECT_EQ(RegReadString(Hive::LocalMachine, TestKey, "inner"), "E:\\F1");

    SetString(TestKey, "");
    EXPECT_EQ(RegReadString(Hive::LocalMachine, TestKey, RegValueInstallDir), "");
}

TEST_F(RegistryTest, ReadsTheInstallersViewFirstThenTheNativeOne) {
    SetString(TestKey, "C:\\Native", NativeView);
    EXPECT_EQ(RegReadString(Hive::LocalMachine, TestKey, RegValueInstallDir), "C:\\Native");
    SetString(TestKey, "C:\\Installer", InstallerView);
    EXPECT_EQ(RegReadString(Hive::LocalMachine, TestKey, RegValueInstallDir), "C:\\Installer");
}

TEST_F(RegistryTest, MissingKeyOrValueGivesEmptyText) {
    EXPECT_EQ(RegReadString(Hive::LocalMachine, RegKeyF1_2002, RegValueInstallDir), "");
    SetString(TestKey, "C:\\Games\\F1 2002");
    EXPECT_EQ(RegReadString(Hive::LocalMachine, TestKey, "no such value"), "");
    EXPECT_EQ(
        RegReadString(Hive::LocalMachine, "SOFTWARE\\EA SPORTS\\no such key", RegValueInstallDir),
        "");
}

TEST_F(RegistryTest, BinaryValueGivesItsLowWordAsSignedNumber) {
    const std::uint32_t negative = 0x0001FFFE; // low word 0xFFFE
    SetValue(TestKey, "negative", REG_BINARY, &negative, sizeof negative);
    EXPECT_EQ(RegReadString(Hive::LocalMachine, TestKey, "negative"), "-2");

    const std::uint32_t positive = 0xABCD1234; // low word 0x1234
    SetValue(TestKey, "positive", REG_BINARY, &positive, sizeof positive);
    EXPECT_EQ(RegReadString(Hive::LocalMachine, TestKey, "positive"), std::to_string(0x1234));

    // Longer than the 32-bit cell: not a value the program can use.
    const std::uint64_t wide = 0x0000000100000002ULL;
    SetValue(TestKey, "wide", REG_BINARY, &wide, sizeof wide);
    EXPECT_EQ(RegReadString(Hive::LocalMachine, TestKey, "wide"), "");
}

TEST_F(RegistryTest, OtherTypesGiveEmptyText) {
    const DWORD number = 42;
    SetValue(TestKey, "dword", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(RegReadString(Hive::LocalMachine, TestKey, "dword"), "");
    const char expand[] = "%SystemDrive%\\F1";
    SetValue(TestKey, "expand", REG_EXPAND_SZ, expand, sizeof expand);
    EXPECT_EQ(RegReadString(Hive::LocalMachine, TestKey, "expand"), "");
}

class DetectFromRegistry : public RegistryTest {
  protected:
    TempDir root_;
    TempDir program_;
    FakeInstall fake_{root_.Path()};
    Settings settings_{program_.Path().string()};
    // The game directories as an installer would register them: backslashes, no trailing one.
    std::string f1Dir_ = (root_.Path() / "F1 2002").string();
    std::string f1cDir_ = (root_.Path() / "F1C").string();
};

TEST_F(DetectFromRegistry, F1_2002WithAndWithoutTrailingBackslash) {
    SetString(RegKeyF1_2002, f1Dir_);
    Detection d = DetectInstallations(settings_);
    EXPECT_EQ(d.install.F1Path, f1Dir_ + "\\");
    EXPECT_TRUE(d.install.HasF1_2002);
    EXPECT_TRUE(d.install.HasSeasonQL);
    EXPECT_TRUE(d.install.HasGTR2002);
    EXPECT_EQ(d.f1Display, f1Dir_ + "\\F1_2002.exe");

    // A backslash is appended all the same; the doubled one still reaches the directory.
    SetString(RegKeyF1_2002, f1Dir_ + "\\");
    d = DetectInstallations(settings_);
    EXPECT_EQ(d.install.F1Path, f1Dir_ + "\\\\");
    EXPECT_TRUE(d.install.HasF1_2002);
    EXPECT_TRUE(d.install.HasSeasonQL);
    EXPECT_TRUE(d.install.HasGTR2002);
    EXPECT_EQ(d.f1Display, f1Dir_ + "\\\\F1_2002.exe");
}

TEST_F(DetectFromRegistry, F1cWithTrailingBackslashIsFoundThroughTheRegistry) {
    SetString(RegKeyF1c, f1cDir_ + "\\");
    const Detection d = DetectInstallations(settings_);
    EXPECT_EQ(d.install.F1cPath, f1cDir_ + "\\");
    EXPECT_TRUE(d.install.HasF1c);
    EXPECT_TRUE(d.install.HasF1cQL2003);
    EXPECT_EQ(d.f1cDisplay, f1cDir_ + "\\F1 Challenge 99-02.exe");
}

TEST_F(DetectFromRegistry, F1cWithoutTrailingBackslashFallsBackToTheSettingsFile) {
    SetString(RegKeyF1c, f1cDir_);
    Detection d = DetectInstallations(settings_);
    EXPECT_EQ(d.install.F1cPath, "");
    EXPECT_FALSE(d.install.HasF1c);
    EXPECT_EQ(d.f1cDisplay, "");

    const std::string stored = f1cDir_ + "\\";
    WriteSetting(settings_, "config", "f1cpath", stored);
    d = DetectInstallations(settings_);
    EXPECT_EQ(d.install.F1cPath, stored);
    EXPECT_TRUE(d.install.HasF1c);
    EXPECT_TRUE(d.install.HasF1cQL2003);
    EXPECT_EQ(d.f1cDisplay, "");
}

TEST_F(DetectFromRegistry, NothingRegisteredAndNoSettingsFile) {
    const Detection d = DetectInstallations(settings_);
    EXPECT_EQ(d.install.F1Path, "");
    EXPECT_EQ(d.install.F1cPath, "");
    EXPECT_FALSE(d.install.HasF1_2002 || d.install.HasSeasonQL || d.install.HasGTR2002 ||
                 d.install.HasF1c || d.install.HasF1cQL2003);
    EXPECT_EQ(d.f1Display, "");
    EXPECT_EQ(d.f1cDisplay, "");
}

TEST_F(DetectFromRegistry, RegisteredDirectoryWithoutTheGameFallsBackToTheSettingsFile) {
    SetString(RegKeyF1_2002, (root_.Path() / "elsewhere").string());
    WriteSetting(settings_, "config", "f1path", f1Dir_ + "\\");
    const Detection d = DetectInstallations(settings_);
    EXPECT_EQ(d.install.F1Path, f1Dir_ + "\\");
    EXPECT_TRUE(d.install.HasF1_2002);
    EXPECT_EQ(d.f1Display, "");
}

} // namespace
} // namespace korvane
