#pragma once
// A whole game installation as a tree of digests: one SHA-256 per file of its content, one per
// folder of its entries' names and digests, so that two installations compare by one digest and
// their differences are found by descending only where digests differ.
//
// Names are ordered and hashed as the games' file system sees them, without regard to the letter
// case of A to Z: in TreeOrder, and hashed with A-Z folded to a-z, so that "Season02" on one PC
// and "season02" on another are the same folder. Two names of one folder that differ only in
// letter case are both kept as entries not compared: the game may take either.
//
// The digests, each a SHA-256 over bytes laid out so:
// - a folder's files: "korvane-files 1\n", then per entry of `files` in TreeOrder its state
//   letter (StateLetter), its folded name, a zero byte and its 32 digest bytes (zeros for an
//   entry not compared);
// - a folder: "korvane-folder 1\n", its files' digest (32 bytes), then per subfolder in
//   TreeOrder its folded name, a zero byte and its digest.
// An empty folder thus has a digest of its own, and a renamed file or one moved to another folder
// changes the digest of every folder above it.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/sha256.hpp" // DigestHex

namespace korvane::lancheck {

using Digest = std::array<unsigned char, 32>;

// Whether an entry's content is compared, and why not. Every entry that is not compared makes
// its installation differ from any other, even one that has the same entry.
enum class EntryState {
    Compared,   // a regular file, its digest that of its content
    Link,       // a symbolic link or junction: never followed
    Unreadable, // a file or folder that could not be read (or changed while it was read)
    NotAFile,   // a pipe, a device or a socket
    CaseTwin,   // another name of the folder differs from it only in letter case
};

// The letter of a state in the files' digest and in the written form: f, l, u, o, c.
char StateLetter(EntryState state);

struct TreeFile {
    std::string name;
    EntryState state = EntryState::Compared;
    Digest digest{};    // zeros unless Compared
    std::string reason; // the system's reason, for Unreadable; never part of a digest
};

struct TreeFolder {
    std::string name;                // empty for the game directory
    std::vector<TreeFolder> folders; // in TreeOrder
    std::vector<TreeFile> files;     // in TreeOrder; every entry not compared is here, folders too
    std::uint32_t notComparedHere = 0;  // entries of files not Compared
    std::uint64_t notComparedBelow = 0; // the same, in this folder and every folder below
    Digest filesDigest{};
    Digest digest{};
};

std::string FoldedName(std::string_view name);
// By the folded name, then by the name's bytes.
bool TreeOrder(std::string_view a, std::string_view b);

// Sorts the entries of the folder and every folder below, and computes their counts and digests
// from the files' digests.
void SealTree(TreeFolder& folder);

Digest FilesDigest(const std::vector<TreeFile>& files);
// The folder's digest from its files' digest and its subfolders' names and digests.
Digest FolderDigest(const TreeFolder& folder);

// Two installations are the same when their digests are and neither holds an entry not compared.
bool SameTree(const TreeFolder& a, const TreeFolder& b);

// 64 lower-case hexadecimal digits, as DigestHex writes them (one digest, one spelling).
std::optional<Digest> DigestFromHex(std::string_view hex);

} // namespace korvane::lancheck
