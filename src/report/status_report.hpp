#pragma once
// The state report in its two written forms: the lines of `status` (with `--files`, each file
// below its component) and one JSON document for scripts. verify reads either form back, as
// another PC wrote it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/language.hpp"
#include "core/result.hpp"
#include "report/component_status.hpp"
#include "report/game_trees.hpp"

namespace korvane::lancheck {

// Raised when the layout changes in a way that would mislead an older reader.
inline constexpr int ReportVersion = 1;
inline constexpr const char* ReportFormat = "korvane-status";

// Every component's line, followed by its file lines when withFiles is set; then each game's
// folders (WriteTreeFolders) below a line "    korvane-game NAME", every line of them indented by
// four spaces, as the remarks below a file line are: a reader that does not know them passes
// them by.
std::string ReportText(const std::vector<ComponentStatus>& components, bool withFiles,
                       const std::vector<GameTree>& games = {});

// {"format": "korvane-status", "version": 1, "components": [{"name", "state", "fingerprint",
// "files": [{"path", "holds", "sha256"}]}], "games": [{"game", "tree"}]}; a missing file has no
// "sha256", a report without the whole game no "games".
std::string ReportJson(const std::vector<ComponentStatus>& components,
                       const std::vector<GameTree>& games = {});

// A report of every component and file is some 30 KB; anything much larger is something else,
// which is refused before it is read into memory.
inline constexpr std::uintmax_t MaxReportBytes = 1024 * 1024;

// Why a report cannot be read back, for a window to say in its own words.
enum class ReportProblem { NotAReport, Damaged, OtherVersion, NoFileLines, TooLarge, Unreadable };

// A report read back, or why it cannot be: the reason is one line in the language the reader
// was given, the problem its kind. Its games' trees, when it has them, come with it.
class ReportRead : public Result<std::vector<ComponentStatus>> {
  public:
    static ReportRead Read(std::vector<ComponentStatus> components,
                           std::vector<GameTree> games = {}) {
        ReportRead read(Result::Success(std::move(components)), ReportProblem::NotAReport);
        read.games_ = std::move(games);
        return read;
    }
    static ReportRead Refused(ReportProblem problem, std::string reason, std::string path = {}) {
        return ReportRead(Result::Failure(std::move(reason), std::move(path)), problem);
    }

    ReportProblem problem() const { return problem_; } // when !ok()
    // Empty for a report without the whole game.
    const std::vector<GameTree>& games() const { return games_; }

  private:
    ReportRead(Result read, ReportProblem problem) : Result(std::move(read)), problem_(problem) {}

    ReportProblem problem_;
    std::vector<GameTree> games_;
};

// At most so many games in a report, each named in at most so many bytes.
inline constexpr std::size_t MaxReportGames = 4;
inline constexpr std::size_t MaxGameNameBytes = 64;

// Either form, told apart by its first character, in UTF-8 or UTF-16 as Windows shells write it.
// A report without file lines cannot be compared file by file and is refused as well.
ReportRead ParseReport(const std::string& written, Language language = Language::English);

// A report file as ParseReport reads it; one larger than MaxReportBytes is refused unread.
ReportRead ReadReportFile(const std::string& pathText, Language language = Language::English);

} // namespace korvane::lancheck
