#include "info/qt_logo.hpp"

#include <QPainter>
#include <QSvgRenderer>

namespace korvane {

QPixmap LogoPixmap(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/info/about_logo.svg"));
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace korvane
