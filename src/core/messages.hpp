#pragma once
// How the logic reaches the user: one text at a time, shown with the title "Korvane", an OK
// button and no icon. The windows show a QMessageBox; tests and the command-line tool record.
#include <string>
#include <vector>

#include "core/language.hpp"

namespace korvane {

inline constexpr const char* CrLf = "\r\n";

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void Show(const std::string& text) = 0;
};

class RecordingSink : public MessageSink {
  public:
    void Show(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

// A message in both languages, a row of its subsystem's text table. "{1}" to "{9}" stand for
// the values put in when it is shown.
struct MessageText {
    const char* german;
    const char* english;
};

// The English text for English, the German one otherwise, with the values put in.
std::string TextIn(Language language, const MessageText& text,
                   const std::vector<std::string>& values = {});

// "a, b und c" or "a, b and c".
std::string ListIn(Language language, const std::vector<std::string>& items);

// Shows the German or the English text, and nothing while the language is unknown; failures
// and refusals, which must never go unseen, are shown with TextIn instead.
void Say(MessageSink& sink, Language language, const MessageText& text,
         const std::vector<std::string>& values = {});

} // namespace korvane
