// The file-system layer on Windows: drive letters, backslashes, names without regard to case,
// read-only and locked files, and path texts in the ANSI code page.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "app/file_system.hpp"
#include "support/fake_install.hpp"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;
using testing::TempDir;
using testing::WriteAll;

class WindowsFileSystem : public ::testing::Test {
  protected:
    void TearDown() override {
        // A read-only file would outlive the temporary directory.
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir_.Path())) {
            SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    }

    // The directory as a path text with backslashes and a trailing one, as game paths are held.
    std::string Dir() const { return dir_.Path().string() + "\\"; }

    std::string Make(const std::string& relative, const std::string& content) {
        WriteAll(fs::path(Dir() + relative), content);
        return Dir() + relative;
    }

    TempDir dir_;
};

TEST_F(WindowsFileSystem, ExistenceTestsWithBackslashesAndWithoutRegardToCase) {
    const std::string file = Make("Season02\\Vehicles\\BAR\\bar.hdv", "bar");
    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(FileExists(Dir() + "season02\\vehicles\\Bar\\Bar.HDV"));
    EXPECT_TRUE(PathExists(Dir() + "SEASON02\\VEHICLES\\"));
    EXPECT_TRUE(PathExists(Dir() + "season02\\vehicles"));
    EXPECT_TRUE(PathExists(file));
    EXPECT_TRUE(PathExists("C:\\"));

    EXPECT_FALSE(FileExists(Dir() + "season02\\vehicles\\"));
    EXPECT_FALSE(FileExists(Dir() + "season02\\vehicles\\Bar\\Bar.org"));
    EXPECT_FALSE(FileExists(Dir() + "missing\\Bar.hdv"));
    EXPECT_FALSE(PathExists(Dir() + "missing\\"));
    EXPECT_FALSE(PathExists(Dir() + "missing"));
    EXPECT_FALSE(FileExists("Q:\\no drive\\f1_2002.exe"));
    EXPECT_FALSE(FileExists(Dir() + "bad<name>.hdv"));

    // A doubled backslash still reaches the directory, as a registry text ending in one gives.
    EXPECT_TRUE(FileExists(Dir() + "\\Season02\\Vehicles\\BAR\\bar.hdv"));
}

TEST_F(WindowsFileSystem, CopyAndDeleteWithoutRegardToCaseLeaveOneFile) {
    const std::string live = Make("SEASON02\\FERRARI\\ferrari.HDV", "live");
    const std::string master = Make("SEASON02\\MCLAREN\\mclaren.ORG", "master");

    ASSERT_TRUE(CopyFileSafe(Dir() + "season02\\McLaren\\McLaren.org",
                             Dir() + "season02\\Ferrari\\Ferrari.hdv")
                    .ok);
    EXPECT_EQ(ReadAll(live), "master");
    // Replaced in place: no second file with the catalogue's spelling, no temporary file left.
    int entries = 0;
    for ([[maybe_unused]] const auto& entry :
         fs::directory_iterator(fs::path(live).parent_path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);

    ASSERT_TRUE(DeleteFileText(Dir() + "season02\\mclaren\\McLaren.org").ok);
    EXPECT_FALSE(FileExists(master));
}

TEST_F(WindowsFileSystem, PathTextsInTheAnsiCodePage) {
    // "Größe" as the ANSI functions expect it: the legacy Western code page, or UTF-8 where the
    // program's manifest makes that the code page.
    std::string size;
    if (GetACP() == 1252) {
        size = "Gr\xF6\xDF"
               "e";
    } else if (GetACP() == CP_UTF8) {
        size = "Gr\xC3\xB6\xC3\x9F"
               "e";
    } else {
        GTEST_SKIP() << "no spelling of the directory name for code page " << GetACP();
    }
    const std::string dir = Dir() + "Spiele\\" + size + "\\";
    ASSERT_NE(CreateDirectoryA((Dir() + "Spiele").c_str(), nullptr), FALSE);
    ASSERT_NE(CreateDirectoryA(dir.c_str(), nullptr), FALSE);
    const std::string source = dir + "Ferrari.hdv";
    const std::string target = dir + "Williams.hdv";

    ASSERT_TRUE(WriteFileSafe(source, "ferrari").ok);
    EXPECT_NE(GetFileAttributesA(source.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(PathExists(dir));
    EXPECT_TRUE(FileExists(source));
    ASSERT_TRUE(CopyFileSafe(source, target).ok);
    // The name on disk is really "Größe", not the bytes read in another code page.
    const std::wstring wide = dir_.Path().wstring() + L"\\Spiele\\Gr\u00f6\u00dfe\\Williams.hdv";
    EXPECT_NE(GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES);
    std::string content;
    ASSERT_TRUE(ReadFileText(target, content).ok);
    EXPECT_EQ(content, "ferrari");
    ASSERT_TRUE(DeleteFileText(source).ok);
    EXPECT_EQ(GetFileAttributesA(source.c_str()), INVALID_FILE_ATTRIBUTES);
}

// Holds a file open the way a running game does: others may read it, nobody may replace it.
class OpenFile {
  public:
    explicit OpenFile(const std::string& pathText)
        : handle_(CreateFileA(pathText.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~OpenFile() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE handle_;
};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(WindowsFileSystem, ARefusedWriteNamesTheFileAndWhatHelps) {
    const std::string source = Make("Ferrari.org", "master");
    const std::string target = Make("Williams.hdv", "williams");
    FileResult refused;
    {
        OpenFile game(target);
        ASSERT_TRUE(game.IsOpen());
        refused = CopyFileSafe(source, target);
    }
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.path, target);
    EXPECT_TRUE(Contains(refused.reason, "\"Williams.hdv\"")) << refused.reason;
    EXPECT_TRUE(Contains(refused.reason, "Run Korvane as administrator or move the game out of "
                                         "\"C:\\Program Files\"."))
        << refused.reason;
    EXPECT_EQ(ReadAll(target), "williams");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 2) << "temporary file left behind";
}

TEST_F(WindowsFileSystem, AReadOnlyFileIsNamedAsSuch) {
    const std::string source = Make("Ferrari.org", "master");
    const std::string target = Make("Williams.hdv", "williams");
    ASSERT_NE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY), FALSE);

    // Wine would let the rename replace it; Windows refuses, and so does the layer itself.
    const FileResult copy = CopyFileSafe(source, target);
    EXPECT_FALSE(copy.ok);
    EXPECT_TRUE(Contains(copy.reason, "\"Williams.hdv\" is read-only")) << copy.reason;
    EXPECT_EQ(ReadAll(target), "williams");

    const FileResult removal = DeleteFileText(target);
    EXPECT_FALSE(removal.ok);
    EXPECT_TRUE(Contains(removal.reason, "\"Williams.hdv\" is read-only")) << removal.reason;
    EXPECT_TRUE(FileExists(target));
}

} // namespace
} // namespace korvane
