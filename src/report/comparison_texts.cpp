#include "report/comparison_texts.hpp"

#include "core/messages.hpp"
#include "core/text_compare.hpp"
#include "report/status_report.hpp"

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

// The components' German names.
constexpr struct {
    const char* name;
    const char* german;
} Names[] = {
    {ComponentEA2002, "EA-2002-Saison"},      {ComponentQL2002, "Quillon-Saison"},
    {ComponentGTR2002, "GT-Racing-2002-Mod"}, {ComponentF1c, "F1 Challenge"},
    {ComponentGripEA, "Grip EA 2002"},        {ComponentGripQL, "Grip Quillon"},
};

} // namespace

std::string ComponentName(const std::string& name, Language language) {
    if (language != Language::English) {
        for (const auto& [english, german] : Names) {
            if (EqualNoCase(name, english)) {
                return german;
            }
        }
    }
    return Printable(name);
}

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
    return TextIn(language, line, {ComponentName(component.name, language), here, there});
}

std::string SideText(const std::string& shown, Language language) {
    return shown.empty() ? TextIn(language, {"(keine solche Datei)", "(no such file)"})
                         : StateText(shown, language);
}

std::string StatusLinesIn(const std::vector<ComponentStatus>& components, Language language) {
    if (language == Language::English) {
        return ReportText(components, false);
    }
    std::string text;
    for (const ComponentStatus& status : components) {
        std::string missing;
        for (const FileStatus& file : status.files) {
            if (file.holds == StateMissing) {
                missing += (missing.empty() ? ", nicht vorhanden: " : ", ") + file.path;
            }
        }
        text += ComponentName(status.name, language) + ": " + StateText(status.state, language) +
                ", Fingerabdruck " + status.fingerprint + missing + '\n';
    }
    return text;
}

void PrintComparison(const Comparison& comparison, std::ostream& out, Language language) {
    for (const ComponentComparison& component : comparison.components) {
        const std::string name = ComponentName(component.name, language);
        switch (component.sameness) {
        case Sameness::Same:
            out << TextIn(language, {"{1}: gleich", "{1}: same"}, {name}) << '\n';
            continue;
        case Sameness::ReferenceOnly:
            out << TextIn(
                       language,
                       {"{1}: nur im Bericht installiert", "{1}: installed in the reference only"},
                       {name})
                << '\n';
            continue;
        case Sameness::HereOnly:
            out << TextIn(language, {"{1}: nur hier installiert", "{1}: installed here only"},
                          {name})
                << '\n';
            continue;
        case Sameness::Differs:
            out << TextIn(language,
                          {"{1}: weicht ab (hier {2}, im Bericht {3})",
                           "{1}: differs (here {2}, the report {3})"},
                          {name, StateText(component.hereState, language),
                           StateText(component.referenceState, language)})
                << '\n';
            break;
        }
        for (const FileDifference& file : component.files) {
            const MessageText side =
                !file.here ? MessageText{"nur im Bericht", "in the reference only"}
                : !file.reference
                    ? MessageText{"nur hier", "here only"}
                    : MessageText{"hier {1}, im Bericht {2}", "here {1}, reference {2}"};
            out << "  " << ShownFile(file.path) << ": "
                << TextIn(language, side,
                          {StateText(Shown(file, true), language),
                           StateText(Shown(file, false), language)})
                << '\n';
        }
    }
}

} // namespace korvane::lancheck
