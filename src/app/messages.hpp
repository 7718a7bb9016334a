#pragma once
// How the logic reaches the user: one text at a time, shown with the title "Korvane", an OK
// button and no icon. The windows show a QMessageBox; tests and the command-line tool record.
#include <string>
#include <vector>

#include "app/language.hpp"

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

// Shows the German or the English text, and nothing while the language is unknown.
void Say(MessageSink& sink, Language language, const std::string& german,
         const std::string& english);

} // namespace korvane
