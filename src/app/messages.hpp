#pragma once
// How the logic reaches the user: one text at a time, shown with the title "Korvane", an OK
// button and no icon. The windows show a QMessageBox; tests and the command-line tool record.
#include <string>
#include <vector>

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

// Shows the German text for "de", the English one for "uk", and nothing for any other code.
void Say(MessageSink& sink, const std::string& languageCode, const std::string& german,
         const std::string& english);

} // namespace korvane
