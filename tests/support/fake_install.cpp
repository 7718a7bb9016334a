#include "support/fake_install.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <tuple>

#include "app/file_system.hpp"
#include "grip/grip.hpp"
#include "harmonizer/catalogue.hpp"

namespace fs = std::filesystem;

namespace korvane::testing {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = fs::temp_directory_path() /
            ("korvane-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

FakeInstall::FakeInstall(const fs::path& root, FakeOptions o)
    : f1Path((root / "F1 2002").string() + "/"), f1cPath((root / "F1C").string() + "/"),
      options(o) {
    const GameInstall at;
    auto create = [](bool wanted, const std::string& dir, std::string relative) {
        const std::string content = OriginalContent(relative);
        std::replace(relative.begin(), relative.end(), '\\', '/');
        if (wanted) {
            WriteAll(dir + relative, content);
        }
    };
    create(o.f1_2002, f1Path, F1ExeShown);
    create(o.f1_2002, f1Path, GripLiveEA);
    create(o.seasonQL, f1Path, GripLiveQL);
    for (int i = 1; i <= Teams2002Count; ++i) {
        create(o.f1_2002, f1Path, at.DirSeason02 + Teams2002(i) + "\\" + Teams2002(i) + ".hdv");
        create(o.seasonQL, f1Path, at.DirSeasonQL02 + Teams2002(i) + "\\" + Teams2002(i) + ".hdv");
    }
    for (int i = 1; i <= TeamsGTR2002Count; ++i) {
        create(o.gtr2002, f1Path, at.DirGTR2002 + TeamsGTR2002(i) + "\\" + CarsGTR2002(i) + ".hdv");
    }
    create(o.f1c, f1cPath, F1cExe);
    for (int s = 1; s <= LastSeasonF1c(o.f1cQL2003); ++s) {
        for (int t = 1; t <= TeamCountF1c(s); ++t) {
            const std::string car = at.DirSeasonData + CarDirsF1c(s, t) + "\\";
            create(o.f1c, f1cPath, car + SeasonsF1c(s) + "_" + TeamsF1c(s, t) + ".hdv");
            create(o.f1c, f1cPath, car + "engine.ini");
        }
    }
}

GameInstall FakeInstall::Install() const {
    const auto& [f1, ql, gtr, f1c, ql2003] = options;
    GameInstall install;
    install.F1Path = f1 ? f1Path : "";
    install.F1cPath = f1c ? f1cPath : "";
    std::tie(install.HasF1_2002, install.HasSeasonQL, install.HasGTR2002, install.HasF1c,
             install.HasF1cQL2003) = std::tuple(f1, f1 && ql, f1 && gtr, f1c, f1c && ql2003);
    return install;
}

std::string FakeInstall::OriginalContent(const std::string& relativePathText) {
    return "original " + relativePathText;
}

std::string ReadAll(const std::string& pathText) {
    std::ifstream in(ResolvePath(pathText), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return in ? out.str() : "<missing>";
}

void WriteAll(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

} // namespace korvane::testing
