#include "report/game_tree_text.hpp"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace korvane::lancheck {

namespace {

constexpr std::string_view FoldersHeader = "korvane-tree 1";
constexpr std::string_view FilesHeader = "korvane-files 1";

int HexValue(char c) {
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                  : -1;
}

// The lines of a text, each of which must end in '\n'.
class Lines {
  public:
    explicit Lines(std::string_view text) : rest_(text) {}

    bool Next(std::string_view& line) {
        const std::size_t end = rest_.find('\n');
        if (end == std::string_view::npos) {
            return false;
        }
        line = rest_.substr(0, end);
        rest_.remove_prefix(end + 1);
        return true;
    }
    bool AtEnd() const { return rest_.empty(); }

  private:
    std::string_view rest_;
};

// The fields of a line, separated by single spaces.
std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t space = line.find(' ');
        fields.push_back(line.substr(0, space));
        if (space == std::string_view::npos || fields.size() > 4) {
            return fields;
        }
        line.remove_prefix(space + 1);
    }
}

// A decimal number as the writer writes it: no sign, no leading zero, at most max.
std::optional<std::uint64_t> Number(std::string_view text, std::uint64_t max) {
    if (text.empty() || text.size() > 10 || (text.size() > 1 && text[0] == '0')) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value <= max ? std::optional(value) : std::nullopt;
}

// Whether a later sibling may follow an earlier one; twins in letter case only where allowed.
bool InOrder(const std::string& earlier, const std::string& later, bool twinsAllowed) {
    return TreeOrder(earlier, later) && (twinsAllowed || FoldedName(earlier) != FoldedName(later));
}

void WriteFolder(const TreeFolder& folder, std::size_t depth, std::string& out) {
    out.append(std::to_string(depth)).append(" ");
    out.append(std::to_string(folder.notComparedHere)).append(" ");
    out.append(DigestHex(folder.filesDigest));
    if (depth > 0) {
        out.append(" ").append(EscapedName(folder.name));
    }
    out.append("\n");
    for (const TreeFolder& sub : folder.folders) {
        WriteFolder(sub, depth + 1, out);
    }
}

// Counts and digests from the files' digests up, as SealTree computes them from the files.
void ComputeDigests(TreeFolder& folder) {
    folder.notComparedBelow = folder.notComparedHere;
    for (TreeFolder& sub : folder.folders) {
        ComputeDigests(sub);
        folder.notComparedBelow += sub.notComparedBelow;
    }
    folder.digest = FolderDigest(folder);
}

} // namespace

std::string EscapedName(std::string_view name) {
    static const char* const digits = "0123456789ABCDEF";
    std::string out;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < '!' || byte > '~' || c == '%') {
            out.append(1, '%').append(1, digits[byte >> 4]).append(1, digits[byte & 0x0f]);
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> UnescapedName(std::string_view text) {
    std::string name;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < '!' || byte > '~') {
            return std::nullopt;
        }
        if (text[i] != '%') {
            name += text[i];
            continue;
        }
        if (i + 2 >= text.size()) {
            return std::nullopt;
        }
        const int high = HexValue(text[i + 1]);
        const int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        name += static_cast<char>(high * 16 + low);
        i += 2;
    }
    // What no file system gives as a name in a folder.
    if (name.empty() || name.size() > MaxTreeNameBytes || name == "." || name == ".." ||
        name.find_first_of(std::string_view("/\0", 2)) != std::string::npos) {
        return std::nullopt;
    }
    return name;
}

std::string WriteTreeFolders(const TreeFolder& root) {
    std::string out = std::string(FoldersHeader).append("\n");
    out.append(DigestHex(root.digest)).append("\n");
    WriteFolder(root, 0, out);
    return out;
}

