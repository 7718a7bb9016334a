#include "core/gui/qt_control_texts.hpp"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

namespace korvane {

void SetControlTexts(QWidget* window, std::span<const ControlText> texts, Language language) {
    for (const ControlText& row : texts) {
        const bool english = language == Language::English && row.english;
        const QString text = QString::fromUtf8(english ? row.english : row.german);
        const QString name = QString::fromLatin1(row.objectName);
        if (window->objectName() == name) {
            window->setWindowTitle(text);
        } else if (auto* action = window->findChild<QAction*>(name)) {
            action->setText(text);
        } else if (auto* menu = window->findChild<QMenu*>(name)) {
            menu->setTitle(text);
        } else if (auto* button = window->findChild<QAbstractButton*>(name)) {
            button->setText(text);
        } else if (auto* label = window->findChild<QLabel*>(name)) {
            label->setText(text);
        } else if (auto* box = window->findChild<QGroupBox*>(name)) {
            box->setTitle(text);
        } else if (auto* edit = window->findChild<QLineEdit*>(name)) {
            edit->setText(text);
        }
    }
}

void FixSizeAndSetTexts(QWidget* window, std::span<const ControlText> texts, Language language) {
    SetControlTexts(window, texts, Language::German);
    window->setFixedSize(window->sizeHint());
    SetControlTexts(window, texts, language);
}

} // namespace korvane
