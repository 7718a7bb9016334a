#include <gtest/gtest.h>

#include <string>

#include "grip/grip.hpp"
#include "report/component_status.hpp"
#include "support/fake_install.hpp"

using namespace korvane;
using namespace korvane::testing;

// The shipped grip table is found beside the program whether its directory is written with a
// separator at the end (korvane-cli) or without (the desktop program).
TEST(ComponentStatus, GripIsOptimizedWhereverTheProgramDirectoryEnds) {
    for (const bool withSeparator : {true, false}) {
        TempDir dir;
        const FakeInstall pc(dir.Path() / "pc", {true, false, false, false, false});
        WriteAll(dir.Path() / "terea.ini", "the shipped table");
        const std::string programDir = withSeparator ? dir.Text() : dir.Path().string();
        RecordingSink sink;
        ASSERT_EQ(ApplyOptimizedGrip({pc.Install(), programDir, Language::English, sink},
                                     {true, false, false}),
                  Outcome::Done);
        const auto components = lancheck::CollectStatus(pc.Install(), programDir);
        ASSERT_EQ(components.back().name, lancheck::ComponentGripEA);
        EXPECT_EQ(components.back().state, "optimized") << programDir;
    }
}
