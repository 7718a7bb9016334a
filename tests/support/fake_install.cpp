#include "support/fake_install.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>

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
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

FakeInstall::FakeInstall(const fs::path& root, FakeOptions options) : options_(options) {
    f1Path = (root / "F1 2002").string() + "/";
    f1cPath = (root / "F1C").string() + "/";
    const GameInstall model = Install();
    auto create = [](const std::string& dir, const std::string& relative) {
        std::string slashes = relative;
        std::replace(slashes.begin(), slashes.end(), '\\', '/');
        WriteAll(fs::path(dir + slashes), OriginalContent(relative));
    };
    for (int i = 1; i <= Teams2002Count; ++i) {
        const std::string team = Teams2002(i) + "\\" + Teams2002(i) + ".hdv";
        if (options.f1_2002) {
            create(f1Path, model.DirSeason02 + team);
        }
        if (options.seasonQL) {
            create(f1Path, model.DirSeasonQL02 + team);
        }
    }
    for (int i = 1; options.gtr2002 && i <= TeamsGTR2002Count; ++i) {
        create(f1Path, model.DirGTR2002 + TeamsGTR2002(i) + "\\" + CarsGTR2002(i) + ".hdv");
    }
    if (options.f1_2002) {
        create(f1Path, F1ExeShown);
        create(f1Path, GripLiveEA);
    }
    if (options.seasonQL) {
        create(f1Path, GripLiveQL);
    }
    if (options.f1c) {
        create(f1cPath, F1cExe);
        for (int s = 1; s <= LastSeasonF1c(options.f1cQL2003); ++s) {
            for (int t = 1; t <= TeamCountF1c(s); ++t) {
                const std::string dir = model.DirSeasonData + CarDirsF1c(s, t) + "\\";
                create(f1cPath, dir + SeasonsF1c(s) + "_" + TeamsF1c(s, t) + ".hdv");
                create(f1cPath, dir + "engine.ini");
            }
        }
    }
}

GameInstall FakeInstall::Install() const {
    GameInstall install;
    if (options_.f1_2002) {
        install.F1Path = f1Path;
        install.HasF1_2002 = true;
        install.HasSeasonQL = options_.seasonQL;
        install.HasGTR2002 = options_.gtr2002;
    }
    if (options_.f1c) {
        install.F1cPath = f1cPath;
        install.HasF1c = true;
        install.HasF1cQL2003 = options_.f1cQL2003;
    }
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
