#pragma once
// Helpers shared by the window tests: controls found by their names, the texts and ticks they
// show, and answers given to a modal window once it is up.
#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>

#include "games/app_state.hpp"
#include "support/fake_install.hpp"

namespace korvane::testing {

template <typename T = QWidget> T* Child(const QObject* parent, const char* name) {
    return parent->findChild<T*>(QString::fromLatin1(name));
}

// The title of the window or of a frame or menu, or the text of the control, of that name.
inline QString ShownText(QWidget* window, const char* name) {
    if (window->objectName() == QLatin1String(name)) {
        return window->windowTitle();
    }
    const QObject* control = Child<QObject>(window, name);
    for (const char* property : {"title", "text", "plainText"}) {
        if (control && control->property(property).isValid()) {
            return control->property(property).toString();
        }
    }
    return QStringLiteral("<none>");
}

// Each check box as T (ticked), o (offered: enabled, not ticked), t (ticked, disabled) or -.
inline QString Ticks(QWidget* window, std::initializer_list<const char*> names) {
    QString ticks;
    for (const char* name : names) {
        auto* box = Child<QAbstractButton>(window, name);
        ticks += !box->isEnabled() ? (box->isChecked() ? "t" : "-") : box->isChecked() ? "T" : "o";
    }
    return ticks;
}

// A visible top-level window of that name.
inline QWidget* OpenWindow(const char* name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String(name) && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

// Runs act on the modal window of that name or class once it is up, from the loop it runs.
inline void WhenModal(const QString& name, std::function<void(QWidget*)> act) {
    auto* poll = new QTimer(qApp);
    poll->setObjectName(QStringLiteral("answer"));
    QObject::connect(poll, &QTimer::timeout, poll, [poll, name, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && (modal->objectName() == name || modal->inherits(qPrintable(name)))) {
            poll->stop();
            poll->deleteLater();
            act(modal);
        }
    });
    poll->start(20);
}

// Closes every window, drops the answers that found no window, and lets deleteLater run.
inline void CloseAllWindows() {
    QApplication::closeAllWindows();
    qDeleteAll(qApp->findChildren<QTimer*>(QStringLiteral("answer"), Qt::FindDirectChildrenOnly));
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace korvane::testing
