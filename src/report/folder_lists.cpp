#include "report/folder_lists.hpp"

#include <nlohmann/json.hpp>

#include <filesystem>

#include "core/file_system.hpp"
#include "core/messages.hpp"
#include "report/game_tree_text.hpp"

namespace korvane::lancheck {

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* Format = "korvane-folder-lists";
constexpr int Version = 1;
constexpr MessageText TooLarge{"größer als 64 MiB, zu groß für Ordnerlisten",
                               "larger than 64 MiB, too large for folder lists"};

void AddFolders(const TreeFolder& folder, const std::string& path, Json& folders) {
    folders.push_back({{"path", path}, {"files", WriteTreeFiles(folder)}});
    for (const TreeFolder& sub : folder.folders) {
        AddFolders(sub, path.empty() ? sub.name : path + '\\' + sub.name, folders);
    }
}

} // namespace

std::string WriteFolderLists(const std::vector<GameTree>& games) {
    Json list = Json::array();
    for (const GameTree& game : games) {
        Json folders = Json::array();
        AddFolders(game.root, "", folders);
        list.push_back({{"game", game.game}, {"folders", folders}});
    }
    return Json{{"format", Format}, {"version", Version}, {"games", list}}.dump(1) + '\n';
}

std::string FolderListsBeside(const std::string& reportPath) {
    const std::string_view json = ".json";
    std::string stem = reportPath;
    if (stem.size() > json.size() && FoldedName(stem.substr(stem.size() - json.size())) == json) {
        stem.resize(stem.size() - json.size());
    }
    return stem + ".lists.json";
}

FileResult SaveFolderLists(const std::string& pathText, const std::vector<GameTree>& games,
                           Language language) {
    if (FileExists(pathText) && !FolderLists::Read(pathText, language).ok()) {
        return FileResult::Failure(
            TextIn(language, {"dort liegt eine andere Datei, die Korvane nicht überschreibt",
                              "another file lies there, which Korvane does not overwrite"}),
            pathText);
    }
    return WriteFileSafe(pathText, WriteFolderLists(games));
}

Result<FolderLists> FolderLists::Parse(const std::string& text, Language language) {
    if (text.size() > MaxFolderListsBytes) {
        return Result<FolderLists>::Failure(TextIn(language, TooLarge));
    }
    FolderLists lists;
    try {
        const Json read = Json::parse(text);
        if (!read.is_object() || read.value("format", "") != Format ||
            read.at("version") != Version) {
            return Result<FolderLists>::Failure(
                TextIn(language, {"keine Ordnerlisten dieses korvane-cli",
                                  "not folder lists of this korvane-cli"}));
        }
        for (const Json& game : read.at("games")) {
            const std::string name = game.at("game").get<std::string>();
            for (const Json& folder : game.at("folders")) {
                lists.lists_[{name, FoldedName(folder.at("path").get<std::string>())}] =
                    folder.at("files").get<std::string>();
            }
        }
    } catch (const Json::exception& e) {
        const std::string reason = e.what();
        return Result<FolderLists>::Failure(TextIn(language, {"beschädigt ({1})", "damaged ({1})"},
                                                   {reason.substr(reason.find("] ") + 2)}));
    }
    return Result<FolderLists>::Success(std::move(lists));
}

Result<FolderLists> FolderLists::Read(const std::string& pathText, Language language) {
    std::error_code ec;
    if (std::filesystem::file_size(ResolvePath(pathText), ec) > MaxFolderListsBytes && !ec) {
        return Result<FolderLists>::Failure(TextIn(language, TooLarge), pathText);
    }
    const Result<std::string> read = ReadFileText(pathText);
    if (!read.ok()) {
        return Result<FolderLists>::Failure(read.reason(), pathText);
    }
    return Parse(read.value(), language);
}

std::optional<std::vector<TreeFile>> FolderLists::Files(const std::string& game,
                                                        const std::string& path) const {
    const auto found = lists_.find({game, FoldedName(path)});
    if (found == lists_.end()) {
        return std::nullopt;
    }
    return ParseTreeFiles(found->second);
}

} // namespace korvane::lancheck
