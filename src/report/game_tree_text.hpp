#pragma once
// The digest tree written for a report, and read back from another PC, which may send anything.
// Two forms, both lines of printable ASCII ending in "\n":
//
// The folders (the report carries these):
//   korvane-tree 1
//   <the game directory's digest, 64 hexadecimal digits>
//   one line per folder, the game directory first, each folder followed by its subfolders in
//   TreeOrder: <depth> <entries not compared> <files' digest>[ <name>]
//   (the game directory has depth 0 and no name; a subfolder one more than its parent).
// A folder's digest is not written: the reader computes every one from the files' digests and
// the names, and takes the tree only when the game directory's comes out as written.
//
// One folder's files (sent when asked):
//   korvane-files 1
//   one line per entry of `files` in TreeOrder: f <digest> <name>, or for an entry not compared
//   its state letter and its name (l, u, o or c <name>).
//
// Names are written with every byte outside '!' to '~', and '%' itself, as %HH (two upper-case
// hexadecimal digits). A name read back is only compared and shown, never opened.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/game_tree.hpp"

namespace korvane::lancheck {

// A whole game of some 20,000 files in some 2,000 folders writes its folders in about 200 KB;
// the limits leave room for ten times that and refuse anything larger unread.
inline constexpr std::size_t MaxTreeTextBytes = 4 * 1024 * 1024;
inline constexpr std::size_t MaxTreeFolders = 40000;
inline constexpr std::size_t MaxTreeDepth = 64;
inline constexpr std::size_t MaxFolderFiles = 40000;
inline constexpr std::size_t MaxTreeNameBytes = 255;

std::string WriteTreeFolders(const TreeFolder& root);
// The folders with their digests; every folder's files empty. Nothing when the text is not such a
// tree, breaks a limit, or its digests do not add up.
std::optional<TreeFolder> ParseTreeFolders(std::string_view text);

std::string WriteTreeFiles(const TreeFolder& folder);
// A folder's files in TreeOrder. The caller checks them against the folder's files' digest.
std::optional<std::vector<TreeFile>> ParseTreeFiles(std::string_view text);

// A name in the written form, and back (nothing for a text that no name gives).
std::string EscapedName(std::string_view name);
std::optional<std::string> UnescapedName(std::string_view text);

} // namespace korvane::lancheck
