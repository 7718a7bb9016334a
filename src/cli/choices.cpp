// The team names and seasons a command line may name.
#include <algorithm>
#include <optional>

#include "cli/commands.hpp"
#include "core/text_compare.hpp"
#include "games/catalogue.hpp"

namespace korvane::cli {

std::string Join(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : ", ") + item;
    }
    return text;
}

std::string TeamName(const std::vector<std::string>& names, const std::string& text,
                     const std::string& season, Language language) {
    // The catalogue picks names by exact text; people type them as they remember them.
    const std::optional<std::size_t> index = MatchName(names, text);
    if (!index) {
        throw Refusal(TextIn(language,
                             season.empty() ? MessageText{"unbekanntes Team \"{1}\"; gültige "
                                                          "Namen: {3}",
                                                          "unknown team \"{1}\"; valid names: {3}"}
                                            : MessageText{"unbekanntes Team \"{1}\" in Saison "
                                                          "{2}; gültige Namen: {3}",
                                                          "unknown team \"{1}\" in season {2}; "
                                                          "valid names: {3}"},
                             {text, season, Join(names)}));
    }
    return names[*index];
}

int SeasonIndex(const std::string& year, bool with2003, Language language) {
    const std::vector<std::string> offered = SeasonNamesF1c(with2003);
    const auto found = std::find(offered.begin(), offered.end(), year);
    if (found != offered.end()) {
        return static_cast<int>(found - offered.begin()) + 1;
    }
    if (LastSeasonF1c(with2003) < SeasonsF1cCount && year == SeasonsF1c(SeasonsF1cCount)) {
        throw Refusal(TextIn(language,
                             {"Saison {1} ist nicht installiert (die Quillon-2003-Wagen fehlen); "
                              "gültige Saisons: {2}",
                              "season {1} is not installed (the Quillon 2003 cars are missing); "
                              "valid seasons: {2}"},
                             {year, Join(offered)}));
    }
    throw Refusal(TextIn(language,
                         {"unbekannte Saison \"{1}\"; gültige Saisons: {2}",
                          "unknown season \"{1}\"; valid seasons: {2}"},
                         {year, Join(offered)}));
}

} // namespace korvane::cli
