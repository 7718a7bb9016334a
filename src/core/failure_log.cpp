#include "core/failure_log.hpp"

#include "core/messages.hpp"
#include "core/path_text.hpp"

namespace korvane {

namespace {

constexpr std::size_t ListedAtMost = 10;

// {1}: how many steps failed, how many are not listed.
constexpr MessageText FinishedWithErrors{"Mit Fehlern beendet, {1} Schritt(e) fehlgeschlagen:",
                                         "Finished with errors, {1} step(s) failed:"};
constexpr MessageText AndMore{"... und {1} weitere", "... and {1} more"};

} // namespace

std::string FailureLog::Summary(Language language) const {
    std::string text = TextIn(language, FinishedWithErrors, {std::to_string(entries_.size())});
    for (std::size_t i = 0; i < entries_.size() && i < ListedAtMost; ++i) {
        text += CrLf + ShownPath(entries_[i].path) + ": " + entries_[i].reason;
    }
    if (entries_.size() > ListedAtMost) {
        text += CrLf + TextIn(language, AndMore, {std::to_string(entries_.size() - ListedAtMost)});
    }
    return text;
}

} // namespace korvane
