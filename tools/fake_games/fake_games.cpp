#include "fake_games.hpp"

#include <filesystem>
#include <fstream>
#include <vector>

#include "core/file_system.hpp"
#include "grip/grip.hpp"
#include "harmonizer/harmonizer.hpp"

namespace korvane {

bool WriteFakeGames(const GameInstall& install,
                    const std::function<std::string(const std::string&)>& content) {
    std::vector<std::string> f1, f1c; // path texts below the game directories
    if (install.HasF1_2002) {
        f1 = {F1ExeShown, GripTableEA.live};
    }
    if (install.HasSeasonQL) {
        f1.push_back(GripTableQL.live);
    }
    for (const auto& [wanted, component] : {std::pair{install.HasF1_2002, Component2002::EA2002},
                                            {install.HasSeasonQL, Component2002::QL2002},
                                            {install.HasGTR2002, Component2002::GTR2002}}) {
        for (const TeamFiles& team :
             wanted ? ComponentFiles(GameInstall{}, component) : std::vector<TeamFiles>()) {
            f1.push_back(team.live);
        }
    }
    if (install.HasF1c) {
        f1c = {F1cExe};
        GameInstall below; // paths below the game directory
        below.HasF1cQL2003 = install.HasF1cQL2003;
        for (const CarFiles& car : F1cCars(below)) {
            f1c.push_back(car.performance);
            f1c.push_back(car.engine);
        }
    }
    bool ok = true;
    for (const auto& [directory, files] :
         {std::pair{install.F1Path, &f1}, {install.F1cPath, &f1c}}) {
        for (const std::string& file : *files) {
            const std::filesystem::path path = ResolvePath(directory + file);
            std::error_code error;
            std::filesystem::create_directories(path.parent_path(), error);
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            ok = static_cast<bool>(out << content(file)) && ok;
        }
    }
    return ok;
}

} // namespace korvane
