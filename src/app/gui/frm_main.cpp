#include "app/gui/frm_main.hpp"
#include "core/gui/qt_control_texts.hpp"
#include "core/gui/qt_widgets.hpp"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

#include "app/gui/frm_language.hpp"
#include "app/gui/main_window_texts.hpp"
#include "core/gui/qt_artwork.hpp"
#include "core/gui/qt_shell.hpp"
#include "core/language.hpp"
#include "grip/gui/frm_grip.hpp"
#include "harmonizer/gui/frm_harmonizer.hpp"
#include "info/gui/frm_info_menu.hpp"
#include "info/homepage.hpp"
#include "lan/gui/frm_lan_check.hpp"

namespace korvane {

namespace {

QGroupBox* PathFrame(QWidget* parent, const char* frameName, const char* editName,
                     const char* buttonName, QLineEdit*& edit, QPushButton*& button) {
    auto* frame = Named(new QGroupBox(parent), frameName);
    edit = Named(new QLineEdit(frame), editName);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    button = Named(new QPushButton(frame), buttonName);
    auto* layout = new QHBoxLayout(frame);
    layout->addWidget(edit, 1);
    layout->addWidget(button);
    return frame;
}

QString DefaultFileChooser(QWidget* owner, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(owner, title, QString(), filter);
}

} // namespace

frmMain::frmMain(AppState& state, MessageSink& sink, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint), state_(state),
      sink_(sink), fileChooser_(DefaultFileChooser) {
    setObjectName(QStringLiteral("frmMain"));
    auto* central = new QWidget(this);
    setCentralWidget(central);

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addLayout(BuildLogo(central));
    top->addLayout(BuildGamesAndModules(central), 1);
    BuildInfoBox(central);
    auto* layout = new QVBoxLayout(central);
    layout->addLayout(top);
    layout->addWidget(lblInfo_);

    BuildStatusBar();
    BuildMenus();

    central->setMinimumWidth(720);
    FixSizeAndSetTexts(this, MainWindowTexts(), state_.language);
}

// The logo with the version beneath it.
QLayout* frmMain::BuildLogo(QWidget* central) {
    auto* image = Named(new QLabel(central), "Image1");
    image->setPixmap(Artwork(QStringLiteral("logo"), QSize(112, 112)));
    lblVersion_ = Named(new QLabel(central), "LblVersionMain");
    lblVersion_->setAlignment(Qt::AlignHCenter);
    auto* left = new QVBoxLayout;
    left->addWidget(image, 0, Qt::AlignHCenter);
    left->addWidget(lblVersion_);
    left->addStretch();
    return left;
}

// Where each game is, with its browse button, above the module buttons.
QLayout* frmMain::BuildGamesAndModules(QWidget* central) {
    QPushButton* browse = nullptr;
    QPushButton* browseF1c = nullptr;
    auto* frameF1 = PathFrame(central, "FrameStatus", "TxtF1path", "BtnBrowse", txtF1path_, browse);
    auto* frameF1c =
        PathFrame(central, "FrameStatusF1c", "TxtF1cpath", "BtnBrowseF1c", txtF1cpath_, browseF1c);
    connect(browse, &QPushButton::clicked, this, &frmMain::BrowseF1);
    connect(browseF1c, &QPushButton::clicked, this, &frmMain::BrowseF1c);
    auto* right = new QVBoxLayout;
    right->addWidget(frameF1);
    right->addWidget(frameF1c);
    right->addWidget(BuildModules(central));
    return right;
}

// The module buttons; the mouse over them and over their frame puts an explanation in the box
// beneath (eventFilter).
QWidget* frmMain::BuildModules(QWidget* central) {
    auto* modules = Named(new QGroupBox(central), "frmModul");
    auto* harmonize = Named(new QPushButton(modules), "BtnHarmonize");
    auto* grip = Named(new QPushButton(modules), "BtnGripModul");
    for (QPushButton* button : {harmonize, grip}) {
        button->setMinimumHeight(48);
        button->installEventFilter(this);
    }
    auto* moduleLayout = new QHBoxLayout(modules);
    moduleLayout->setContentsMargins(16, 12, 16, 16);
    moduleLayout->setSpacing(16);
    moduleLayout->addWidget(harmonize);
    moduleLayout->addWidget(grip);
    modules->setMouseTracking(true);
    modules->installEventFilter(this);
    btnHarmonize_ = harmonize;
    btnGrip_ = grip;
    frmModul_ = modules;
    connect(harmonize, &QPushButton::clicked, this, &frmMain::OpenHarmonizer);
    connect(grip, &QPushButton::clicked, this, &frmMain::OpenGripModule);
    return modules;
}

void frmMain::BuildInfoBox(QWidget* central) {
    lblInfo_ = Named(new QLabel(central), "LblInfo");
    lblInfo_->setWordWrap(true);
    lblInfo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblInfo_->setFrameShape(QFrame::StyledPanel);
    lblInfo_->setMargin(8);
    // Room for the longest explanation, so the window never has to grow.
    lblInfo_->setFixedHeight(QFontMetrics(lblInfo_->font()).lineSpacing() * 10 + 20);
}

// The status panel, then the date and the time, kept up to date every second.
void frmMain::BuildStatusBar() {
    auto* bar = Named(new QStatusBar(this), "sbStatusBar");
    bar->setSizeGripEnabled(false);
    setStatusBar(bar);
    panelStatus_ = Named(new QLabel(QString::fromUtf8(StatusPanelStart), bar), "sbStatusBarPanel1");
    panelDate_ = Named(new QLabel(bar), "sbStatusBarPanel2");
    panelTime_ = Named(new QLabel(bar), "sbStatusBarPanel3");
    bar->addWidget(panelStatus_, 1);
    for (QLabel* panel : {panelDate_, panelTime_}) {
        panel->setFixedWidth(logicalDpiX()); // one inch
        panel->setAlignment(Qt::AlignCenter);
        bar->addPermanentWidget(panel);
    }
    clock_ = new QTimer(this);
    connect(clock_, &QTimer::timeout, this, &frmMain::UpdateClock);
    clock_->start(1000);
    UpdateClock();
}

void frmMain::BuildMenus() {
    QMenuBar* bar = menuBar();
    auto addMenu = [bar](const char* name) { return Named(bar->addMenu(QString()), name); };
    auto addItem = [this](QMenu* menu, const char* name) {
        auto* action = Named(new QAction(this), name);
        menu->addAction(action);
        return action;
    };
    auto addSeparator = [](QMenu* menu, const char* name) { Named(menu->addSeparator(), name); };

    QMenu* file = addMenu("mnuFile");
    connect(addItem(file, "mnuFileLanCheck"), &QAction::triggered, this, &frmMain::OpenLanCheck);
    addSeparator(file, "mnuFileBar1");
    connect(addItem(file, "mnuFileExit"), &QAction::triggered, this, &QWidget::close);

    QMenu* view = addMenu("mnuView");
    connect(addItem(view, "mnuViewChangeLang"), &QAction::triggered, this,
            &frmMain::ChangeLanguage);

    QMenu* help = addMenu("mnuHelp");
    mnuUpdate_ = addItem(help, "mnuUpdate");
    connect(mnuUpdate_, &QAction::triggered, this, [this] { ShowUpdateWindow(this, state_); });
    connect(addItem(help, "mnuHomepage"), &QAction::triggered, this, &frmMain::OpenHomepage);
    mnuHistory_ = addItem(help, "mnuHistory");
    connect(mnuHistory_, &QAction::triggered, this, [this] { ShowHistory(this, state_); });
    addSeparator(help, "mnuHelpBar0");
    mnuHelpAbout_ = addItem(help, "mnuHelpAbout");
    connect(mnuHelpAbout_, &QAction::triggered, this, [this] {
        RecaptionInEnglish();
        ShowAboutBox(this, state_);
    });
}

void frmMain::SetLanguageTexts() {
    SetControlTexts(this, MainWindowTexts(), state_.language);
}

// In English, opening a module window or the About box puts the English texts on again: one
// operation serves every window, so the main window's texts are set anew too, the explanation
// box's first text among them.
void frmMain::RecaptionInEnglish() {
    if (state_.language == Language::English) {
        SetLanguageTexts();
    }
}

void frmMain::SetPathTexts(const std::string& f1Display, const std::string& f1cDisplay) {
    txtF1path_->setText(Local(f1Display));
    txtF1cpath_->setText(Local(f1cDisplay));
}

void frmMain::SetVersionText(const std::string& versionText) {
    lblVersion_->setText(Local(versionText));
}

// The file dialog answers with forward slashes on Windows too; the path texts, the settings file
// and every message use the system's own separators.
void frmMain::BrowseF1() {
    const QString chosen = QDir::toNativeSeparators(
        fileChooser_(this, QString::fromUtf8(BrowseF1Title),
                     DialogFilter(BrowseF1FilterName, BrowseF1FilterPattern)));
    if (chosen.isEmpty()) {
        return;
    }
    txtF1path_->setText(Local(SelectF1Executable(state_.install, state_.settings, sink_,
                                                 state_.language, Local(chosen))));
    panelStatus_->setText(QString::fromUtf8(StatusPanelChooseAction));
}

void frmMain::BrowseF1c() {
    const QString chosen = QDir::toNativeSeparators(
        fileChooser_(this, QString::fromUtf8(BrowseF1cTitle),
                     DialogFilter(BrowseF1cFilterName, BrowseF1cFilterPattern)));
    if (chosen.isEmpty()) {
        return;
    }
    txtF1cpath_->setText(Local(SelectF1cExecutable(state_.install, state_.settings, sink_,
                                                   state_.language, Local(chosen))));
    panelStatus_->setText(QString::fromUtf8(StatusPanelChooseAction));
}

void frmMain::Present(QDialog* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (modalWindows_) {
        window->exec();
    } else {
        window->show();
    }
}

void frmMain::OpenHarmonizer() {
    const std::string instruction = HarmonizerInstructionText(state_.language);
    auto* window = new frmHarmonizer(state_, sink_);
    window->SetInfoText(instruction);
    RecaptionInEnglish();
    Present(window);
}

void frmMain::OpenGripModule() {
    const std::string instruction = GripInstructionText(state_.language);
    auto* window = new frmGrip(state_, sink_);
    window->SetInfoText(instruction);
    window->AdjustForInstall(state_.install);
    RecaptionInEnglish();
    Present(window);
}

void frmMain::OpenLanCheck() {
    Present(new frmLanCheck(state_, sink_));
}

void frmMain::ChangeLanguage() {
    ShowLanguageChooser(state_, sink_, this);
    // English goes on at once; German, as the message says, at the next start.
    if (state_.language == Language::German) {
        sink_.Show(RestartForGermanMessage);
    } else if (state_.language == Language::English) {
        SetLanguageTexts();
    }
}

void frmMain::OpenHomepage() {
    const std::string address = HomepageAddress(state_.language);
    if (!address.empty()) {
        OpenDocument(this, address);
    }
}

void frmMain::ShowInfo(const std::string& text) {
    lblInfo_->setText(QString::fromUtf8(text.c_str()));
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    const bool entered = event->type() == QEvent::Enter;
    const bool moved = event->type() == QEvent::MouseMove;
    if ((entered || moved) && watched == btnHarmonize_) {
        ShowInfo(HarmonizerOverviewText(state_.language));
    } else if ((entered || moved) && watched == btnGrip_) {
        ShowInfo(GripOverviewText(state_.language));
    } else if (moved && watched == frmModul_) {
        // Only a real move over the frame: a window opening or closing above it sends Enter.
        if (const char* prompt = ModulePromptText(state_.language)) {
            ShowInfo(prompt);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::UpdateClock() {
    const QLocale locale;
    panelDate_->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    panelTime_->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
}

void frmMain::closeEvent(QCloseEvent* event) {
    // Every other window goes first, the most recent one first; then the program ends.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        if (*it != this && (*it)->isVisible()) {
            (*it)->close();
        }
    }
    QMainWindow::closeEvent(event);
}

} // namespace korvane
