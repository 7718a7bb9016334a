#include "lancheck/report_compare.hpp"

#include <algorithm>
#include <cctype>
#include <string>

namespace korvane::lancheck {

namespace {

// Reports of the Windows and the Linux build, and of installations whose directories differ in
// letter case, name the same file alike.
std::string Key(std::string text) {
    for (char& c : text) {
        c = c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

template <typename T>
const T* FindByKey(const std::vector<T>& items, const std::string& key, std::string T::*field) {
    const auto found = std::find_if(items.begin(), items.end(),
                                    [&](const T& item) { return Key(item.*field) == Key(key); });
    return found == items.end() ? nullptr : &*found;
}

// What a file holds, with its digits when the other side names the same holder: two files
// that were both edited by hand, or an original that differs, say "changed" on both sides.
std::string Side(const FileStatus& file, const FileStatus& other) {
    return file.holds == other.holds ? file.holds + " (" + file.sha256 + ")" : file.holds;
}

// The lines of the files that differ; none when the component matches.
std::string FileDifferences(const ComponentStatus& here, const ComponentStatus& reference) {
    std::string lines;
    for (const FileStatus& theirs : reference.files) {
        const FileStatus* ours = FindByKey(here.files, theirs.path, &FileStatus::path);
        if (ours == nullptr) {
            lines += "  " + theirs.path + ": in the reference only\n";
        } else if (Key(ours->sha256) != Key(theirs.sha256)) {
            lines += "  " + theirs.path + ": here " + Side(*ours, theirs) + ", reference " +
                     Side(theirs, *ours) + "\n";
        }
    }
    for (const FileStatus& ours : here.files) {
        if (FindByKey(reference.files, ours.path, &FileStatus::path) == nullptr) {
            lines += "  " + ours.path + ": here only\n";
        }
    }
    return lines;
}

} // namespace

bool CompareWithReport(const std::vector<ComponentStatus>& here,
                       const std::vector<ComponentStatus>& reference, std::ostream& out) {
    bool same = true;
    for (const ComponentStatus& theirs : reference) {
        const ComponentStatus* ours = FindByKey(here, theirs.name, &ComponentStatus::name);
        const std::string differences = ours ? FileDifferences(*ours, theirs) : "";
        if (ours == nullptr) {
            out << theirs.name << ": installed in the reference only\n";
        } else if (differences.empty()) {
            out << theirs.name << ": same\n";
        } else {
            out << theirs.name << ": differs\n" << differences;
        }
        same = same && ours != nullptr && differences.empty();
    }
    for (const ComponentStatus& ours : here) {
        if (FindByKey(reference, ours.name, &ComponentStatus::name) == nullptr) {
            out << ours.name << ": installed here only\n";
            same = false;
        }
    }
    return same;
}

} // namespace korvane::lancheck
