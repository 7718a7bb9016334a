#pragma once
// What the main window's help menu opens: each window is created afresh, shown modally over
// the owner and discarded when it closes.
#include <QWidget>

#include "games/app_state.hpp"

namespace korvane {

void ShowUpdateWindow(QWidget* owner, AppState& state);
void ShowAboutBox(QWidget* owner, AppState& state);
void ShowHistory(QWidget* owner, const AppState& state);

} // namespace korvane
