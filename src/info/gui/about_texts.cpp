#include "info/gui/about_texts.hpp"

#include "build_config.hpp"

namespace korvane {

namespace {

const ControlText AboutTexts[] = {
    {"frmAbout", "About Korvane", nullptr},
    {"lblDescription", "", ""},
    {"LblFeedbackText",
     "Feedback oder bug Reports bitte per Mail an:", "Send feedback or bug reports to:"},
    {"LblHomepagetext",
     "Updates gibt es auf der Korvane Homepage:", "Updates on the Korvane homepage:"},
    {"LblHomepage", "Link zur Korvane Homepage", "Link to the homepage"},
    {"cmdOK", "OK", nullptr},
};

} // namespace

std::span<const ControlText> AboutControlTexts() {
    return AboutTexts;
}

std::string HomepagePage(Language language) {
    if (language == Language::German) {
        return std::string(build::HomepageHostDe) + "/software/korvane/korvane.html";
    }
    if (language == Language::English) {
        return std::string(build::HomepageHostUk) + "/software/korvane/korvane_e.html";
    }
    return {};
}

} // namespace korvane
