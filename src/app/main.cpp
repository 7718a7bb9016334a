#include <QApplication>
#include <QFileInfo>
#include <QLockFile>

#include "core/gui/qt_message_box.hpp"
#include "app/gui/qt_startup.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvane"));

    korvane::AppState state;
    state.settings = korvane::ProgramSettings();
    QLockFile lock(
        korvane::InstanceLockPath(QString::fromLocal8Bit(state.settings.exeBaseName.c_str())));
    korvane::QtMessageBox messages;
    const auto mainWindow = korvane::StartUp(state, messages, lock, {});
    if (!mainWindow) {
        return 0; // another copy runs; it stays the only one, without a word
    }
    return QApplication::exec();
}
