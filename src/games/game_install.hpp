#pragma once
// Where the games live and which add-ons are present.
#include <string>
#include <vector>

#include "core/settings.hpp"
#include "games/registry.hpp"

namespace korvane {

inline constexpr const char* RegKeyF1_2002 = "SOFTWARE\\EA SPORTS\\F1 2002";
inline constexpr const char* RegKeyF1c = "SOFTWARE\\EA SPORTS\\F1 Challenge 99-02";
inline constexpr const char* RegValueInstallDir = "Install Dir";
inline constexpr const char* F1ExeTested = "f1_2002.exe";
inline constexpr const char* F1ExeShown = "F1_2002.exe";
inline constexpr const char* F1cExe = "F1 Challenge 99-02.exe";
inline constexpr const char* F1cQL2003Marker = "SeasonData\\Vehicles\\Ferrari\\2003QL_F2003GA";

struct GameInstall {
    std::string F1Path; // ends in a separator, empty when not found
    std::string
        F1cPath; // as stored in the registry, or ending in a separator; empty when not found
    std::string DirSeason02 = "season02\\vehicles\\";
    std::string DirSeasonQL02 = "seasonql02\\vehicles\\";
    std::string DirGTR2002 = "GTR2002season\\vehicles\\";
    std::string DirSeasonData = "SeasonData\\Vehicles\\";
    bool HasF1_2002 = false;
    bool HasSeasonQL = false;
    bool HasGTR2002 = false;
    bool HasF1c = false;
    bool HasF1cQL2003 = false;
};

struct Detection {
    GameInstall install;
    std::string f1Display;  // set only when F1 2002 was found through the registry
    std::string f1cDisplay; // set only when F1 Challenge was found through the registry
};

// The registries first, the settings file second. For each game the first registry that
// locates it wins. Never writes the settings file.
Detection DetectInstallations(const Settings& settings,
                              const std::vector<RegistrySource>& registries = SystemRegistries());
Detection DetectInstallations(const Settings& settings, const RegistryReader& registry);

// The game in dir (ending in a separator; its executable checked by the caller), its add-ons
// judged as detection judges them.
void TakeF1Directory(GameInstall& install, const std::string& dir);
void TakeF1cDirectory(GameInstall& install, const std::string& dir);

// What one registry locates, judged as detection judges a registry's text; the fields of a game
// it does not locate stay empty.
Detection FindInRegistry(const RegistryReader& registry);

// The user picked a game executable: update the model, store the directory (see KeepSetting),
// return the text for the path box (the chosen file itself).
std::string SelectF1Executable(GameInstall& install, Settings& settings, MessageSink& sink,
                               Language language, const std::string& chosenFile);
std::string SelectF1cExecutable(GameInstall& install, Settings& settings, MessageSink& sink,
                                Language language, const std::string& chosenFile);

} // namespace korvane
