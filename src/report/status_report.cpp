#include "report/status_report.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "core/file_system.hpp"
#include "core/messages.hpp"
#include "core/utf8.hpp"
#include "report/game_tree_text.hpp"

namespace korvane::lancheck {

namespace {

using Json = nlohmann::ordered_json;

// Why a report cannot be read back, in words for either language; it never leaves this file,
// where ParseReport and ReadReportFile turn it into their result.
class ReportError : public std::runtime_error {
  public:
    ReportError(ReportProblem problem, const MessageText& text,
                std::vector<std::string> values = {})
        : std::runtime_error(text.english), problem_(problem), text_(text),
          values_(std::move(values)) {}
    ReportProblem Problem() const { return problem_; }
    std::string Reason(Language language) const { return TextIn(language, text_, values_); }

  private:
    ReportProblem problem_;
    MessageText text_;
    std::vector<std::string> values_;
};

// A report read back: its components and its games' trees.
struct Parsed {
    std::vector<ComponentStatus> components;
    std::vector<GameTree> games;
};

constexpr const char* GameMarker = "    korvane-game ";
constexpr const char* TreeIndent = "    ";

// A game's name and its folders as written, checked as everything from another PC is.
GameTree ParsedGame(const std::string& name, const std::string& tree, std::size_t count) {
    if (count > MaxReportGames) {
        throw ReportError(ReportProblem::Damaged,
                          {"beschädigt (mehr als {1} Spiele)", "damaged (more than {1} games)"},
                          {std::to_string(MaxReportGames)});
    }
    if (!IsShownText(name, MaxGameNameBytes)) {
        throw ReportError(ReportProblem::Damaged,
                          {"beschädigt (Spiel {1}: kein Name)", "damaged (game {1}: no name)"},
                          {std::to_string(count)});
    }
    std::optional<TreeFolder> root = ParseTreeFolders(tree);
    if (!root) {
        throw ReportError(ReportProblem::Damaged,
                          {"beschädigt (Spiel {1}: der Baum seiner Ordner)",
                           "damaged (game {1}: the tree of its folders)"},
                          {std::to_string(count)});
    }
    return {name, std::move(*root)};
}

constexpr MessageText NotAReportText{"kein Zustandsbericht von korvane-cli",
                                     "not a status report of korvane-cli"};

ReportError TooLarge() {
    return ReportError(ReportProblem::TooLarge,
                       {"größer als 1 MiB, zu groß für einen Zustandsbericht",
                        "larger than 1 MiB, too large for a status report"});
}

bool IsShortSha256(const std::string& text) {
    if (text.size() != 12) {
        return false;
    }
    for (const char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

// A file's digits as a report writes them: 12 hexadecimal ones, left out only for a missing
// file. Both forms check them alike.
bool IsFileDigest(const std::string& holds, const std::optional<std::string>& sha256) {
    return sha256 ? IsShortSha256(*sha256) : holds == StateMissing;
}

// "NAME: STATE, fingerprint HEX[, missing ...]"; false when the line is not one. The German
// line of plain status ("..., Fingerabdruck HEX") is taken too, so that such a file is refused
// for what it lacks, its file lines.
bool ParseComponentLine(const std::string& line, ComponentStatus& component) {
    const std::size_t colon = line.find(": ");
    std::string marker = ", fingerprint ";
    std::size_t fingerprint = line.find(marker, colon);
    if (fingerprint == std::string::npos) {
        marker = ", Fingerabdruck ";
        fingerprint = line.find(marker, colon);
    }
    if (colon == std::string::npos || fingerprint == std::string::npos) {
        return false;
    }
    component.name = line.substr(0, colon);
    component.state = line.substr(colon + 2, fingerprint - colon - 2);
    component.fingerprint = line.substr(fingerprint + marker.size(), 12);
    return IsShortSha256(component.fingerprint);
}

// "  PATH: HOLDS, HEX" or "  PATH: missing"; false when the line is not one.
bool ParseFileLine(const std::string& line, FileStatus& file) {
    const std::size_t colon = line.find(": ");
    if (!line.starts_with("  ") || colon == std::string::npos) {
        return false;
    }
    file.path = line.substr(2, colon - 2);
    const std::string rest = line.substr(colon + 2);
    const std::size_t comma = rest.rfind(", ");
    if (comma == std::string::npos) {
        file.holds = rest;
        return IsFileDigest(file.holds, std::nullopt);
    }
    file.holds = rest.substr(0, comma);
    file.sha256 = rest.substr(comma + 2);
    return IsFileDigest(file.holds, file.sha256);
}

Parsed ParseText(const std::string& text) {
    std::vector<ComponentStatus> components;
    std::vector<std::pair<std::string, std::string>> games; // each game's name and tree
    std::size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.ends_with('\r')) { // written on Windows
            line.pop_back();
        }
        ComponentStatus component;
        FileStatus file;
        if (!components.empty() && line.starts_with(GameMarker)) {
            games.emplace_back(line.substr(std::string_view(GameMarker).size()), "");
        } else if (!games.empty() && line.starts_with(TreeIndent)) {
            games.back().second += line.substr(std::string_view(TreeIndent).size()) + '\n';
        } else if (line.empty() || (!components.empty() && line.starts_with("    "))) {
            continue; // a remark below a file line
        } else if (ParseComponentLine(line, component)) {
            components.push_back(component);
        } else if (!components.empty() && ParseFileLine(line, file)) {
            components.back().files.push_back(file);
        } else if (components.empty()) {
            throw ReportError(ReportProblem::NotAReport, NotAReportText);
        } else {
            throw ReportError(ReportProblem::Damaged,
                              {"beschädigt in Zeile {1}", "damaged at line {1}"},
                              {std::to_string(number)});
        }
    }
    Parsed parsed{std::move(components), {}};
    for (const auto& [name, tree] : games) {
        parsed.games.push_back(ParsedGame(name, tree, parsed.games.size() + 1));
    }
    return parsed;
}

// Windows PowerShell writes redirected output as UTF-16 with a byte-order mark, and UTF-8 with
// one where asked. A report holds only ASCII.
std::string WithoutByteOrderMark(const std::string& text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        return text.substr(3);
    }
    if (!text.starts_with("\xFF\xFE")) {
        return text;
    }
    std::string narrow;
    for (std::size_t i = 2; i + 1 < text.size(); i += 2) {
        if (text[i + 1] != '\0' || static_cast<unsigned char>(text[i]) >= 0x80) {
            throw ReportError(ReportProblem::Damaged, {"beschädigt (ein Zeichen außer ASCII)",
                                                       "damaged (a character other than ASCII)"});
        }
        narrow += text[i];
    }
    return narrow;
}

// One component of the JSON form, its digits checked as the lines' are; number counts from 1.
ComponentStatus JsonComponent(const Json& entry, std::size_t number) {
    ComponentStatus component{entry.at("name").get<std::string>(),
                              entry.at("state").get<std::string>(),
                              entry.at("fingerprint").get<std::string>(),
                              {}};
    if (!IsShortSha256(component.fingerprint)) {
        throw ReportError(ReportProblem::Damaged,
                          {"beschädigt (Komponente {1}: kein Fingerabdruck aus 12 "
                           "Hexadezimalziffern)",
                           "damaged (component {1}: no fingerprint of 12 hexadecimal digits)"},
                          {std::to_string(number)});
    }
    for (const Json& file : entry.at("files")) {
        std::optional<std::string> sha256;
        if (file.contains("sha256")) {
            sha256 = file.at("sha256").get<std::string>();
        }
        component.files.push_back({file.at("path").get<std::string>(),
                                   file.at("holds").get<std::string>(), sha256.value_or("")});
        if (!IsFileDigest(component.files.back().holds, sha256)) {
            throw ReportError(ReportProblem::Damaged,
                              {"beschädigt (Komponente {1}, Datei {2}: keine sha256 aus 12 "
                               "Hexadezimalziffern)",
                               "damaged (component {1}, file {2}: no sha256 of 12 hexadecimal "
                               "digits)"},
                              {std::to_string(number), std::to_string(component.files.size())});
        }
    }
    return component;
}

Parsed ParseJson(const std::string& text) {
    Parsed parsed;
    std::vector<ComponentStatus>& components = parsed.components;
    try {
        const Json report = Json::parse(text);
        if (!report.is_object() || report.value("format", "") != ReportFormat) {
            throw ReportError(ReportProblem::NotAReport, NotAReportText);
        }
        // Only the whole number itself: 1.0, true or "1" were never written, and a conversion to
        // int would take 4294967297 for 1.
        const Json& version = report.at("version");
        if (!version.is_number_integer() || version != ReportVersion) {
            // A number is short whatever it was written as; a text or a list could fill the line.
            const std::string shown = version.is_number() ? version.dump() : version.type_name();
            throw ReportError(ReportProblem::OtherVersion,
                              {"Berichtsversion {1}, dieses korvane-cli liest Version {2}",
                               "report version {1}, this korvane-cli reads version {2}"},
                              {shown, std::to_string(ReportVersion)});
        }
        for (const Json& entry : report.at("components")) {
            components.push_back(JsonComponent(entry, components.size() + 1));
        }
        if (report.contains("games")) {
            for (const Json& game : report.at("games")) {
                parsed.games.push_back(ParsedGame(game.at("game").get<std::string>(),
                                                  game.at("tree").get<std::string>(),
                                                  parsed.games.size() + 1));
            }
        }
    } catch (const Json::exception& e) {
        // The library's text starts with its own error code in brackets.
        const std::string reason = e.what();
        throw ReportError(ReportProblem::Damaged, {"beschädigt ({1})", "damaged ({1})"},
                          {reason.substr(reason.find("] ") + 2)});
    }
    return parsed;
}

} // namespace

