// The digest tree's written form as another PC may send it: what the reader takes and refuses.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "report/game_tree_text.hpp"

using namespace korvane::lancheck;

namespace {

// A written form, changed or not, and whether its reader takes it.
struct WrittenCase {
    int line;
    std::string text;
    bool taken;
};

Digest Filled(unsigned char byte) {
    Digest digest;
    digest.fill(byte);
    return digest;
}

TreeFolder Folder(const std::string& name) {
    TreeFolder folder;
    folder.name = name;
    return folder;
}

// The game directory with two folders, one of them holding one below it and a link.
TreeFolder SmallTree() {
    TreeFolder root;
    root.files = {{"F1_2002.exe", EntryState::Compared, Filled(1), {}}};
    TreeFolder vehicles = Folder("vehicles");
    vehicles.files = {{"Bar.hdv", EntryState::Compared, Filled(2), {}},
                      {"Ferrari F2002.hdv", EntryState::Compared, Filled(3), {}},
                      {"Linked", EntryState::Link, {}, {}}};
    TreeFolder season = Folder("season02");
    season.folders = {vehicles, Folder("tracks")};
    root.folders = {season, Folder("Sounds")};
    SealTree(root);
    return root;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at == std::string::npos) {
        ADD_FAILURE() << from << " not found";
        return text;
    }
    return text.replace(at, from.size(), to);
}

} // namespace

TEST(GameTreeText, FoldersAsWrittenAndDamaged) {
    const TreeFolder tree = SmallTree();
    const std::string written = WriteTreeFolders(tree);
    const std::string rootHex = DigestHex(tree.digest);
    const std::string tracksLine = "2 0 " + DigestHex(FilesDigest({})) + " tracks\n";
    const WrittenCase cases[] = {
        // clang-format off
        {__LINE__, written, true},
        {__LINE__, Replaced(written, "korvane-tree 1", "korvane-tree 2"), false},
        {__LINE__, Replaced(written, rootHex, std::string(64, '0')), false},
        {__LINE__, Replaced(written, rootHex, rootHex.substr(0, 63)), false},
        // a files' digest changed: the game directory's does not add up
        {__LINE__, Replaced(written, tracksLine, "2 0 " + std::string(64, 'a') + " tracks\n"), false},
        {__LINE__, Replaced(written, "\n", "\r\n"), false},
        {__LINE__, written.substr(0, written.size() - 1), false},
        {__LINE__, written + "\n", false},
        {__LINE__, written + "0 0 " + std::string(64, 'a') + "\n", false},
        {__LINE__, Replaced(written, tracksLine, "3 0 " + tracksLine.substr(4)), false},
        {__LINE__, Replaced(written, tracksLine, "02 0 " + tracksLine.substr(4)), false},
        {__LINE__, Replaced(written, tracksLine, "2 -1 " + tracksLine.substr(4)), false},
        {__LINE__, Replaced(written, tracksLine, "2 99999999999 " + tracksLine.substr(4)), false},
        {__LINE__, Replaced(written, tracksLine, tracksLine.substr(0, tracksLine.size() - 1) + " x\n"), false},
        {__LINE__, Replaced(written, " tracks\n", " a%G0\n"), false},
        {__LINE__, Replaced(written, " tracks\n", " a%4\n"), false},
        {__LINE__, Replaced(written, " tracks\n", " \n"), false},
        {__LINE__, written.substr(0, written.find('\n') + 1), false},
        {__LINE__, "", false},
        {__LINE__, written + std::string(MaxTreeTextBytes, 'x'), false},
        // clang-format on
    };
    for (const auto& c : cases) {
        const std::optional<TreeFolder> read = ParseTreeFolders(c.text);
        EXPECT_EQ(read.has_value(), c.taken) << "line " << c.line;
        if (read) {
            EXPECT_EQ(read->digest, tree.digest);
            EXPECT_EQ(read->notComparedBelow, 1u);
            EXPECT_EQ(read->folders[0].folders[1].notComparedHere, 1u);
            EXPECT_EQ(WriteTreeFolders(*read), written);
        }
    }
}

namespace {

// The digests of a tree as they come out for its entries in the order given, right or wrong.
void DigestAsGiven(TreeFolder& folder) {
    for (TreeFolder& sub : folder.folders) {
        DigestAsGiven(sub);
    }
    folder.filesDigest = FilesDigest(folder.files);
    folder.digest = FolderDigest(folder);
}

} // namespace

