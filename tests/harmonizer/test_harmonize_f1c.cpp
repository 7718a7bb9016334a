#include <gtest/gtest.h>

#include <filesystem>

#include "app/file_system.hpp"
#include "harmonizer/catalogue.hpp"
#include "harmonizer/harmonizer.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using korvane::testing::FakeInstall;
using korvane::testing::FakeOptions;
using korvane::testing::ReadAll;
using korvane::testing::TempDir;
namespace fs = std::filesystem;

namespace {

std::string Original(const GameInstall& install, const std::string& path) {
    return FakeInstall::OriginalContent(path.substr(install.F1cPath.size()));
}

int CountBackups(const std::vector<CarFiles>& cars) {
    int count = 0;
    for (const CarFiles& car : cars) {
        count += (FileExists(car.performanceBackup) ? 1 : 0) + (FileExists(car.engineBackup) ? 1 : 0);
    }
    return count;
}

// Every car carries the master's files and every backup holds its car's original files.
void ExpectHarmonized(const GameInstall& install, const CarFiles& master) {
    for (const CarFiles& car : F1cCars(install)) {
        EXPECT_EQ(ReadAll(car.performance), Original(install, master.performance)) << car.performance;
        EXPECT_EQ(ReadAll(car.engine), Original(install, master.engine)) << car.engine;
        EXPECT_EQ(ReadAll(car.performanceBackup), Original(install, car.performance));
        EXPECT_EQ(ReadAll(car.engineBackup), Original(install, car.engine));
    }
}

} // namespace

TEST(HarmonizeF1c, AllSeasonsWithThe2003Cars) {
    TempDir dir;
    FakeInstall fake(dir.Path());
    const GameInstall install = fake.Install();
    RecordingSink sink;
    const CarFiles ferrari2002 = F1cCar(install, 4, 3);
    EXPECT_EQ(ferrari2002.performance,
              install.F1cPath + "SeasonData\\Vehicles\\Ferrari\\2002_F2002\\2002_Ferrari.hdv");

    ASSERT_TRUE(HarmonizeF1c(install, 4, 3, "uk", sink));
    EXPECT_EQ(F1cCars(install).size(), 54u);
    EXPECT_EQ(CountBackups(F1cCars(install)), 108);
    ExpectHarmonized(install, ferrari2002);
    EXPECT_EQ(sink.texts, std::vector<std::string>{"Performance of all teams is now equal\r\nto Ferrari during season 2002."});

    sink.texts.clear();
    ASSERT_TRUE(HarmonizeF1c(install, 1, 11, "de", sink));
    ExpectHarmonized(install, F1cCar(install, 1, 11));
    EXPECT_EQ(sink.texts.back(), "Die Performance aller Teams entspricht jetzt\r\nder von Williams in der Saison 1999.");

    ASSERT_TRUE(RestoreF1c(install, "uk", sink));
    for (const CarFiles& car : F1cCars(install)) {
        EXPECT_EQ(ReadAll(car.performance), Original(install, car.performance));
        EXPECT_EQ(ReadAll(car.engine), Original(install, car.engine));
    }
    EXPECT_EQ(CountBackups(F1cCars(install)), 0);

    // Restoring twice: all performance messages first, then all engine messages.
    sink.texts.clear();
    ASSERT_TRUE(RestoreF1c(install, "uk", sink));
    ASSERT_EQ(sink.texts.size(), 109u);
    EXPECT_EQ(sink.texts[0], "Performance of Arrows in season 1999 could not be restored,\r\n"
                             "as original performance file is missing!");
    EXPECT_EQ(sink.texts[53], "Performance of Williams in season 2003 could not be restored,\r\n"
                              "as original performance file is missing!");
    EXPECT_EQ(sink.texts[54], "Performance of Arrows in season 1999 could not be restored,\r\n"
                              "as original engine.ini file is missing!");
    EXPECT_EQ(sink.texts[108], "Original performance restored successfully!");
}

TEST(HarmonizeF1c, WithoutThe2003CarsTheirFilesStayUntouched) {
    TempDir dir;
    FakeInstall fake(dir.Path());
    GameInstall install = fake.Install();
    install.HasF1cQL2003 = false;
    RecordingSink sink;
    ASSERT_TRUE(HarmonizeF1c(install, 4, 3, "de", sink));
    EXPECT_EQ(F1cCars(install).size(), 44u);
    EXPECT_EQ(CountBackups(F1cCars(install)), 88);
    const CarFiles ferrari2003 = F1cCar(install, 5, 2);
    EXPECT_EQ(ReadAll(ferrari2003.performance), Original(install, ferrari2003.performance));
    EXPECT_FALSE(FileExists(ferrari2003.engineBackup));

    // A season that is not on offer, or a team outside the season, changes nothing.
    sink.texts.clear();
    EXPECT_FALSE(HarmonizeF1c(install, 5, 2, "uk", sink));
    EXPECT_FALSE(HarmonizeF1c(install, 0, 3, "uk", sink));
    EXPECT_FALSE(HarmonizeF1c(install, 4, 12, "uk", sink));
    ASSERT_EQ(sink.texts.size(), 3u);
    EXPECT_EQ(sink.texts[0], "Invalid choice (season 5, Team 2).\r\nNo file was changed!");
    EXPECT_FALSE(FileExists(ferrari2003.engineBackup));
}

