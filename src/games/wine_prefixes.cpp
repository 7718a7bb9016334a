#include "games/wine_prefixes.hpp"

#include <algorithm>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace korvane {

namespace {

// The entries of that type directly inside dir, sorted by name; none when dir cannot be listed.
std::vector<fs::path> EntriesIn(const fs::path& dir, fs::file_type type) {
    std::vector<fs::path> entries;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->status(ec).type() == type) {
            entries.push_back(it->path());
        }
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::vector<fs::path> SubFolders(const fs::path& dir) {
    return EntriesIn(dir, fs::file_type::directory);
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    const auto last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

std::string Unquote(const std::string& text) {
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front()) {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

// The "prefix:" line of a Lutris game file (YAML; the key occurs once, below "game:").
fs::path LutrisPrefix(const fs::path& gameFile, const std::string& home) {
    std::ifstream in(gameFile);
    for (std::string line; std::getline(in, line);) {
        const std::string trimmed = Trim(line);
        if (trimmed.rfind("prefix:", 0) == 0) {
            std::string value = Unquote(Trim(trimmed.substr(7)));
            if (value.rfind("~/", 0) == 0 && !home.empty()) {
                value = home + value.substr(1);
            }
            return value;
        }
    }
    return {};
}

// Steam's own folder is a library; libraryfolders.vdf names the others as "path" "<folder>".
std::vector<fs::path> SteamLibraries(const fs::path& steam) {
    std::vector<fs::path> libraries{steam};
    std::ifstream in(steam / "steamapps" / "libraryfolders.vdf");
    for (std::string line; std::getline(in, line);) {
        const std::string trimmed = Trim(line);
        if (trimmed.rfind("\"path\"", 0) != 0) {
            continue;
        }
        std::string value = Unquote(Trim(trimmed.substr(6)));
        // The file doubles its backslashes.
        for (std::size_t at = value.find("\\\\"); at != std::string::npos;
             at = value.find("\\\\", at + 1)) {
            value.erase(at, 1);
        }
        libraries.emplace_back(value);
    }
    return libraries;
}

} // namespace

bool IsWinePrefix(const fs::path& folder) {
    std::error_code ec;
    return !folder.empty() && fs::is_regular_file(folder / "system.reg", ec) &&
           fs::is_directory(folder / "drive_c", ec);
}

std::vector<fs::path> FindWinePrefixes(const UserDirs& dirs) {
    // Nothing lies below a directory that is not known.
    const auto below = [](const std::string& base, const char* relative) {
        return base.empty() ? fs::path() : fs::path(base) / relative;
    };
    std::vector<fs::path> candidates;
    const auto addAll = [&candidates](const std::vector<fs::path>& folders) {
        candidates.insert(candidates.end(), folders.begin(), folders.end());
    };
    if (!dirs.winePrefix.empty()) {
        candidates.emplace_back(dirs.winePrefix);
    }
    candidates.push_back(below(dirs.home, ".wine"));
    addAll(SubFolders(below(dirs.dataHome, "bottles/bottles")));
    addAll(SubFolders(below(dirs.home, ".var/app/com.usebottles.bottles/data/bottles/bottles")));
    for (const std::string& base : {dirs.configHome, dirs.dataHome}) {
        const fs::path games = below(base, "lutris/games");
        for (const fs::path& gameFile : EntriesIn(games, fs::file_type::regular)) {
            candidates.push_back(LutrisPrefix(gameFile, dirs.home));
        }
    }
    addAll(SubFolders(below(dirs.home, ".PlayOnLinux/wineprefix")));
    for (const fs::path& steam :
         {below(dirs.dataHome, "Steam"), below(dirs.home, ".steam/steam"),
          below(dirs.home, ".var/app/com.valvesoftware.Steam/.local/share/Steam")}) {
        for (const fs::path& library :
             steam.empty() ? std::vector<fs::path>() : SteamLibraries(steam)) {
            for (const fs::path& game : SubFolders(library / "steamapps" / "compatdata")) {
                candidates.push_back(game / "pfx");
            }
        }
    }

    // ~/.steam/steam is mostly a link to ~/.local/share/Steam, WINEPREFIX often ~/.wine: each
    // prefix is listed once, under the name it was first found by.
    std::vector<fs::path> prefixes;
    std::vector<fs::path> seen;
    for (const fs::path& candidate : candidates) {
        std::error_code ec;
        const fs::path real = fs::weakly_canonical(candidate, ec);
        if (IsWinePrefix(candidate) && std::find(seen.begin(), seen.end(), real) == seen.end()) {
            seen.push_back(real);
            prefixes.push_back(candidate);
        }
    }
    return prefixes;
}

} // namespace korvane
