#include "core/gui/qt_artwork.hpp"

#include <QPainter>
#ifndef KORVANE_ARTWORK_PNG
#include <QSvgRenderer>
#endif

// The resources live in a static library; without this call the linker may drop them.
static void InitArtworkResources() {
    Q_INIT_RESOURCE(korvane);
}

namespace korvane {

QPixmap Artwork(const QString& name, QSize size) {
    InitArtworkResources();
#ifdef KORVANE_ARTWORK_PNG
    // Rendered at four times the drawing size, so scaling down smooths the edges as drawing does.
    const QPixmap picture(QStringLiteral(":/korvane/%1.png").arg(name));
    if (picture.isNull()) {
        return {};
    }
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
#else
    QSvgRenderer renderer(QStringLiteral(":/korvane/%1.svg").arg(name));
    if (!renderer.isValid()) {
        return {};
    }
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
#endif
}

} // namespace korvane
