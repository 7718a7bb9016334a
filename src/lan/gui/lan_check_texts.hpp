#pragma once
// The texts of the LAN check window, as data, and the lines it makes of its results.
#include <chrono>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "core/gui/interface_texts.hpp"
#include "core/language.hpp"
#include "core/messages.hpp"
#include "core/result.hpp"
#include "lan/lan_protocol.hpp"
#include "lan/lan_share.hpp"
#include "report/game_compare.hpp"
#include "report/report_compare.hpp"
#include "report/status_report.hpp"

namespace korvane {

// Rows of frmLanCheck; rows without English text are the same in both languages.
std::span<const ControlText> LanCheckWindowTexts();

// Texts of the window that are no control's caption (shown with TextIn).
inline constexpr MessageText ColumnComponent{"Komponente", "Component"};
inline constexpr MessageText ColumnState{"Zustand", "State"};
inline constexpr MessageText ColumnFingerprint{"Fingerabdruck", "Fingerprint"};
inline constexpr MessageText ColumnDifference{"Komponente und Dateien", "Component and files"};
inline constexpr MessageText ColumnHere{"Dieser PC", "This PC"};
inline constexpr MessageText ColumnReport{"Bericht", "Report"};
inline constexpr MessageText SaveReportTitle{"Bericht speichern", "Save report"};
inline constexpr MessageText OpenReportTitle{"Bericht öffnen", "Open report"};
inline constexpr MessageText ReportFilter{"Berichte", "Reports"};
inline constexpr const char* ReportFilterPattern = "*.json *.txt";
inline constexpr MessageText MatchQuestionText{"Diese Schritte jetzt ausführen?",
                                               "Run these steps now?"};
inline constexpr MessageText YesText{"Ja", "Yes"};
inline constexpr MessageText NoText{"Nein", "No"};
inline constexpr MessageText ColumnPc{"PC", "PC"};
inline constexpr MessageText ColumnAddress{"Adresse", "Address"};
inline constexpr MessageText ColumnVerdict{"Ergebnis", "Verdict"};
inline constexpr MessageText ColumnChecked{"Zuletzt geprüft", "Last check"};
inline constexpr MessageText ColumnVersion{"Korvane-Version", "Korvane version"};

// What the lists are, for a screen reader.
inline constexpr MessageText StatusListName{"Zustand dieses PCs", "This PC's state"};
inline constexpr MessageText GuestsListName{"PCs, die mit diesem verglichen haben",
                                            "PCs that compared with this one"};
inline constexpr MessageText HostsListName{"Gefundene Hosts", "Hosts found"};
inline constexpr MessageText DifferencesListName{"Vergleich", "Comparison"};
inline constexpr MessageText SplitHandleName{"Grenze zwischen Netzwerk und Vergleich",
                                             "Divider between network and comparison"};
inline constexpr MessageText EndSharingQuestion{
    "Beim Schließen endet die Freigabe dieses PCs. Das Fenster jetzt schließen?",
    "Closing ends the sharing of this PC's report. Close the window now?"};

// "korvane-status-NAME.json", with the computer's name made safe for a file name.
std::string DefaultReportName(const std::string& computerName);

// A failure of the logic as one line: the path it is about, then the system's reason.
std::string ReasonOf(const FileResult& failed);

std::string ReportSavedText(const std::string& path, Language language);
std::string ReportNotSavedText(const std::string& path, const std::string& reason,
                               Language language);
// "Cannot compare with PATH", then why the report cannot be read.
std::string ReportUnreadableText(const std::string& path, const lancheck::ReportRead& refused,
                                 Language language);

// One line over the result: all the same, or how many files differ, the whole game's entries
// counted with the components' files.
std::string VerdictText(const lancheck::Comparison& comparison,
                        const std::vector<lancheck::GameComparison>& games, Language language);

// The line in place of the whole game's rows: a report without it, or a comparison of it that
// did not come about (why empty: the reading was cancelled).
std::string NoWholeGameText(Language language);
std::string WholeGameNotComparedText(const std::string& why, Language language);
// Sharing that does not start because this PC's games cannot be read: why.
std::string GamesUnreadableText(const std::string& why, Language language);

// "This PC's state cannot be read:", then why.
std::string StatusFailedText(const std::string& reason, Language language);

// "Shared as NAME (ADDRESSES) on port 47313": what the others find this PC by.
std::string SharedAsText(const std::string& name, const std::vector<std::string>& addresses,
                         unsigned short port, Language language);
// Two or more hosts that answer to one name, and how to pick the one meant.
std::string SameNameText(const std::string& name, const std::vector<std::string>& addresses,
                         Language language);
// "Searching for hosts … (up to 2 seconds)"; "Asking pc-a for its report … (up to 5 seconds)".
std::string SearchingText(std::chrono::milliseconds limit, Language language);
std::string AskingText(const std::string& host, std::chrono::milliseconds limit,
                       Language language);
// A comparison with this PC's own share, refused.
std::string ThisPcText(Language language);
// "Compared with pc-a at 21:04", over the verdict.
std::string ComparedWithText(const std::string& what, const std::string& time,
                             Language language);

// Sharing that could not start: the port and the system's reason.
std::string ShareFailedText(unsigned short port, const std::string& reason, Language language);
// A guest's verdict in the host's table: "same", or how many files differ.
// A row's verdict against a report this PC no longer shares starts with "earlier report: ".
std::string GuestVerdictText(const lancheck::VerdictRow& row, Language language);
// A file of a guest's verdict with what it holds there and here: "season02\x.car — there:
// changed, here: original".
std::string GuestFileText(const lancheck::VerdictFile& file, Language language);
// "... and 3 more": the files a verdict counts but does not name.
std::string MorePathsText(std::size_t count, Language language);
// A host that speaks another protocol version: "other version (protocol 2)".
std::string OtherProtocolText(int protocol, Language language);
// "Cannot compare with host NAME", then why its report did not come or cannot be read.
std::string HostUnreadableText(const std::string& host, const lancheck::ReportRead& refused,
                               Language language);

} // namespace korvane
