#pragma once
// verify: this PC's state held against another PC's report, file by file.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "report/component_status.hpp"

namespace korvane::lancheck {

// What a file holds on one side ("original", "changed", "Ferrari", ...) and its digits.
struct FileSide {
    std::string holds;
    std::string sha256;
};

// A file whose data is not the same on both sides; nothing on the side that has no such file.
struct FileDifference {
    std::string path; // below the game directory, as the report names it
    std::optional<FileSide> here;
    std::optional<FileSide> reference;
    std::string owner{};       // whose car or team file it is, where this PC knows it
    bool backedUpHere = false; // a backup of it lies on this PC
};

// What a side holds in words: a file that holds its own data is named by its owner ("McLaren
// 2002" rather than "original"), and the digits follow where both sides name the same holder.
// Empty on the side without the file.
std::string Shown(const FileDifference& file, bool here);

enum class Sameness { Same, Differs, ReferenceOnly, HereOnly };

struct ComponentComparison {
    std::string name;
    Sameness sameness;
    // Each side's state ("original", "harmonized to Ferrari", ...); empty on the side without
    // the component.
    std::string hereState;
    std::string referenceState;
    // The files that differ; for a component installed on one side only, each of its files.
    std::vector<FileDifference> files;
};

struct Comparison {
    // Those that differ first, then those that are the same; among each, the report's order,
    // then those installed here only.
    std::vector<ComponentComparison> components;

    bool AllSame() const;
    std::size_t DifferingFiles() const;
};

// A path or name as two reports' are matched: letters folded, '/' as '\\'. Reports of the
// Windows and the Linux build, and of installations whose directories differ in letter case,
// name the same file alike.
std::string MatchKey(std::string text);

// Paths and names match without regard to letter case or the kind of separator; where the game
// lies never shows in a report.
Comparison CompareWithReport(const std::vector<ComponentStatus>& here,
                             const std::vector<ComponentStatus>& reference);

// A name or path from another PC as it may be shown: each byte of a character that is not to be
// shown as it is (IsHiddenCharacter: controls, line separators, bidirectional overrides) and each
// byte that is no UTF-8 as "\xHH", so that a report can neither make up lines of its own, nor
// send a terminal escape sequence, nor make one name look like another. A backslash stays, as
// paths are full of them, except where what follows it is written starting with "x" or a
// backslash: there it is doubled, so that no text reads as an escape it is not.
std::string Printable(const std::string& text);

// A file the report names, as the player reads it on this PC: Printable, in this system's own
// separators. The report itself keeps its backslashes, which every PC reads alike.
std::string ShownFile(const std::string& path);

} // namespace korvane::lancheck