TEST(HarmonizeF1c, AnEngineBackupWithoutItsPerformanceBackup) {
    TempDir dir;
    FakeInstall fake(dir.Path(), FakeOptions{.f1cQL2003 = false});
    const GameInstall install = fake.Install();
    const CarFiles bar = F1cCar(install, 1, 2);
    ASSERT_TRUE(CopyFileSafe(bar.engine, bar.engineBackup).ok);
    RecordingSink sink;
    ASSERT_TRUE(HarmonizeF1c(install, 2, 4, "uk", sink));
    ExpectHarmonized(install, F1cCar(install, 2, 4));
}

// Whatever write fails, no file is half written, no backup is lost, and running the action
// again finishes the job.
TEST(HarmonizeF1c, AFailedWriteAtAnyPointIsRecoverable) {
    TempDir probeDir;
    FakeInstall probe(probeDir.Path());
    RecordingSink probeSink;
    const int before = test_faults::WritesSoFar();
    ASSERT_TRUE(HarmonizeF1c(probe.Install(), 3, 4, "uk", probeSink));
    const int writes = test_faults::WritesSoFar() - before;
    ASSERT_EQ(writes, 216);

    test_faults::SkipDiskFlush(true);
    struct FlushAgain {
        ~FlushAgain() { test_faults::SkipDiskFlush(false); }
    } flushAgain;
#ifdef _WIN32
    // Under Wine every file operation is a round trip to its server and the full walk takes
    // minutes: a sample of failure points on Windows, every one of them elsewhere.
    constexpr int step = 7;
#else
    constexpr int step = 1;
#endif
    for (int k = 1; k <= writes; k += step) {
        SCOPED_TRACE("failing write " + std::to_string(k));
        TempDir dir;
        FakeInstall fake(dir.Path());
        const GameInstall install = fake.Install();
        const CarFiles master = F1cCar(install, 3, 4);
        RecordingSink sink;
        test_faults::FailWriteNumber(k);
        const bool ok = HarmonizeF1c(install, 3, 4, "uk", sink);
        test_faults::FailWriteNumber(0);
        EXPECT_FALSE(ok);
        ASSERT_EQ(sink.texts.size(), 1u);
        EXPECT_NE(sink.texts[0].find("simulated write failure"), std::string::npos);

        for (const CarFiles& car : F1cCars(install)) {
            for (const auto& [live, backup] : {std::pair{car.performance, car.performanceBackup},
                                               std::pair{car.engine, car.engineBackup}}) {
                const std::string live0 = Original(install, live);
                const std::string master0 = Original(install, live == car.engine ? master.engine : master.performance);
                const std::string now = ReadAll(live);
                EXPECT_TRUE(now == live0 || now == master0) << live;
                if (FileExists(backup)) {
                    EXPECT_EQ(ReadAll(backup), live0) << backup;
                } else {
                    EXPECT_EQ(now, live0) << live;  // never overwritten without its backup
                }
            }
        }
        sink.texts.clear();
        ASSERT_TRUE(HarmonizeF1c(install, 3, 4, "uk", sink));
        ExpectHarmonized(install, master);
    }
}

TEST(HarmonizeF1c, AFailedCopyBackKeepsTheBackup) {
    TempDir dir;
    FakeInstall fake(dir.Path(), FakeOptions{.f1cQL2003 = false});
    const GameInstall install = fake.Install();
    RecordingSink sink;
    ASSERT_TRUE(HarmonizeF1c(install, 4, 3, "uk", sink));
    const CarFiles first = F1cCar(install, 1, 1);
    fs::permissions(ResolvePath(first.performance), fs::perms::owner_write | fs::perms::group_write |
                                                        fs::perms::others_write,
                    fs::perm_options::remove);
    sink.texts.clear();
    EXPECT_FALSE(RestoreF1c(install, "de", sink));
    EXPECT_TRUE(FileExists(first.performanceBackup));
    ASSERT_EQ(sink.texts.size(), 1u);
    EXPECT_EQ(sink.texts[0].rfind("Mit Fehlern beendet, 1 Schritt(e) fehlgeschlagen:\r\n" + first.performance + ": ", 0), 0u);

    fs::permissions(ResolvePath(first.performance), fs::perms::owner_write, fs::perm_options::add);
    ASSERT_TRUE(RestoreF1c(install, "de", sink));
    EXPECT_EQ(ReadAll(first.performance), Original(install, first.performance));
    EXPECT_EQ(CountBackups(F1cCars(install)), 0);
}