std::string ReportText(const std::vector<ComponentStatus>& components, bool withFiles,
                       const std::vector<GameTree>& games) {
    std::string text;
    for (const ComponentStatus& component : components) {
        text += StatusLine(component) + '\n';
        if (!withFiles) {
            continue;
        }
        for (const FileStatus& file : component.files) {
            text += FileLine(file) + '\n';
        }
    }
    for (const GameTree& game : games) {
        text += GameMarker + game.game + '\n';
        const std::string tree = WriteTreeFolders(game.root);
        for (std::size_t start = 0; start < tree.size();) {
            const std::size_t end = tree.find('\n', start);
            text.append(TreeIndent).append(tree, start, end + 1 - start);
            start = end + 1;
        }
    }
    return text;
}

std::string ReportJson(const std::vector<ComponentStatus>& components,
                       const std::vector<GameTree>& games) {
    Json list = Json::array();
    for (const ComponentStatus& component : components) {
        Json files = Json::array();
        for (const FileStatus& file : component.files) {
            Json entry = {{"path", file.path}, {"holds", file.holds}};
            if (!file.sha256.empty()) {
                entry["sha256"] = file.sha256;
            }
            files.push_back(entry);
        }
        list.push_back({{"name", component.name},
                        {"state", component.state},
                        {"fingerprint", component.fingerprint},
                        {"files", files}});
    }
    Json report = {{"format", ReportFormat}, {"version", ReportVersion}, {"components", list}};
    if (!games.empty()) {
        Json trees = Json::array();
        for (const GameTree& game : games) {
            trees.push_back({{"game", game.game}, {"tree", WriteTreeFolders(game.root)}});
        }
        report["games"] = trees;
    }
    return report.dump(2) + '\n';
}

