#include "app/gui/frm_language.hpp"

#include <array>

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "core/gui/qt_artwork.hpp"
#include "core/gui/qt_control_texts.hpp"
#include "core/language.hpp"

namespace korvane {

namespace {

// The chooser looks the same in both languages.
constexpr std::array<ControlText, 3> ChooserTexts{{
    {"frmLanguage", "Choose your language:", nullptr},
    // The leading spaces leave room for the flag lying on the button.
    {"CmdLangUK", "      English", nullptr},
    {"CmdLangDE", "      Deutsch", nullptr},
}};

} // namespace

namespace {

constexpr QSize FlagSize(30, 16);

QPushButton* LanguageButton(QWidget* parent, const char* name, QLabel*& flag, const char* flagName,
                            const char* artwork) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setMinimumSize(150, 40);
    flag = new QLabel(button);
    flag->setObjectName(QLatin1String(flagName));
    flag->setPixmap(Artwork(QLatin1String(artwork), FlagSize));
    flag->setFixedSize(FlagSize);
    flag->move(12, (40 - FlagSize.height()) / 2);
    return button;
}

} // namespace

frmLanguage::frmLanguage(AppState& state, MessageSink& sink, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      state_(state), sink_(sink) {
    setObjectName(QStringLiteral("frmLanguage"));
    auto* uk = LanguageButton(this, "CmdLangUK", flagUK_, "Picture1", "flag_uk");
    auto* de = LanguageButton(this, "CmdLangDE", flagDE_, "Picture2", "flag_de");
    SetControlTexts(this, ChooserTexts, state_.language);

    connect(uk, &QPushButton::clicked, this, [this] { Choose(Language::English); });
    connect(de, &QPushButton::clicked, this, [this] { Choose(Language::German); });
    flagUK_->installEventFilter(this);
    flagDE_->installEventFilter(this);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(16);
    layout->addWidget(uk);
    layout->addWidget(de);
    setFixedSize(sizeHint());
}

bool frmLanguage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == flagUK_) {
            Choose(Language::English);
            return true;
        }
        if (watched == flagDE_) {
            Choose(Language::German);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmLanguage::Choose(Language language) {
    SetLanguage(state_, sink_, language);
    accept();
}

void ShowLanguageChooser(AppState& state, MessageSink& sink, QWidget* over) {
    frmLanguage chooser(state, sink, over);
    chooser.exec();
}

} // namespace korvane
