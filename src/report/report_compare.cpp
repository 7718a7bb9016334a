#include "report/report_compare.hpp"

#include <algorithm>
#include <cctype>
#include <string>

#include "core/path_text.hpp"
#include "core/utf8.hpp"

namespace korvane::lancheck {

std::string MatchKey(std::string text) {
    for (char& c : text) {
        c = c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

namespace {

template <typename T>
const T* FindByKey(const std::vector<T>& items, const std::string& key, std::string T::*field) {
    const auto found = std::find_if(items.begin(), items.end(), [&](const T& item) {
        return MatchKey(item.*field) == MatchKey(key);
    });
    return found == items.end() ? nullptr : &*found;
}

std::optional<FileSide> SideOf(const FileStatus* file) {
    return file ? std::optional<FileSide>({file->holds, file->sha256}) : std::nullopt;
}

// The files that differ; none when the component matches.
std::vector<FileDifference> FileDifferences(const ComponentStatus& here,
                                            const ComponentStatus& reference) {
    std::vector<FileDifference> files;
    for (const FileStatus& theirs : reference.files) {
        const FileStatus* ours = FindByKey(here.files, theirs.path, &FileStatus::path);
        if (ours == nullptr || MatchKey(ours->sha256) != MatchKey(theirs.sha256)) {
            files.push_back({theirs.path, SideOf(ours), SideOf(&theirs), ours ? ours->owner : "",
                             ours && ours->backedUp});
        }
    }
    for (const FileStatus& ours : here.files) {
        if (FindByKey(reference.files, ours.path, &FileStatus::path) == nullptr) {
            files.push_back({ours.path, SideOf(&ours), std::nullopt, ours.owner, ours.backedUp});
        }
    }
    return files;
}

// Every file of a component that the other side does not have at all.
ComponentComparison OneSided(const ComponentStatus& component, Sameness sameness) {
    const bool here = sameness == Sameness::HereOnly;
    ComponentComparison result{
        component.name, sameness, here ? component.state : "", here ? "" : component.state, {}};
    for (const FileStatus& file : component.files) {
        result.files.push_back({file.path, here ? SideOf(&file) : std::nullopt,
                                here ? std::nullopt : SideOf(&file), here ? file.owner : "",
                                here && file.backedUp});
    }
    return result;
}

std::string Holder(const FileSide& side, const std::string& owner) {
    return side.holds == StateOriginal && !owner.empty() ? owner : side.holds;
}

// How many bytes from text[at] on are written as escapes: a character that is not to be shown
// as it is, or one byte that is no UTF-8; 0 when a shown character is there.
std::size_t EscapedBytes(const std::string& text, std::size_t at) {
    const Utf8Char c = Utf8At(text, at);
    return c.bytes == 0 ? 1 : IsHiddenCharacter(c.value) ? c.bytes : 0;
}

} // namespace

std::string Printable(const std::string& text) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::string shown;
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t escaped = EscapedBytes(text, i)) {
            for (const std::size_t end = i + escaped; i < end; ++i) {
                const auto byte = static_cast<unsigned char>(text[i]);
                shown += {'\\', 'x', Hex[byte >> 4], Hex[byte & 0xF]};
            }
            continue;
        }
        const char c = text[i];
        const std::size_t bytes = Utf8At(text, i).bytes;
        shown.append(text, i, bytes);
        i += bytes;
        // What follows is written starting with "x" or a backslash.
        if (c == '\\' && i < text.size() &&
            (text[i] == 'x' || text[i] == '\\' || EscapedBytes(text, i) > 0)) {
            shown += '\\';
        }
    }
    return shown;
}

std::string Shown(const FileDifference& file, bool here) {
    const std::optional<FileSide>& side = here ? file.here : file.reference;
    const std::optional<FileSide>& other = here ? file.reference : file.here;
    if (!side) {
        return "";
    }
    const std::string holder = Holder(*side, file.owner);
    return other && holder == Holder(*other, file.owner) ? holder + " (" + side->sha256 + ")"
                                                         : holder;
}

bool Comparison::AllSame() const {
    return std::all_of(components.begin(), components.end(),
                       [](const auto& component) { return component.sameness == Sameness::Same; });
}

std::size_t Comparison::DifferingFiles() const {
    std::size_t count = 0;
    for (const ComponentComparison& component : components) {
        count += component.files.size();
    }
    return count;
}

Comparison CompareWithReport(const std::vector<ComponentStatus>& here,
                             const std::vector<ComponentStatus>& reference) {
    Comparison comparison;
    for (const ComponentStatus& theirs : reference) {
        const ComponentStatus* ours = FindByKey(here, theirs.name, &ComponentStatus::name);
        if (ours == nullptr) {
            comparison.components.push_back(OneSided(theirs, Sameness::ReferenceOnly));
            continue;
        }
        std::vector<FileDifference> files = FileDifferences(*ours, theirs);
        const Sameness sameness = files.empty() ? Sameness::Same : Sameness::Differs;
        comparison.components.push_back(
            {theirs.name, sameness, ours->state, theirs.state, std::move(files)});
    }
    for (const ComponentStatus& ours : here) {
        if (FindByKey(reference, ours.name, &ComponentStatus::name) == nullptr) {
            comparison.components.push_back(OneSided(ours, Sameness::HereOnly));
        }
    }
    std::stable_partition(
        comparison.components.begin(), comparison.components.end(),
        [](const auto& component) { return component.sameness != Sameness::Same; });
    return comparison;
}

std::string ShownFile(const std::string& path) {
    return Printable(ShownPath(path));
}

} // namespace korvane::lancheck
