// Finding the games in Wine prefixes, and where the settings file goes when the program's
// directory cannot be written.
#include <gtest/gtest.h>

#include "core/settings.hpp"
#include "games/game_install.hpp"
#include "games/wine_prefixes.hpp"
#include "games/wine_registry.hpp"
#include "info/version_file.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using namespace korvane::testing;
namespace fs = std::filesystem;

namespace {

constexpr const char* RegHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";

struct Row {
    int line;
    std::string input, expected;
};

#ifndef _WIN32
// A prefix as wineboot leaves it: system.reg with the given keys, drive_c, and the drive links
// c: -> ../drive_c and z: -> /.
fs::path MakePrefix(const fs::path& dir, const std::string& keys = "") {
    WriteAll(dir / "system.reg", RegHeader + keys);
    fs::create_directories(dir / "drive_c");
    fs::create_directories(dir / "dosdevices");
    fs::create_directory_symlink("../drive_c", dir / "dosdevices" / "c:");
    fs::create_directory_symlink("/", dir / "dosdevices" / "z:");
    return dir;
}

std::string Key(const std::string& path, const std::string& value) {
    return "[Software\\\\" + path + "] 1700000000\n\"Install Dir\"=\"" + value + "\"\n\n";
}
#endif

} // namespace

TEST(WineRegistryValue, ReadsStringsAsWineWritesThem) {
    const std::string key = "[Software\\\\EA SPORTS\\\\F1 2002] 1700000000\n#time=1da\n";
    const Row rows[] = {
        {__LINE__, "[software\\\\ea sports\\\\f1 2002]\n\"install dir\"=str:\"C:\\\\x\"\n",
         "C:\\x"},
        // Quotes, characters above 127 (one UTF-16 unit each, a pair beyond the first plane,
        // four digits when a hex digit follows), octal and C escapes, the text up to a NUL.
        {__LINE__, key + "\"Install Dir\"=\"\\\"Gr\\xf6\\x00dfe\\\" \\x00e4b \\xd83c\\xdfce\"\n",
         "\"Gr\303\266\303\237e\" \303\244b \360\237\217\216"},
        {__LINE__, key + "\"Install Dir\"=\"a\\tb\\0012\\33c\\x\\0def\"\n", "a\tb\0012\033cx"},
        {__LINE__, key + "\"Install Dir\"=str(2):\"C:\\\\z\"\n", "<none>"},
        {__LINE__, key + "\"Install Dir\"=\"C:\\\\unterminated\n", "<none>"},
        // Only the key itself counts, neither a sub-key nor the key that follows.
        {__LINE__, "[Software\\\\EA SPORTS\\\\F1 2002\\\\Sub]\n\"Install Dir\"=\"C:\\\\s\"\n",
         "<none>"},
        {__LINE__, key + "\"A\"=\"1\"\n\n[Software\\\\Other]\n\"Install Dir\"=\"C:\\\\n\"\n",
         "<none>"},
        // A binary value carried over lines.
        {__LINE__, key + "\"Bin\"=hex:00,\\\n  01,02\n\"Install Dir\"=\"C:\\\\h\"\n", "C:\\h"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(WineRegistryValue(RegHeader + row.input, RegKeyF1_2002, RegValueInstallDir)
                      .value_or("<none>"),
                  row.expected);
    }
    // The default value of a key whose name holds an escaped bracket.
    EXPECT_EQ(WineRegistryValue(RegHeader + std::string("[Software\\\\A\\]B] 1\n@=\"C:\\\\d\"\n"),
                                "SOFTWARE\\A]B", ""),
              "C:\\d");
}

#ifndef _WIN32

TEST(WinePathToLocal, DriveLetterThroughDosdevicesThenNamesInAnyCase) {
    TempDir dir;
    const fs::path prefix = MakePrefix(dir.Path() / "pfx");
    fs::create_directories(prefix / "drive_c" / "Games" / "F1 2002");
    fs::create_directories(dir.Path() / "disk" / "Spiele");
    const std::string drive = (prefix / "drive_c").string();
    const std::string disk = (dir.Path() / "disk").string();
    const Row rows[] = {
        {__LINE__, "c:\\GAMES\\f1 2002\\", drive + "/Games/F1 2002/"},
        {__LINE__, "Z:" + disk + "\\SPIELE", disk + "/Spiele"},
        {__LINE__, "Q:\\Games", ""},
        {__LINE__, "\\\\server\\share", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(WinePathToLocal(prefix, row.input), row.expected);
    }
}

TEST(WinePrefixDetection, EachGameFromTheFirstPrefixThatHoldsIt) {
    TempDir dir;
    FakeInstall fake(dir.Path() / "games");
    const std::string z = "Z:" + dir.Text();
    const std::vector<fs::path> prefixes{
        // F1 2002 in both views: the 32-bit one, where its installer writes, wins. F1 Challenge
        // is left behind in the registry, its directory gone.
        MakePrefix(dir.Path() / "a",
                   Key("EA SPORTS\\\\F1 2002", z + "old") +
                       Key("Wow6432Node\\\\EA SPORTS\\\\F1 2002", z + "games\\\\F1 2002\\\\") +
                       Key("Wow6432Node\\\\EA SPORTS\\\\F1 Challenge 99-02", z + "gone\\\\")),
        MakePrefix(dir.Path() / "b",
                   Key("EA SPORTS\\\\F1 Challenge 99-02", z + "GAMES\\\\f1c\\\\"))};

    const Detection d = DetectInstallations(Settings{dir.Text()}, WineRegistries(prefixes));
    // The backslash stored with F1 2002's text is doubled, as on Windows.
    EXPECT_EQ(d.f1Display, fake.f1Path + "\\F1_2002.exe");
    EXPECT_EQ(d.install.F1cPath, fake.f1cPath);
    EXPECT_EQ(d.f1cDisplay, fake.f1cPath + "F1 Challenge 99-02.exe");
}

TEST(WinePrefixes, InTheOrderOfTheFrontEndsEachOnce) {
    TempDir dir;
    const fs::path home = dir.Path() / "home";
    const fs::path library = dir.Path() / "library";
    std::vector<fs::path> expected;
    for (const fs::path& folder :
         {dir.Path() / "own", home / ".wine", home / "data/bottles/bottles/a",
          home / ".var/app/com.usebottles.bottles/data/bottles/bottles/f", home / "Games/lutris-f1",
          home / ".PlayOnLinux/wineprefix/F1", home / "data/Steam/steamapps/compatdata/100/pfx",
          library / "steamapps/compatdata/200/pfx"}) {
        expected.push_back(MakePrefix(folder));
    }
    fs::create_directories(home / "data/bottles/bottles/not-a-prefix/drive_c");
    WriteAll(home / "config/lutris/games/f1-1.yml",
             "game:\n  exe: f1.exe\n  prefix: \"~/Games/lutris-f1\"\nwine: {}\n");
    WriteAll(home / "data/Steam/steamapps/libraryfolders.vdf",
             "\"libraryfolders\"\n{\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + library.string() +
                 "\"\n\t}\n}\n");
    // ~/.steam/steam is a link to the same Steam: its prefixes are not listed twice.
    fs::create_directories(home / ".steam");
    fs::create_directory_symlink(home / "data/Steam", home / ".steam/steam");
    EXPECT_EQ(FindWinePrefixes({home.string(), expected[0].string(), (home / "config").string(),
                                (home / "data").string()}),
              expected);
}

#endif

// Settings are read from and written to one file, which can be written wherever that is possible.
TEST(SettingsLocation, BesideTheProgramOnlyWhereItCanBeWritten) {
    const struct {
        int line;
        bool programWritable;
        const char* beside; // "", "rw" or "ro": no settings file beside the program, or one
        const char* user;   // "", "file" or "blocked": the user's directory cannot be made
        Language language;
        const char* expected; // where, language read first, language read after two choices
    } cases[] = {
        // clang-format off
        {__LINE__, true, "", "", Language::English, "beside unknown kept, webver.ini beside"},
        // A portable copy on a USB stick keeps its own settings.
        {__LINE__, true, "rw", "file", Language::English, "beside beside kept, webver.ini beside"},
        // Left by one run as administrator: the user's own file is read and written.
        {__LINE__, true, "ro", "file", Language::English, "user user kept, webver.ini user"},
        {__LINE__, false, "", "", Language::English, "user unknown kept, webver.ini user"},
        // Neither can be written: the file there is read, and the player told once.
        {__LINE__, true, "ro", "blocked", Language::English,
         "beside beside beside, webver.ini beside | Korvane cannot write its settings file\r\n~program\\korvane.ini\r\nYour choice holds only until "
         "Korvane is closed."},
        {__LINE__, false, "", "blocked", Language::Unknown,
         "user unknown unknown, webver.ini temp | Korvane kann seine Einstellungsdatei nicht schreiben\r\n~file/user\\korvane.ini\r\nIhre Auswahl "
         "gilt nur, bis Korvane beendet wird."},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        TempDir dir;
        // Below a file no directory can be made, not even by root.
        WriteAll(dir.Path() / "file", "");
        const std::string program = dir.Text() + (c.programWritable ? "program" : "file/program");
        const std::string user =
            dir.Text() + (c.user == std::string("blocked") ? "file/user" : "user");
        const fs::path besideFile = fs::path(program) / "korvane.ini";
        if (c.programWritable) {
            fs::create_directories(program);
        }
        if (*c.beside) {
            WriteAll(besideFile, "[config]\r\nlanguage=beside\r\n");
        }
        if (c.beside == std::string("ro")) {
            fs::permissions(besideFile,
                            fs::perms::owner_write | fs::perms::group_write |
                                fs::perms::others_write,
                            fs::perm_options::remove);
        }
        if (c.user == std::string("file")) {
            WriteAll(fs::path(user) / "korvane.ini", "[config]\r\nlanguage=user\r\n");
        }

        Settings settings = LocateSettings(program, "korvane", user);
        const std::string read = ReadSetting(settings, LanguageSetting);
        RecordingSink sink;
        KeepSetting(settings, sink, c.language, LanguageSetting, "kept");
        KeepSetting(settings, sink, c.language, F1PathSetting, "C:\\Games\\");
        auto where = [&](const std::string& path) -> std::string {
            return path.starts_with(program)                              ? "beside"
                   : path.starts_with(user)                               ? "user"
                   : path.starts_with(fs::temp_directory_path().string()) ? "temp"
                                                                          : path;
        };
        std::string seen = where(settings.FilePath()) + " " + read + " " +
                           ReadSetting(LocateSettings(program, "korvane", user), LanguageSetting) +
                           ", webver.ini " + where(VersionFilePath(settings));
        for (std::string text : sink.texts) {
            for (auto at = text.find(dir.Text()); at != std::string::npos;
                 at = text.find(dir.Text())) {
                text = text.substr(0, at) + "~" + text.substr(at + dir.Text().size());
            }
            seen += " | " + text;
        }
        EXPECT_EQ(seen, c.expected);
        std::error_code ignored;
        fs::permissions(besideFile, fs::perms::owner_write, fs::perm_options::add, ignored);
    }
}
