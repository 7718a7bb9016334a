#pragma once
// The program's logo, drawn at the size a window asks for.
#include <QPixmap>
#include <QSize>

namespace korvane {

QPixmap LogoPixmap(QSize size);

} // namespace korvane
