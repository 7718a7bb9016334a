// The team names and seasons a command line may name.
#include <optional>

#include "app/text_compare.hpp"
#include "cli/commands.hpp"
#include "harmonizer/catalogue.hpp"

namespace korvane::cli {

std::string Join(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : ", ") + item;
    }
    return text;
}

std::vector<std::string> Names2002() {
    std::vector<std::string> names;
    for (int i = 1; i <= Teams2002Count; ++i) {
        names.push_back(Teams2002(i));
    }
    return names;
}

std::vector<std::string> NamesGT() {
    std::vector<std::string> names;
    for (int i = 1; i <= TeamsGTR2002Count; ++i) {
        names.push_back(TeamsGTR2002(i));
    }
    return names;
}

std::vector<std::string> NamesF1c(int season) {
    std::vector<std::string> names;
    for (int t = 1; t <= TeamCountF1c(season); ++t) {
        names.push_back(TeamsF1c(season, t));
    }
    return names;
}

std::string TeamName(const std::vector<std::string>& names, const std::string& text,
                     const std::string& where) {
    // The catalogue picks names by exact text; people type them as they remember them.
    const std::optional<std::size_t> index = MatchName(names, text);
    if (!index) {
        throw Refusal("unknown team \"" + text + "\"" + where + "; valid names: " + Join(names));
    }
    return names[*index];
}

int SeasonIndex(const std::string& year, bool with2003) {
    const int last = LastSeasonF1c(with2003);
    std::vector<std::string> offered;
    for (int s = 1; s <= last; ++s) {
        if (SeasonsF1c(s) == year) {
            return s;
        }
        offered.push_back(SeasonsF1c(s));
    }
    if (last < SeasonsF1cCount && year == SeasonsF1c(SeasonsF1cCount)) {
        throw Refusal("season " + year + " is not installed (the Quillon 2003 cars are missing); " +
                      "valid seasons: " + Join(offered));
    }
    throw Refusal("unknown season \"" + year + "\"; valid seasons: " + Join(offered));
}

} // namespace korvane::cli
