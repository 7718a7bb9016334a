#pragma once
// UTF-8 as text from another PC needs it: a character read at a time, whether a character may be
// shown to a person as it is, and a cut that keeps whole characters.
#include <cstddef>
#include <string>
#include <string_view>

namespace korvane {

// The character at text[at] and how many bytes it takes; bytes 0 when what is there is no
// well-formed UTF-8 (a stray or missing continuation byte, an overlong form, a surrogate, a value
// beyond U+10FFFF).
struct Utf8Char {
    char32_t value = 0;
    std::size_t bytes = 0;
};
Utf8Char Utf8At(std::string_view text, std::size_t at);

// A character that changes how the text around it reads rather than being read itself: C0 and C1
// controls and DEL, the line and paragraph separators, and the bidirectional marks, embeddings,
// overrides and isolates (a right-to-left override makes one name look like another).
bool IsHiddenCharacter(char32_t c);

// Well-formed UTF-8 of shown characters only, not empty, at most maxBytes long.
bool IsShownText(std::string_view text, std::size_t maxBytes);

// The longest start of text of at most maxBytes that ends at a character's end.
std::string CutUtf8(const std::string& text, std::size_t maxBytes);

} // namespace korvane
