#include "report/game_compare_texts.hpp"

#include "core/messages.hpp"
#include "report/game_tree_scan.hpp"
#include "report/report_compare.hpp"
#include "report/sha256.hpp"

namespace korvane::lancheck {

namespace {

std::string GameName(const std::string& game, Language language) {
    return TextIn(language, {"{1}, ganzes Spiel", "{1}, whole game"}, {Printable(game)});
}

// A comparison leaves the components' files to the components' lines: what it names is the rest.
std::string RestName(const std::string& game, Language language) {
    return TextIn(language, {"{1}, übriges Spiel", "{1}, rest of the game"}, {Printable(game)});
}

std::string FolderShown(const std::string& folder, Language language) {
    if (folder.empty()) {
        return TextIn(language, {"das Spielverzeichnis", "the game directory"});
    }
    return ShownFile(folder + '\\');
}

std::size_t CountFolders(const TreeFolder& folder) {
    std::size_t count = 1;
    for (const TreeFolder& sub : folder.folders) {
        count += CountFolders(sub);
    }
    return count;
}

std::size_t CountFiles(const TreeFolder& folder) {
    std::size_t count = folder.files.size();
    for (const TreeFolder& sub : folder.folders) {
        count += CountFiles(sub);
    }
    return count;
}

} // namespace

std::string StateWords(EntryState state, Language language) {
    switch (state) {
    case EntryState::Compared:
        break;
    case EntryState::Link:
        return TextIn(language, {"eine Verknüpfung, der Korvane nicht folgt",
                                 "a link, which Korvane does not follow"});
    case EntryState::Unreadable:
        return TextIn(language, {"nicht lesbar", "unreadable"});
    case EntryState::NotAFile:
        return TextIn(language, {"keine gewöhnliche Datei", "not a regular file"});
    case EntryState::CaseTwin:
        return TextIn(language, {"ein zweiter Name, der sich nur in Groß- und Kleinschreibung "
                                 "unterscheidet",
                                 "a second name that differs only in letter case"});
    }
    return {};
}

std::string GameLine(const GameComparison& game, Language language) {
    const std::string name = RestName(game.game, language);
    switch (game.sameness) {
    case Sameness::Same:
        return TextIn(language, {"{1}: gleich", "{1}: same"}, {name});
    case Sameness::HereOnly:
        return TextIn(language, {"{1}: nur hier installiert", "{1}: installed here only"}, {name});
    case Sameness::ReferenceOnly:
        return TextIn(language,
                      {"{1}: nur im Bericht installiert", "{1}: installed in the reference only"},
                      {name});
    case Sameness::Differs:
        break;
    }
    const std::size_t entries = game.Differing();
    const std::size_t folders = game.folders.size();
    const std::string differ =
        entries == 1 ? TextIn(language, {"1 Eintrag weicht ab", "1 entry differs"})
                     : TextIn(language, {"{1} Einträge weichen ab", "{1} entries differ"},
                              {std::to_string(entries)});
    const std::string in = folders == 1 ? TextIn(language, {"in 1 Ordner", "in 1 folder"})
                                        : TextIn(language, {"in {1} Ordnern", "in {1} folders"},
                                                 {std::to_string(folders)});
    return name + ": " + differ + ", " + in;
}

std::string FolderLine(const FolderDifferences& folder, Language language) {
    const std::string shown = FolderShown(folder.folder, language);
    switch (folder.kind) {
    case TreeDifferenceKind::OnlyHere:
        return TextIn(language, {"{1}: der ganze Ordner nur hier", "{1}: the whole folder here only"},
                      {shown});
    case TreeDifferenceKind::OnlyThere:
        return TextIn(language,
                      {"{1}: der ganze Ordner nur im Bericht",
                       "{1}: the whole folder in the reference only"},
                      {shown});
    case TreeDifferenceKind::Differs:
    case TreeDifferenceKind::NotCompared:
        break;
    }
    if (folder.files.empty()) {
        return TextIn(language,
                      {"{1}: Dateien weichen ab (die Liste des anderen PCs liegt nicht vor)",
                       "{1}: files differ (the other PC's list of them is not at hand)"},
                      {shown});
    }
    return shown;
}

std::string GameFileLine(const GameFileDifference& file, Language language) {
    const std::string name = Printable(file.name);
    switch (file.kind) {
    case TreeDifferenceKind::OnlyHere:
        return TextIn(language, {"{1}: nur hier", "{1}: here only"}, {name});
    case TreeDifferenceKind::OnlyThere:
        return TextIn(language, {"{1}: nur im Bericht", "{1}: in the reference only"}, {name});
    case TreeDifferenceKind::Differs:
        return TextIn(language, {"{1}: hier {2}, im Bericht {3}", "{1}: here {2}, reference {3}"},
                      {name, file.here, file.there});
    case TreeDifferenceKind::NotCompared:
        break;
    }
    if (!file.reason.empty()) {
        return TextIn(language, {"{1}: hier nicht verglichen ({2})", "{1}: not compared here ({2})"},
                      {name, Printable(file.reason)});
    }
    return TextIn(language,
                  {"{1}: nicht verglichen (hier oder im Bericht keine lesbare Datei)",
                   "{1}: not compared (no readable file here or in the reference)"},
                  {name});
}

std::string CopyAdvice(Language language) {
    return TextIn(language,
                  {"Korvane kopiert keine Spieldateien zwischen PCs: bitte jeden genannten Ordner "
                   "von einem PC kopieren, der den richtigen hat, und noch einmal vergleichen.",
                   "Korvane does not copy game files between PCs: copy each folder named from a "
                   "PC that has the right one, then compare again."});
}

std::string NoWholeGameText(Language language) {
    return TextIn(language,
                  {"Der Bericht enthält das ganze Spiel nicht: nur Korvanes Komponenten verglichen",
                   "The report does not hold the whole game: Korvane's components compared only"});
}

std::string GamesLeftText(const std::vector<GameComparison>& games, Language language) {
    std::string text;
    for (const GameComparison& game : games) {
        if (game.sameness == Sameness::Differs) {
            text += GameLine(game, language) + '\n';
        }
    }
    return text.empty() ? text : text + CopyAdvice(language) + '\n';
}

void PrintGames(const std::vector<GameComparison>& games, std::ostream& out, Language language) {
    bool advice = false;
    for (const GameComparison& game : games) {
        out << GameLine(game, language) << '\n';
        for (const FolderDifferences& folder : game.folders) {
            out << "  " << FolderLine(folder, language) << '\n';
            for (const GameFileDifference& file : folder.files) {
                out << "    " << GameFileLine(file, language) << '\n';
            }
            advice = true;
        }
    }
    if (advice) {
        out << CopyAdvice(language) << '\n';
    }
}

std::string GameStatusLines(const std::vector<GameTree>& games, Language language) {
    std::string text;
    for (const GameTree& game : games) {
        text += TextIn(language,
                       {"{1}: {2} Dateien in {3} Ordnern, Fingerabdruck {4}",
                        "{1}: {2} files in {3} folders, fingerprint {4}"},
                       {GameName(game.game, language), std::to_string(CountFiles(game.root)),
                        std::to_string(CountFolders(game.root)),
                        DigestHex(game.root.digest).substr(0, ShortDigits)}) +
                '\n';
        for (const NotComparedEntry& entry : NotCompared(game.root)) {
            text += TextIn(language, {"  {1}: nicht verglichen, {2}", "  {1}: not compared, {2}"},
                           {ShownFile(entry.path), StateWords(entry.state, language)}) +
                    (entry.reason.empty() ? "" : " (" + Printable(entry.reason) + ")") + '\n';
        }
    }
    return text;
}

std::string ScanProgressText(const std::string& game, const ScanProgress& progress,
                             Language language) {
    constexpr std::uint64_t MB = 1000 * 1000;
    return TextIn(language,
                  {"{1} wird gelesen: {2} von {3} Dateien ({4} von {5} MB)",
                   "Reading {1}: {2} of {3} files ({4} of {5} MB)"},
                  {Printable(game), std::to_string(progress.filesDone),
                   std::to_string(progress.filesTotal), std::to_string(progress.bytesDone / MB),
                   std::to_string(progress.bytesTotal / MB)});
}

} // namespace korvane::lancheck
