#pragma once
// What every fuzz target shares: the input as the parsers take it, and the check of a property
// that must hold, which ends the run as a crash (libFuzzer keeps the input) when it does not.
#include <cstddef>
#include <cstdint>
#include <string>

namespace korvane::fuzz {

inline std::string Bytes(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

inline void Require(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

// What the protocol's parsers promise of a text they keep: not empty, at most maxBytes, no
// control characters.
inline bool IsPlainText(const std::string& text, std::size_t maxBytes) {
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

} // namespace korvane::fuzz
