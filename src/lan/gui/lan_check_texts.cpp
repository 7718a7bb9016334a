#include "lan/gui/lan_check_texts.hpp"

#include <array>
#include <cctype>

#include "core/messages.hpp"
#include "lan/lan_protocol.hpp"
#include "lan/lan_texts.hpp"
#include "report/comparison_texts.hpp"

namespace korvane {

namespace {

constexpr std::array<ControlText, 18> Texts{{
    {"frmLanCheck", "LAN-Check", "LAN check"},
    {"FrmStatus", "Dieser PC:", "This PC:"},
    {"FrmCompare", "Vergleich mit einem Bericht:", "Comparison with a report:"},
    {"LblVerdict", "Bericht wählen oder auf dieses Fenster ziehen ...",
     "Choose a report or drop it onto this window ..."},
    {"BtnCopy", "Zeilen kopieren", "Copy lines"},
    {"ChkWholeGame", "Ganzes Spiel vergleichen", "Compare the whole game"},
    {"BtnCancelScan", "Abbrechen", "Cancel"},
    {"BtnSaveReport", "Bericht speichern ...", "Save report ..."},
    {"BtnCompare", "Mit Bericht vergleichen ...", "Compare with report ..."},
    {"BtnQuit", "Zurück zum Auswahlmenü", "Back to main menu"},
    {"BtnMatch", "Diesen PC angleichen", "Make this PC match"},
    {"LblHint",
     "Auf einem PC den Bericht speichern oder im Netzwerk freigeben, auf allen anderen damit "
     "vergleichen. Was abweicht, steht oben, mit beiden Seiten; ein Klick öffnet die Dateien "
     "darunter.",
     "Save the report on one PC or share it on the network, and compare with it on every other "
     "one. What differs comes first, with both sides; a click opens the files below it."},
    {"FrmNetwork", "Im Netzwerk:", "On the network:"},
    {"ChkShare", "Bericht dieses PCs freigeben", "Share this PC's report"},
    {"BtnFindHosts", "Hosts suchen", "Find hosts"},
    {"BtnCompareHost", "Mit Host vergleichen", "Compare with host"},
    {"LblHost", "Host (Name oder Adresse):", "Host (name or address):"},
    {"LblNoHost",
     "Kein Host hat geantwortet. Meist blockiert die Firewall des Hosts den Port 47313, Windows "
     "behandelt das Netzwerk als \"Öffentlich\" (auf \"Privat\" stellen), das WLAN hält seine "
     "Geräte voneinander fern (Gastnetz), oder der Host liegt in einem anderen Subnetz. Dann den "
     "Namen oder die Adresse des Hosts eingeben.",
     "No host answered. Usually the host's firewall blocks port 47313, Windows treats the "
     "network as \"Public\" (make it \"Private\"), the Wi-Fi keeps its clients apart (a guest "
     "network), or the host is in another subnet. Then type the host's name or address."},
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

static_assert(lancheck::LanPort == 47313, "LblNoHost names the port");

std::span<const ControlText> LanCheckWindowTexts() {
    return Texts;
}

std::string ReasonOf(const FileResult& failed) {
    return failed.path().empty() ? failed.reason() : failed.path() + ": " + failed.reason();
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
           CrLf + CrLf + ProblemText(refused.problem(), refused.reason(), language);
}

std::string VerdictText(const lancheck::Comparison& comparison,
                        const std::vector<lancheck::GameComparison>& games, Language language) {
    std::size_t count = comparison.DifferingFiles();
    for (const lancheck::GameComparison& game : games) {
        count += game.Differing();
    }
    if (comparison.AllSame() && lancheck::AllSame(games)) {
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

std::string NoWholeGameText(Language language) {
    return TextIn(language, {"Der Bericht enthält das ganze Spiel nicht: verglichen sind nur "
                             "Korvanes Komponenten.",
                             "The report does not hold the whole game: only Korvane's components "
                             "are compared."});
}

std::string WholeGameNotComparedText(const std::string& why, Language language) {
    if (why.empty()) {
        return TextIn(language, {"Das ganze Spiel ist nicht verglichen: das Lesen wurde "
                                 "abgebrochen.",
                                 "The whole game was not compared: reading it was cancelled."});
    }
    return TextIn(
        language,
        {"Das ganze Spiel ist nicht verglichen: {1}", "The whole game was not compared: {1}"},
        {why});
}

std::string GamesUnreadableText(const std::string& why, Language language) {
    return TextIn(language, {"Die Spiele dieses PCs können nicht gelesen werden, die Freigabe "
                             "beginnt nicht:",
                             "This PC's games cannot be read, so sharing does not start:"}) +
           CrLf + CrLf + why;
}

std::string StatusFailedText(const std::string& reason, Language language) {
    return TextIn(language, {"Der Zustand dieses PCs kann nicht gelesen werden:",
                             "This PC's state cannot be read:"}) +
           CrLf + CrLf + reason;
}

std::string SharedAsText(const std::string& name, const std::vector<std::string>& addresses,
                         unsigned short port, Language language) {
    return TextIn(language, {"Freigegeben als {1} auf Port {2}", "Shared as {1} on port {2}"},
                  {lancheck::PcWithAddresses(name, addresses), std::to_string(port)});
}

std::string SameNameText(const std::string& name, const std::vector<std::string>& addresses,
                         Language language) {
    return TextIn(language,
                  {"{1} PCs melden sich mit dem Namen {2}: {3}. Den gemeinten in der Liste "
                   "wählen oder seine Adresse eingeben.",
                   "{1} PCs answer to the name {2}: {3}. Choose the one meant in the list, or "
                   "type its address."},
                  {std::to_string(addresses.size()), name, ListIn(language, addresses)});
}

namespace {

// Whole seconds, rounded up.
std::string SecondsOf(std::chrono::milliseconds limit) {
    return std::to_string((limit.count() + 999) / 1000);
}

} // namespace

std::string SearchingText(std::chrono::milliseconds limit, Language language) {
    return TextIn(language, {"Hosts werden gesucht … (bis zu {1} Sekunden)",
                             "Searching for hosts … (up to {1} seconds)"},
                  {SecondsOf(limit)});
}

std::string AskingText(const std::string& host, std::chrono::milliseconds limit,
                       Language language) {
    return TextIn(language, {"{1} wird nach seinem Bericht gefragt … (bis zu {2} Sekunden)",
                             "Asking {1} for its report … (up to {2} seconds)"},
                  {host, SecondsOf(limit)});
}

std::string ThisPcText(Language language) {
    return TextIn(language, {"Das ist dieser PC. Bitte mit dem Bericht eines anderen PCs "
                             "vergleichen.",
                             "That is this PC. Please compare with another PC's report."});
}

std::string ComparedWithText(const std::string& what, const std::string& time,
                             Language language) {
    return TextIn(language, {"Verglichen mit {1} um {2}", "Compared with {1} at {2}"},
                  {what, time});
}

std::string ShareFailedText(unsigned short port, const std::string& reason, Language language) {
    return TextIn(language,
                  {"Der Bericht dieses PCs kann auf Port {1} nicht freigegeben werden:",
                   "This PC's report cannot be shared on port {1}:"},
                  {std::to_string(port)}) +
           CrLf + CrLf + reason;
}

std::string GuestVerdictText(const lancheck::VerdictRow& row, Language language) {
    const std::string earlier =
        row.earlier ? TextIn(language, {"früherer Bericht: ", "earlier report: "}) : "";
    const std::size_t differing = row.verdict.differing;
    if (differing == 0) {
        return earlier + TextIn(language, {"gleich", "same"});
    }
    if (differing == 1) {
        return earlier + TextIn(language, {"1 Datei weicht ab", "1 file differs"});
    }
    return earlier + TextIn(language, {"{1} Dateien weichen ab", "{1} files differ"},
                            {std::to_string(differing)});
}

std::string GuestFileText(const lancheck::VerdictFile& file, Language language) {
    const std::string path = lancheck::ShownFile(file.path);
    if (file.guest.empty() && file.host.empty()) {
        return path; // a guest that told only the path
    }
    return TextIn(language, {"{1} — dort: {2}, hier: {3}", "{1} — there: {2}, here: {3}"},
                  {path, lancheck::SideText(file.guest, language),
                   lancheck::SideText(file.host, language)});
}

std::string MorePathsText(std::size_t count, Language language) {
    return TextIn(language, {"... und {1} weitere", "... and {1} more"}, {std::to_string(count)});
}

std::string OtherProtocolText(int protocol, Language language) {
    return TextIn(language, {"andere Version (Protokoll {1})", "other version (protocol {1})"},
                  {std::to_string(protocol)});
}

std::string HostUnreadableText(const std::string& host, const lancheck::ReportRead& refused,
                               Language language) {
    std::string why = refused.problem() == lancheck::ReportProblem::Unreadable
                          ? refused.reason()
                          : ProblemText(refused.problem(), refused.reason(), language);
    if (!why.empty() && why[0] >= 'a' && why[0] <= 'z') { // a sentence of its own in the box
        why[0] = static_cast<char>(why[0] - 'a' + 'A');
    }
    return TextIn(language,
                  {"Vergleich mit Host {1} nicht möglich", "Cannot compare with host {1}"},
                  {host}) +
           CrLf + CrLf + why;
}

} // namespace korvane
