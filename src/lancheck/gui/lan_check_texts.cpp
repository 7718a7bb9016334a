#include "lancheck/gui/lan_check_texts.hpp"

#include <array>
#include <cctype>

#include "core/messages.hpp"

namespace korvane {

namespace {

constexpr std::array<ControlText, 10> Texts{{
    {"frmLanCheck", "LAN-Check", "LAN check"},
    {"FrmStatus", "Dieser PC:", "This PC:"},
    {"FrmCompare", "Vergleich mit einem Bericht:", "Comparison with a report:"},
    {"LblVerdict", "Bericht wählen oder auf dieses Fenster ziehen ...",
     "Choose a report or drop it onto this window ..."},
    {"BtnCopy", "Zeilen kopieren", "Copy lines"},
    {"BtnSaveReport", "Bericht speichern ...", "Save report ..."},
    {"BtnCompare", "Mit Bericht vergleichen ...", "Compare with report ..."},
    {"BtnQuit", "Zurück zum Auswahlmenü", "Back to main menu"},
    {"BtnMatch", "Diesen PC angleichen", "Make this PC match"},
    {"LblHint",
     "Auf einem PC den Bericht speichern, auf allen anderen damit vergleichen. Was abweicht, "
     "steht oben, mit beiden Seiten; ein Klick öffnet die Dateien darunter.",
     "Save the report on one PC and compare with it on every other one. What differs comes "
     "first, with both sides; a click opens the files below it."},
}};

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
    return TextIn(language, {"Vergleich mit {1} nicht möglich", "Cannot compare with {1}"},
                  {path}) +
           CrLf + CrLf + ProblemText(refused.problem, refused.reason, language);
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

std::string StepProgressText(std::size_t index, std::size_t count, const std::string& step,
                             Language language) {
    return TextIn(language, {"Schritt {1} von {2}: {3}", "Step {1} of {2}: {3}"},
                  {std::to_string(index + 1), std::to_string(count), step});
}

} // namespace korvane
