#include "report/comparison_texts.hpp"

#include "core/messages.hpp"

namespace korvane::lancheck {

namespace {

// The words status and the report use, and how each reads.
constexpr struct {
    const char* word;
    MessageText text;
} Words[] = {
    {StateOriginal, {"original", "original"}},
    {StateOptimized, {"optimiert", "optimized"}},
    {StateChanged, {"geändert", "changed"}},
    {StateMissing, {"fehlt", "missing"}},
};

} // namespace

std::string StateText(const std::string& state, Language language) {
    if (const std::optional<std::string> master = HarmonizedMaster(state)) {
        return TextIn(language, {"an {1} angeglichen", "harmonized to {1}"}, {Printable(*master)});
    }
    const std::string head = state.substr(0, state.find(" ("));
    for (const auto& [word, text] : Words) {
        if (head == word) {
            return TextIn(language, text) + Printable(state.substr(head.size()));
        }
    }
    return Printable(state);
}

std::string ComponentLine(const ComponentComparison& component, Language language) {
    const std::string here = StateText(component.hereState, language);
    const std::string there = StateText(component.referenceState, language);
    MessageText line{"", ""};
    switch (component.sameness) {
    case Sameness::Same:
        line = {"{1}: gleich, {2}", "{1}: same, {2}"};
        break;
    case Sameness::Differs:
        line = here == there
                   ? MessageText{"{1}: hier wie im Bericht {2}, doch Dateien weichen ab",
                                 "{1}: {2} here and in the report, yet files differ"}
                   : MessageText{"{1}: hier {2}, im Bericht {3}", "{1}: here {2}, the report {3}"};
        break;
    case Sameness::ReferenceOnly:
        line = {"{1}: hier nicht installiert, im Bericht {3}",
                "{1}: not installed here, the report {3}"};
        break;
    case Sameness::HereOnly:
        line = {"{1}: hier {2}, im Bericht nicht installiert",
                "{1}: here {2}, not installed in the report"};
        break;
    }
    return TextIn(language, line, {Printable(component.name), here, there});
}

std::string SideText(const FileDifference& file, bool here, Language language) {
    return (here ? file.here : file.reference)
               ? StateText(Shown(file, here), language)
               : TextIn(language, {"(keine solche Datei)", "(no such file)"});
}

} // namespace korvane::lancheck
