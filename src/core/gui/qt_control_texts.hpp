#pragma once
// Putting a window's texts of a language on its controls.
#include <span>

#include <QWidget>

#include "core/gui/interface_texts.hpp"
#include "core/language.hpp"

namespace korvane {

// Sets the texts of a table on a window and its children, found by object name: window title,
// buttons, labels, group boxes, menus and actions. English takes a row's English text where it
// has one; every other language the German one.
void SetControlTexts(QWidget* window, std::span<const ControlText> texts, Language language);

// The windows of fixed size were laid out for their German texts, and the English ones fit in
// the same room: fixes the window at the size it needs with the German texts, then sets those
// of the language.
void FixSizeAndSetTexts(QWidget* window, std::span<const ControlText> texts, Language language);

} // namespace korvane
