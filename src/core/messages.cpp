#include "core/messages.hpp"

namespace korvane {

std::string TextIn(Language language, const MessageText& text,
                   const std::vector<std::string>& values) {
    const std::string pattern = language == Language::English ? text.english : text.german;
    std::string filled;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool slot = pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' &&
                          pattern[i + 1] >= '1' &&
                          static_cast<std::size_t>(pattern[i + 1] - '1') < values.size();
        if (slot) {
            filled += values[pattern[i + 1] - '1'];
            i += 2;
        } else {
            filled += pattern[i];
        }
    }
    return filled;
}

std::string ListIn(Language language, const std::vector<std::string>& items) {
    std::string list;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const bool last = i > 0 && i + 1 == items.size();
        list += (i == 0 ? "" : last ? TextIn(language, {" und ", " and "}) : ", ") + items[i];
    }
    return list;
}

void Say(MessageSink& sink, Language language, const MessageText& text,
         const std::vector<std::string>& values) {
    if (language != Language::Unknown) {
        sink.Show(TextIn(language, text, values));
    }
}

} // namespace korvane
