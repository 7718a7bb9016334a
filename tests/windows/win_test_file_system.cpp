// The file-system layer on the real Windows API: drive letters, names without regard to case,
// path texts in the ANSI code page, and writes that Windows refuses.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/file_system.hpp"
#include "support/fake_install.hpp"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using namespace korvane::testing;

TEST(FileSystemOnWindows, DriveLettersAnsiNamesAndLetterCase) {
    // "Größe" in UTF-8, which the program's manifest makes the code page, or in the legacy one.
    const char* size = GetACP() == CP_UTF8 ? "Gr\xC3\xB6\xC3\x9F\x65"
                       : GetACP() == 1252  ? "Gr\xF6\xDF\x65"
                                           : nullptr;
    if (!size) {
        GTEST_SKIP() << "no spelling of the name for code page " << GetACP();
    }
    TempDir dir;
    const fs::path onDisk = dir.Path() / L"Gr\u00f6\u00dfe" / "SEASON02";
    WriteAll(onDisk / "FERRARI" / "ferrari.HDV", "live");
    WriteAll(onDisk / "MCLAREN" / "mclaren.ORG", "master");
    const std::string base = dir.Path().string() + "\\" + size + "\\season02\\";
    EXPECT_TRUE(PathExists("C:\\"));
    EXPECT_FALSE(FileExists("Q:\\no drive\\f1_2002.exe"));
    EXPECT_TRUE(
        FileExists(dir.Path().string() + "\\\\" + size + "\\Season02\\ferrari\\Ferrari.hdv"));
    ASSERT_TRUE(CopyFileSafe(base + "McLaren\\McLaren.org", base + "Ferrari\\Ferrari.hdv").ok());
    // Replaced in place: no second file with the catalogue's spelling, no temporary file.
    EXPECT_EQ(ReadAll(base + "FERRARI\\ferrari.HDV"), "master");
    EXPECT_EQ(std::distance(fs::directory_iterator(onDisk / "FERRARI"), {}), 1);
    ASSERT_TRUE(DeleteFileText(base + "mclaren\\McLaren.org").ok());
    EXPECT_FALSE(fs::exists(onDisk / "MCLAREN" / "mclaren.ORG"));
}

TEST(FileSystemOnWindows, RefusedWritesNameTheFileAndWhatHelps) {
    TempDir dir;
    const std::string source = dir.Path().string() + "\\Ferrari.org";
    const std::string target = dir.Path().string() + "\\Williams.hdv";
    WriteAll(source, "master");
    WriteAll(target, "williams");
    // Held open as a running game holds it: others may read it, nobody may replace it.
    const HANDLE game = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const std::string inUse = CopyFileSafe(source, target).reason();
    CloseHandle(game);
    EXPECT_NE(inUse.find("Windows refused to write \"Williams.hdv\". Run Korvane as administrator "
                         "or move the game out of \"C:\\Program Files\"."),
              std::string::npos)
        << inUse;
    ASSERT_NE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY), FALSE);
    EXPECT_NE(CopyFileSafe(source, target).reason().find("\"Williams.hdv\" is read-only"),
              std::string::npos);
    EXPECT_NE(DeleteFileText(target).reason().find("\"Williams.hdv\" is read-only"),
              std::string::npos);
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadAll(target), "williams");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 2);
}

} // namespace
} // namespace korvane
