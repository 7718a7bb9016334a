#pragma once
// Small helpers shared by the window tests: a program state in a scratch directory and
// lookups of windows and controls by their names.
#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QString>
#include <QWidget>

#include "app/app_state.hpp"
#include "support/fake_install.hpp"

namespace korvane::testing {

// A run whose settings file lies in dir (nothing written yet).
inline AppState StateIn(const TempDir& dir, const std::string& languageCode) {
    AppState state;
    state.settings = Settings{dir.Path().string(), "korvane"};
    state.languageCode = languageCode;
    return state;
}

inline QString U8(const char* text) {
    return QString::fromUtf8(text);
}

template <typename T = QWidget> T* Child(const QObject* parent, const char* name) {
    return parent->findChild<T*>(QString::fromLatin1(name));
}

// A window that exists and has not been closed yet.
// The text a frame, button or label shows.
inline QString ShownText(QWidget* window, const char* name) {
    if (auto* box = Child<QGroupBox>(window, name)) {
        return box->title();
    }
    if (auto* button = Child<QAbstractButton>(window, name)) {
        return button->text();
    }
    return Child<QLabel>(window, name)->text();
}

inline QWidget* OpenWindow(const char* name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String(name) && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

// Lets deleteLater and queued events run.
inline void Settle(int milliseconds = 0) {
    QElapsedTimer timer;
    timer.start();
    do {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (timer.elapsed() < milliseconds);
}

inline void CloseAllWindows() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->close();
    }
    Settle();
}

} // namespace korvane::testing
