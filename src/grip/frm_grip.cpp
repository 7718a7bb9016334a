#include "grip/frm_grip.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "grip/grip_window_texts.hpp"

namespace korvane {

namespace {

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

frmGrip::frmGrip(AppState& state, MessageSink& sink, GripActions actions, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint),
      state_(state), sink_(sink), actions_(std::move(actions)) {
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

    info_ = Named(new QLabel(this), "LblHarmonizerInfo");
    info_->setWordWrap(true);
    info_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    info_->setFrameShape(QFrame::Box);
    info_->setMargin(8);
    info_->setAutoFillBackground(true);
    info_->setBackgroundRole(QPalette::ToolTipBase);
    info_->setForegroundRole(QPalette::ToolTipText);
    // Room for the longest instruction text, so the window keeps one size.
    info_->setMinimumWidth(600);
    info_->setFixedHeight(QFontMetrics(info_->font()).lineSpacing() * 11 + 20);

    auto* top = new QHBoxLayout;
    top->addWidget(components, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(info_);

    SetControlTexts(this, GripWindowTexts(), false);

    // Both boxes start off; loading offers the Quillon season when it is there.
    for (QCheckBox* check : {chkEA2002_, chkQL2002_}) {
        check->setChecked(false);
        check->setEnabled(false);
    }
    if (state_.install.HasSeasonQL) {
        chkQL2002_->setEnabled(true);
        chkQL2002_->setChecked(true);
    }

    connect(equal, &QPushButton::clicked, this, [this] {
        actions_.apply(state_.install.F1Path, state_.ProgramDir(), chkEA2002_->isChecked(),
                       chkQL2002_->isChecked(), state_.languageCode, sink_);
    });
    connect(restore, &QPushButton::clicked, this, [this] {
        actions_.restore(state_.install.F1Path, chkEA2002_->isChecked(), chkQL2002_->isChecked(),
                         state_.languageCode, sink_);
    });
    connect(quit, &QPushButton::clicked, this, &QDialog::close);

    setFixedSize(sizeHint());
}

void frmGrip::SetEnglishCaptions() {
    SetControlTexts(this, GripWindowTexts(), true);
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
