#pragma once
#include <ostream>
#include <string>

#include "core/messages.hpp"

namespace korvane::cli {

// Prints every text the desktop program would show in a message box: as it stands, its CR LF
// breaks as plain line breaks, an empty line between two texts.
class ConsoleSink : public MessageSink {
  public:
    explicit ConsoleSink(std::ostream& out) : out_(out) {}
    void Show(const std::string& text) override;
    // A line over the next text, printed with it; a text that does not come takes its line
    // along, and an empty line drops the one waiting.
    void Head(const std::string& line) { heading_ = line; }
    // The latest text; after a failed operation this is its summary of failures.
    const std::string& Last() const { return last_; }

  private:
    std::ostream& out_;
    std::string last_;
    std::string heading_;
    bool shownAny_ = false;
};

// CR LF becomes a plain line break.
std::string PlainLines(const std::string& text);

} // namespace korvane::cli
