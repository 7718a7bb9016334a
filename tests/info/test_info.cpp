#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "build_config.hpp"
#include "info/about_texts.hpp"
#include "info/history.hpp"
#include "info/update_texts.hpp"
#include "support/fake_install.hpp"

using namespace korvane;

namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos;
         start = at + separator.size()) {
        parts.push_back(text.substr(start, at - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

// A line break that is not CR LF.
bool HasLoneBreak(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) {
            return true;
        }
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            return true;
        }
    }
    return false;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

TEST(History, TenEntriesNewestFirstSeparatedByOneEmptyLine) {
    const std::regex entry(R"(^(\d\d\.\d\d\.\d\d|xx\.xx\.02) - (\d\.\d\.\d|< 0\.1\.0) : \S.*)");
    std::vector<std::string> datesAndVersions[2];
    int language = 0;
    for (const char* code : {"de", "uk"}) {
        const std::string text = HistoryText(code);
        EXPECT_FALSE(HasLoneBreak(text)) << code;
        EXPECT_EQ(text.find("\r\n\r\n\r\n"), std::string::npos) << code;
        EXPECT_FALSE(EndsWith(text, "\n")) << code;
        const auto entries = Split(text, "\r\n\r\n");
        ASSERT_EQ(entries.size(), 10u) << code;
        for (const std::string& line : entries) {
            std::smatch match;
            ASSERT_TRUE(std::regex_match(line, match, entry)) << line;
            datesAndVersions[language].push_back(match[1].str() + " " + match[2].str());
        }
        ++language;
    }
    // Both languages tell the same releases in the same order.
    EXPECT_EQ(datesAndVersions[0], datesAndVersions[1]);
    EXPECT_EQ(datesAndVersions[0].front(), "26.07.03 0.6.0");
    EXPECT_EQ(datesAndVersions[0].back(), "xx.xx.02 < 0.1.0");
}

TEST(History, TextsOfTheLanguages) {
    const std::string german = HistoryText("de");
    EXPECT_EQ(german.rfind("26.07.03 - 0.6.0 : Support für F1 Challenge 99-02 (inkl. Quillon", 0),
              0u);
    EXPECT_TRUE(EndsWith(german, "\r\n\r\nxx.xx.02 - < 0.1.0 : Unveröffentlichte Testversionen\""));
    EXPECT_NE(german.find("\r\n\r\n20.08.02 - 0.2.5 : Links zur Homepage aktualisiert. Keine "
                          "weiteren funtionalen Änderungen.\r\n\r\n"),
              std::string::npos);

    const std::string english = HistoryText("uk");
    EXPECT_EQ(english.rfind("26.07.03 - 0.6.0 : Added support for F1 Challenge 99-02", 0), 0u);
    EXPECT_TRUE(EndsWith(english, "\r\n\r\nxx.xx.02 - < 0.1.0 : Non public beta versions"));
    EXPECT_NE(english.find("\r\n\r\n20.08.02 - 0.2.6 : Program remembes also long paths.\r\n"),
              std::string::npos);

    for (const char* other : {"unknown", "", "DE", "en", "de "}) {
        EXPECT_EQ(HistoryText(other), "") << other;
        EXPECT_TRUE(HistoryEntries(other).empty()) << other;
    }
}

TEST(UpdateTexts, OnlyTheTwoLanguagesHaveTexts) {
    ASSERT_NE(UpdateTextsFor("de"), nullptr);
    ASSERT_NE(UpdateTextsFor("uk"), nullptr);
    for (const char* other : {"unknown", "", "DE", "UK", "en", " de"}) {
        EXPECT_EQ(UpdateTextsFor(other), nullptr) << other;
    }
    EXPECT_STREQ(UpdateTextsFor("de")->firstNewsKey, "newsde1");
    EXPECT_STREQ(UpdateTextsFor("de")->secondNewsKey, "newsde2");
    EXPECT_STREQ(UpdateTextsFor("de")->homepageKey, "homepagede");
    EXPECT_STREQ(UpdateTextsFor("uk")->firstNewsKey, "newsuk1");
    EXPECT_STREQ(UpdateTextsFor("uk")->secondNewsKey, "newsuk2");
    EXPECT_STREQ(UpdateTextsFor("uk")->homepageKey, "homepageuk");
    // The German window starts with the German texts it then sets again.
    EXPECT_STREQ(UpdateTextsFor("de")->caption, update_design::Caption);
    EXPECT_STREQ(UpdateTextsFor("de")->webVersionBeforeCheck, update_design::WebVersion);
}

TEST(VersionFile, LocalCopyLiesInTheProgramDirectory) {
    EXPECT_EQ(VersionFilePath("C:\\Programme\\Korvane"), "C:\\Programme\\Korvane\\webver.ini");
    EXPECT_EQ(VersionFilePath("C:\\Programme\\Korvane\\"), "C:\\Programme\\Korvane\\webver.ini");
    EXPECT_EQ(VersionFilePath("/opt/korvane/"), "/opt/korvane/webver.ini");
}

TEST(VersionFile, KeysAreReadFromTheFileAnewAndMissingOnesAreUnknown) {
    korvane::testing::TempDir dir;
    const std::string path = VersionFilePath(dir.Text());
    EXPECT_EQ(ReadVersionFileKey(path, "version"), "unknown");

    korvane::testing::WriteAll(
        dir.Path() / "webver.ini",
        "[other]\r\nversion=7.7.7\r\n[Version]\r\nversion = 0.6.1 \r\ndate=\r\n");
    EXPECT_EQ(ReadVersionFileKey(path, "version"), "0.6.1");
    EXPECT_EQ(ReadVersionFileKey(path, "date"), "");
    EXPECT_EQ(ReadVersionFileKey(path, "newsde1"), "unknown");

    korvane::testing::WriteAll(dir.Path() / "webver.ini", "[version]\r\nversion=0.7.0\r\n");
    EXPECT_EQ(ReadVersionFileKey(path, "version"), "0.7.0");

    std::string junk;
    for (int i = 0; i < 4096; ++i) {
        junk += static_cast<char>((i * 131 + 7) % 256);
    }
    korvane::testing::WriteAll(dir.Path() / "webver.ini", junk);
    for (const char* key : {"version", "date", "newsuk1", "homepageuk"}) {
        EXPECT_EQ(ReadVersionFileKey(path, key), "unknown") << key;
    }
}

TEST(VersionFile, OnlyWebPagesCountAsAddresses) {
    for (const char* page : {"http://korvane.example/", "https://korvane.example/software/x.html",
                             "HTTP://KORVANE.EXAMPLE/", "http://127.0.0.1:8080/a?b=c"}) {
        EXPECT_TRUE(IsWebPageAddress(page)) << page;
    }
    for (const char* other :
         {"", "unknown", "C:\\Windows\\system32\\calc.exe", "file:///etc/passwd", "http://",
          "https://", "http:///etc/passwd", "ftp://korvane.example/", "mailto:a@b.example",
          "javascript:alert(1)", " http://korvane.example/", "http://korvane.example/ -x",
          "http://korvane.example/\"", "korvane.example/software"}) {
        EXPECT_FALSE(IsWebPageAddress(other)) << other;
    }
}

TEST(About, HomepagePagesOfTheLanguages) {
    EXPECT_EQ(HomepagePage("de"),
              std::string(build::HomepageHostDe) + "/software/korvane/korvane.html");
    EXPECT_EQ(HomepagePage("uk"),
              std::string(build::HomepageHostUk) + "/software/korvane/korvane_e.html");
    EXPECT_EQ(HomepagePage("unknown"), "");
    EXPECT_EQ(HomepagePage(""), "");
}
