#pragma once
// A fake game installation in a fresh temporary directory: every catalogue file, each with a
// content of its own, so that a test can tell exactly which file landed where.
#include <filesystem>
#include <string>

#include "app/game_install.hpp"

namespace korvane::testing {

// A fresh directory below the system's temporary directory, removed with the object.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    // The directory as a path text ending in a separator, as game directories are held.
    std::string Text() const { return path_.string() + "/"; }

  private:
    std::filesystem::path path_;
};

struct FakeOptions {
    bool f1_2002 = true;   // F1 2002 with the EA season (vehicles and tracks)
    bool seasonQL = true;  // Quillon season extension
    bool gtr2002 = true;   // GT Racing 2002 mod
    bool f1c = true;       // F1 Challenge 99-02, seasons 1999-2002
    bool f1cQL2003 = true; // the Quillon 2003 cars for F1 Challenge
};

class FakeInstall {
  public:
    explicit FakeInstall(const std::filesystem::path& root, FakeOptions options = {});
    // The installation model as detection would fill it for these options.
    GameInstall Install() const;
    // What each game file was created with: "original " + its path text below the game
    // directory (e.g. "original season02\vehicles\Ferrari\Ferrari.hdv").
    static std::string OriginalContent(const std::string& relativePathText);

    std::string f1Path;  // <root>/F1 2002/
    std::string f1cPath; // <root>/F1C/

  private:
    FakeOptions options_;
};

// Whole file by path text (resolved like game paths); "<missing>" when it cannot be read.
std::string ReadAll(const std::string& pathText);
void WriteAll(const std::filesystem::path& path, const std::string& content);

} // namespace korvane::testing
