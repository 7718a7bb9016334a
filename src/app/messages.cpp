#include "app/messages.hpp"

namespace korvane {

void Say(MessageSink& sink, Language language, const std::string& german,
         const std::string& english) {
    if (language == Language::German) {
        sink.Show(german);
    } else if (language == Language::English) {
        sink.Show(english);
    }
}

} // namespace korvane
