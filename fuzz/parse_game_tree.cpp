// A game's digest tree as another PC sends it: its folders, or one folder's files. The same input
// goes to both readers.
#include "fuzz_input.hpp"
#include "report/game_tree_text.hpp"

using namespace korvane::lancheck;
using korvane::fuzz::Require;

namespace {

bool SameFolders(const TreeFolder& a, const TreeFolder& b) {
    if (a.name != b.name || a.digest != b.digest || a.notComparedHere != b.notComparedHere ||
        a.folders.size() != b.folders.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.folders.size(); ++i) {
        if (!SameFolders(a.folders[i], b.folders[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = korvane::fuzz::Bytes(data, size);
    // A tree taken is one whose digests add up, and survives being written and read again.
    if (const std::optional<TreeFolder> tree = ParseTreeFolders(input)) {
        Require(tree->name.empty() && tree->digest == FolderDigest(*tree));
        const std::optional<TreeFolder> again = ParseTreeFolders(WriteTreeFolders(*tree));
        Require(again && SameFolders(*tree, *again));
    }
    if (const std::optional<std::vector<TreeFile>> files = ParseTreeFiles(input)) {
        Require(files->size() <= MaxFolderFiles);
        TreeFolder folder;
        folder.files = *files;
        const std::optional<std::vector<TreeFile>> again = ParseTreeFiles(WriteTreeFiles(folder));
        Require(again && FilesDigest(*again) == FilesDigest(*files));
        for (std::size_t i = 0; i < files->size(); ++i) {
            Require((*again)[i].name == (*files)[i].name && !(*files)[i].name.empty() &&
                    (*files)[i].name.size() <= MaxTreeNameBytes);
        }
    }
    return 0;
}
