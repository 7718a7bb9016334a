// Times `korvane-cli harmonize f1c` against a plain copy loop that writes the same 216 files
// with std::filesystem::copy_file and no care for crashes (Korvane makes a backup as a second
// name of its live file where the file system allows; the loop copies). Each round writes two
// fresh, equal fake installations with game-sized files (a .hdv of some 30 KB, an engine.ini of
// some 12 KB), flushes them to disk, then times Korvane on one and the plain loop on the other,
// each going first in every other round.
//
// Usage: korvane_harmonize_bench <korvane-cli> [rounds]   (bench/harmonize.sh builds and runs it)
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "core/file_system.hpp"
#include "games/game_install.hpp"
#include "fake_games/fake_games.hpp"
#include "harmonizer/harmonizer.hpp"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace korvane;
using Clock = std::chrono::steady_clock;

constexpr int MasterSeason = 4; // 2002
constexpr int MasterTeam = 3;   // Ferrari

GameInstall InstallAt(const fs::path& root) {
    GameInstall install;
    install.F1cPath = root.string() + "/";
    install.HasF1c = install.HasF1cQL2003 = true;
    return install;
}

// Text lines in the manner of the game's files until the file has about the size of its kind
// (a .hdv 30 KB, an engine.ini 12 KB); the first line names the file, so every file differs from
// every other.
std::string GameFileText(const std::string& pathText) {
    const std::size_t size = pathText.ends_with(".hdv")         ? 30 * 1024
                             : pathText.ends_with("engine.ini") ? 12 * 1024
                                                                : 4096;
    std::string text = "// " + pathText + "\r\n";
    for (int line = 0; text.size() < size; ++line) {
        text += "Setting" + std::to_string(line) + "=(" + std::to_string(line * 37 % 1000) +
                ".25, 0.5, " + std::to_string(line % 13) + ")  // value of " + pathText + "\r\n";
    }
    return text;
}

GameInstall MakeInstall(const fs::path& root) {
    const GameInstall install = InstallAt(root);
    if (!WriteFakeGames(install, GameFileText)) {
        std::cerr << "cannot write the fake installation below " << root << "\n";
        std::exit(1);
    }
    return install;
}

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double TimeKorvane(const std::string& cli, const GameInstall& install) {
    std::vector<std::string> args = {
        cli,   "--language", "uk",   "--f1c-path", install.F1cPath, "harmonize",
        "f1c", "--season",   "2002", "--team",     "Ferrari"};
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);

    const auto start = Clock::now();
    pid_t pid = 0;
    int status = -1;
    if (posix_spawn(&pid, cli.c_str(), &quiet, nullptr, argv.data(), environ) != 0 ||
        waitpid(pid, &status, 0) != pid) {
        status = -1;
    }
    const auto end = Clock::now();
    posix_spawn_file_actions_destroy(&quiet);
    if (status != 0) {
        std::cerr << "korvane-cli failed (status " << status << ")\n";
        std::exit(1);
    }
    return Milliseconds(end - start);
}

// The same copies as harmonize: every backup, then the master's backups over every live file.
double TimePlainLoop(const GameInstall& install) {
    struct Copy {
        fs::path from, to;
    };
    const CarFiles master = F1cCar(install, MasterSeason, MasterTeam);
    std::vector<Copy> backups, copies;
    for (const CarFiles& car : F1cCars(install)) {
        backups.push_back({ResolvePath(car.performance), ResolvePath(car.performanceBackup)});
        backups.push_back({ResolvePath(car.engine), ResolvePath(car.engineBackup)});
        copies.push_back({ResolvePath(master.performanceBackup), ResolvePath(car.performance)});
        copies.push_back({ResolvePath(master.engineBackup), ResolvePath(car.engine)});
    }
    const auto start = Clock::now();
    for (const Copy& c : backups) {
        fs::copy_file(c.from, c.to);
    }
    for (const Copy& c : copies) {
        fs::copy_file(c.from, c.to, fs::copy_options::overwrite_existing);
    }
    return Milliseconds(Clock::now() - start);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: korvane_harmonize_bench <korvane-cli> [rounds]\n";
        return 2;
    }
    const std::string cli = fs::absolute(argv[1]).string();
    const int rounds = argc == 3 ? std::max(1, std::atoi(argv[2])) : 7;
    const fs::path work = fs::temp_directory_path() / ("korvane-bench-" + std::to_string(getpid()));

    std::vector<double> ratios;
    for (int round = 1; round <= rounds; ++round) {
        // Earlier rounds stay until the end: on a file system without a journal, ext4 passes
        // over inodes deleted in the last half minute or so when it makes a new file, so
        // deleting them here would slow down the creating of files in the next round.
        const fs::path dir = work / ("round" + std::to_string(round));
        const GameInstall forKorvane = MakeInstall(dir / "korvane");
        const GameInstall forPlain = MakeInstall(dir / "plain");
        sync(); // neither side pays for writing back the fresh installations
        // Each side goes first in every other round, so that neither always meets the disk
        // still busy with what went before. Between them everything is written back (untimed):
        // otherwise Korvane's flush of the file system would also write the plain loop's copies.
        double korvane = 0;
        double plain = 0;
        if (round % 2 == 1) {
            korvane = TimeKorvane(cli, forKorvane);
            sync();
            plain = TimePlainLoop(forPlain);
        } else {
            plain = TimePlainLoop(forPlain);
            sync();
            korvane = TimeKorvane(cli, forKorvane);
        }
        ratios.push_back(korvane / plain);
        std::printf("round %d: korvane-cli %.1f ms, plain copy loop %.1f ms, ratio %.2f\n", round,
                    korvane, plain, ratios.back());
        std::fflush(stdout);
    }
    fs::remove_all(work);
    std::printf("median ratio over %d rounds: %.2f\n", rounds, Median(ratios));
    return 0;
}
