// The INI reader and writer against the Windows profile API, on the same files.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/ini_file.hpp"
#include "app/settings.hpp"
#include "support/fake_install.hpp"
#include "windows/win_platform.hpp"

namespace korvane {
namespace {

using testing::RunningUnderWine;
using testing::TempDir;
using testing::WriteAll;

std::string RawContent(const std::string& fileText) {
    std::ifstream in(fileText, std::ios::binary);
    if (!in) {
        return "<missing>";
    }
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string ProfileRead(const std::string& fileText, const std::string& section,
                        const std::string& key, const std::string& defaultValue,
                        std::size_t bufferSize) {
    std::vector<char> buffer(bufferSize, '\0');
    const DWORD count =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                 static_cast<DWORD>(buffer.size()), fileText.c_str());
    return std::string(buffer.data(), count);
}

struct ReadCase {
    const char* what;
    std::string content; // empty: no file at all
    std::string section;
    std::string key;
    std::string defaultValue;
    std::string expected;
    std::size_t bufferSize = IniBufferSize;
    // Why Wine's profile API gives something else here; empty when it agrees with Windows.
    const char* wineDeparture = "";
};

class IniAgainstProfileApi : public ::testing::Test {
  protected:
    // Each case gets a file of its own: the profile API may cache a file it has just read.
    std::string NewFile() {
        return (dir_.Path() / ("case" + std::to_string(++count_) + ".ini")).string();
    }

    void ExpectSameRead(const ReadCase& c) {
        SCOPED_TRACE(c.what);
        const std::string file = NewFile();
        if (!c.content.empty()) {
            WriteAll(file, c.content);
        }
        EXPECT_EQ(IniRead(file, c.section, c.key, c.defaultValue, c.bufferSize), c.expected);
        const std::string api = ProfileRead(file, c.section, c.key, c.defaultValue, c.bufferSize);
        if (RunningUnderWine() && *c.wineDeparture != '\0') {
            std::cout << "[ note     ] not compared under Wine (" << c.what
                      << "): " << c.wineDeparture << "\n";
            return;
        }
        EXPECT_EQ(api, c.expected) << "profile API disagrees";
    }

    void ExpectSameRead(const std::vector<ReadCase>& cases) {
        for (const ReadCase& c : cases) {
            ExpectSameRead(c);
        }
    }

