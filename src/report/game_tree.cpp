#include "report/game_tree.hpp"

#include <algorithm>

#include "core/text_compare.hpp"
#include "report/sha256.hpp"

namespace korvane::lancheck {

namespace {

template <typename Entry> void SortByName(std::vector<Entry>& entries) {
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return TreeOrder(a.name, b.name); });
}

void AddNamed(Sha256& hash, std::string_view name, const Digest& digest) {
    const std::string folded = FoldedName(name);
    hash.Add(folded.data(), folded.size() + 1); // with its terminating zero byte
    hash.Add(reinterpret_cast<const char*>(digest.data()), digest.size());
}

} // namespace

char StateLetter(EntryState state) {
    switch (state) {
    case EntryState::Compared:
        return 'f';
    case EntryState::Link:
        return 'l';
    case EntryState::Unreadable:
        return 'u';
    case EntryState::NotAFile:
        return 'o';
    case EntryState::CaseTwin:
        return 'c';
    }
    return 'u';
}

std::string FoldedName(std::string_view name) {
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), LowerAscii);
    return folded;
}

bool TreeOrder(std::string_view a, std::string_view b) {
    const auto folded = [](char x, char y) {
        return static_cast<unsigned char>(LowerAscii(x)) <
               static_cast<unsigned char>(LowerAscii(y));
    };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded)) {
        return true;
    }
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded)) {
        return false;
    }
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

Digest FilesDigest(const std::vector<TreeFile>& files) {
    Sha256 hash;
    hash.Add("korvane-files 1\n");
    for (const TreeFile& file : files) {
        const char letter = StateLetter(file.state);
        hash.Add(&letter, 1);
        AddNamed(hash, file.name, file.state == EntryState::Compared ? file.digest : Digest{});
    }
    return hash.Bytes();
}

Digest FolderDigest(const TreeFolder& folder) {
    Sha256 hash;
    hash.Add("korvane-folder 1\n");
    hash.Add(reinterpret_cast<const char*>(folder.filesDigest.data()), folder.filesDigest.size());
    for (const TreeFolder& sub : folder.folders) {
        AddNamed(hash, sub.name, sub.digest);
    }
    return hash.Bytes();
}

void SealTree(TreeFolder& folder) {
    SortByName(folder.files);
    SortByName(folder.folders);
    folder.notComparedHere = static_cast<std::uint32_t>(
        std::count_if(folder.files.begin(), folder.files.end(),
                      [](const TreeFile& f) { return f.state != EntryState::Compared; }));
    folder.notComparedBelow = folder.notComparedHere;
    for (TreeFolder& sub : folder.folders) {
        SealTree(sub);
        folder.notComparedBelow += sub.notComparedBelow;
    }
    folder.filesDigest = FilesDigest(folder.files);
    folder.digest = FolderDigest(folder);
}

bool SameTree(const TreeFolder& a, const TreeFolder& b) {
    return a.digest == b.digest && a.notComparedBelow == 0 && b.notComparedBelow == 0;
}

std::optional<Digest> DigestFromHex(std::string_view hex) {
    const auto value = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    Digest digest{};
    if (hex.size() != 2 * digest.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < digest.size(); ++i) {
        const int high = value(hex[2 * i]);
        const int low = value(hex[2 * i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        digest[i] = static_cast<unsigned char>(high * 16 + low);
    }
    return digest;
}

} // namespace korvane::lancheck
