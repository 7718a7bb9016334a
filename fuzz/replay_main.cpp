// A fuzz target's inputs replayed without libFuzzer: each file of the folders given, once, in
// name order, as libFuzzer runs the files on its command line. Built with the usual compiler, so
// that the seeds and every input that ever crashed a target stay tests without clang.
// Usage: korvane_fuzz_replay_<target> FOLDER...
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
            // .gitkeep holds an empty folder in the repository and is no input.
            if (entry.is_regular_file() && !entry.path().filename().string().starts_with('.')) {
                inputs.push_back(entry.path());
            }
        }
    }
    std::sort(inputs.begin(), inputs.end());
    for (const std::filesystem::path& input : inputs) {
        std::ifstream file(input, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        std::printf("%s (%zu bytes)\n", input.string().c_str(), bytes.size());
        std::fflush(stdout); // a crash below names its input
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return inputs.empty() ? 1 : 0; // no input at all: the folders are not where they should be
}