    TempDir dir_;
    int count_ = 0;
};

TEST_F(IniAgainstProfileApi, LineEndsAndBlankLines) {
    ExpectSameRead({
        {"CR LF", "[config]\r\nf1path=C:\\F1\\\r\nlanguage=de\r\n", "config", "language", "unknown",
         "de"},
        {"LF only", "[config]\nf1path=C:\\F1\\\nlanguage=de\n", "config", "language", "unknown",
         "de"},
        {"CR only", "[config]\rf1path=C:\\F1\\\rlanguage=de\r", "config", "language", "unknown",
         "de"},
        {"CR only, first key", "[config]\rf1path=C:\\F1\\\rlanguage=de\r", "config", "f1path",
         "unknown", "C:\\F1\\"},
        {"blank lines", "\r\n\r\n[config]\r\n\r\n   \r\n\tlanguage=de\r\n\r\n", "config",
         "language", "unknown", "de"},
        {"last line without line end", "[config]\r\nlanguage=uk", "config", "language", "unknown",
         "uk"},
    });
}

TEST_F(IniAgainstProfileApi, SectionHeaders) {
    ExpectSameRead({
        {"name trimmed", "[  config  ]\r\nlanguage=de\r\n", "config", "language", "unknown", "de"},
        {"indented header", "   [config]\r\nlanguage=de\r\n", "config", "language", "unknown",
         "de"},
        {"text after ] ignored", "[config] remark\r\nlanguage=de\r\n", "config", "language",
         "unknown", "de"},
        {"name runs to the last ]", "[a]b]\r\nk=v\r\n", "a]b", "k", "unknown", "v"},
        {"[ without ] is no header", "[config]\r\nk=1\r\n[broken\r\nk2=2\r\n", "config", "k2",
         "unknown", "2"},
        {"names without regard to case", "[Config]\r\nF1Path=x\r\n", "CONFIG", "f1path", "unknown",
         "x"},
        {"caller's names trimmed", "[config]\r\nlanguage=de\r\n", " config\t", "  language ",
         "unknown", "de"},
        {"only the first matching section", "[s]\r\na=1\r\n[other]\r\nb=0\r\n[S]\r\na=2\r\nb=3\r\n",
         "s", "b", "unknown", "unknown"},
        {"first section's value wins", "[s]\r\na=1\r\n[S]\r\na=2\r\n", "s", "a", "unknown", "1"},
        {"lines before the first header unreachable", "k=v\r\n[s]\r\nj=w\r\n", "s", "k", "unknown",
         "unknown"},
    });
}

TEST_F(IniAgainstProfileApi, KeysAndValues) {
    ExpectSameRead({
        {"key and value trimmed", "[s]\r\n \t key \t = \t value  x \t \r\n", "s", "key", "unknown",
         "value  x"},
        {"other blanks", "[s]\r\n\x0bkey\x0c=\x1avalue\x1a\x0b\r\n", "s", "key", "unknown",
         "value"},
        {"split at the first =", "[s]\r\nk=a=b\r\n", "s", "k", "unknown", "a=b"},
        {"key without =", "[s]\r\nk\r\n", "s", "k", "dflt", "dflt"},
        {"first key wins", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", "unknown", "1"},
        {"empty value is no default", "[s]\r\nk=\r\n", "s", "k", "unknown", ""},
        {"; is part of the key", "[s]\r\n;k=v\r\n", "s", ";k", "unknown", "v"},
        {"; line hides no key", "[s]\r\n;k=v\r\n", "s", "k", "unknown", "unknown"},
        {"# is part of the key", "[s]\r\n#k=v\r\n", "s", "#k", "unknown", "v"},
        {"no inline comments", "[s]\r\nk=v ;c\r\n", "s", "k", "unknown", "v ;c"},
    });
}

TEST_F(IniAgainstProfileApi, Quotes) {
    ExpectSameRead({
        {"double quotes", "[s]\r\nk=\"C:\\F1 2002\\\"\r\n", "s", "k", "unknown", "C:\\F1 2002\\"},
        {"single quotes", "[s]\r\nk='abc'\r\n", "s", "k", "unknown", "abc"},
        {"blanks inside quotes kept", "[s]\r\nk= \" a \" \r\n", "s", "k", "unknown", " a "},
        {"mixed quotes kept", "[s]\r\nk=\"abc'\r\n", "s", "k", "unknown", "\"abc'"},
        {"one quote kept", "[s]\r\nk=\"\r\n", "s", "k", "unknown", "\""},
        {"empty quotes", "[s]\r\nk=\"\"\r\n", "s", "k", "unknown", ""},
        {"only the outer pair", "[s]\r\nk=\"a\"b\"\r\n", "s", "k", "unknown", "a\"b"},
        {"quote only at the start", "[s]\r\nk=\"abc\r\n", "s", "k", "unknown", "\"abc"},
    });
}

TEST_F(IniAgainstProfileApi, MissingPiecesGiveTheDefault) {
    ExpectSameRead({
        {"missing file", "", "config", "language", "unknown", "unknown"},
        {"missing section", "[config]\r\nlanguage=de\r\n", "version", "date", "unknown", "unknown"},
        {"missing key", "[config]\r\nlanguage=de\r\n", "config", "f1path", "unknown", "unknown"},
        {"trailing blanks of the default dropped", "[config]\r\n", "config", "f1path", "dflt   ",
         "dflt"},
        {"leading blanks of the default kept", "", "config", "f1path", "  dflt", "  dflt"},
        // Windows drops every trailing blank; Wine stops before the first character.
        {"default of blanks only", "[config]\r\n", "config", "f1path", "   ", "", IniBufferSize,
         "Wine keeps the first character of a default made only of blanks"},
    });
}

TEST_F(IniAgainstProfileApi, ByteOrderMarkBelongsToTheFirstLine) {
    ExpectSameRead({
        // Wine reads the file as UTF-8 when it starts with a byte-order mark; Windows does not.
        {"header behind a byte-order mark", "\xEF\xBB\xBF[s]\r\nk=v\r\n", "s", "k", "unknown",
         "unknown", IniBufferSize, "Wine skips a UTF-8 byte-order mark"},
        {"second section behind a byte-order mark", "\xEF\xBB\xBF[s]\r\nk=v\r\n[t]\r\nk=w\r\n", "t",
         "k", "unknown", "w"},
    });
}

TEST_F(IniAgainstProfileApi, BufferCutsTheValue) {
    const std::string longValue(1500, 'x');
    ExpectSameRead({
        {"1500 characters in 1024", "[config]\r\nf1path=" + longValue + "\r\n", "config", "f1path",
         "unknown", longValue.substr(0, 1023)},
        {"exactly 1023 characters", "[config]\r\nf1path=" + longValue.substr(0, 1023) + "\r\n",
         "config", "f1path", "unknown", longValue.substr(0, 1023)},
        {"small buffer", "[s]\r\nk=abcdef\r\n", "s", "k", "unknown", "abcd", 5},
        {"default cut as well", "[s]\r\n", "s", "k", "unknown", "unkn", 5},
    });
}

struct WriteCase {
    const char* what;
    std::string before; // empty: no file yet
    std::string section;
    std::string key;
    std::string value;
    std::string after;
    const char* wineDeparture = "";
};

class IniWriteAgainstProfileApi : public IniAgainstProfileApi {
  protected:
    void ExpectSameWrite(const WriteCase& c) {
        SCOPED_TRACE(c.what);
        const std::string ours = NewFile();
        const std::string theirs = NewFile();
        if (!c.before.empty()) {
            WriteAll(ours, c.before);
            WriteAll(theirs, c.before);
        }
        EXPECT_TRUE(IniWrite(ours, c.section, c.key, c.value));
        EXPECT_EQ(RawContent(ours), c.after);
        const BOOL written = WritePrivateProfileStringA(c.section.c_str(), c.key.c_str(),
                                                        c.value.c_str(), theirs.c_str());
        // Make sure a caching profile API has put everything on disk.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, theirs.c_str());
        EXPECT_NE(written, FALSE);
        if (RunningUnderWine() && *c.wineDeparture != '\0') {
            std::cout << "[ note     ] not compared under Wine (" << c.what
                      << "): " << c.wineDeparture << "\n";
            return;
        }
        EXPECT_EQ(RawContent(theirs), c.after) << "profile API wrote another file";
    }
};

TEST_F(IniWriteAgainstProfileApi, NewFileSectionAndKey) {
    ExpectSameWrite({"new file", "", "config", "f1path", "C:\\Games\\F1 2002\\",
                     "[config]\r\nf1path=C:\\Games\\F1 2002\\\r\n"});
    ExpectSameWrite({"new section", "[config]\r\nlanguage=de\r\n", "version", "date", "06.12.2026",
                     "[config]\r\nlanguage=de\r\n[version]\r\ndate=06.12.2026\r\n"});
    ExpectSameWrite({"new section, no line break at the end", "[config]\r\nlanguage=de", "version",
                     "date", "1", "[config]\r\nlanguage=de\r\n[version]\r\ndate=1\r\n"});
    // Wine writes the whole file anew from what it parsed; Windows changes only the one line.
    ExpectSameWrite({"new key after the section's last entry",
                     "[config]\r\nlanguage=de\r\n\r\n[version]\r\ndate=1\r\n", "config", "f1path",
                     "D:\\F1\\",
                     "[config]\r\nlanguage=de\r\nf1path=D:\\F1\\\r\n\r\n[version]\r\ndate=1\r\n",
                     "Wine rewrites the whole file and drops its blank lines"});
}

TEST_F(IniWriteAgainstProfileApi, UpdatedKeyKeepsTheRestOfTheFile) {
    ExpectSameWrite({"updated key", "[config]\r\nlanguage=de\r\nf1path=C:\\F1\\\r\n", "config",
                     "language", "uk", "[config]\r\nlanguage=uk\r\nf1path=C:\\F1\\\r\n"});
    ExpectSameWrite({"updated key keeps its spelling", "[Config]\r\nLanguage=de\r\n", "config",
                     "language", "uk", "[Config]\r\nLanguage=uk\r\n"});
    // As above: Wine's rewrite loses the blank lines and the LF line ends.
    ExpectSameWrite({"comments, blank lines and LF line ends stay",
                     "; Korvane\n\n[config]\nlanguage=de\n\n[version]\ndate=1\n", "config",
                     "language", "uk", "; Korvane\n\n[config]\nlanguage=uk\n\n[version]\ndate=1\n",
                     "Wine rewrites the whole file with CR LF and without blank lines"});
    ExpectSameWrite({"same value again", "[config]\r\nlanguage=de\r\n", "config", "language", "de",
                     "[config]\r\nlanguage=de\r\n"});
}

TEST_F(IniWriteAgainstProfileApi, MissingDirectoryFailsAndCreatesNothing) {
    const std::string dir = (dir_.Path() / "missing").string();
    const std::string file = dir + "\\korvane.ini";
    EXPECT_FALSE(IniWrite(file, "config", "language", "de"));
    EXPECT_EQ(WritePrivateProfileStringA("config", "language", "de", file.c_str()), FALSE);
    EXPECT_EQ(GetFileAttributesA(dir.c_str()), INVALID_FILE_ATTRIBUTES);
}

// The settings file is shared with the profile API: what one side writes, the other reads.
TEST(SettingsOnWindows, ReadAndWrittenByTheProfileApiAsWell) {
    TempDir dir;
    const Settings settings{dir.Path().string()};
    const std::string file = settings.FilePath();
    EXPECT_EQ(file, dir.Path().string() + "\\korvane.ini");
    EXPECT_EQ(Settings{"C:\\"}.FilePath(), "C:\\korvane.ini");

    EXPECT_EQ(ReadSetting(settings, "config", "f1path"), "unknown");
    EXPECT_NE(WriteSetting(settings, "config", "f1path", "C:\\Games\\F1 2002\\"), 0);
    EXPECT_EQ(ProfileRead(file, "config", "f1path", "unknown", IniBufferSize),
              "C:\\Games\\F1 2002\\");

    ASSERT_NE(WritePrivateProfileStringA("config", "language", "uk", file.c_str()), FALSE);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    EXPECT_EQ(ReadSetting(settings, "config", "language"), "uk");
    EXPECT_EQ(ReadSetting(settings, "config", "f1path"), "C:\\Games\\F1 2002\\");
    EXPECT_EQ(ReadSetting(settings, "version", "date"), "unknown");

    EXPECT_NE(WriteSetting(settings, "config", "language", "de"), 0);
    EXPECT_EQ(ProfileRead(file, "config", "language", "unknown", IniBufferSize), "de");
    EXPECT_EQ(RawContent(file), "[config]\r\nf1path=C:\\Games\\F1 2002\\\r\nlanguage=de\r\n");
}

} // namespace
} // namespace korvane
