#include "core/ini_file.hpp"

#include <vector>

#include "core/file_system.hpp"
#include "core/text_compare.hpp"

namespace korvane {

namespace {

bool IsBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 0x09 && u <= 0x0D) || u == 0x1A || u == 0x20;
}

std::string Trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

std::string TrimEnd(std::string text) {
    while (!text.empty() && IsBlank(text.back())) {
        text.pop_back();
    }
    return text;
}

// One line of the file: [begin, end) is its text, [end, next) its line break.
struct Line {
    std::size_t begin;
    std::size_t end;
    std::size_t next;
};

std::vector<Line> SplitLines(const std::string& content) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < content.size()) {
        std::size_t end = pos;
        while (end < content.size() && content[end] != '\r' && content[end] != '\n') {
            ++end;
        }
        std::size_t next = end;
        if (next < content.size() && content[next] == '\r') {
            ++next;
            if (next < content.size() && content[next] == '\n') {
                ++next;
            }
        } else if (next < content.size()) {
            ++next; // a lone LF
        }
        lines.push_back({pos, end, next});
        pos = next;
    }
    return lines;
}

enum class Kind { Blank, Header, Entry };

struct Parsed {
    Kind kind = Kind::Blank;
    std::string name; // section name, or key
    bool hasValue = false;
    std::size_t valueAt = 0; // offset in the line just after '='
};

Parsed ParseLine(const std::string& text) {
    Parsed parsed;
    const std::string trimmed = Trim(text);
    if (trimmed.empty()) {
        return parsed;
    }
    if (trimmed.front() == '[') {
        const std::size_t close = trimmed.rfind(']');
        if (close != std::string::npos) {
            parsed.kind = Kind::Header;
            parsed.name = Trim(trimmed.substr(1, close - 1));
            return parsed;
        }
    }
    parsed.kind = Kind::Entry;
    const std::size_t eq = text.find('=');
    if (eq == std::string::npos) {
        parsed.name = trimmed;
    } else {
        parsed.name = Trim(text.substr(0, eq));
        parsed.hasValue = true;
        parsed.valueAt = eq + 1;
    }
    return parsed;
}

std::string Unquote(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::string Cut(std::string text, std::size_t bufferSize) {
    const std::size_t room = bufferSize == 0 ? 0 : bufferSize - 1;
    if (text.size() > room) {
        text.resize(room);
    }
    return text;
}

} // namespace

std::string IniReadText(const std::string& content, const std::string& section,
                        const std::string& key, const std::string& defaultValue,
                        std::size_t bufferSize) {
    const std::string wantedSection = Trim(section);
    const std::string wantedKey = Trim(key);
    bool inSection = false;
    for (const Line& line : SplitLines(content)) {
        const std::string text = content.substr(line.begin, line.end - line.begin);
        const Parsed parsed = ParseLine(text);
        if (parsed.kind == Kind::Header) {
            if (inSection) {
                break; // only the first matching section is searched
            }
            inSection = EqualNoCase(parsed.name, wantedSection);
        } else if (inSection && parsed.kind == Kind::Entry && EqualNoCase(parsed.name, wantedKey)) {
            if (!parsed.hasValue) {
                break;
            }
            return Cut(Unquote(Trim(text.substr(parsed.valueAt))), bufferSize);
        }
    }
    return Cut(TrimEnd(defaultValue), bufferSize);
}

std::string IniWriteText(const std::string& content, const std::string& section,
                         const std::string& key, const std::string& value) {
    const std::string wantedSection = Trim(section);
    const std::string wantedKey = Trim(key);
    const std::vector<Line> lines = SplitLines(content);

    bool inSection = false;
    const Line* lastInSection = nullptr; // header or last non-blank line of the section
    for (const Line& line : lines) {
        const std::string text = content.substr(line.begin, line.end - line.begin);
        const Parsed parsed = ParseLine(text);
        if (parsed.kind == Kind::Header) {
            if (inSection) {
                break;
            }
            inSection = EqualNoCase(parsed.name, wantedSection);
            if (inSection) {
                lastInSection = &line;
            }
            continue;
        }
        if (!inSection || parsed.kind == Kind::Blank) {
            continue;
        }
        lastInSection = &line;
        if (EqualNoCase(parsed.name, wantedKey)) {
            // The key keeps its spelling and everything up to '='; only the value changes.
            const std::size_t valueAt = parsed.hasValue ? line.begin + parsed.valueAt : line.end;
            const std::string prefix = parsed.hasValue ? "" : "=";
            return content.substr(0, valueAt) + prefix + value + content.substr(line.end);
        }
    }

    const std::string entry = wantedKey + "=" + value + "\r\n";
    if (lastInSection) {
        const Line& after = *lastInSection;
        const std::string lineBreak = after.next == after.end ? "\r\n" : "";
        return content.substr(0, after.next) + lineBreak + entry + content.substr(after.next);
    }
    std::string result = content;
    if (!result.empty() && result.back() != '\n' && result.back() != '\r') {
        result += "\r\n";
    }
    return result + "[" + wantedSection + "]\r\n" + entry;
}

std::string IniRead(const std::string& fileText, const std::string& section, const std::string& key,
                    const std::string& defaultValue, std::size_t bufferSize) {
    const Result<std::string> read = ReadFileText(fileText);
    return IniReadText(read.ok() ? read.value() : std::string(), section, key, defaultValue,
                       bufferSize);
}

FileResult IniWrite(const std::string& fileText, const std::string& section, const std::string& key,
                    const std::string& value) {
    const bool existed = FileExists(fileText);
    const Result<std::string> read =
        existed ? ReadFileText(fileText) : Result<std::string>::Success(std::string());
    if (!read.ok()) {
        return read; // never replace a file we could not read
    }
    const std::string updated = IniWriteText(read.value(), section, key, value);
    if (existed && updated == read.value()) {
        return FileResult::Success();
    }
    return WriteFileSafe(fileText, updated);
}

} // namespace korvane
