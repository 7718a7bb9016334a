#include "info/gui/frm_about.hpp"

#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "build_config.hpp"
#include "core/gui/qt_artwork.hpp"
#include "core/gui/qt_control_texts.hpp"
#include "core/gui/qt_shell.hpp"
#include "core/gui/qt_widgets.hpp"
#include "info/gui/about_texts.hpp"
#include "info/gui/qt_click_label.hpp"
#include "info/homepage.hpp"
#include "info/version.hpp"

namespace korvane {

namespace {

constexpr int LogoSize = 64;

void MakeLink(ClickLabel* label, bool bold, const QString& toolTip) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    label->setPalette(palette);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    label->setToolTip(toolTip);
}

} // namespace

frmAbout::frmAbout(QWidget* owner, Language language) : QDialog(owner), language_(language) {
    setObjectName("frmAbout");

    auto* Image1 = Named(new QLabel(this), "Image1");
    Image1->setPixmap(Artwork(QStringLiteral("logo"), QSize(LogoSize, LogoSize)));
    Image1->setFixedSize(LogoSize, LogoSize);
    QLayout* texts = BuildTexts();
    auto* Line1 = Named(new QFrame(this), "Line1");
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    auto* lblDisclaimer = Named(new QLabel(this), "lblDisclaimer");
    lblDisclaimer->setText(QString::fromUtf8(AboutDisclaimer));
    cmdOK_ = Named(new QPushButton(this), "cmdOK");
    cmdOK_->setDefault(true);
    cmdOK_->setMinimumWidth(88);
    SetControlTexts(this, AboutControlTexts(), language_);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);
    grid->addWidget(Image1, 0, 0, Qt::AlignTop | Qt::AlignLeft);
    grid->addLayout(texts, 0, 1, 1, 2);
    grid->addWidget(Line1, 1, 0, 1, 3);
    grid->addWidget(lblDisclaimer, 2, 0, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(cmdOK_, 2, 2, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
}

// The program's name and version, its description, the feedback address and the homepage, the
// last two as links.
QLayout* frmAbout::BuildTexts() {
    auto* lblTitle = Named(new QLabel(this), "lblTitle");
    auto* lblVersion = Named(new QLabel(this), "lblVersion");
    auto* lblDescription = Named(new QLabel(this), "lblDescription");
    auto* LblFeedbackText = Named(new QLabel(this), "LblFeedbackText");
    auto* Label3 = Named(new ClickLabel(this), "Label3");
    auto* LblHomepagetext = Named(new QLabel(this), "LblHomepagetext");
    auto* LblHomepage = Named(new ClickLabel(this), "LblHomepage");

    QFont titleFont = lblTitle->font();
    titleFont.setPointSize(12);
    titleFont.setBold(true);
    titleFont.setItalic(true);
    lblTitle->setFont(titleFont);
    lblTitle->setText(QStringLiteral("Korvane"));
    lblVersion->setText(Local(VersionText()));
    lblDescription->setWordWrap(true);
    Label3->setText(QString::fromLocal8Bit(build::FeedbackMail));
    MakeLink(Label3, false, QString::fromUtf8(FeedbackToolTip));
    MakeLink(LblHomepage, true, Local(HomepageAddress(Language::German)));
    connect(Label3, &ClickLabel::clicked, this, &frmAbout::Label3_Click);
    connect(LblHomepage, &ClickLabel::clicked, this, &frmAbout::LblHomepage_Click);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addWidget(lblDescription);
    texts->addSpacing(10);
    texts->addWidget(LblFeedbackText);
    texts->addWidget(Label3);
    texts->addSpacing(10);
    texts->addWidget(LblHomepagetext);
    texts->addWidget(LblHomepage);
    texts->addStretch();
    return texts;
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
    // Escape, like Enter, goes through the OK button, so both end the same way.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdOK_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmAbout::Label3_Click() {
    if (language_ != Language::Unknown) {
        ComposeMail(this, build::FeedbackMail, FeedbackSubject);
    }
}

void frmAbout::LblHomepage_Click() {
    const std::string page = HomepageAddress(language_);
    if (!page.empty()) {
        OpenDocument(this, page);
    }
    accept();
}

} // namespace korvane
