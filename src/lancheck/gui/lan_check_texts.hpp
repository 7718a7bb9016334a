#pragma once
// The texts of the LAN check window, as data, and the lines it makes of a comparison.
#include <span>
#include <string>

#include "core/gui/interface_texts.hpp"
#include "core/language.hpp"
#include "core/messages.hpp"
#include "lancheck/report_compare.hpp"
#include "lancheck/status_report.hpp"

namespace korvane {

// Rows of frmLanCheck; rows without English text are the same in both languages.
std::span<const ControlText> LanCheckWindowTexts();

// Texts of the window that are no control's caption (shown with TextIn).
inline constexpr MessageText ColumnComponent{"Komponente", "Component"};
inline constexpr MessageText ColumnState{"Zustand", "State"};
inline constexpr MessageText ColumnFingerprint{"Fingerabdruck", "Fingerprint"};
inline constexpr MessageText SaveReportTitle{"Bericht speichern", "Save report"};
inline constexpr MessageText OpenReportTitle{"Bericht öffnen", "Open report"};
inline constexpr MessageText ReportFilter{"Berichte", "Reports"};
inline constexpr const char* ReportFilterPattern = "*.json *.txt";

// "korvane-status-NAME.json", with the computer's name made safe for a file name.
std::string DefaultReportName(const std::string& computerName);

std::string ReportSavedText(const std::string& path, Language language);
std::string ReportNotSavedText(const std::string& path, const std::string& reason,
                               Language language);
// Why a report cannot be read, naming the file.
std::string ReportUnreadableText(const std::string& path, const lancheck::ReportRead& refused,
                                 Language language);

// One line over the result: all the same, or how many files differ.
std::string VerdictText(const lancheck::Comparison& comparison, Language language);
// Per component "NAME: same" or what differs; below it each differing file's path on a line of
// its own and both sides on the next, so that long paths need no wide window.
std::string ComparisonText(const lancheck::Comparison& comparison, Language language);

} // namespace korvane
