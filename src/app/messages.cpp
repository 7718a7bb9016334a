#include "app/messages.hpp"

namespace korvane {

void Say(MessageSink& sink, const std::string& languageCode, const std::string& german,
         const std::string& english) {
    if (languageCode == "de") {
        sink.Show(german);
    } else if (languageCode == "uk") {
        sink.Show(english);
    }
}

} // namespace korvane
