#include "lancheck/gui/lan_check_texts.hpp"

#include <array>
#include <cctype>

#include "core/messages.hpp"

namespace korvane {

namespace {

using lancheck::Sameness;

constexpr std::array<ControlText, 9> Texts{{
    {"frmLanCheck", "LAN-Check", "LAN check"},
    {"FrmStatus", "Dieser PC:", "This PC:"},
    {"FrmCompare", "Vergleich mit einem Bericht:", "Comparison with a report:"},
    {"LblVerdict", "Bericht wählen oder auf dieses Fenster ziehen ...",
     "Choose a report or drop it onto this window ..."},
    {"BtnCopy", "Zeilen kopieren", "Copy lines"},
    {"BtnSaveReport", "Bericht speichern ...", "Save report ..."},
    {"BtnCompare", "Mit Bericht vergleichen ...", "Compare with report ..."},
    {"BtnQuit", "Zurück zum Auswahlmenü", "Back to main menu"},
    {"LblHint",
     "Auf einem PC den Bericht speichern, auf allen anderen damit vergleichen. Jede Datei, "
     "die abweicht, steht unten mit beiden Seiten.",
     "Save the report on one PC and compare with it on every other one. Each file that "
     "differs is listed below with both sides."},
}};

std::string Side(const lancheck::FileDifference& file, bool here, Language language) {
    return (here ? file.here : file.reference)
               ? lancheck::Printable(lancheck::Shown(file, here))
               : TextIn(language, {"(keine solche Datei)", "(no such file)"});
}

std::string SamenessText(Sameness sameness, Language language) {
    switch (sameness) {
    case Sameness::Same:
        return TextIn(language, {"gleich", "same"});
    case Sameness::Differs:
        return TextIn(language, {"verschieden", "differs"});
    case Sameness::ReferenceOnly:
        return TextIn(language, {"nur im Bericht installiert", "installed in the report only"});
    case Sameness::HereOnly:
        return TextIn(language, {"nur auf diesem PC installiert", "installed on this PC only"});
    }
    return {};
}

std::string ProblemText(lancheck::ReportProblem problem, const std::string& detail,
                        Language language) {
    using lancheck::ReportProblem;
    switch (problem) {
    case ReportProblem::NotAReport:
        return TextIn(language, {"Diese Datei ist kein Bericht von Korvane.",
                                 "This file is not a report of Korvane."});
    case ReportProblem::Damaged:
        return TextIn(language, {"Dieser Bericht ist beschädigt oder unvollständig.",
                                 "This report is damaged or cut off."});
    case ReportProblem::OtherVersion:
        return TextIn(language,
                      {"Dieser Bericht stammt von einer anderen Version von Korvane und kann "
                       "hier nicht gelesen werden.",
                       "This report was written by another version of Korvane and cannot be "
                       "read here."});
    case ReportProblem::NoFileLines:
        return TextIn(language,
                      {"Dieser Bericht nennt keine einzelnen Dateien. Bitte mit \"Bericht "
                       "speichern\" oder korvane-cli status --json schreiben.",
                       "This report lists no single files. Please write it with \"Save report\" "
                       "or korvane-cli status --json."});
    case ReportProblem::TooLarge:
        return TextIn(language, {"Diese Datei ist größer als 1 MiB und damit kein Bericht.",
                                 "This file is larger than 1 MiB, too large for a report."});
    case ReportProblem::Unreadable:
        return TextIn(language,
                      {"Die Datei kann nicht gelesen werden: ", "The file cannot be read: "}) +
               detail;
    }
    return {};
}

} // namespace

std::span<const ControlText> LanCheckWindowTexts() {
    return Texts;
}

std::string DefaultReportName(const std::string& computerName) {
    std::string name;
    for (const char c : computerName) {
        const bool plain = std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
        name += plain ? c : '_';
    }
    return name.empty() ? "korvane-status.json" : "korvane-status-" + name + ".json";
}

std::string ReportSavedText(const std::string& path, Language language) {
    return TextIn(language, {"Der Bericht ist gespeichert:", "The report is saved:"}) + CrLf + path;
}

std::string ReportNotSavedText(const std::string& path, const std::string& reason,
                               Language language) {
    return TextIn(language, {"Der Bericht konnte nicht gespeichert werden:",
                             "The report could not be saved:"}) +
           CrLf + path + CrLf + CrLf + reason;
}

std::string ReportUnreadableText(const std::string& path, const lancheck::ReportRead& refused,
                                 Language language) {
    return path + CrLf + CrLf + ProblemText(refused.problem, refused.reason, language);
}

std::string VerdictText(const lancheck::Comparison& comparison, Language language) {
    const std::size_t count = comparison.DifferingFiles();
    if (comparison.AllSame()) {
        return TextIn(language, {"Alle Dateien sind gleich wie im Bericht.",
                                 "All files are the same as in the report."});
    }
    if (count == 1) {
        return TextIn(language,
                      {"1 Datei weicht vom Bericht ab.", "1 file differs from the report."});
    }
    return TextIn(language,
                  {"{1} Dateien weichen vom Bericht ab.", "{1} files differ from the report."},
                  {std::to_string(count)});
}

std::string ComparisonText(const lancheck::Comparison& comparison, Language language) {
    std::string text;
    for (const lancheck::ComponentComparison& component : comparison.components) {
        text += lancheck::Printable(component.name) + ": " +
                SamenessText(component.sameness, language) + '\n';
        for (const lancheck::FileDifference& file : component.files) {
            text += "    " + lancheck::Printable(file.path) + '\n' + "        " +
                    TextIn(language, {"hier: ", "here: "}) + Side(file, true, language) +
                    TextIn(language, {", im Bericht: ", ", report: "}) +
                    Side(file, false, language) + '\n';
        }
    }
    return text;
}

} // namespace korvane
