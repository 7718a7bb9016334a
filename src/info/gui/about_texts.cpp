#include "info/gui/about_texts.hpp"


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

} // namespace korvane
