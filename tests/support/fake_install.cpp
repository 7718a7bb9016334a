#include "support/fake_install.hpp"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <tuple>

#include "core/file_system.hpp"
#include "fake_games/fake_games.hpp"

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
    WriteFakeGames(Install(), OriginalContent);
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

std::map<std::string, std::string> FilesBelow(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), root).generic_string()] =
                ReadAll(entry.path().string()) +
                (entry.hard_link_count() > 1 ? " <shares its data with another name>" : "");
        }
    }
    return files;
}

} // namespace korvane::testing
