#include <gtest/gtest.h>

#include "info/version.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using korvane::testing::TempDir;
using korvane::testing::WriteAll;

TEST(Version, TextOfThisRelease) {
    EXPECT_EQ(VersionText(), "Version 0.6.0");
    EXPECT_EQ(VersionNumber(), "0.6.0");
}

TEST(Version, OnlyTheFirstThirdAndLastCharacterCount) {
    EXPECT_FALSE(IsVersionTextNewer("0.6.0"));
    EXPECT_TRUE(IsVersionTextNewer("0.6.1"));
    EXPECT_TRUE(IsVersionTextNewer("1.0.0"));
    EXPECT_TRUE(IsVersionTextNewer("0.7.0"));
    EXPECT_FALSE(IsVersionTextNewer("0.5.9"));
    EXPECT_FALSE(IsVersionTextNewer("0.10.0"));  // minor read as 1
    EXPECT_FALSE(IsVersionTextNewer(""));
    EXPECT_FALSE(IsVersionTextNewer("unknown"));
    EXPECT_TRUE(IsVersionTextNewer("0x6y1"));
    EXPECT_TRUE(IsVersionTextNewer("0.6"));  // its last character, 6, is the revision too
}

TEST(Version, ReadFromTheDownloadedFile) {
    TempDir dir;
    const std::string file = dir.Text() + "webver.ini";
    EXPECT_FALSE(IsWebVersionNewer(file));
    WriteAll(dir.Path() / "webver.ini", "[version]\r\nversion=0.6.1\r\n");
    EXPECT_TRUE(IsWebVersionNewer(file));
    WriteAll(dir.Path() / "webver.ini", "[other]\r\nversion=9.9.9\r\n");
    EXPECT_FALSE(IsWebVersionNewer(file));
}
