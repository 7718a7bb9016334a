#include "lan/lan_protocol.hpp"

#include <charconv>

#include "build_config.hpp"

namespace korvane::lancheck {

namespace {

constexpr char Magic[] = {'K', 'V', 'L', 'C'};

// Text another PC sent that may be kept and shown: not empty, not too long, no control
// characters (a line break would make up lines of its own).
bool IsPlainText(const std::string& text, std::size_t maxBytes) {
    if (text.empty() || text.size() > maxBytes) {
        return false;
    }
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return false;
        }
    }
    return true;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos;
         start = end + 1, end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
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
    return answer.name.substr(0, MaxNameBytes) + '\n' + answer.version + '\n' + answer.fingerprint;
}

std::optional<HostAnswer> ParseAnswer(const std::string& payload) {
    const std::vector<std::string> fields = Lines(payload);
    if (fields.size() != 3) {
        return std::nullopt;
    }
    for (const std::string& field : fields) {
        if (!IsPlainText(field, MaxNameBytes)) {
            return std::nullopt;
        }
    }
    return HostAnswer{fields[0], fields[1], fields[2]};
}

std::string VerdictPayload(const Verdict& verdict) {
    std::string payload =
        verdict.name.substr(0, MaxNameBytes) + '\n' + std::to_string(verdict.differing);
    for (std::size_t i = 0; i < verdict.paths.size() && i < MaxVerdictPaths; ++i) {
        if (payload.size() + 1 + verdict.paths[i].size() > MaxVerdictBytes) {
            break;
        }
        payload += '\n' + verdict.paths[i];
    }
    return payload;
}

std::optional<Verdict> ParseVerdict(const std::string& payload) {
    if (payload.size() > MaxVerdictBytes) {
        return std::nullopt;
    }
    std::vector<std::string> lines = Lines(payload);
    Verdict verdict;
    const std::string& number = lines.size() > 1 ? lines[1] : std::string();
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), verdict.differing);
    if (lines.size() < 2 || lines.size() - 2 > MaxVerdictPaths || number.empty() ||
        error != std::errc() || end != number.data() + number.size() ||
        verdict.differing < lines.size() - 2 || !IsPlainText(lines[0], MaxNameBytes)) {
        return std::nullopt;
    }
    for (std::size_t i = 2; i < lines.size(); ++i) {
        if (!IsPlainText(lines[i], MaxVerdictBytes)) {
            return std::nullopt;
        }
    }
    verdict.name = lines[0];
    verdict.paths.assign(lines.begin() + 2, lines.end());
    return verdict;
}

std::string KorvaneVersion() {
    return std::to_string(build::VersionMajor) + '.' + std::to_string(build::VersionMinor) + '.' +
           std::to_string(build::VersionRevision);
}

} // namespace korvane::lancheck
