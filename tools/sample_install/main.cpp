// Writes a small fake installation of F1 2002 (with the Quillon season and the GT Racing 2002
// mod) and of F1 Challenge 99-02 (with the Quillon 2003 cars), and points the program's settings
// file at it, so that Korvane can be tried without the games. Every file says that it is fake.
//
// Usage: korvane_sample_install <sample directory> <program directory>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "app/file_system.hpp"
#include "app/game_install.hpp"
#include "app/settings.hpp"
#include "grip/grip.hpp"
#include "harmonizer/harmonizer.hpp"

namespace {

using namespace korvane;

bool Write(const std::string& pathText, const std::string& what) {
    const std::filesystem::path path = ResolvePath(pathText);
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary);
    out << "; FAKE sample file written by korvane_sample_install - not game data\r\n"
        << "; " << what << "\r\n";
    return static_cast<bool>(out);
}

// With the system's own separator at the end (a backslash on Windows), as game paths are written.
std::string WithSeparator(std::string directory) {
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    if (directory.empty() || directory.back() != separator) {
        directory += separator;
    }
    return directory;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::cerr << "usage: korvane_sample_install <sample directory> <program directory>\n";
        return 2;
    }
    const std::string root = WithSeparator(std::filesystem::absolute(argv[1]).string());
    const std::string programDir = std::filesystem::absolute(argv[2]).string();

    GameInstall install;
    install.F1Path = WithSeparator(root + "F1 2002");
    install.F1cPath = WithSeparator(root + "F1 Challenge 99-02");
    install.HasF1_2002 = install.HasSeasonQL = install.HasGTR2002 = true;
    install.HasF1c = install.HasF1cQL2003 = true;

    bool ok = Write(install.F1Path + F1ExeShown, "stands in for the F1 2002 executable");
    for (Component2002 component :
         {Component2002::EA2002, Component2002::QL2002, Component2002::GT2002}) {
        for (const TeamFiles& team : ComponentFiles(install, component)) {
            ok = Write(team.live, "performance of " + team.team) && ok;
        }
    }
    ok = Write(install.F1Path + GripLiveEA, "terrain table of the EA 2002 season") && ok;
    ok = Write(install.F1Path + GripLiveQL, "terrain table of the Quillon season") && ok;

    ok = Write(install.F1cPath + F1cExe, "stands in for the F1 Challenge 99-02 executable") && ok;
    for (const CarFiles& car : F1cCars(install)) {
        const std::string which =
            "season " + std::to_string(car.season) + ", team " + std::to_string(car.team);
        ok = Write(car.performance, "performance, " + which) && ok;
        ok = Write(car.engine, "engine, " + which) && ok;
    }
    std::error_code error;
    std::filesystem::create_directories(ResolvePath(install.F1cPath + F1cQL2003Marker), error);

    const Settings settings{programDir, "korvane"};
    ok = WriteSetting(settings, "config", "f1path", install.F1Path) != 0 && ok;
    ok = WriteSetting(settings, "config", "f1cpath", install.F1cPath) != 0 && ok;

    if (!ok) {
        std::cerr << "korvane_sample_install: could not write every file under " << root << "\n";
        return 1;
    }
    std::cout << "Sample installation in " << root << "\nSettings file "
              << ResolvePath(settings.FilePath()).string() << "\n";
    return 0;
}
