#include "games/game_install.hpp"

#include <cstring>

#include "core/file_system.hpp"

namespace korvane {

namespace {

void DetectF1AddOns(GameInstall& install) {
    if (PathExists(install.F1Path + install.DirSeasonQL02)) {
        install.HasSeasonQL = true;
    }
    if (PathExists(install.F1Path + install.DirGTR2002)) {
        install.HasGTR2002 = true;
    }
}

bool HasQL2003(const std::string& f1cPath) {
    return PathExists(f1cPath + F1cQL2003Marker);
}

// The chosen file less the executable's name: the directory with its separator.
std::string DirectoryOf(const std::string& chosenFile, std::size_t exeNameLength) {
    return chosenFile.size() >= exeNameLength
               ? chosenFile.substr(0, chosenFile.size() - exeNameLength)
               : std::string();
}

} // namespace

void TakeF1Directory(GameInstall& install, const std::string& dir) {
    install.F1Path = dir;
    install.HasF1_2002 = true;
    install.HasSeasonQL = install.HasGTR2002 = false;
    DetectF1AddOns(install);
}

void TakeF1cDirectory(GameInstall& install, const std::string& dir) {
    install.F1cPath = dir;
    install.HasF1c = true;
    install.HasF1cQL2003 = HasQL2003(dir);
}

Detection FindInRegistry(const RegistryReader& registry) {
    Detection found;
    GameInstall& install = found.install;

    // F1 2002 stores its directory without the final backslash; one is always appended.
    install.F1Path = registry(RegKeyF1_2002, RegValueInstallDir) + "\\";
    if (FileExists(install.F1Path + F1ExeTested)) {
        install.HasF1_2002 = true;
        DetectF1AddOns(install);
        found.f1Display = install.F1Path + F1ExeShown;
    } else {
        install.F1Path.clear();
    }

    // F1 Challenge's registry text is taken as it is: found only when it ends in a backslash.
    install.F1cPath = registry(RegKeyF1c, RegValueInstallDir);
    if (FileExists(install.F1cPath + F1cExe)) {
        install.HasF1c = true;
        found.f1cDisplay = install.F1cPath + F1cExe;
        install.HasF1cQL2003 = HasQL2003(install.F1cPath);
    } else {
        install.F1cPath.clear();
    }
    return found;
}

Detection DetectInstallations(const Settings& settings, const RegistryReader& registry) {
    return DetectInstallations(settings, {{"", registry}});
}

Detection DetectInstallations(const Settings& settings,
                              const std::vector<RegistrySource>& registries) {
    Detection found;
    GameInstall& install = found.install;
    for (const RegistrySource& registry : registries) {
        const Detection here = FindInRegistry(registry.read);
        if (!install.HasF1_2002 && here.install.HasF1_2002) {
            install.F1Path = here.install.F1Path;
            install.HasF1_2002 = true;
            install.HasSeasonQL = here.install.HasSeasonQL;
            install.HasGTR2002 = here.install.HasGTR2002;
            found.f1Display = here.f1Display;
        }
        if (!install.HasF1c && here.install.HasF1c) {
            install.F1cPath = here.install.F1cPath;
            install.HasF1c = true;
            install.HasF1cQL2003 = here.install.HasF1cQL2003;
            found.f1cDisplay = here.f1cDisplay;
        }
    }

    if (!install.HasF1_2002) {
        install.F1Path = ReadSetting(settings, F1PathSetting);
        if (install.F1Path == Unknown) {
            install.F1Path.clear();
        } else if (FileExists(install.F1Path + F1ExeTested)) {
            install.HasF1_2002 = true;
            DetectF1AddOns(install);
        } else {
            install.F1Path.clear(); // the stale value stays in the settings file
        }
    }
    if (!install.HasF1c) {
        install.F1cPath = ReadSetting(settings, F1cPathSetting);
        if (install.F1cPath != Unknown && FileExists(install.F1cPath + F1cExe)) {
            install.HasF1c = true;
            install.HasF1cQL2003 = HasQL2003(install.F1cPath);
        } else {
            install.F1cPath.clear();
        }
    }
    return found;
}

std::string SelectF1Executable(GameInstall& install, Settings& settings, MessageSink& sink,
                               Language language, const std::string& chosenFile) {
    install.HasF1_2002 = true;
    install.F1Path = DirectoryOf(chosenFile, std::strlen(F1ExeTested));
    DetectF1AddOns(install);
    KeepSetting(settings, sink, language, F1PathSetting, install.F1Path);
    return chosenFile;
}

std::string SelectF1cExecutable(GameInstall& install, Settings& settings, MessageSink& sink,
                                Language language, const std::string& chosenFile) {
    install.HasF1c = true;
    install.F1cPath = DirectoryOf(chosenFile, std::strlen(F1cExe));
    install.HasF1cQL2003 = HasQL2003(install.F1cPath);
    KeepSetting(settings, sink, language, F1cPathSetting, install.F1cPath);
    return chosenFile;
}

} // namespace korvane
