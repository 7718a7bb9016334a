#pragma once
// Messages of the logic shown as the program's message boxes: title "Korvane", OK only, no
// icon, modal.
#include "core/messages.hpp"

namespace korvane {

class QtMessageBox : public MessageSink {
  public:
    void Show(const std::string& text) override;
};

} // namespace korvane
