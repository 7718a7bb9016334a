#include "lan/lan_protocol.hpp"

#include <charconv>

#include "build_config.hpp"
#include "core/utf8.hpp"

namespace korvane::lancheck {

namespace {

constexpr char Magic[] = {'K', 'V', 'L', 'C'};

// The parts of a text between separators: one more than there are separators.
std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end = text.find(separator); end != std::string::npos;
         start = end + 1, end = text.find(separator, start)) {
        parts.push_back(text.substr(start, end - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::vector<std::string> Lines(const std::string& text) {
    return Split(text, '\n');
}

// A differing file as one line, "path|guest's side|host's side": no file name on Windows holds a
// "|", and a side that does (a team's name) has it written as "/". Only the path when the sides
// are unknown.
std::string FileLine(const VerdictFile& file) {
    if (file.guest.empty() && file.host.empty()) {
        return file.path;
    }
    std::string line = file.path;
    for (const std::string* side : {&file.guest, &file.host}) {
        line += '|';
        for (const char c : *side) {
            line += c == '|' ? '/' : c;
        }
    }
    return line;
}

std::optional<VerdictFile> ParseFileLine(const std::string& line) {
    if (!IsShownText(line, MaxVerdictBytes)) {
        return std::nullopt;
    }
    const std::size_t first = line.find('|');
    if (first == std::string::npos) {
        return VerdictFile{line, {}, {}};
    }
    const std::size_t second = line.find('|', first + 1);
    if (first == 0 || second == std::string::npos ||
        line.find('|', second + 1) != std::string::npos) {
        return std::nullopt;
    }
    return VerdictFile{line.substr(0, first), line.substr(first + 1, second - first - 1),
                       line.substr(second + 1)};
}

} // namespace

std::string Frame(MessageKind kind, const std::string& payload) {
    std::string frame(Magic, sizeof Magic);
    frame += static_cast<char>(LanProtocolVersion);
    frame += static_cast<char>(kind);
    const auto length = static_cast<std::uint32_t>(payload.size());
    for (int shift = 24; shift >= 0; shift -= 8) {
        frame += static_cast<char>((length >> shift) & 0xFF);
    }
    return frame + payload;
}

std::optional<FrameHeader> ReadHeader(const std::string& bytes) {
    if (bytes.size() < FrameHeaderBytes || bytes.compare(0, sizeof Magic, Magic, sizeof Magic)) {
        return std::nullopt;
    }
    FrameHeader header;
    header.version = static_cast<std::uint8_t>(bytes[4]);
    header.kind = static_cast<std::uint8_t>(bytes[5]);
    for (std::size_t i = 6; i < FrameHeaderBytes; ++i) {
        header.length = (header.length << 8) | static_cast<unsigned char>(bytes[i]);
    }
    return header;
}

std::string AnswerPayload(const HostAnswer& answer) {
    return CutUtf8(answer.name, MaxNameBytes) + '\n' + answer.version + '\n' + answer.fingerprint;
}

std::optional<HostAnswer> ParseAnswer(const std::string& payload) {
    const std::vector<std::string> fields = Lines(payload);
    if (fields.size() != 3) {
        return std::nullopt;
    }
    for (const std::string& field : fields) {
        if (!IsShownText(field, MaxNameBytes)) {
            return std::nullopt;
        }
    }
    return HostAnswer{fields[0], fields[1], fields[2]};
}

std::string VerdictPayload(const Verdict& verdict) {
    std::string payload = CutUtf8(verdict.name, MaxNameBytes) + '\n' + verdict.report + '\n' +
                          std::to_string(verdict.differing);
    for (std::size_t i = 0; i < verdict.files.size() && i < MaxVerdictPaths; ++i) {
        const std::string line = FileLine(verdict.files[i]);
        if (payload.size() + 1 + line.size() > MaxVerdictBytes) {
            break;
        }
        payload += '\n' + line;
    }
    return payload;
}

std::optional<Verdict> ParseVerdict(const std::string& payload) {
    constexpr std::size_t fixedLines = 3; // name, fingerprint, number
    if (payload.size() > MaxVerdictBytes) {
        return std::nullopt;
    }
    std::vector<std::string> lines = Lines(payload);
    if (lines.size() < fixedLines || lines.size() - fixedLines > MaxVerdictPaths ||
        !IsShownText(lines[0], MaxNameBytes) || !IsShownText(lines[1], MaxNameBytes)) {
        return std::nullopt;
    }
    Verdict verdict{lines[0], lines[1], 0, {}};
    const std::string& number = lines[2];
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), verdict.differing);
    if (number.empty() || error != std::errc() || end != number.data() + number.size() ||
        verdict.differing < lines.size() - fixedLines || verdict.differing > MaxDifferingFiles) {
        return std::nullopt;
    }
    for (std::size_t i = fixedLines; i < lines.size(); ++i) {
        std::optional<VerdictFile> file = ParseFileLine(lines[i]);
        if (!file) {
            return std::nullopt;
        }
        verdict.files.push_back(std::move(*file));
    }
    return verdict;
}

std::string FolderRequestPayload(const std::string& game, const std::string& folderPath) {
    std::string payload = game + '\n';
    if (folderPath.empty()) {
        return payload;
    }
    for (const std::string& name : Split(folderPath, '\\')) {
        payload.append(EscapedName(name)).append(1, '\\');
    }
    payload.pop_back();
    return payload;
}

std::optional<FolderRequest> ParseFolderRequest(const std::string& payload) {
    const std::size_t newline = payload.find('\n');
    if (payload.size() > MaxFolderRequestBytes || newline == std::string::npos) {
        return std::nullopt;
    }
    FolderRequest request{payload.substr(0, newline), {}};
    const std::string path = payload.substr(newline + 1);
    if (!IsShownText(request.game, MaxNameBytes) || path.size() > MaxFolderPathBytes) {
        return std::nullopt;
    }
    if (path.empty()) {
        return request;
    }
    const std::vector<std::string> names = Split(path, '\\');
    if (names.size() > MaxTreeDepth) {
        return std::nullopt;
    }
    for (const std::string& written : names) {
        // A '\' in a name (written %5C) would make the joined path another one.
        const std::optional<std::string> name = UnescapedName(written);
        if (!name || name->find('\\') != std::string::npos) {
            return std::nullopt;
        }
        request.folderPath.append(*name).append(1, '\\');
    }
    request.folderPath.pop_back();
    return request;
}

std::string KorvaneVersion() {
    return std::to_string(build::VersionMajor) + '.' + std::to_string(build::VersionMinor) + '.' +
           std::to_string(build::VersionRevision);
}

} // namespace korvane::lancheck
