#pragma once
// The texts of the harmonizer window, as data.
#include <span>

#include "core/gui/interface_texts.hpp"

namespace korvane {

// Rows of frmHarmonizer; rows without English text are the same in both languages.
std::span<const ControlText> HarmonizerWindowTexts();

} // namespace korvane
