// Renders every registered window in German and in English to PNG files.
// Usage: korvane_screenshots <output directory> [name ...]   (names: only those shots)
#include <algorithm>
#include <iostream>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QTemporaryDir>

#include "shot_registry.hpp"

namespace korvane::shots {

namespace {

std::vector<Shot>& Registry() {
    static std::vector<Shot> shots;
    return shots;
}

} // namespace

bool Register(const std::string& name, Factory make) {
    Registry().push_back({name, std::move(make)});
    return true;
}

const std::vector<Shot>& All() {
    return Registry();
}

} // namespace korvane::shots

namespace {

void Settle(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents();
    }
}

// The window as it appears on the desktop: a plain title bar with the window's title above its
// contents, so that the titles can be checked on the pictures too.
QImage Render(QWidget& window) {
    const QPixmap contents = window.grab();
    if (window.windowFlags().testFlag(Qt::FramelessWindowHint) || window.windowTitle().isEmpty()) {
        return contents.toImage();
    }
    const int titleHeight = 28;
    QImage image(contents.width() + 2, contents.height() + titleHeight + 1, QImage::Format_ARGB32);
    image.fill(QColor(0x3c, 0x4a, 0x5e));
    QPainter painter(&image);
    painter.drawPixmap(1, titleHeight, contents);
    painter.setPen(Qt::white);
    QFont font = window.font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(10, 0, image.width() - 20, titleHeight), Qt::AlignVCenter,
                     window.windowTitle());
    return image;
}

korvane::AppState SampleState(const QTemporaryDir& scratch, const char* language) {
    korvane::AppState state;
    state.language = korvane::LanguageOfCode(language);
    state.settings = {scratch.path().toLocal8Bit().toStdString(), "korvane"};
    auto& install = state.install;
    install.F1Path = "C:\\Spiele\\F1 2002\\";
    install.F1cPath = "C:\\Spiele\\F1 Challenge 99-02\\";
    install.HasF1_2002 = install.HasSeasonQL = install.HasGTR2002 = true;
    install.HasF1c = install.HasF1cQL2003 = true;
    return state;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: korvane_screenshots <output directory> [name ...]\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    const std::vector<std::string> only(argv + 2, argv + argc);

    int failures = 0;
    for (const auto& shot : korvane::shots::All()) {
        if (!only.empty() && std::find(only.begin(), only.end(), shot.name) == only.end()) {
            continue;
        }
        for (const char* language : {"de", "uk"}) {
            QTemporaryDir scratch;
            korvane::shots::Context ctx{
                korvane::LanguageOfCode(language), SampleState(scratch, language), {}};
            std::unique_ptr<QWidget> window = shot.make(ctx);
            window->show();
            Settle(300);
            const QString file = out.filePath(
                QStringLiteral("%1-%2.png").arg(QString::fromStdString(shot.name), language));
            if (Render(*window).save(file)) {
                std::cout << file.toStdString() << "\n";
            } else {
                std::cerr << "could not write " << file.toStdString() << "\n";
                ++failures;
            }
            window->close();
        }
    }
    return failures == 0 ? 0 : 1;
}
