#pragma once
// The texts of the grip window, as data.
#include <span>

#include "core/gui/interface_texts.hpp"

namespace korvane {

// Rows of frmGrip; rows without English text are the same in both languages.
std::span<const ControlText> GripWindowTexts();

} // namespace korvane