std::optional<TreeFolder> ParseTreeFolders(std::string_view text) {
    Lines lines(text);
    std::string_view line;
    if (text.size() > MaxTreeTextBytes || !lines.Next(line) || line != FoldersHeader ||
        !lines.Next(line)) {
        return std::nullopt;
    }
    const std::optional<Digest> written = DigestFromHex(line);
    if (!written) {
        return std::nullopt;
    }
    TreeFolder root;
    std::vector<TreeFolder*> path; // the folders from the game directory to the last one read
    std::size_t count = 0;
    while (lines.Next(line)) {
        const std::vector<std::string_view> fields = Fields(line);
        const std::optional<std::uint64_t> depth = Number(fields[0], MaxTreeDepth);
        if (!depth || fields.size() != (*depth == 0 ? 3u : 4u) || ++count > MaxTreeFolders ||
            (*depth == 0) != path.empty() || *depth > path.size()) {
            return std::nullopt;
        }
        const std::optional<std::uint64_t> notCompared = Number(fields[1], MaxFolderFiles);
        const std::optional<Digest> filesDigest = DigestFromHex(fields[2]);
        if (!notCompared || !filesDigest) {
            return std::nullopt;
        }
        TreeFolder* folder = &root;
        if (*depth > 0) {
            const std::optional<std::string> name = UnescapedName(fields[3]);
            path.resize(*depth);
            std::vector<TreeFolder>& siblings = path.back()->folders;
            if (!name || (!siblings.empty() && !InOrder(siblings.back().name, *name, false))) {
                return std::nullopt;
            }
            siblings.push_back(TreeFolder{});
            folder = &siblings.back();
            folder->name = *name;
        }
        folder->notComparedHere = static_cast<std::uint32_t>(*notCompared);
        folder->filesDigest = *filesDigest;
        path.push_back(folder);
    }
    if (!lines.AtEnd() || path.empty()) {
        return std::nullopt;
    }
    ComputeDigests(root);
    return root.digest == *written ? std::optional(std::move(root)) : std::nullopt;
}

std::string WriteTreeFiles(const TreeFolder& folder) {
    std::string out = std::string(FilesHeader).append("\n");
    for (const TreeFile& file : folder.files) {
        out.append(1, StateLetter(file.state)).append(" ");
        if (file.state == EntryState::Compared) {
            out.append(DigestHex(file.digest)).append(" ");
        }
        out.append(EscapedName(file.name)).append("\n");
    }
    return out;
}

std::optional<std::vector<TreeFile>> ParseTreeFiles(std::string_view text) {
    static constexpr EntryState States[] = {EntryState::Compared, EntryState::Link,
                                            EntryState::Unreadable, EntryState::NotAFile,
                                            EntryState::CaseTwin};
    Lines lines(text);
    std::string_view line;
    if (text.size() > MaxTreeTextBytes || !lines.Next(line) || line != FilesHeader) {
        return std::nullopt;
    }
    std::vector<TreeFile> files;
    while (lines.Next(line)) {
        const std::vector<std::string_view> fields = Fields(line);
        TreeFile file;
        std::size_t nameField = 1;
        if (fields[0] == "f" && fields.size() == 3) {
            const std::optional<Digest> digest = DigestFromHex(fields[1]);
            if (!digest) {
                return std::nullopt;
            }
            file.digest = *digest;
            nameField = 2;
        } else {
            const auto found =
                std::find_if(std::begin(States), std::end(States), [&](EntryState s) {
                    return s != EntryState::Compared && fields[0] == std::string(1, StateLetter(s));
                });
            if (found == std::end(States) || fields.size() != 2) {
                return std::nullopt;
            }
            file.state = *found;
        }
        std::optional<std::string> name = UnescapedName(fields[nameField]);
        if (!name || files.size() >= MaxFolderFiles) {
            return std::nullopt;
        }
        file.name = std::move(*name);
        if (!files.empty() && !InOrder(files.back().name, file.name,
                                       files.back().state == EntryState::CaseTwin &&
                                           file.state == EntryState::CaseTwin)) {
            return std::nullopt;
        }
        files.push_back(std::move(file));
    }
    return lines.AtEnd() ? std::optional(std::move(files)) : std::nullopt;
}

} // namespace korvane::lancheck
