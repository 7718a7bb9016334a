#include "app/gui/frm_splash.hpp"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/gui/main_window_texts.hpp"
#include "core/gui/qt_artwork.hpp"
#include "info/version.hpp"

namespace korvane {

namespace {

QLabel* BoldLabel(QWidget* parent, const char* name, const QString& text, int points,
                  const QString& family = {}) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    if (!family.isEmpty()) {
        font.setFamily(family);
    }
    font.setPointSize(points);
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmSplash"));
    // It only shows; clicks and keys must not reach the program while it starts.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("fraMainFrame"));
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);

    auto* logo = new QLabel(frame);
    logo->setObjectName(QStringLiteral("picLogo"));
    logo->setPixmap(Artwork(QStringLiteral("logo"), QSize(128, 128)));

    auto* product = BoldLabel(frame, "Label1", QString::fromUtf8(SplashProductName), 18,
                              QStringLiteral("Arial"));
    auto* maker = BoldLabel(frame, "lblCompanyProduct", QString::fromUtf8(SplashMakerName), 18);
    auto* version = BoldLabel(frame, "lblVersion", QString(), 12);
    auto* warning = new QLabel(frame);
    warning->setObjectName(QStringLiteral("lblWarning"));

    auto* texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(maker);
    texts->addWidget(product);
    texts->addSpacing(12);
    texts->addWidget(version);
    texts->addStretch();
    texts->addWidget(warning);

    auto* inner = new QHBoxLayout(frame);
    inner->setContentsMargins(24, 24, 32, 24);
    inner->setSpacing(28);
    inner->addWidget(logo, 0, Qt::AlignVCenter);
    inner->addLayout(texts);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    // Loading the window sets its version text.
    version->setText(QString::fromStdString(VersionText()));
    setFixedSize(sizeHint().expandedTo(QSize(440, 220)));
}

} // namespace korvane
