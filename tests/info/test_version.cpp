#include <gtest/gtest.h>

#include "info/update_texts.hpp"
#include "info/version.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using namespace korvane::testing;

// Only the first, third and last characters carry meaning; anything but a digit counts as 0.
TEST(Version, WebVersionAgainstTheOwn060) {
    const std::pair<const char*, bool> cases[] = {
        {"0.6.0", false},  {"0.6.1", true}, {"1.0.0", true},    {"0.7.0", true}, {"0.5.9", false},
        {"0.10.0", false}, {"", false},     {"unknown", false}, {"0x6y1", true}, {"0.6", true},
    };
    for (const auto& [web, newer] : cases) {
        EXPECT_EQ(IsVersionTextNewer(web), newer) << web;
    }
    TempDir dir;
    EXPECT_FALSE(IsWebVersionNewer(dir.Text() + "webver.ini"));
    WriteAll(dir.Path() / "webver.ini",
             "[other]\r\nversion=9.9.9\r\n[version]\r\nversion=0.6.1\r\n");
    EXPECT_TRUE(IsWebVersionNewer(dir.Text() + "webver.ini"));
}

// The version file comes from the network: only a web page it names is handed to the shell.
TEST(Version, OnlyWebPagesAreOpened) {
    for (const char* page : {"http://korvane.example/", "HTTPS://KORVANE.EXAMPLE/x.html?a=b"}) {
        EXPECT_TRUE(IsWebPageAddress(page)) << page;
    }
    for (const char* other :
         {"", "unknown", "C:\\Windows\\system32\\calc.exe", "file:///etc/passwd", "http://",
          "http:///etc/passwd", "ftp://korvane.example/", "mailto:a@b.example", "javascript:x",
          " http://korvane.example/", "http://korvane.example/ -x", "http://korvane.example/\"",
          "korvane.example/software"}) {
        EXPECT_FALSE(IsWebPageAddress(other)) << other;
    }
}
