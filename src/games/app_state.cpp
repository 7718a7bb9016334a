#include "games/app_state.hpp"

namespace korvane {

void SetLanguage(AppState& state, MessageSink& sink, Language language) {
    state.language = language;
    KeepSetting(state.settings, sink, language, LanguageSetting, CodeOf(language));
}

} // namespace korvane
