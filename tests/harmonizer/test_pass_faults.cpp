#include <gtest/gtest.h>

#include "app/file_system.hpp"
#include "harmonizer/harmonizer.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using namespace korvane::testing;
namespace fs = std::filesystem;

// The k-th write, flush or rename of an action fails, for every fifth of its steps: the failure
// is shown instead of the success text; the file it names keeps its backup and is not changed
// without one; every team that does not depend on it is done; no temporary file is left; running
// the action again finishes the job.
TEST(PassFaults, EachFailedStepIsRecoverableAndStopsNoOtherTeam) {
    test_faults::SkipDiskFlush(true);
    struct FlushAgain {
        ~FlushAgain() { test_faults::SkipDiskFlush(false); }
    } flushAgain;
    // Eleven teams: each file is written, flushed and renamed, and the directory of each live
    // file flushed after the renames; a restore also deletes each backup.
    const std::tuple<bool, const char*, void (*)(int), int> walks[] = {
        {false, "simulated write failure", test_faults::FailWriteNumber, 22},
        {false, "simulated flush failure", test_faults::FailFlushNumber, 33},
        {false, "simulated rename failure", test_faults::FailRenameNumber, 22},
        {true, "simulated write failure", test_faults::FailWriteNumber, 22},
        {true, "simulated flush failure", test_faults::FailFlushNumber, 22},
        {true, "simulated rename failure", test_faults::FailRenameNumber, 11}};
    const FakeOptions onlyTheEASeason{.seasonQL = false, .gtr2002 = false, .f1c = false};
    for (const auto& [restore, text, failNumber, steps] : walks) {
        for (int k = 1; k <= steps; k += 5) {
            SCOPED_TRACE(std::string(text) + (restore ? " restoring, k " : ", k ") +
                         std::to_string(k));
            TempDir dir;
            const GameInstall install = FakeInstall(dir.Path(), onlyTheEASeason).Install();
            const std::vector<TeamFiles> teams = ComponentFiles(install, Component2002::EA2002);
            const TeamFiles& ferrari = teams[2]; // after Arrows and Bar
            auto original = [&](const std::string& live) {
                return FakeInstall::OriginalContent(live.substr(install.F1Path.size()));
            };
            RecordingSink sink;
            auto act = [&](bool restoring) {
                return restoring
                           ? RestoreF1_2002(install, true, false, false, "uk", sink)
                           : HarmonizeF1_2002(install, "Ferrari", true, false, false, "uk", sink);
            };
            ASSERT_TRUE(!restore || act(false));
            sink.texts.clear();
            failNumber(k);
            const bool ok = act(restore);
            failNumber(0);
            ASSERT_FALSE(ok);
            ASSERT_EQ(sink.texts.size(), 1u);
            const std::string& shown = sink.texts[0];
            EXPECT_NE(shown.find(text), std::string::npos) << shown;
            auto named = [&](const std::string& path) {
                return shown.find(path + ":") != std::string::npos;
            };
            for (const TeamFiles& team : teams) {
                SCOPED_TRACE(team.team);
                const std::string now = ReadAll(team.live);
                const std::string done = original(restore ? team.live : ferrari.live);
                EXPECT_TRUE(now == done || now == original(restore ? ferrari.live : team.live));
                EXPECT_EQ(FileExists(team.backup) ? ReadAll(team.backup) : now,
                          original(team.live));
                if (named(team.backup)) {
                    EXPECT_EQ(now, original(team.live));
                } else if (!named(team.live) && (restore || !named(ferrari.backup))) {
                    EXPECT_EQ(now, done);
                }
                const fs::path teamDir = ResolvePath(team.live).parent_path();
                EXPECT_EQ(std::distance(fs::directory_iterator(teamDir), {}),
                          FileExists(team.backup) ? 2 : 1);
            }
            ASSERT_TRUE(act(restore));
            for (const TeamFiles& team : teams) {
                EXPECT_EQ(ReadAll(team.live), original(restore ? team.live : ferrari.live));
                EXPECT_EQ(FileExists(team.backup), !restore) << team.backup;
            }
        }
    }
}
