#include "app/failure_log.hpp"

#include "app/messages.hpp"

namespace korvane {

namespace {
constexpr std::size_t ListedAtMost = 10;
}

std::string FailureLog::Summary(Language language) const {
    const bool english = language == Language::English;
    const std::string count = std::to_string(entries_.size());
    std::string text = english ? "Finished with errors, " + count + " step(s) failed:"
                               : "Mit Fehlern beendet, " + count + " Schritt(e) fehlgeschlagen:";
    for (std::size_t i = 0; i < entries_.size() && i < ListedAtMost; ++i) {
        text += CrLf + entries_[i].path + ": " + entries_[i].reason;
    }
    if (entries_.size() > ListedAtMost) {
        const std::string rest = std::to_string(entries_.size() - ListedAtMost);
        text += CrLf + (english ? "... and " + rest + " more" : "... und " + rest + " weitere");
    }
    return text;
}

} // namespace korvane
