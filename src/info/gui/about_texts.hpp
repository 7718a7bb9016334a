#pragma once
// The About box's texts and addresses.
#include <span>
#include <string>

#include "core/gui/interface_texts.hpp"
#include "core/language.hpp"

namespace korvane {

// German and English texts of the About box's controls.
std::span<const ControlText> AboutControlTexts();

inline constexpr const char* FeedbackSubject = "Feedback Korvane";
inline constexpr const char* FeedbackToolTip = "Click here to send feedback via e-mail...";
// The same in both languages; the two blanks before "warranty" belong to it.
inline constexpr const char* AboutDisclaimer =
    "This program is freeware and comes without any  warranty.";


} // namespace korvane
