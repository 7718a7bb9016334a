// Times the digest tree of a whole game installation against sha256sum over the same files.
// Writes, once, a game-sized tree (some 20,000 files and 1.5 GB: many small text-like files in
// some 1,500 folders, a few dozen archives of tens of MB) below the folder given, puts it on disk,
// then in each round times sha256sum over every file (the floor), Korvane's first scan with its
// own cache removed, and the repeat scan; the page cache is left warm for both. The tree stays
// for bench/game_tree.sh to measure the memory of one more first scan (--scan) from outside.
//
// Usage: korvane_game_tree_bench <folder> [rounds]   (bench/game_tree.sh builds and runs it)
//        korvane_game_tree_bench --scan <game folder> <cache file>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "report/game_tree_scan.hpp"
#include "report/game_tree_text.hpp"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace korvane::lancheck;
using Clock = std::chrono::steady_clock;

constexpr int Folders = 1500;
constexpr int SmallFiles = 19950;
constexpr int Archives = 50;

std::uint64_t NextRandom(std::uint64_t& state) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
}

// A file of size bytes, its bytes from seed; written through one buffer.
void WriteFile(const fs::path& path, std::uint64_t size, std::uint64_t seed) {
    static std::vector<std::uint64_t> buffer(1 << 17); // 1 MiB
    std::ofstream out(path, std::ios::binary);
    std::uint64_t state = seed * 2654435761u + 1;
    while (size > 0) {
        for (std::uint64_t& word : buffer) {
            word = NextRandom(state);
        }
        const std::uint64_t chunk = std::min<std::uint64_t>(size, buffer.size() * 8);
        out.write(reinterpret_cast<const char*>(buffer.data()),
                  static_cast<std::streamsize>(chunk));
        size -= chunk;
    }
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

// Sizes as in the games: most files a few KB (a .hdv 30 KB, an .ini a few KB, textures and
// sounds up to some hundred KB), the archives 10 to 30 MB. Returns every file's path.
std::vector<fs::path> MakeGame(const fs::path& root) {
    std::vector<fs::path> folders;
    std::uint64_t state = 88172645463325252ull;
    for (int i = 0; i < Folders; ++i) {
        fs::path folder = root / ("Data" + std::to_string(i % 6));
        if (i >= 6) {
            folder /= "Group" + std::to_string(i % 60);
        }
        if (i >= 60) {
            folder /= "Car " + std::to_string(i);
        }
        fs::create_directories(folder);
        folders.push_back(folder);
    }
    std::vector<fs::path> files;
    for (int i = 0; i < SmallFiles; ++i) {
        const std::uint64_t r = NextRandom(state) % 1000;
        const std::uint64_t size = r < 600   ? 500 + NextRandom(state) % 8000
                                   : r < 950 ? 8000 + NextRandom(state) % 40000
                                             : 40000 + NextRandom(state) % 400000;
        files.push_back(folders[NextRandom(state) % folders.size()] /
                        ("file" + std::to_string(i) + ".ini"));
        WriteFile(files.back(), size, static_cast<std::uint64_t>(i) + 1);
    }
    for (int i = 0; i < Archives; ++i) {
        files.push_back(root / ("Data" + std::to_string(i % 6)) /
                        ("archive" + std::to_string(i) + ".mas"));
        WriteFile(files.back(), (10 + NextRandom(state) % 21) << 20,
                  100000u + static_cast<std::uint64_t>(i));
    }
    return files;
}

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// sha256sum over every file, its output thrown away, as xargs hands them over.
double TimeSha256sum(const fs::path& list) {
    const std::vector<std::string> args = {"xargs", "-0", "-a", list.string(), "sha256sum"};
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const auto start = Clock::now();
    if (posix_spawnp(&pid, "xargs", &actions, nullptr, argv.data(), environ) != 0) {
        std::perror("xargs");
        std::exit(1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const double seconds = Seconds(Clock::now() - start);
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "sha256sum failed\n");
        std::exit(1);
    }
    return seconds;
}

GameTreeScan Scan(const fs::path& root, const fs::path& cache) {
    ScanOptions options;
    options.cacheFile = cache.string();
    korvane::Result<GameTreeScan> scan = ScanGameTree(root.string(), options);
    if (!scan.ok() || scan.value().root.notComparedBelow != 0) {
        std::fprintf(stderr, "the scan failed\n");
        std::exit(1);
    }
    return std::move(scan.value());
}

} // namespace

int main(int argc, char** argv) {
    // One first scan, for a measure of its memory from outside (bench/game_tree.sh).
    if (argc == 4 && std::string(argv[1]) == "--scan") {
        fs::remove(argv[3]);
        Scan(argv[2], argv[3]);
        return 0;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder> [rounds]\n", argv[0]);
        return 2;
    }
    const fs::path base = argv[1];
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const fs::path root = base / "game";
    const fs::path cache = base / "cache" / "game.cache";
    const fs::path list = base / "files.list";

    fs::remove_all(root);
    const auto made = Clock::now();
    const std::vector<fs::path> files = MakeGame(root);
    std::ofstream(list, std::ios::binary) << [&] {
        std::string text;
        for (const fs::path& file : files) {
            text += file.string() + '\0';
        }
        return text;
    }();
    sync();
    std::uintmax_t bytes = 0;
    for (const fs::path& file : files) {
        bytes += fs::file_size(file);
    }
    std::printf("tree: %zu files, %.2f GB, %d folders, written and synced in %.1f s\n",
                files.size(), static_cast<double>(bytes) / 1e9, Folders,
                Seconds(Clock::now() - made));

    std::vector<double> floor, first, repeat;
    std::size_t folderText = 0;
    for (int round = 1; round <= rounds; ++round) {
        floor.push_back(TimeSha256sum(list));
        fs::remove(cache);
        auto start = Clock::now();
        const GameTreeScan cold = Scan(root, cache);
        first.push_back(Seconds(Clock::now() - start));
        start = Clock::now();
        const GameTreeScan warm = Scan(root, cache);
        repeat.push_back(Seconds(Clock::now() - start));
        folderText = WriteTreeFolders(warm.root).size();
        std::printf("round %d: sha256sum %.2f s, first scan %.2f s (%llu files read), repeat scan "
                    "%.3f s (%llu files read)%s\n",
                    round, floor.back(), first.back(),
                    static_cast<unsigned long long>(cold.filesRead), repeat.back(),
                    static_cast<unsigned long long>(warm.filesRead),
                    cold.root.digest == warm.root.digest ? "" : ", DIGESTS DIFFER");
    }
    const double medianFloor = Median(floor);
    const double medianFirst = Median(first);
    const double medianRepeat = Median(repeat);
    std::printf("median of %d rounds: sha256sum %.2f s, first scan %.2f s (%.2f of sha256sum), "
                "repeat scan %.3f s (%.3f of the first)\n",
                rounds, medianFloor, medianFirst, medianFirst / medianFloor, medianRepeat,
                medianRepeat / medianFirst);
    std::printf("report form of the folders: %zu bytes\n", folderText);
    return 0;
}
