#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "app/file_system.hpp"
#include "harmonizer/catalogue.hpp"
#include "harmonizer/harmonizer.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using korvane::testing::FakeInstall;
using korvane::testing::ReadAll;
using korvane::testing::TempDir;
namespace fs = std::filesystem;

namespace {

struct HarmonizeF1_2002Test : ::testing::Test {
    TempDir dir;
    FakeInstall fake{dir.Path()};
    GameInstall install = fake.Install();
    RecordingSink sink;

    std::string Original(const std::string& live) const {
        return FakeInstall::OriginalContent(live.substr(install.F1Path.size()));
    }
    int BackupsOf(Component2002 component) const {
        int count = 0;
        for (const TeamFiles& team : ComponentFiles(install, component)) {
            count += FileExists(team.backup) ? 1 : 0;
        }
        return count;
    }
};

} // namespace

TEST_F(HarmonizeF1_2002Test, HarmonizeAgainThenRestore) {
    const auto ea = ComponentFiles(install, Component2002::EA2002);
    ASSERT_TRUE(HarmonizeF1_2002(install, "Ferrari", true, false, false, "uk", sink));
    EXPECT_EQ(BackupsOf(Component2002::EA2002), 11);
    EXPECT_EQ(BackupsOf(Component2002::QL2002), 0);
    for (const TeamFiles& team : ea) {
        EXPECT_EQ(ReadAll(team.live), Original(ea[2].live)) << team.live;
        EXPECT_EQ(ReadAll(team.backup), Original(team.live)) << team.backup;
    }
    EXPECT_EQ(sink.texts, std::vector<std::string>{"Performance of all teams is now equal to Ferrari"});

    // A second master starts from the installed data, not from Ferrari's.
    ASSERT_TRUE(HarmonizeF1_2002(install, "McLaren", true, false, false, "de", sink));
    for (const TeamFiles& team : ea) {
        EXPECT_EQ(ReadAll(team.live), Original(ea[5].live));
        EXPECT_EQ(ReadAll(team.backup), Original(team.live));
    }
    EXPECT_EQ(sink.texts.back(), "Performance aller Teams entspricht jetzt der von McLaren");

    ASSERT_TRUE(RestoreF1_2002(install, true, false, false, "uk", sink));
    for (const TeamFiles& team : ea) {
        EXPECT_EQ(ReadAll(team.live), Original(team.live));
    }
    EXPECT_EQ(BackupsOf(Component2002::EA2002), 0);
    EXPECT_EQ(sink.texts.back(), "Original performance restored successfully!");

    // Restoring again: one message per team, then the closing text all the same.
    sink.texts.clear();
    ASSERT_TRUE(RestoreF1_2002(install, true, false, false, "de", sink));
    ASSERT_EQ(sink.texts.size(), 12u);
    EXPECT_EQ(sink.texts[1], "Konnte Performance für Bar nicht wiederherstellen,\r\nda original Performancedatei fehlt!");
    EXPECT_EQ(sink.texts[11], "Original Performance erfolgreich wiederhergestellt!");
}

TEST_F(HarmonizeF1_2002Test, GtModKeepsSharedCarNamesApart) {
    const auto gt = ComponentFiles(install, Component2002::GT2002);
    EXPECT_EQ(gt[11].live, install.F1Path + "GTR2002season\\vehicles\\Henrik Roos Racing\\ViperGT_dunlop.hdv");
    ASSERT_TRUE(HarmonizeF1_2002(install, "Lister Storm", false, false, true, "uk", sink));
    EXPECT_EQ(BackupsOf(Component2002::GT2002), 24);
    for (int i : {3, 6, 17}) {  // the three viperGT_pirelli teams, each with its own backup
        EXPECT_EQ(ReadAll(gt[i].backup), Original(gt[i].live));
        EXPECT_EQ(ReadAll(gt[i].live), Original(install.F1Path + "GTR2002season\\vehicles\\Lister Storm\\Lister_dunlop.hdv"));
    }
    EXPECT_EQ(BackupsOf(Component2002::EA2002), 0);

    fs::remove(ResolvePath(gt[19].backup));
    sink.texts.clear();
    RestoreF1_2002(install, false, false, true, "uk", sink);
    ASSERT_EQ(sink.texts.size(), 2u);
    EXPECT_EQ(sink.texts[0], "Performance of PSI MOTORSPORT could not be restored,\r\nas original performance file is missing!");
}

TEST_F(HarmonizeF1_2002Test, EdgeCasesOfSelectionLanguageAndMissingFiles) {
    // Nothing ticked: no file changes, the closing text still names the master.
    ASSERT_TRUE(HarmonizeF1_2002(install, "Ferrari", false, false, false, "uk", sink));
    EXPECT_EQ(BackupsOf(Component2002::EA2002), 0);
    EXPECT_EQ(sink.texts.back(), "Performance of all teams is now equal to Ferrari");

    // Another language code: files change, nothing is said.
    sink.texts.clear();
    ASSERT_TRUE(HarmonizeF1_2002(install, "Ferrari", true, true, false, "unknown", sink));
    EXPECT_TRUE(sink.texts.empty());
    EXPECT_EQ(BackupsOf(Component2002::QL2002), 11);

    // A team whose .hdv is gone but whose backup exists is written from the master again.
    const auto ql = ComponentFiles(install, Component2002::QL2002);
    fs::remove(ResolvePath(ql[0].live));
    ASSERT_TRUE(HarmonizeF1_2002(install, "Jordan", false, true, false, "uk", sink));
    EXPECT_EQ(ReadAll(ql[0].live), Original(ql[4].live));
}

TEST_F(HarmonizeF1_2002Test, RefusesAMasterOutsideTheTickedComponents) {
    for (const auto& [team, ea, gt] : {std::tuple{"ferrari", true, false}, std::tuple{"", true, false},
                                       std::tuple{"Lister Storm", true, false},
                                       std::tuple{"Ferrari", false, true}}) {
        sink.texts.clear();
        EXPECT_FALSE(HarmonizeF1_2002(install, team, ea, false, gt, "uk", sink));
        ASSERT_EQ(sink.texts.size(), 1u);
        EXPECT_EQ(sink.texts[0], "The master team \"" + std::string(team) +
                                     "\" is not available here.\r\nNo file was changed!");
    }
    EXPECT_EQ(BackupsOf(Component2002::EA2002), 0);
    EXPECT_EQ(BackupsOf(Component2002::GT2002), 0);
}

TEST_F(HarmonizeF1_2002Test, MissingMasterOverwritesNothingAndSaysSo) {
    const auto ea = ComponentFiles(install, Component2002::EA2002);
    fs::remove(ResolvePath(ea[2].live));  // Ferrari.hdv gone, no backup yet
    EXPECT_FALSE(HarmonizeF1_2002(install, "Ferrari", true, false, false, "uk", sink));
    for (const TeamFiles& team : ea) {
        if (&team != &ea[2]) {
            EXPECT_EQ(ReadAll(team.live), Original(team.live));
        }
    }
    ASSERT_EQ(sink.texts.size(), 1u);
    EXPECT_NE(sink.texts[0].find("Finished with errors, 2 step(s) failed:"), std::string::npos);
    EXPECT_NE(sink.texts[0].find(ea[2].live + ": "), std::string::npos);
    EXPECT_NE(sink.texts[0].find(ea[2].backup + ": backup of the master team is missing"), std::string::npos);
}