namespace {

Parsed Parse(const std::string& written) {
    if (written.size() > MaxReportBytes) {
        throw TooLarge();
    }
    const std::string text = WithoutByteOrderMark(written);
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        throw ReportError(ReportProblem::NotAReport, {"leer", "empty"});
    }
    Parsed parsed = text[first] == '{' ? ParseJson(text) : ParseText(text);
    if (parsed.components.empty()) {
        throw ReportError(ReportProblem::NotAReport,
                          {"nennt keine Komponente", "lists no component"});
    }
    for (const ComponentStatus& component : parsed.components) {
        if (component.files.empty()) {
            throw ReportError(
                ReportProblem::NoFileLines,
                {"keine Dateizeilen; bitte mit status --files oder status --json schreiben",
                 "no file lines; write it with status --files or status --json"});
        }
    }
    return parsed;
}

Parsed ReadFile(const std::string& pathText) {
    std::error_code ec;
    if (FileExists(pathText) &&
        std::filesystem::file_size(ResolvePath(pathText), ec) > MaxReportBytes && !ec) {
        throw TooLarge();
    }
    const Result<std::string> read = ReadFileText(pathText);
    if (!read.ok()) {
        throw ReportError(ReportProblem::Unreadable, {"{1}", "{1}"}, {read.reason()});
    }
    return Parse(read.value()); // refuses it when it has grown since
}

template <typename Reader>
ReportRead Read(Reader reader, const std::string& from, Language language,
                const std::string& pathText = {}) {
    try {
        Parsed parsed = reader(from);
        return ReportRead::Read(std::move(parsed.components), std::move(parsed.games));
    } catch (const ReportError& error) {
        return ReportRead::Refused(error.Problem(), error.Reason(language), pathText);
    }
}

} // namespace

ReportRead ParseReport(const std::string& written, Language language) {
    return Read(Parse, written, language);
}

ReportRead ReadReportFile(const std::string& pathText, Language language) {
    return Read(ReadFile, pathText, language, pathText);
}

} // namespace korvane::lancheck
