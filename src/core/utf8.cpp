#include "core/utf8.hpp"

#include <algorithm>

namespace korvane {

Utf8Char Utf8At(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return {lead, 1};
    }
    // The length the lead byte announces, and the smallest value that needs it.
    const std::size_t bytes = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    const char32_t least = bytes == 4 ? 0x10000 : bytes == 3 ? 0x800 : 0x80;
    if (bytes == 0 || lead > 0xF4 || at + bytes > text.size()) {
        return {};
    }
    char32_t value = lead & (0x7F >> bytes);
    for (std::size_t i = 1; i < bytes; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return {};
        }
        value = (value << 6) | (byte(i) & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return {};
    }
    return {value, bytes};
}

bool IsHiddenCharacter(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

bool IsShownText(std::string_view text, std::size_t maxBytes) {
    if (text.empty() || text.size() > maxBytes) {
        return false;
    }
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Char c = Utf8At(text, at);
        if (c.bytes == 0 || IsHiddenCharacter(c.value)) {
            return false;
        }
        at += c.bytes;
    }
    return true;
}

std::string CutUtf8(const std::string& text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t bytes = std::max<std::size_t>(Utf8At(text, end).bytes, 1);
        if (end + bytes > maxBytes) {
            break;
        }
        end += bytes;
    }
    return text.substr(0, end);
}

} // namespace korvane
