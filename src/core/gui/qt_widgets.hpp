#pragma once
// Small pieces the windows share.
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QString>

#include <string>

namespace korvane {

// Path and message texts of the logic are in the ANSI code page (UTF-8 where the manifest gets
// it), as the game files and the Windows functions hold them. Values read from files may hold
// any byte, a NUL as well, so the whole text is taken.
inline QString Local(const std::string& text) {
    return QString::fromLocal8Bit(QByteArrayView(text.data(), qsizetype(text.size())));
}
inline std::string Local(const QString& text) {
    return text.toLocal8Bit().toStdString();
}
// The program's own words (TextIn and the texts made from it), which are UTF-8 on every system.
inline QString Utf8Text(const std::string& text) {
    return QString::fromUtf8(text.c_str());
}

// "description (pattern)" as the Qt file dialog takes a filter.
inline QString DialogFilter(const char* description, const char* pattern) {
    return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(description),
                                         QString::fromUtf8(pattern));
}

// Controls carry the system's own names as object names, so tests and accessibility tools
// find them.
template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The busy pointer for the whole screen, restored on every path out of the scope.
class BusyPointer {
  public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// The module windows' info box across the bottom, in the tooltip colours, with room for the
// longest instruction text so that the window keeps one size.
inline QLabel* MakeModuleInfoBox(QWidget* parent, int minimumWidth) {
    auto* info = Named(new QLabel(parent), "LblHarmonizerInfo");
    info->setWordWrap(true);
    info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    info->setFrameShape(QFrame::Box);
    info->setMargin(8);
    info->setAutoFillBackground(true);
    info->setBackgroundRole(QPalette::ToolTipBase);
    info->setForegroundRole(QPalette::ToolTipText);
    info->setMinimumWidth(minimumWidth);
    info->setFixedHeight(QFontMetrics(info->font()).lineSpacing() * 11 + 20);
    return info;
}

} // namespace korvane
