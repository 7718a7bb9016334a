#include "harmonizer/gui/frm_harmonizer.hpp"
#include "core/gui/qt_control_texts.hpp"
#include "core/gui/qt_widgets.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "harmonizer/gui/harmonizer_window_texts.hpp"

namespace korvane {

namespace {

QFrame* Line(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

void Put(QComboBox* list, const std::vector<std::string>& entries, int selected) {
    QStringList texts;
    for (const std::string& entry : entries) {
        texts << QString::fromLocal8Bit(entry.c_str());
    }
    list->clear();
    list->addItems(texts);
    list->setCurrentIndex(selected);
}

} // namespace

frmHarmonizer::frmHarmonizer(AppState& state, MessageSink& sink, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint),
      state_(state), sink_(sink) {
    setObjectName(QStringLiteral("frmHarmonizer"));

    auto* leftColumn = new QVBoxLayout;
    leftColumn->addWidget(BuildComponents());
    leftColumn->addWidget(BuildMaster());
    auto* top = new QHBoxLayout;
    top->addLayout(leftColumn, 1);
    top->addWidget(BuildActions());
    info_ = MakeModuleInfoBox(this, 640);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(info_);

    // The window loads: the opening sequence, then the user's changes.
    choice_ = OpenHarmonizerChoice(state_.install);
    Mirror();
    for (HarmonizerBox box : {HarmonizerBox::F1c, HarmonizerBox::EA2002, HarmonizerBox::QL2002,
                              HarmonizerBox::GTR2002}) {
        connect(Check(box), &QCheckBox::toggled, this,
                [this, box](bool ticked) { BoxToggled(box, ticked); });
    }
    // Only a season the user picks applies the season rule.
    connect(cmbSeason_, &QComboBox::activated, this, &frmHarmonizer::SeasonPicked);
    connect(cmbTeam_, &QComboBox::activated, this,
            [this](int position) { choice_.team = position; });

    FixSizeAndSetTexts(this, HarmonizerWindowTexts(), state_.language);
}

// A box for each component, each with its label; lines part the games.
QWidget* frmHarmonizer::BuildComponents() {
    auto* components = Named(new QGroupBox(this), "frmAction");
    auto* boxes = new QGridLayout(components);
    boxes->setColumnStretch(1, 1);
    int row = 0;
    auto addRow = [&](QCheckBox*& check, const char* checkName, const char* labelName) {
        check = Named(new QCheckBox(components), checkName);
        boxes->addWidget(check, row, 0);
        boxes->addWidget(Named(new QLabel(components), labelName), row, 1);
        ++row;
    };
    addRow(chkF1c_, "ChkF1c", "LblF1c");
    boxes->addWidget(Line(components), row++, 0, 1, 2);
    addRow(chkEA2002_, "ChkEA2002", "LblEASeason02");
    addRow(chkQL2002_, "ChkQL2002", "Label1");
    boxes->addWidget(Line(components), row++, 0, 1, 2);
    addRow(chkGT2002_, "ChkGT2002", "LblGT2002");
    return components;
}

// The season and the master team, each under its label.
QWidget* frmHarmonizer::BuildMaster() {
    auto* master = Named(new QGroupBox(this), "FrmTeam");
    cmbSeason_ = Named(new QComboBox(master), "CmbSeason");
    cmbTeam_ = Named(new QComboBox(master), "CmbTeam");
    cmbTeam_->setMinimumWidth(220);
    auto* lists = new QGridLayout(master);
    lists->addWidget(Named(new QLabel(master), "LblSeason"), 0, 0);
    lists->addWidget(Named(new QLabel(master), "LblTeam"), 0, 1);
    lists->addWidget(cmbSeason_, 1, 0);
    lists->addWidget(cmbTeam_, 1, 1);
    lists->setColumnStretch(1, 1);
    return master;
}

// Harmonize, restore and quit, one above the other.
QWidget* frmHarmonizer::BuildActions() {
    auto* go = Named(new QGroupBox(this), "FrameActionGo");
    auto* equal = Named(new QPushButton(go), "BtnEqual");
    auto* restore = Named(new QPushButton(go), "BtnRestore");
    auto* quit = Named(new QPushButton(go), "BtnQuit");
    auto* buttons = new QVBoxLayout(go);
    for (QPushButton* button : {equal, restore, quit}) {
        button->setMinimumSize(250, 40);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    connect(equal, &QPushButton::clicked, this, &frmHarmonizer::Harmonize);
    connect(restore, &QPushButton::clicked, this, &frmHarmonizer::Restore);
    connect(quit, &QPushButton::clicked, this, &QDialog::close);
    return go;
}

void frmHarmonizer::SetInfoText(const std::string& text) {
    info_->setText(QString::fromUtf8(text.c_str()));
}

QCheckBox* frmHarmonizer::Check(HarmonizerBox box) const {
    switch (box) {
    case HarmonizerBox::F1c:
        return chkF1c_;
    case HarmonizerBox::EA2002:
        return chkEA2002_;
    case HarmonizerBox::QL2002:
        return chkQL2002_;
    case HarmonizerBox::GTR2002:
        break;
    }
    return chkGT2002_;
}

void frmHarmonizer::BoxToggled(HarmonizerBox box, bool ticked) {
    if (ticked) {
        TickBox(choice_, box);
    } else {
        UntickBox(choice_, box);
    }
    Mirror();
}

void frmHarmonizer::SeasonPicked(int position) {
    PickSeason(choice_, position);
    Mirror();
}

void frmHarmonizer::Mirror() {
    for (HarmonizerBox box : {HarmonizerBox::F1c, HarmonizerBox::EA2002, HarmonizerBox::QL2002,
                              HarmonizerBox::GTR2002}) {
        QCheckBox* check = Check(box);
        const QSignalBlocker blocker(check);
        check->setChecked(choice_.Box(box).ticked);
        check->setEnabled(choice_.Box(box).enabled);
    }
    const QSignalBlocker seasonBlocker(cmbSeason_);
    const QSignalBlocker teamBlocker(cmbTeam_);
    Put(cmbSeason_, choice_.seasons, choice_.season);
    cmbSeason_->setEnabled(choice_.seasonEnabled);
    Put(cmbTeam_, choice_.teams, choice_.team);
}

Components2002 frmHarmonizer::Ticked() const {
    return {.ea2002 = chkEA2002_->isChecked(),
            .ql2002 = chkQL2002_->isChecked(),
            .gtr2002 = chkGT2002_->isChecked()};
}

void frmHarmonizer::Harmonize() {
    if (chkF1c_->isChecked()) {
        HarmonizeF1c(state_.Operation(sink_), cmbSeason_->currentIndex() + 1,
                     cmbTeam_->currentIndex() + 1);
    } else {
        HarmonizeF1_2002(state_.Operation(sink_),
                         cmbTeam_->currentText().toLocal8Bit().toStdString(), Ticked());
    }
}

void frmHarmonizer::Restore() {
    if (chkF1c_->isChecked()) {
        RestoreF1c(state_.Operation(sink_));
    } else {
        RestoreF1_2002(state_.Operation(sink_), Ticked());
    }
}

} // namespace korvane
