#include <gtest/gtest.h>

#include "app/ini_file.hpp"
#include "app/settings.hpp"
#include "support/fake_install.hpp"
#include "support/ini_cases.hpp"

using namespace korvane;
using namespace korvane::testing;

TEST(IniFile, ReadsAsTheProfileApiDoes) {
    TempDir dir;
    const std::string file = dir.Text() + "case.ini";
    for (const IniReadCase& c : IniReads) {
        SCOPED_TRACE(c.line);
        std::filesystem::remove(file);
        if (c.content != NoFile) {
            WriteAll(file, c.content);
        }
        EXPECT_EQ(IniRead(file, c.section, c.key, c.defaultValue, c.bufferSize), c.expected);
    }
}

TEST(IniFile, WritesAsTheProfileApiDoes) {
    TempDir dir;
    const std::string file = dir.Text() + "case.ini";
    for (const IniWriteCase& c : IniWrites) {
        SCOPED_TRACE(c.line);
        std::filesystem::remove(file);
        if (c.before != NoFile) {
            WriteAll(file, c.before);
        }
        EXPECT_TRUE(IniWrite(file, c.section, c.key, c.value));
        EXPECT_EQ(ReadAll(file), c.after);
    }
}

TEST(Settings, FileBesideTheExecutableReadAfreshEachTime) {
    EXPECT_EQ(Settings{"C:\\Korvane"}.FilePath(), "C:\\Korvane\\korvane.ini");
    EXPECT_EQ(Settings{"C:\\"}.FilePath(), "C:\\korvane.ini");

    TempDir dir;
    const Settings settings{dir.Path().string()};
    EXPECT_NE(WriteSetting(settings, "config", "language", "uk"), 0);
    WriteAll(dir.Path() / "korvane.ini", "[config]\r\nlanguage=de\r\n"); // edited by hand
    EXPECT_EQ(ReadSetting(settings, "config", "language"), "de");
    // A directory that does not exist is not created.
    EXPECT_EQ(WriteSetting(Settings{dir.Text() + "missing"}, "config", "language", "uk"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "missing"));
}

TEST(Settings, MailtoAddsTheSubjectOnlyWhenThereIsOne) {
    EXPECT_EQ(MailtoTarget("a@b.example", ""), "mailto:a@b.example");
    EXPECT_EQ(MailtoTarget("a@b.example", "Feedback Korvane"),
              "mailto:a@b.example?subject=Feedback Korvane");
}
