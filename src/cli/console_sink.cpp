#include "cli/console_sink.hpp"

namespace korvane::cli {

std::string PlainLines(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        result += text[i];
    }
    return result;
}

void ConsoleSink::Show(const std::string& text) {
    if (shownAny_) {
        out_ << '\n';
    }
    if (!heading_.empty()) {
        out_ << heading_ << '\n';
        heading_.clear();
    }
    out_ << PlainLines(text) << '\n' << std::flush;
    shownAny_ = true;
    last_ = text;
}

} // namespace korvane::cli
