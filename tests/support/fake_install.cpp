#include "support/fake_install.hpp"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>

#include "app/file_system.hpp"
#include "grip/grip.hpp"
#include "harmonizer/catalogue.hpp"

namespace fs = std::filesystem;

namespace korvane::testing {

namespace {

std::string Slashes(std::string text) {
    for (char& c : text) {
        if (c == '\\') {
            c = '/';
        }
    }
    return text;
}

// Creates <dir><relative> with its original content.
void CreateGameFile(const std::string& dir, const std::string& relative) {
    WriteAll(fs::path(dir + Slashes(relative)), FakeInstall::OriginalContent(relative));
}

} // namespace

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

    if (options.f1_2002) {
        CreateGameFile(f1Path, F1ExeShown);
        CreateGameFile(f1Path, GripLiveEA);
        for (int i = 1; i <= Teams2002Count; ++i) {
            CreateGameFile(f1Path, model.DirSeason02 + Teams2002(i) + "\\" + Teams2002(i) + ".hdv");
        }
    }
    if (options.seasonQL) {
        CreateGameFile(f1Path, GripLiveQL);
        for (int i = 1; i <= Teams2002Count; ++i) {
            CreateGameFile(f1Path, model.DirSeasonQL02 + Teams2002(i) + "\\" + Teams2002(i) + ".hdv");
        }
    }
    if (options.gtr2002) {
        for (int i = 1; i <= TeamsGTR2002Count; ++i) {
            CreateGameFile(f1Path, model.DirGTR2002 + TeamsGTR2002(i) + "\\" + CarsGTR2002(i) + ".hdv");
        }
    }
    if (options.f1c) {
        CreateGameFile(f1cPath, F1cExe);
        const int last = LastSeasonF1c(options.f1cQL2003);
        for (int s = 1; s <= last; ++s) {
            for (int t = 1; t <= TeamCountF1c(s); ++t) {
                const std::string dir = model.DirSeasonData + CarDirsF1c(s, t);
                CreateGameFile(f1cPath, dir + "\\" + SeasonsF1c(s) + "_" + TeamsF1c(s, t) + ".hdv");
                CreateGameFile(f1cPath, dir + "\\engine.ini");
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
    if (!in) {
        return "<missing>";
    }
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteAll(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

} // namespace korvane::testing
