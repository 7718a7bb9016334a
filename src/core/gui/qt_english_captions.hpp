#pragma once
// Putting the English texts on the windows that exist at the moment of the call.
#include <span>
#include <string>

#include <QWidget>

#include "core/gui/interface_texts.hpp"
#include "core/language.hpp"

namespace korvane {

// Implemented by the main, harmonizer, grip and About windows.
class HasEnglishCaptions {
  public:
    virtual ~HasEnglishCaptions() = default;
    virtual void SetEnglishCaptions() = 0;
};

// When language is English: frmMain, then frmHarmonizer, frmGrip and frmAbout, each only when
// such a window exists, get their English texts. Otherwise nothing happens. Creates no window.
void ApplyEnglishCaptions(Language language);

// Sets the German (english == false) or English texts of a table on a window and its children,
// found by object name: window title, buttons, labels, group boxes, menus and actions.
void SetControlTexts(QWidget* window, std::span<const ControlText> texts, bool english);

} // namespace korvane
