#include "core/gui/qt_english_captions.hpp"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

namespace korvane {

void ApplyEnglishCaptions(Language language) {
    if (language != Language::English) {
        return;
    }
    for (const char* name : {"frmMain", "frmHarmonizer", "frmGrip", "frmAbout"}) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1String(name)) {
                if (auto* captioned = dynamic_cast<HasEnglishCaptions*>(window)) {
                    captioned->SetEnglishCaptions();
                }
            }
        }
    }
}

void SetControlTexts(QWidget* window, std::span<const ControlText> texts, bool english) {
    for (const ControlText& row : texts) {
        const char* chosen = english && row.english ? row.english : row.german;
        if (english && !row.english) {
            continue;
        }
        const QString text = QString::fromUtf8(chosen);
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

} // namespace korvane
