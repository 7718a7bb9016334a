#include "games/race_files.hpp"

#include "core/installation_lock.hpp"
#include "core/text_compare.hpp"

namespace korvane {

namespace {

// Where a name of the table is left out: only directly in the game directory, or in any folder.
enum class Where { GameDirectory, Anywhere };
// How a name is matched, without regard to letter case: the whole name, or its end (".org"
// leaves out every name that ends so).
enum class Match { Name, Ending };

struct LeftOutName {
    Where where;
    Match match;
    std::string_view text;
    std::string_view why; // for the reader of the table
};

using enum Where;
using enum Match;

// What one player or one PC keeps in the game directory. The games write their player folders,
// log and settings file at the top of the game directory; Korvane's backups and temporary files
// lie beside the files they belong to, anywhere.
constexpr LeftOutName Table[] = {
    {GameDirectory, Name, "Save", "player profiles, saved seasons, the player's own settings"},
    {GameDirectory, Name, "ReplayData", "replays the player recorded"},
    {GameDirectory, Name, "Replays", "replays the player recorded"},
    {GameDirectory, Name, "ScreenShots", "pictures the player took"},
    {GameDirectory, Name, "trace.txt", "the game's log of its last run"},
    {GameDirectory, Name, "config.ini", "graphics and sound settings, rewritten by the game"},
    {GameDirectory, Name, InstallationLockName, "Korvane's lock of the installation"},
    {Anywhere, Ending, ".org", "Korvane's backups of the original files"},
    {Anywhere, Ending, ".tmp", "temporary files, Korvane's among them"},
    {Anywhere, Ending, ".log", "logs"},
    {Anywhere, Name, "Thumbs.db", "Windows' picture previews of a folder"},
    {Anywhere, Name, "desktop.ini", "Windows' look of a folder"},
};

bool Matches(const LeftOutName& entry, std::string_view name) {
    if (entry.match == Name) {
        return EqualNoCase(name, entry.text);
    }
    return name.size() > entry.text.size() &&
           EqualNoCase(name.substr(name.size() - entry.text.size()), entry.text);
}

} // namespace

bool LeftOutOfRace(std::string_view name, bool atGameDirectory) {
    for (const LeftOutName& entry : Table) {
        if ((atGameDirectory || entry.where == Anywhere) && Matches(entry, name)) {
            return true;
        }
    }
    return false;
}

bool CountsForRace(std::string_view relativePath) {
    bool atGameDirectory = true;
    while (!relativePath.empty()) {
        const std::size_t end = relativePath.find_first_of("\\/");
        const std::string_view name = relativePath.substr(0, end);
        if (!name.empty() && LeftOutOfRace(name, atGameDirectory)) {
            return false;
        }
        atGameDirectory = atGameDirectory && name.empty();
        relativePath = end == std::string_view::npos ? "" : relativePath.substr(end + 1);
    }
    return true;
}

} // namespace korvane
