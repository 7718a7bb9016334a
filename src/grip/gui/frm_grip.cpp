#include "grip/gui/frm_grip.hpp"
#include "core/gui/qt_control_texts.hpp"
#include "core/gui/qt_widgets.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "grip/gui/grip_window_texts.hpp"

namespace korvane {

frmGrip::frmGrip(AppState& state, MessageSink& sink, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint),
      state_(state), sink_(sink) {
    setObjectName(QStringLiteral("frmGrip"));

    auto* components = Named(new QGroupBox(this), "frmAction");
    chkEA2002_ = Named(new QCheckBox(components), "ChkEA2002");
    chkQL2002_ = Named(new QCheckBox(components), "ChkQL2002");
    auto* boxes = new QGridLayout(components);
    boxes->addWidget(chkEA2002_, 0, 0);
    boxes->addWidget(Named(new QLabel(components), "LblEASeason02"), 0, 1);
    boxes->addWidget(chkQL2002_, 1, 0);
    boxes->addWidget(Named(new QLabel(components), "Label1"), 1, 1);
    boxes->setColumnStretch(1, 1);
    boxes->setRowStretch(2, 1);

    auto* equal = Named(new QPushButton(this), "BtnEqual");
    auto* restore = Named(new QPushButton(this), "BtnRestore");
    auto* quit = Named(new QPushButton(this), "BtnQuit");
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {equal, restore, quit}) {
        button->setMinimumSize(250, 40);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }

    info_ = MakeModuleInfoBox(this, 600);

    auto* top = new QHBoxLayout;
    top->addWidget(components, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(info_);

    // Both boxes start off; loading offers the Quillon season when it is there.
    for (QCheckBox* check : {chkEA2002_, chkQL2002_}) {
        check->setChecked(false);
        check->setEnabled(false);
    }
    if (state_.install.HasSeasonQL) {
        chkQL2002_->setEnabled(true);
        chkQL2002_->setChecked(true);
    }

    connect(equal, &QPushButton::clicked, this,
            [this] { ApplyOptimizedGrip(state_.Operation(sink_), Ticked()); });
    connect(restore, &QPushButton::clicked, this,
            [this] { RestoreOriginalGrip(state_.Operation(sink_), Ticked()); });
    connect(quit, &QPushButton::clicked, this, &QDialog::close);

    FixSizeAndSetTexts(this, GripWindowTexts(), state_.language);
}

Components2002 frmGrip::Ticked() const {
    return {.ea2002 = chkEA2002_->isChecked(), .ql2002 = chkQL2002_->isChecked()};
}

void frmGrip::SetInfoText(const std::string& text) {
    info_->setText(QString::fromUtf8(text.c_str()));
}

void frmGrip::AdjustForInstall(const GameInstall& install) {
    if (install.HasF1_2002) {
        chkEA2002_->setChecked(true);
        chkEA2002_->setEnabled(true);
    }
    if (install.HasSeasonQL) {
        chkQL2002_->setEnabled(true);
        chkQL2002_->setChecked(false);
    }
}

} // namespace korvane
