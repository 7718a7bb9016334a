#pragma once
// The program's own pictures (logo, flags), drawn from the SVG files built into the program
// (or from PNGs rendered from them, where Qt lacks SVG support).
#include <QPixmap>
#include <QSize>
#include <QString>

namespace korvane {

// name: "logo", "flag_uk" or "flag_de". Empty pixmap when the picture is missing.
QPixmap Artwork(const QString& name, QSize size);

} // namespace korvane
