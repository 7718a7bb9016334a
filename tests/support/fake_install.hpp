#pragma once
// A fake game installation in a fresh temporary directory: every catalogue file, each with a
// content of its own, so that a test can tell exactly which file landed where.
#include <filesystem>
#include <map>
#include <string>

#include "games/game_install.hpp"

namespace korvane::testing {

// A fresh directory below the system's temporary directory, removed with the object.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::string Text() const { return path_.string() + "/"; } // ends in a separator

  private:
    std::filesystem::path path_;
};

struct FakeOptions {
    bool f1_2002 = true, seasonQL = true, gtr2002 = true; // F1 2002, its two add-ons
    bool f1c = true, f1cQL2003 = true;                    // F1 Challenge, its 2003 cars
};

struct FakeInstall {
    explicit FakeInstall(const std::filesystem::path& root, FakeOptions options = {});
    GameInstall Install() const; // the model as detection fills it for these options
    // "original " + the path text below the game directory ("original F1_2002.exe").
    static std::string OriginalContent(const std::string& relativePathText);

    std::string f1Path;  // <root>/F1 2002/
    std::string f1cPath; // <root>/F1C/
    FakeOptions options;
};

// Whole file by path text (resolved like game paths); "<missing>" when it cannot be read.
std::string ReadAll(const std::string& pathText);
void WriteAll(const std::filesystem::path& path, const std::string& content);
// Every regular file below root: its path below root ("/" between names) -> its content. A file
// with a second name (whatever writes into one changes the other) has a mark after its content.
std::map<std::string, std::string> FilesBelow(const std::filesystem::path& root);

} // namespace korvane::testing