// Folders whose digests add up, but whose names no file system gives, or not in order.
TEST(GameTreeText, FoldersNamedOrOrderedWrongly) {
    const struct {
        int line;
        std::vector<std::string> names;
        bool taken;
    } cases[] = {
        {__LINE__, {"Sounds", "tracks", "vehicles"}, true},
        {__LINE__, {"tracks", "Sounds"}, false},
        {__LINE__, {"tracks", "tracks"}, false},
        {__LINE__, {"Tracks", "tracks"}, false},
        {__LINE__, {"a/b"}, false},
        {__LINE__, {std::string("a\0b", 3)}, false},
        {__LINE__, {".."}, false},
        {__LINE__, {"."}, false},
        {__LINE__, {std::string(255, 'z')}, true},
        {__LINE__, {std::string(256, 'z')}, false},
        {__LINE__, {"Sa%ber 1\n\x80"}, true},
    };
    for (const auto& c : cases) {
        TreeFolder root;
        for (const std::string& name : c.names) {
            root.folders.push_back(Folder(name));
        }
        DigestAsGiven(root);
        const std::optional<TreeFolder> read = ParseTreeFolders(WriteTreeFolders(root));
        EXPECT_EQ(read.has_value(), c.taken) << "line " << c.line;
        if (read) {
            EXPECT_EQ(read->folders.back().name, c.names.back());
        }
    }
}

// The limits hold for a tree whose digests add up: depth and number of folders.
TEST(GameTreeText, FoldersBeyondTheLimits) {
    const auto nested = [](int depth) {
        TreeFolder root;
        TreeFolder* at = &root;
        for (int i = 0; i < depth; ++i) {
            at->folders.push_back(Folder("d"));
            at = &at->folders.back();
        }
        DigestAsGiven(root);
        return WriteTreeFolders(root);
    };
    const auto wide = [](int count) {
        TreeFolder root;
        for (int i = 0; i < count; ++i) {
            root.folders.push_back(Folder(std::to_string(100000 + i)));
        }
        DigestAsGiven(root);
        return WriteTreeFolders(root);
    };
    EXPECT_TRUE(ParseTreeFolders(nested(64)));
    EXPECT_FALSE(ParseTreeFolders(nested(65)));
    EXPECT_TRUE(ParseTreeFolders(wide(39999)));
    EXPECT_FALSE(ParseTreeFolders(wide(40000)));
}

TEST(GameTreeText, FilesAsWrittenAndDamaged) {
    TreeFolder folder;
    folder.files = {{"Bar.hdv", EntryState::Compared, Filled(2), {}},
                    {"bar.HDV", EntryState::CaseTwin, {}, {}},
                    {"BAR.hdv", EntryState::CaseTwin, {}, {}},
                    {"Linked", EntryState::Link, {}, {}},
                    {"Pipe", EntryState::NotAFile, {}, {}},
                    {"shot 1.jpg", EntryState::Unreadable, {}, "Permission denied"}};
    folder.files.erase(folder.files.begin()); // Bar.hdv with twins would be a twin itself
    SealTree(folder);
    folder.files.insert(folder.files.begin(), {"Arrows.hdv", EntryState::Compared, Filled(2), {}});
    const std::string written = WriteTreeFiles(folder);
    const std::string hex = DigestHex(Filled(2));
    const WrittenCase cases[] = {
        // clang-format off
        {__LINE__, written, true},
        {__LINE__, Replaced(written, "korvane-files 1", "korvane-files 2"), false},
        {__LINE__, Replaced(written, "f " + hex + " ", "f "), false},
        {__LINE__, Replaced(written, "l Linked", "l " + hex + " Linked"), false},
        {__LINE__, Replaced(written, "l Linked", "x Linked"), false},
        {__LINE__, Replaced(written, "l Linked", "L Linked"), false},
        {__LINE__, Replaced(written, hex, DigestHex(Filled(0xAB)).substr(0, 62) + "AB"), false},
        // twins in letter case only when both are marked so
        {__LINE__, Replaced(written, "c BAR.hdv", "f " + hex + " BAR.hdv"), false},
        {__LINE__, Replaced(written, "l Linked", "l Aa"), false},
        {__LINE__, Replaced(written, "o Pipe", "o Linked"), false},
        {__LINE__, Replaced(written, "shot%201.jpg", "shot 1.jpg"), false},
        {__LINE__, Replaced(written, "shot%201.jpg", "shot%2"), false},
        {__LINE__, written.substr(0, written.size() - 1), false},
        // clang-format on
    };
    for (const auto& c : cases) {
        const std::optional<std::vector<TreeFile>> read = ParseTreeFiles(c.text);
        EXPECT_EQ(read.has_value(), c.taken) << "line " << c.line;
        if (read) {
            ASSERT_EQ(read->size(), folder.files.size());
            EXPECT_EQ((*read)[5].name, "shot 1.jpg");
            EXPECT_EQ((*read)[5].state, EntryState::Unreadable);
            EXPECT_EQ(FilesDigest(*read), FilesDigest(folder.files));
        }
    }
    std::string many = "korvane-files 1\n";
    for (int i = 0; i < 40001; ++i) {
        many += "l " + std::to_string(100000 + i) + "\n";
    }
    EXPECT_FALSE(ParseTreeFiles(many));
}
