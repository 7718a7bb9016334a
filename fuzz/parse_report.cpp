// Another PC's report, in either form, as a guest fetches it from a host or a player hands it to
// verify and match; and the folder lists that may come beside it.
#include <algorithm>
#include <cctype>

#include "fuzz_input.hpp"
#include "report/folder_lists.hpp"
#include "report/status_report.hpp"

using namespace korvane::lancheck;
using korvane::fuzz::Require;

namespace {

// Checked here on its own rather than with the parser's helper, so that a fault there shows.
bool IsShortDigest(const std::string& text) {
    return text.size() == 12 && std::all_of(text.begin(), text.end(), [](char c) {
               return std::isxdigit(static_cast<unsigned char>(c)) != 0;
           });
}

bool Same(const std::vector<ComponentStatus>& a, const std::vector<ComponentStatus>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].state != b[i].state ||
            a[i].fingerprint != b[i].fingerprint || a[i].files.size() != b[i].files.size()) {
            return false;
        }
        for (std::size_t j = 0; j < a[i].files.size(); ++j) {
            const FileStatus &x = a[i].files[j], &y = b[i].files[j];
            if (x.path != y.path || x.holds != y.holds || x.sha256 != y.sha256) {
                return false;
            }
        }
    }
    return true;
}

// The JSON form holds UTF-8 only; a report of ASCII can always be written as JSON.
bool IsAscii(const std::vector<ComponentStatus>& components) {
    std::string all;
    for (const ComponentStatus& component : components) {
        all += component.name + component.state;
        for (const FileStatus& file : component.files) {
            all += file.path + file.holds;
        }
    }
    for (const char c : all) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string written = korvane::fuzz::Bytes(data, size);
    const korvane::Result<FolderLists> lists = FolderLists::Parse(written, korvane::Language::English);
    Require(lists.ok() || !lists.reason().empty());
    const ReportRead read = ParseReport(written);
    if (!read.ok()) {
        Require(!read.reason().empty());
        return 0;
    }
    const std::vector<ComponentStatus>& components = read.value();
    Require(!components.empty());
    for (const ComponentStatus& component : components) {
        Require(IsShortDigest(component.fingerprint) && !component.files.empty());
        for (const FileStatus& file : component.files) {
            Require(file.sha256.empty() ? file.holds == StateMissing : IsShortDigest(file.sha256));
        }
    }
    // Written again and read back, a report is what it was: as JSON always (when its texts can
    // be JSON), in lines when it came in lines (the JSON form can hold texts that the lines'
    // separators would split, and always holds a brace).
    if (IsAscii(components)) {
        const ReportRead json = ParseReport(ReportJson(components));
        Require(json.ok() && Same(json.value(), components));
    }
    if (written.find('{') == std::string::npos) {
        const ReportRead text = ParseReport(ReportText(components, true));
        Require(text.ok() && Same(text.value(), components));
    }
    return 0;
}
