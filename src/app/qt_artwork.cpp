#include "app/qt_artwork.hpp"

#include <QPainter>
#include <QSvgRenderer>

// The resources live in a static library; without this call the linker may drop them.
static void InitArtworkResources() {
    Q_INIT_RESOURCE(korvane);
}

namespace korvane {

QPixmap Artwork(const QString& name, QSize size) {
    InitArtworkResources();
    QSvgRenderer renderer(QStringLiteral(":/korvane/%1.svg").arg(name));
    if (!renderer.isValid()) {
        return {};
    }
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace korvane
