#include <gtest/gtest.h>

#include <filesystem>

#include "app/file_system.hpp"
#include "grip/grip.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using korvane::testing::FakeInstall;
using korvane::testing::FakeOptions;
using korvane::testing::ReadAll;
using korvane::testing::TempDir;
using korvane::testing::WriteAll;
namespace fs = std::filesystem;

namespace {

struct GripTest : ::testing::Test {
    TempDir dir;
    TempDir program;
    FakeInstall fake{dir.Path()};
    std::string f1 = fake.f1Path;
    RecordingSink sink;
    const std::string eaOriginal = FakeInstall::OriginalContent(GripLiveEA);
    const std::string qlOriginal = FakeInstall::OriginalContent(GripLiveQL);

    GripTest() {
        WriteAll(program.Path() / "terea.ini", "optimized EA table");
        WriteAll(program.Path() / "terql.ini", "optimized Quillon table");
    }
};

} // namespace

TEST_F(GripTest, ApplyApplyRestoreRestore) {
    ASSERT_TRUE(ApplyOptimizedGrip(f1, program.Path().string(), true, true, "uk", sink));
    EXPECT_EQ(ReadAll(f1 + GripLiveEA), "optimized EA table");
    EXPECT_EQ(ReadAll(f1 + GripBackupEA), eaOriginal);
    EXPECT_EQ(ReadAll(f1 + GripLiveQL), "optimized Quillon table");
    EXPECT_EQ(ReadAll(f1 + GripBackupQL), qlOriginal);

    // A second apply keeps the first backup, even when the table was changed in between.
    WriteAll(ResolvePath(f1 + GripLiveEA), "edited by hand");
    ASSERT_TRUE(ApplyOptimizedGrip(f1, program.Text(), true, false, "de", sink));
    EXPECT_EQ(ReadAll(f1 + GripBackupEA), eaOriginal);
    EXPECT_EQ(ReadAll(f1 + GripLiveEA), "optimized EA table");
    EXPECT_EQ(sink.texts, (std::vector<std::string>{"Grip values adjusted successfully",
                                                    "Gripwerte erfolgreich modifiziert"}));

    sink.texts.clear();
    ASSERT_TRUE(RestoreOriginalGrip(f1, true, true, "uk", sink));
    EXPECT_EQ(ReadAll(f1 + GripLiveEA), eaOriginal);
    EXPECT_EQ(ReadAll(f1 + GripLiveQL), qlOriginal);
    EXPECT_FALSE(FileExists(f1 + GripBackupEA));
    EXPECT_FALSE(FileExists(f1 + GripBackupQL));
    ASSERT_TRUE(RestoreOriginalGrip(f1, true, true, "de", sink));
    EXPECT_EQ(sink.texts, (std::vector<std::string>{
                              "Original grip values restored successfully",
                              "Gripwerte fuer EA konnten mangels fehlender terrain.org nicht wiederhergestellt werden",
                              "Gripwerte fuer Quillon konnten mangels fehlender terrain.org nicht wiederhergestellt werden",
                              "Gripwerte erfolgreich wiederhergestellt"}));
}

TEST_F(GripTest, NothingTickedOrNoLanguage) {
    ASSERT_TRUE(ApplyOptimizedGrip(f1, program.Text(), false, false, "uk", sink));
    ASSERT_TRUE(RestoreOriginalGrip(f1, false, false, "uk", sink));
    EXPECT_EQ(ReadAll(f1 + GripLiveEA), eaOriginal);
    EXPECT_FALSE(FileExists(f1 + GripBackupEA));
    EXPECT_EQ(sink.texts.size(), 2u);

    sink.texts.clear();
    ASSERT_TRUE(ApplyOptimizedGrip(f1, program.Text(), true, false, "unknown", sink));
    ASSERT_TRUE(RestoreOriginalGrip(f1, true, true, "unknown", sink));
    EXPECT_TRUE(sink.texts.empty());
    EXPECT_EQ(ReadAll(f1 + GripLiveEA), eaOriginal);
}

TEST_F(GripTest, StopsAtTheFirstFailedStep) {
    fs::remove(program.Path() / "terea.ini");
    EXPECT_FALSE(ApplyOptimizedGrip(f1, program.Text(), true, true, "uk", sink));
    ASSERT_EQ(sink.texts.size(), 1u);
    EXPECT_EQ(sink.texts[0].rfind("Finished with errors, 1 step(s) failed:\r\n" + program.Text() + "terea.ini: ", 0), 0u);
    // The backup made before the failed step stays; the Quillon table was not reached.
    EXPECT_EQ(ReadAll(f1 + GripBackupEA), eaOriginal);
    EXPECT_EQ(ReadAll(f1 + GripLiveEA), eaOriginal);
    EXPECT_FALSE(FileExists(f1 + GripBackupQL));

    // Without the live table there is nothing to back up: no copy over it either.
    TempDir other;
    FakeInstall noTracks(other.Path(), FakeOptions{.seasonQL = false});
    sink.texts.clear();
    EXPECT_FALSE(ApplyOptimizedGrip(noTracks.f1Path, program.Text(), false, true, "uk", sink));
    EXPECT_FALSE(FileExists(noTracks.f1Path + GripLiveQL));
}
