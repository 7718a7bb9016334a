#include <gtest/gtest.h>

#include <string>

#include "app/ini_file.hpp"
#include "app/settings.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using korvane::testing::ReadAll;
using korvane::testing::TempDir;
using korvane::testing::WriteAll;

namespace {
std::string Read(const std::string& content, const std::string& section, const std::string& key) {
    return IniReadText(content, section, key, "unknown");
}
} // namespace

TEST(IniRead, FindsValuesTheWayTheProfileApiDoes) {
    const std::string file = "top=unreachable\r\n"
                             "  [ Config ]  trailing text\r"
                             "F1Path =  C:\\Games\\F1 2002\\  \n"
                             "empty=\r\n"
                             "noequals\r\n"
                             "comment=v ;c\r\n"
                             "quoted=\"a b\"\r\n"
                             "half=\"abc\r\n"
                             "single='x'\r\n"
                             "mixed=\"x'\r\n"
                             "dup=first\r\n"
                             "DUP=second\r\n"
                             "[config]\r\n"
                             "other=in second section\r\n"
                             "[open\r\n";
    EXPECT_EQ(Read(file, "config", "f1path"), "C:\\Games\\F1 2002\\");
    EXPECT_EQ(Read(file, " CONFIG ", " F1PATH "), "C:\\Games\\F1 2002\\");
    EXPECT_EQ(Read(file, "config", "empty"), "");
    EXPECT_EQ(Read(file, "config", "noequals"), "unknown");
    EXPECT_EQ(Read(file, "config", "comment"), "v ;c");
    EXPECT_EQ(Read(file, "config", "quoted"), "a b");
    EXPECT_EQ(Read(file, "config", "half"), "\"abc");
    EXPECT_EQ(Read(file, "config", "single"), "x");
    EXPECT_EQ(Read(file, "config", "mixed"), "\"x'");
    EXPECT_EQ(Read(file, "config", "dup"), "first");
    // Only the first matching section is searched; text before any header is unreachable.
    EXPECT_EQ(Read(file, "config", "other"), "unknown");
    EXPECT_EQ(Read(file, "", "top"), "unknown");
    EXPECT_EQ(Read(file, "missing", "f1path"), "unknown");
    EXPECT_EQ(IniReadText(file, "config", "nokey", "dflt  \t"), "dflt");
}

TEST(IniRead, CutsLongValuesAtTheBuffer) {
    const std::string value(1500, 'x');
    const std::string file = "[config]\r\nlong=" + value + "\r\n";
    EXPECT_EQ(Read(file, "config", "long"), value.substr(0, 1023));
    EXPECT_EQ(IniReadText(file, "config", "long", "", 10), "xxxxxxxxx");
}

TEST(IniRead, ByteOrderMarkBelongsToTheFirstLine) {
    EXPECT_EQ(Read("\xEF\xBB\xBF[config]\r\nk=v\r\n", "config", "k"), "unknown");
    EXPECT_EQ(Read("\xEF\xBB\xBFk=v\r\n[config]\r\nk=w\r\n", "config", "k"), "w");
}

TEST(IniWrite, ChangesOnlyItsOwnLine) {
    const std::string file = "; settings\r\n"
                             "[Config]\n"
                             "  F1Path = old value\n"
                             "\n"
                             "language=de\r\n"
                             "\r\n"
                             "[version]\r\n"
                             "date=26.07.03";
    EXPECT_EQ(IniWriteText(file, "config", "f1path", "new"),
              "; settings\r\n[Config]\n  F1Path =new\n\nlanguage=de\r\n\r\n[version]\r\ndate=26.07.03");
    // A new key goes right after the section's last entry, a new section at the end.
    EXPECT_EQ(IniWriteText(file, "config", "f1cpath", "D:\\F1C\\"),
              "; settings\r\n[Config]\n  F1Path = old value\n\nlanguage=de\r\nf1cpath=D:\\F1C\\\r\n"
              "\r\n[version]\r\ndate=26.07.03");
    EXPECT_EQ(IniWriteText(file, "version", "build", "7"),
              "; settings\r\n[Config]\n  F1Path = old value\n\nlanguage=de\r\n\r\n[version]\r\n"
              "date=26.07.03\r\nbuild=7\r\n");
    EXPECT_EQ(IniWriteText(file, "extra", "k", "v"), file + "\r\n[extra]\r\nk=v\r\n");
    EXPECT_EQ(IniWriteText("", "config", "language", "uk"), "[config]\r\nlanguage=uk\r\n");
    EXPECT_EQ(IniWriteText(file, "config", "language", "de"), file);
}

TEST(Settings, FileBesideTheExecutable) {
    EXPECT_EQ((Settings{"C:\\Games\\Korvane", "korvane"}.FilePath()), "C:\\Games\\Korvane\\korvane.ini");
    EXPECT_EQ((Settings{"C:\\", "korvane"}.FilePath()), "C:\\korvane.ini");

    TempDir dir;
    const Settings settings{dir.Path().string(), "korvane"};
    EXPECT_EQ(ReadSetting(settings, "config", "language"), "unknown");
    EXPECT_NE(WriteSetting(settings, "config", "language", "uk"), 0);
    EXPECT_EQ(ReadAll(settings.FilePath()), "[config]\r\nlanguage=uk\r\n");
    EXPECT_NE(WriteSetting(settings, "config", "f1path", "E:\\Games\\F1 2002\\"), 0);
    EXPECT_EQ(ReadSetting(settings, "CONFIG", "F1PATH"), "E:\\Games\\F1 2002\\");

    // Edits made by hand between two calls are seen: nothing is cached.
    WriteAll(dir.Path() / "korvane.ini", "[config]\r\nlanguage = de \r\n");
    EXPECT_EQ(ReadSetting(settings, "config", "language"), "de");

    const Settings nowhere{(dir.Path() / "missing").string(), "korvane"};
    EXPECT_EQ(WriteSetting(nowhere, "config", "language", "uk"), 0);
    EXPECT_EQ(ReadSetting(nowhere, "config", "language"), "unknown");
}

TEST(Settings, MailtoAddsTheSubjectOnlyWhenThereIsOne) {
    EXPECT_EQ(MailtoTarget("a@b.example", ""), "mailto:a@b.example");
    EXPECT_EQ(MailtoTarget("a@b.example", "Feedback Korvane"), "mailto:a@b.example?subject=Feedback Korvane");
}
