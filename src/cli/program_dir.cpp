// Platform piece: where the running executable lives. Everything else in the command-line
// tool is plain standard C++.
#include "cli/program_dir.hpp"

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

namespace korvane::cli {

std::string ProgramDirectory() {
#ifdef _WIN32
    char buffer[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    std::string exe(buffer, length);
    return exe.substr(0, exe.find_last_of("\\/") + 1);
#else
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return "./";
    }
    return exe.parent_path().string() + "/";
#endif
}

} // namespace korvane::cli
