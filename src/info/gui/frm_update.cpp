#include "info/gui/frm_update.hpp"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "core/file_system.hpp"
#include "core/gui/qt_control_texts.hpp"
#include "core/gui/qt_shell.hpp"
#include "core/gui/qt_widgets.hpp"
#include "core/settings.hpp"
#include "info/gui/qt_click_label.hpp"
#include "info/gui/qt_twips.hpp"
#include "info/gui/update_texts.hpp"
#include "info/version.hpp"
#include "info/version_file.hpp"

namespace korvane {

namespace {

const QColor ResultBlue(0, 0, 255);
const QColor ResultRed(255, 0, 0);

template <typename T> T* Make(QWidget* parent, const char* name, QRect geometry) {
    auto* widget = Named(new T(parent), name);
    widget->setGeometry(geometry);
    return widget;
}

// The info box has a fixed size, but its text depends on the type the desktop offers and, after
// a check, on the server: rather than cutting off the last lines, use a slightly smaller type.
void SetInfoText(QLabel* label, const QString& text) {
    label->setText(text);
    QFont font = label->parentWidget()->font();
    label->setFont(font);
    while (font.pointSizeF() > 6.5 && label->heightForWidth(label->width()) > label->height()) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        label->setFont(font);
    }
}

void SetTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

frmUpdate::frmUpdate(QWidget* owner, const AppState& state, std::string versionUrl,
                     std::chrono::milliseconds downloadTimeout)
    : QDialog(owner), language_(state.language), versionUrl_(std::move(versionUrl)),
      localPath_(VersionFilePath(state.settings)), downloadTimeout_(downloadTimeout) {
    setObjectName("frmUpdate");
    setFixedSize(TwipSize(5970, 4185));
    // The layout was made for a small 8-point type; larger type would clip the texts.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    frmAction_ = Make<QGroupBox>(this, "frmAction", TwipRect(105, 120, 5700, 1515));
    lblCurrentversion_ =
        Make<QLabel>(frmAction_, "lblCurrentversion", TwipRect(240, 330, 2670, 255));
    lblCurrentversiondate_ =
        Make<QLabel>(frmAction_, "lblCurrentversiondate", TwipRect(3300, 330, 2295, 255));
    lblWebversion_ = Make<QLabel>(frmAction_, "lblWebversion", TwipRect(240, 735, 2880, 255));
    lblWebversiondate_ =
        Make<QLabel>(frmAction_, "lblWebversiondate", TwipRect(3300, 735, 2295, 255));
    lblResult_ = Make<ClickLabel>(frmAction_, "lblResult", TwipRect(105, 1110, 5490, 255));
    LblUpdateInfo_ = Make<QLabel>(this, "LblUpdateInfo", TwipRect(90, 1770, 5700, 1485));
    BtnCheckUpdate_ = Make<QPushButton>(this, "BtnCheckUpdate", TwipRect(90, 3465, 2310, 495));
    BtnQuit_ = Make<QPushButton>(this, "BtnQuit", TwipRect(3480, 3465, 2310, 495));

    SetControlTexts(this, UpdateWindowTexts(), language_);

    // Values from the version file are shown as they are, never interpreted as markup.
    for (QLabel* label : frmAction_->findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
    }
    LblUpdateInfo_->setTextFormat(Qt::PlainText);
    SetTextColour(lblResult_, ResultBlue);
    lblResult_->hide();
    LblUpdateInfo_->setWordWrap(true);
    LblUpdateInfo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LblUpdateInfo_->setAutoFillBackground(true);
    LblUpdateInfo_->setBackgroundRole(QPalette::ToolTipBase);
    LblUpdateInfo_->setForegroundRole(QPalette::ToolTipText);

    BtnCheckUpdate_->setAutoDefault(false);
    BtnQuit_->setAutoDefault(false);
    setTabOrder(BtnCheckUpdate_, BtnQuit_);
    BtnCheckUpdate_->setFocus();

    connect(BtnCheckUpdate_, &QPushButton::clicked, this, &frmUpdate::BtnCheckUpdate_Click);
    connect(BtnQuit_, &QPushButton::clicked, this, &QDialog::reject);
    connect(lblResult_, &ClickLabel::clicked, this, &frmUpdate::lblResult_Click);

    // Opening shows only what is known here; nothing goes over the network yet.
    if (language_ == Language::Unknown) {
        return;
    }
    lblCurrentversion_->setText(Text(VersionPrefix) + Local(VersionNumber()));
    lblCurrentversiondate_->setText(Text(DatePrefix) +
                                    Local(ReadSetting(state.settings, VersionDateSetting)));
    SetInfoText(LblUpdateInfo_, Text(UpdateNote));
}

frmUpdate::~frmUpdate() {
    DeleteLocalCopy();
}

void frmUpdate::done(int result) {
    DeleteLocalCopy();
    QDialog::done(result);
}

void frmUpdate::DeleteLocalCopy() {
    // Also a copy left behind by an earlier run goes; a copy that cannot be deleted is
    // overwritten by the next successful check, so failing here does no harm.
    if (FileExists(localPath_)) {
        DeleteFileText(localPath_);
    }
}

QString frmUpdate::FileValue(const std::string& key) const {
    return Local(ReadVersionFileKey(localPath_, key));
}

QString frmUpdate::Text(const MessageText& text) const {
    return QString::fromUtf8(TextIn(language_, text).c_str());
}

void frmUpdate::BtnCheckUpdate_Click() {
    // The request itself bypasses every cache, so no separate cache removal is needed.
    const int result = DownloadFile(versionUrl_, localPath_, downloadTimeout_);

    if (language_ == Language::Unknown) {
        return;
    }
    if (result != DownloadOk) {
        SetTextColour(lblResult_, ResultRed);
        lblResult_->setText(Text(ConnectionFailed));
        lblResult_->show();
        return;
    }

    lblWebversion_->setText(Text(WebVersionPrefix) + FileValue("version"));
    lblWebversiondate_->setText(Text(DatePrefix) + FileValue("date"));
    SetInfoText(LblUpdateInfo_, FileValue(TextIn(language_, FirstNewsKey)));
    SetInfoText(LblUpdateInfo_,
                LblUpdateInfo_->text() + "\r\n" + FileValue(TextIn(language_, SecondNewsKey)));

    const bool newer = IsWebVersionNewer(localPath_);
    lblResult_->setText(Text(newer ? NewerVersion : CurrentVersion));
    SetTextColour(lblResult_, ResultBlue);
    lblResult_->show();
}

void frmUpdate::lblResult_Click() {
    if (language_ != Language::Unknown) {
        const std::string address = ReadVersionFileKey(localPath_, TextIn(language_, HomepageKey));
        if (IsWebPageAddress(address)) {
            OpenDocument(this, address);
        }
    }
    reject();
}

} // namespace korvane
