// The windows' text tables and the language-dependent texts, without any window.
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "app/language.hpp"
#include "app/main_window_texts.hpp"
#include "build_config.hpp"
#include "grip/grip_window_texts.hpp"
#include "harmonizer/harmonizer_window_texts.hpp"
#include "support/fake_install.hpp"

namespace korvane {
namespace {

TEST(WindowTexts, EachTableNamesItsWindowFirstAndEveryControlOnce) {
    struct Table {
        std::span<const ControlText> rows;
        std::string window;
        std::size_t count;
    };
    for (const Table& table : {Table{MainWindowTexts(), "frmMain", 18},
                               Table{HarmonizerWindowTexts(), "frmHarmonizer", 13},
                               Table{GripWindowTexts(), "frmGrip", 7},
                               Table{LanguageChooserTexts(), "frmLanguage", 3}}) {
        ASSERT_EQ(table.rows.size(), table.count) << table.window;
        EXPECT_EQ(table.rows[0].objectName, table.window);
        std::set<std::string> names;
        for (const ControlText& row : table.rows) {
            ASSERT_NE(row.german, nullptr) << row.objectName;
            EXPECT_TRUE(names.insert(row.objectName).second) << row.objectName;
        }
    }
}

TEST(WindowTexts, EnglishMenuTextsCarryNoAccessKeys) {
    for (const ControlText& row : MainWindowTexts()) {
        if (row.english != nullptr) {
            EXPECT_EQ(std::string(row.english).find('&'), std::string::npos) << row.objectName;
        }
    }
}

TEST(WindowTexts, LanguageDependentTextsAreEmptyForOtherCodes) {
    for (const char* code : {"unknown", "fr", "DE", ""}) {
        EXPECT_EQ(HarmonizerInstructionText(code), "") << code;
        EXPECT_EQ(GripInstructionText(code), "") << code;
        EXPECT_EQ(HarmonizerOverviewText(code), "") << code;
        EXPECT_EQ(GripOverviewText(code), "") << code;
        EXPECT_EQ(ModulePromptText(code), nullptr) << code;
        EXPECT_EQ(HomepageAddress(code), "") << code;
    }
}

TEST(WindowTexts, HomepageOfEachLanguage) {
    EXPECT_EQ(HomepageAddress("de"),
              std::string(build::HomepageHostDe) + "/software/korvane/korvane.html");
    EXPECT_EQ(HomepageAddress("uk"),
              std::string(build::HomepageHostUk) + "/software/korvane/korvane_e.html");
}

TEST(WindowTexts, TextsEndAsTheirParagraphsDo) {
    // Instructions end with a line break, explanations do not.
    for (const char* code : {"de", "uk"}) {
        EXPECT_TRUE(HarmonizerInstructionText(code).ends_with(".\r\n")) << code;
        EXPECT_TRUE(GripInstructionText(code).ends_with("program.\r\n") ||
                    GripInstructionText(code).ends_with("eingestellt.\r\n"))
            << code;
        EXPECT_FALSE(HarmonizerOverviewText(code).ends_with("\n")) << code;
        EXPECT_FALSE(GripOverviewText(code).ends_with("\n")) << code;
    }
    // A single break between the third and the fourth German paragraph, double ones elsewhere.
    const std::string de = HarmonizerOverviewText("de");
    EXPECT_NE(de.find("einmalig.\r\nDie Performancewerte"), std::string::npos);
    EXPECT_NE(de.find("werden.\r\n\r\nDies"), std::string::npos);
    EXPECT_NE(HarmonizerOverviewText("uk").find("once.\r\n\r\nThe performance"), std::string::npos);
}

TEST(Language, SetLanguageTakesTheCodeAndStoresIt) {
    testing::TempDir dir;
    AppState state;
    state.settings = Settings{dir.Path().string(), "korvane"};
    SetLanguage(state, "uk");
    EXPECT_EQ(state.languageCode, "uk");
    EXPECT_EQ(ReadSetting(state.settings, "config", "language"), "uk");
    SetLanguage(state, "de");
    EXPECT_EQ(state.languageCode, "de");
    EXPECT_EQ(ReadSetting(state.settings, "config", "language"), "de");
}

TEST(Language, AFailedStoreStillChangesTheRun) {
    AppState state;
    state.settings = Settings{"/nonexistent/korvane-dir", "korvane"};
    SetLanguage(state, "uk");
    EXPECT_EQ(state.languageCode, "uk");
    EXPECT_EQ(ReadSetting(state.settings, "config", "language"), Unknown);
}

} // namespace
} // namespace korvane
