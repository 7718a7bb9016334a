#include "info/gui/frm_history.hpp"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include "info/gui/qt_twips.hpp"

using namespace korvane;

FrmHistory::FrmHistory(QWidget* owner) : QDialog(owner) {
    setObjectName("FrmHistory");
    setWindowTitle(QStringLiteral("Korvane"));
    setFixedSize(TwipSize(6510, 5355));

    TxtHistory_ = new QPlainTextEdit(this);
    TxtHistory_->setObjectName("TxtHistory");
    TxtHistory_->setGeometry(TwipRect(180, 135, 6150, 4635));
    TxtHistory_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TxtHistory_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Edits would be lost anyway: the text is built anew at every opening.
    TxtHistory_->setReadOnly(true);
    TxtHistory_->setTabChangesFocus(true);

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setGeometry(TwipRect(2522, 4905, 1467, 345));
    cmdOK_->setDefault(true);

    setTabOrder(TxtHistory_, cmdOK_);
    TxtHistory_->setFocus();
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
}

void FrmHistory::SetHistoryText(const QString& text) {
    TxtHistory_->setPlainText(text);
}

void FrmHistory::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdOK_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
