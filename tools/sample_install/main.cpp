// Writes a small fake installation of F1 2002 (with the Quillon season and the GT Racing 2002
// mod) and of F1 Challenge 99-02 (with the Quillon 2003 cars), and points the program's settings
// file at it, so that Korvane can be tried without the games. Every file says that it is fake.
// With --wine-prefix it writes the installation into a Wine prefix of its own instead, in
// C:\Games, registered in the prefix's registry as the games' installers register them; no
// settings file is written then.
//
// Usage: korvane_sample_install <sample directory> <program directory>
//        korvane_sample_install --wine-prefix <prefix directory>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "core/file_system.hpp"
#include "core/settings.hpp"
#include "fake_games/fake_games.hpp"
#include "games/game_install.hpp"

namespace {

using namespace korvane;

// With the system's own separator at the end (a backslash on Windows), as game paths are written.
std::string WithSeparator(std::string directory) {
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    if (directory.empty() || directory.back() != separator) {
        directory += separator;
    }
    return directory;
}

// A registry text: backslashes and quotes escaped.
std::string RegText(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '\\' || c == '"') {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

// The prefix's registry, in the 32-bit view as the 32-bit installers write it, and its drive links.
// F1 2002's directory without a trailing backslash (detection appends one), F1 Challenge's with it
// (detection takes the text as it is).
bool WritePrefix(const std::filesystem::path& prefix) {
    std::ofstream reg(prefix / "system.reg", std::ios::binary);
    reg << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";
    const std::string view = "Software\\Wow6432Node\\";
    reg << "[" << RegText(view + "EA SPORTS\\F1 2002") << "] 1700000000\n"
        << "\"Install Dir\"=\"" << RegText("C:\\Games\\F1 2002") << "\"\n\n"
        << "[" << RegText(view + "EA SPORTS\\F1 Challenge 99-02") << "] 1700000000\n"
        << "\"Install Dir\"=\"" << RegText("C:\\Games\\F1 Challenge 99-02\\") << "\"\n";
    std::error_code error;
    std::filesystem::create_directories(prefix / "dosdevices", error);
    std::filesystem::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:", error);
    std::filesystem::create_directory_symlink("/", prefix / "dosdevices" / "z:", error);
    return static_cast<bool>(reg) && !error;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::cerr << "usage: korvane_sample_install <sample directory> <program directory>\n"
                  << "       korvane_sample_install --wine-prefix <prefix directory>\n";
        return 2;
    }
    const bool inPrefix = std::string(argv[1]) == "--wine-prefix";
    const std::filesystem::path prefix = std::filesystem::absolute(argv[2]);
    const std::string root = WithSeparator(inPrefix ? (prefix / "drive_c" / "Games").string()
                                                    : std::filesystem::absolute(argv[1]).string());
    const std::string programDir = std::filesystem::absolute(argv[2]).string();

    GameInstall install;
    install.F1Path = WithSeparator(root + "F1 2002");
    install.F1cPath = WithSeparator(root + "F1 Challenge 99-02");
    install.HasF1_2002 = install.HasSeasonQL = install.HasGTR2002 = true;
    install.HasF1c = install.HasF1cQL2003 = true;

    bool ok = WriteFakeGames(install, [](const std::string& file) {
        return "; FAKE sample file written by korvane_sample_install - not game data\r\n; " + file +
               "\r\n";
    });

    if (inPrefix) {
        ok = WritePrefix(prefix) && ok;
    }
    const Settings settings{programDir, "korvane"};
    if (!inPrefix) {
        ok = WriteSetting(settings, F1PathSetting, install.F1Path).ok() && ok;
        ok = WriteSetting(settings, F1cPathSetting, install.F1cPath).ok() && ok;
    }

    if (!ok) {
        std::cerr << "korvane_sample_install: could not write every file under " << root << "\n";
        return 1;
    }
    std::cout << "Sample installation in " << root << "\n";
    if (inPrefix) {
        std::cout << "Wine prefix " << prefix.string() << " (try: WINEPREFIX=" << prefix.string()
                  << " korvane)\n";
    } else {
        std::cout << "Settings file " << ResolvePath(settings.FilePath()).string() << "\n";
    }
    return 0;
}
