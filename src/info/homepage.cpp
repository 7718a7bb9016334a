#include "info/homepage.hpp"

#include "build_config.hpp"

namespace korvane {

std::string HomepageAddress(Language language) {
    if (language == Language::German) {
        return std::string(build::HomepageHostDe) + "/software/korvane/korvane.html";
    }
    if (language == Language::English) {
        return std::string(build::HomepageHostUk) + "/software/korvane/korvane_e.html";
    }
    return {};
}

} // namespace korvane
