#include "info/gui/frm_history.hpp"

#include <array>

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/gui/qt_control_texts.hpp"
#include "core/gui/qt_widgets.hpp"
#include "info/gui/qt_twips.hpp"
#include "info/history.hpp"

namespace korvane {

namespace {

// The window looks the same in both languages but for the history itself.
constexpr std::array<ControlText, 2> HistoryTexts{{
    {"FrmHistory", "Korvane", nullptr},
    {"cmdOK", "OK", nullptr},
}};

} // namespace

frmHistory::frmHistory(QWidget* owner, Language language) : QDialog(owner) {
    setObjectName("FrmHistory");
    setFixedSize(TwipSize(6510, 5355));

    TxtHistory_ = Named(new QPlainTextEdit(this), "TxtHistory");
    TxtHistory_->setGeometry(TwipRect(180, 135, 6150, 4635));
    TxtHistory_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TxtHistory_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Edits would be lost anyway: the text is built anew at every opening.
    TxtHistory_->setReadOnly(true);
    TxtHistory_->setTabChangesFocus(true);

    cmdOK_ = Named(new QPushButton(this), "cmdOK");
    cmdOK_->setGeometry(TwipRect(2522, 4905, 1467, 345));
    cmdOK_->setDefault(true);
    SetControlTexts(this, HistoryTexts, language);

    setTabOrder(TxtHistory_, cmdOK_);
    TxtHistory_->setFocus();
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);

    // Qt's text widgets break lines at LF alone.
    QString history = QString::fromUtf8(HistoryText(language).c_str());
    TxtHistory_->setPlainText(history.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void frmHistory::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdOK_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace korvane
