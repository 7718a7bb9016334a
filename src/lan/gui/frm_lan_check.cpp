#include "lan/gui/frm_lan_check.hpp"
#include "core/gui/qt_control_texts.hpp"
#include "core/gui/qt_widgets.hpp"

#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QSysInfo>
#include <QTime>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/file_system.hpp"
#include "lan/gui/lan_check_texts.hpp"
#include "lan/gui/lan_network_box.hpp"
#include "match/match_run.hpp"
#include "match/match_texts.hpp"
#include "report/comparison_texts.hpp"
#include "report/folder_lists.hpp"
#include "report/game_compare_texts.hpp"
#include "report/report_compare.hpp"
#include "report/status_report.hpp"
#include "report/verdict.hpp"

namespace korvane {

namespace {

// Where the last report was saved or opened in this run; the open dialog starts there.
QString& LastReportFolder() {
    static QString folder;
    return folder;
}

// Where the file dialogs start: that folder, or else the home folder.
QString StartFolder() {
    return LastReportFolder().isEmpty() ? QDir::homePath() : LastReportFolder();
}

void RememberFolderOf(const QString& file) {
    LastReportFolder() = QDir::toNativeSeparators(QFileInfo(file).absolutePath());
}

QString DefaultSaveDialog(QWidget* owner, const QString& title, const QString& name,
                          const QString& filter) {
    QFileDialog dialog(owner, title, QDir(StartFolder()).filePath(name), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("json")); // before the dialog asks to overwrite
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString DefaultOpenDialog(QWidget* owner, const QString& title, const QString& folder,
                          const QString& filter) {
    return QFileDialog::getOpenFileName(owner, title, folder, filter);
}

bool DefaultConfirm(QWidget* owner, const QString& text, Language language) {
    return frmLanCheck::MatchQuestion(owner, text, language)->exec() == QMessageBox::Yes;
}

// The one local file a drag carries, or empty.
QString DroppedFile(const QMimeData* data) {
    const QList<QUrl> urls = data->urls();
    return urls.size() == 1 && urls.front().isLocalFile() ? urls.front().toLocalFile() : QString();
}

} // namespace

frmLanCheck::frmLanCheck(AppState& state, MessageSink& sink, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint), state_(state), sink_(sink),
      saveDialog_(DefaultSaveDialog), openDialog_(DefaultOpenDialog),
      confirm_([this](QWidget* owner, const QString& text) {
          return DefaultConfirm(owner, text, state_.language);
      }) {
    setObjectName(QStringLiteral("frmLanCheck"));
    setAcceptDrops(true);
    const Language language = state_.language;

    QWidget* statusBox = BuildStatusBox(language);
    QWidget* compareBox = BuildCompareBox(language);
    auto* hint = Named(new QLabel(this), "LblHint");
    hint->setWordWrap(true);
    QLayout* buttons = BuildButtons();
    network_ = new LanNetworkBox(
        state_, sink_,
        {[this](const lancheck::ReportRead& report, const lancheck::LanHost& host,
                const std::string& fingerprint, const std::string& shownName) {
             CompareWithHost(report, host, fingerprint, shownName);
         },
         [this](const std::string& text) { ComparisonFailed(text); }},
        this,
        {[this] { return wholeGame_->isChecked(); },
         [this](std::function<void(bool)> done) { ReadGamesBeforeSharing(std::move(done)); },
         [this] { StopReading(); }});
    connect(this, &QDialog::finished, network_, &LanNetworkBox::StopSharing);

    // The network and the comparison share what room the screen leaves; the player moves the
    // line between them.
    auto* split = Named(new QSplitter(Qt::Vertical, this), "SplitNetworkCompare");
    split->addWidget(network_);
    split->addWidget(compareBox);
    split->setChildrenCollapsible(false);
    split->setStretchFactor(1, 1);
    split->handle(1)->setAccessibleName(Utf8Text(TextIn(language, SplitHandleName)));
    split->setSizes({network_->minimumSizeHint().height(), QWIDGETSIZE_MAX}); // the comparison first
    // A PC that shares is the room's host: its guests' table gets room for a dozen PCs, as far as
    // the comparison can give it.
    connect(network_, &LanNetworkBox::SharingStarted, split, [this, split] {
        const QList<int> sizes = split->sizes();
        const int wanted = network_->HeightShowingGuests(12);
        if (sizes[0] < wanted) {
            split->setSizes({wanted, sizes[0] + sizes[1] - wanted});
        }
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(statusBox);
    layout->addLayout(buttons);
    layout->addWidget(split, 1);

    SetControlTexts(this, LanCheckWindowTexts(), language);
    CollectStatus();
    FitTheScreen();
}

// As large as the window would like, as far as the screen's work area allows (a laptop's
// 1366 x 768 less its task bar); the room of a title bar is kept free, as it is not known before
// the window shows.
void frmLanCheck::FitTheScreen() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen->availableGeometry();
    constexpr int titleBar = 40;
    resize(std::min(960, area.width()),
           std::max(minimumSizeHint().height(),
                    std::min(sizeHint().height(), area.height() - titleBar)));
}

// This PC's components with their state; below them, whether the whole game is compared, and the
// button that copies the report as text.
QWidget* frmLanCheck::BuildStatusBox(Language language) {
    auto* statusBox = Named(new QGroupBox(this), "FrmStatus");
    status_ = Named(new QTreeWidget(statusBox), "LstStatus");
    status_->setRootIsDecorated(false);
    status_->setAccessibleName(Utf8Text(TextIn(language, StatusListName)));
    status_->setHeaderLabels({Utf8Text(TextIn(language, ColumnComponent)),
                              Utf8Text(TextIn(language, ColumnState)),
                              Utf8Text(TextIn(language, ColumnFingerprint))});
    status_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Room for every component (six at most) without a scroll bar.
    status_->setFixedHeight(QFontMetrics(status_->font()).lineSpacing() * 13 / 2 +
                            status_->header()->sizeHint().height() + 2 * status_->frameWidth());
    wholeGame_ = Named(new QCheckBox(statusBox), "ChkWholeGame");
    wholeGame_->setChecked(true);
    auto* copy = Named(new QPushButton(statusBox), "BtnCopy");
    auto* belowStatus = new QHBoxLayout;
    belowStatus->addWidget(wholeGame_);
    belowStatus->addStretch(1);
    belowStatus->addWidget(copy);
    auto* statusLayout = new QVBoxLayout(statusBox);
    statusLayout->addWidget(status_);
    statusLayout->addLayout(belowStatus);
    connect(copy, &QPushButton::clicked, this, [this] {
        if (CollectStatus()) {
            QGuiApplication::clipboard()->setText(
                Utf8Text(lancheck::StatusLinesIn(components_, state_.language)));
        }
    });
    return statusBox;
}

// The verdict with the match button, the steps of a running match or how far the games are read,
// and the differences.
QWidget* frmLanCheck::BuildCompareBox(Language language) {
    auto* compareBox = Named(new QGroupBox(this), "FrmCompare");
    comparedWith_ = Named(new QLabel(compareBox), "LblComparedWith");
    comparedWith_->hide();
    QLayout* verdictRow = BuildVerdictRow(compareBox);
    step_ = Named(new QLabel(compareBox), "LblMatchStep");
    progress_ = Named(new QProgressBar(compareBox), "PrgMatch");
    progress_->setTextVisible(false);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(step_, 1);
    progressRow->addWidget(progress_);
    for (QWidget* part : std::initializer_list<QWidget*>{step_, progress_}) {
        QSizePolicy keepRoom = part->sizePolicy(); // the window keeps its size during a match
        keepRoom.setRetainSizeWhenHidden(true);
        part->setSizePolicy(keepRoom);
        part->hide();
    }
    differences_ = Named(new QTreeWidget(compareBox), "LstDifferences");
    differences_->setHeaderLabels({Utf8Text(TextIn(language, ColumnDifference)),
                                   Utf8Text(TextIn(language, ColumnHere)),
                                   Utf8Text(TextIn(language, ColumnReport))});
    differences_->header()->setStretchLastSection(false);
    differences_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    differences_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    differences_->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    differences_->setMinimumHeight(QFontMetrics(differences_->font()).lineSpacing() * 5);
    differences_->setAccessibleName(Utf8Text(TextIn(language, DifferencesListName)));
    // Both sides readable before a row is opened; a click on a row opens or closes it.
    differences_->header()->setMinimumSectionSize(
        QFontMetrics(differences_->font()).averageCharWidth() * 16);
    connect(differences_, &QTreeWidget::itemClicked, this,
            [](QTreeWidgetItem* row) { row->setExpanded(!row->isExpanded()); });
    // The rows the player opened stay open when the comparison is shown anew.
    connect(differences_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* row) {
        const QString key = row->data(0, Qt::UserRole).toString();
        if (!key.isEmpty() && !opened_.contains(key)) {
            opened_ << key;
        }
    });
    connect(differences_, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* row) {
        opened_.removeAll(row->data(0, Qt::UserRole).toString());
    });
    auto* compareLayout = new QVBoxLayout(compareBox);
    compareLayout->addWidget(comparedWith_);
    compareLayout->addLayout(verdictRow);
    compareLayout->addLayout(progressRow);
    compareLayout->addWidget(differences_);
    return compareBox;
}

// The verdict in bold, and beside it the match button, shown once something differs, and the
// button that cancels reading the games, shown while they are read.
QLayout* frmLanCheck::BuildVerdictRow(QWidget* compareBox) {
    verdict_ = Named(new QLabel(compareBox), "LblVerdict");
    verdict_->setWordWrap(true);
    QFont bold = verdict_->font();
    bold.setBold(true);
    verdict_->setFont(bold);
    match_ = Named(new QPushButton(compareBox), "BtnMatch");
    match_->setAutoDefault(false);
    match_->setMinimumHeight(32);
    QSizePolicy keepRoom = match_->sizePolicy(); // the window is sized before a comparison
    keepRoom.setRetainSizeWhenHidden(true);
    match_->setSizePolicy(keepRoom);
    match_->hide();
    connect(match_, &QPushButton::clicked, this, &frmLanCheck::Match);
    cancelReading_ = Named(new QPushButton(compareBox), "BtnCancelScan");
    cancelReading_->setAutoDefault(false);
    cancelReading_->setMinimumHeight(32);
    cancelReading_->hide();
    connect(cancelReading_, &QPushButton::clicked, this, [this] { reader_.request_stop(); });
    auto* verdictRow = new QHBoxLayout;
    verdictRow->addWidget(verdict_, 1);
    verdictRow->addWidget(cancelReading_);
    verdictRow->addWidget(match_);
    return verdictRow;
}

// Save the report, compare with a report file, quit: with the match button, what a running
// match holds back.
QLayout* frmLanCheck::BuildButtons() {
    auto* save = Named(new QPushButton(this), "BtnSaveReport");
    auto* compare = Named(new QPushButton(this), "BtnCompare");
    quit_ = Named(new QPushButton(this), "BtnQuit");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {save, compare, quit_}) {
        button->setMinimumHeight(40);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    starters_ = {save, compare, match_};
    connect(save, &QPushButton::clicked, this, &frmLanCheck::SaveReport);
    connect(compare, &QPushButton::clicked, this, &frmLanCheck::CompareWithChosenReport);
    connect(quit_, &QPushButton::clicked, this, &QDialog::close);
    return buttons;
}

void frmLanCheck::CompareWithChosenReport() {
    const Language language = state_.language;
    const QString file =
        openDialog_(this, Utf8Text(TextIn(language, OpenReportTitle)),
                    StartFolder(),
                    DialogFilter(TextIn(language, ReportFilter).c_str(), ReportFilterPattern));
    if (!file.isEmpty()) {
        CompareWith(file);
    }
}

frmLanCheck::~frmLanCheck() {
    StopReading();
    if (worker_.joinable()) {
        worker_.join();
    }
}

std::unique_ptr<QMessageBox> frmLanCheck::MatchQuestion(QWidget* owner, const QString& text,
                                                        Language language) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QStringLiteral("Korvane"), text,
                                             QMessageBox::Yes | QMessageBox::No, owner);
    box->setObjectName(QStringLiteral("MsgMatch"));
    box->button(QMessageBox::Yes)->setText(Utf8Text(TextIn(language, YesText)));
    box->button(QMessageBox::No)->setText(Utf8Text(TextIn(language, NoText)));
    box->setDefaultButton(QMessageBox::No);
    return box;
}

// A script may harmonize or restore while the window is open: every comparison, report and plan
// starts from the files as they are now.
bool frmLanCheck::CollectStatus() {
    status_->clear();
    try {
        components_ = collect_(state_.install, state_.ProgramDir());
    } catch (const std::exception& e) { // never into Qt's event loop
        components_.clear();
        sink_.Show(StatusFailedText(e.what(), state_.language));
        return false;
    }
    for (const lancheck::ComponentStatus& component : components_) {
        new QTreeWidgetItem(status_,
                            {Local(lancheck::ComponentName(component.name, state_.language)),
                             Local(lancheck::StateText(component.state, state_.language)),
                             Local(component.fingerprint)});
    }
    // Room for six components as the style draws its rows (Windows' rows are taller).
    if (status_->topLevelItemCount() > 0) {
        status_->setFixedHeight(6 * status_->sizeHintForRow(0) +
                                status_->header()->sizeHint().height() + 2 * status_->frameWidth());
    }
    return true;
}

bool frmLanCheck::ShowComparison(std::function<void()> then) {
    StopReading();
    if (!CollectStatus()) {
        return false;
    }
    const Language language = state_.language;
    comparison_ = lancheck::CompareWithReport(components_, reference_);
    comparedWith_->setText(Local(ComparedWithText(
        referenceName_, Local(QTime::currentTime().toString(QStringLiteral("HH:mm"))), language)));
    comparedWith_->show();
    differences_->clear();
    for (const lancheck::ComponentComparison& component : comparison_.components) {
        auto* line = new QTreeWidgetItem(differences_,
                                         {Local(lancheck::ComponentLine(component, language))});
        line->setData(0, Qt::UserRole, Local("component " + component.name));
        line->setFirstColumnSpanned(true);
        for (const lancheck::FileDifference& file : component.files) {
            const auto side = [&](bool here) {
                return Local(lancheck::SideText(lancheck::Shown(file, here), language));
            };
            new QTreeWidgetItem(line,
                                {Local(lancheck::ShownFile(file.path)), side(true), side(false)});
        }
        line->setExpanded(opened_.contains(line->data(0, Qt::UserRole).toString()));
    }
    match_->setVisible(!comparison_.AllSame());
    games_.clear();
    gamesNote_.clear();
    if (!wholeGame_->isChecked() || referenceGames_.empty()) {
        gamesNote_ = wholeGame_->isChecked() ? NoWholeGameText(language) : "";
        ShowGames();
        Compared(true, then);
        return true;
    }
    ShowGames(); // the components' verdict while the games are read
    // A host's folder lists are asked for on the same thread: each may take a while.
    ReadGames([this, install = state_.install, here = components_, there = reference_,
               theirs = referenceGames_, host = referenceHost_, lists = referenceLists_,
               then](const lancheck::GamesScanOptions& options) -> std::function<void()> {
        const Result<lancheck::GamesScan> scan = lancheck::ScanGames(install, options);
        if (!scan.ok() || scan.value().cancelled) {
            const std::string why = scan.ok() ? "" : ReasonOf(scan);
            return [this, why, then] {
                gamesNote_ = WholeGameNotComparedText(why, state_.language);
                ShowGames();
                Compared(false, then);
            };
        }
        // The host's lists, or those saved beside a report file; without either the folders
        // that differ are named alone.
        lancheck::FilesThere filesThere;
        if (host) {
            filesThere = lancheck::HostFolderFiles(*host, options.stop);
        } else if (lists) {
            filesThere = lists->Lookup();
        }
        std::vector<lancheck::GameComparison> games =
            lancheck::CompareGames(scan.value().games, theirs, here, there, filesThere);
        const bool cut = options.stop.stop_requested(); // while the lists were asked for
        return [this, games = std::move(games), cut, then] {
            games_ = cut ? std::vector<lancheck::GameComparison>() : games;
            gamesNote_ = cut ? WholeGameNotComparedText("", state_.language) : "";
            ShowGames();
            Compared(!cut, then);
        };
    });
    return true;
}

void frmLanCheck::SetNetwork(unsigned short port, const std::string& queryAddress) {
    network_->SetNetwork(port, queryAddress);
}

// A host's report shows as a report file does, and the host learns what this PC found.
void frmLanCheck::CompareWithHost(const lancheck::ReportRead& report, const lancheck::LanHost& host,
                                  const std::string& fingerprint, const std::string& shownName) {
    if (Running() || Reading()) { // a match or a reading holds the comparison until it ends
        return;
    }
    reference_ = report.value();
    referenceGames_ = report.games();
    referenceHost_ = host;
    referenceFingerprint_ = fingerprint;
    referenceName_ = shownName;
    ShowComparison();
}

void frmLanCheck::ComparisonFailed(const std::string& text) {
    if (Reading()) { // what is read was asked for later: a host's answer that came late
        sink_.Show(text);
        return;
    }
    reference_.clear();
    referenceGames_.clear();
    referenceHost_.reset();
    referenceFingerprint_.clear();
    comparedWith_->hide();
    differences_->clear();
    match_->hide();
    verdict_->setText(Utf8Text(text.substr(0, text.find(CrLf)))); // "Cannot compare with ..."
    sink_.Show(text);
}

void frmLanCheck::SaveReport() {
    const Language language = state_.language;
    const QString name = Local(DefaultReportName(Local(QSysInfo::machineHostName())));
    QString file = QDir::toNativeSeparators(
        saveDialog_(this, Utf8Text(TextIn(language, SaveReportTitle)), name,
                    DialogFilter(TextIn(language, ReportFilter).c_str(), ReportFilterPattern)));
    if (file.isEmpty()) {
        return;
    }
    if (!file.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive)) {
        file += QStringLiteral(".json");
    }
    StopReading();
    if (!CollectStatus()) {
        return;
    }
    if (!wholeGame_->isChecked()) {
        WriteReport(file, lancheck::ReportJson(components_));
        return;
    }
    ReadGames([this, install = state_.install, components = components_,
               file](const lancheck::GamesScanOptions& options) -> std::function<void()> {
        const Result<lancheck::GamesScan> scan = lancheck::ScanGames(install, options);
        if (!scan.ok()) {
            return [this, file, why = ReasonOf(scan)] {
                sink_.Show(ReportNotSavedText(Local(file), why, state_.language));
            };
        }
        if (scan.value().cancelled) {
            return {}; // the player knows
        }
        return [this, file, report = lancheck::ReportJson(components, scan.value().games),
                lists = scan.value().games] { WriteReport(file, report, &lists); };
    });
}

void frmLanCheck::WriteReport(const QString& file, const std::string& report,
                              const std::vector<lancheck::GameTree>* games) {
    const FileResult written = WriteFileSafe(Local(file), report);
    if (!written.ok()) {
        sink_.Show(ReportNotSavedText(Local(file), written.reason(), state_.language));
        return;
    }
    RememberFolderOf(file);
    // The games' folder lists beside it, for a comparison that names the files that differ.
    const std::string lists = lancheck::FolderListsBeside(Local(file));
    const FileResult listed = games ? lancheck::SaveFolderLists(lists, *games, state_.language)
                                    : FileResult::Success();
    sink_.Show(listed.ok() ? ReportSavedText(Local(file), state_.language)
                           : ReportNotSavedText(lists, listed.reason(), state_.language));
}

void frmLanCheck::CompareWith(const QString& file) {
    StopReading();
    const std::string path = Local(QDir::toNativeSeparators(file));
    const lancheck::ReportRead report = lancheck::ReadReportFile(path);
    if (!report.ok()) {
        ComparisonFailed(ReportUnreadableText(path, report, state_.language));
        return;
    }
    RememberFolderOf(file);
    reference_ = report.value();
    referenceGames_ = report.games();
    referenceHost_.reset();
    referenceLists_.reset();
    if (const std::string lists = lancheck::FolderListsBeside(path); FileExists(lists)) {
        Result<lancheck::FolderLists> read = lancheck::FolderLists::Read(lists, state_.language);
        if (read.ok()) { // else the folders that differ are named alone
            referenceLists_ = std::move(read.value());
        }
    }
    referenceFingerprint_.clear();
    referenceName_ = Local(QFileInfo(file).fileName());
    ShowComparison();
}

// A host's report is fetched once more first: the host may have changed since the comparison, and
// the question then shows the new comparison and plan.
void frmLanCheck::Match() {
    if (!referenceHost_) {
        PlanAndAsk();
        return;
    }
    match_->setEnabled(false);
    network_->FetchAgain(*referenceHost_, [this](const lancheck::FetchedReport& fetched) {
        if (Reading()) { // something else was started meanwhile
            return;
        }
        match_->setEnabled(true);
        if (!fetched.read.ok()) {
            ComparisonFailed(HostUnreadableText(referenceName_, fetched.read, state_.language));
            return;
        }
        reference_ = fetched.read.value();
        referenceGames_ = fetched.read.games();
        referenceFingerprint_ = fetched.fingerprint;
        PlanAndAsk();
    });
}

// The plan starts from the files as they are now, as what is shown.
void frmLanCheck::PlanAndAsk() {
    ShowComparison([this] { AskAndRun(); });
}

void frmLanCheck::AskAndRun() {
    const Language language = state_.language;
    lancheck::MatchPlan plan = lancheck::PlanMatch(state_.install, components_, reference_);
    // What Korvane cannot make equal beyond its own files follows the plan: the game's folders.
    const std::string left = lancheck::GamesLeftText(games_, language);
    const std::string planText =
        lancheck::PlanText(plan, language) + (left.empty() ? "" : '\n' + left);
    if (plan.steps.empty()) {
        sink_.Show(planText);
        return;
    }
    if (!confirm_(this, Local(planText + '\n' + TextIn(language, MatchQuestionText)))) {
        return;
    }
    SetBusy(Busy::Matching);
    // The operations report through a sink of the worker's own; the window shows what it
    // recorded once the run is over, as message boxes belong to this thread.
    worker_ = std::thread([this, plan = std::move(plan), install = state_.install,
                           programDir = state_.ProgramDir(), language] {
        RecordingSink recorded;
        const std::size_t count = plan.steps.size();
        // Where each step's messages begin, and its line: each message then says which game and
        // part it is about.
        std::vector<std::pair<std::size_t, std::string>> headings;
        const lancheck::MatchRun run = lancheck::RunMatch(
            {install, programDir, language, recorded}, plan,
            [&](std::size_t index, const lancheck::MatchStep& step) {
                const std::string line =
                    lancheck::StepProgressText(index, count, lancheck::StepText(step, language),
                                               language);
                headings.emplace_back(recorded.texts.size(), line);
                QMetaObject::invokeMethod(
                    this, [=, this] { ShowStep(index, count, Local(line)); },
                    Qt::QueuedConnection);
            });
        std::vector<std::string> messages = std::move(recorded.texts);
        for (std::size_t i = 0; i < headings.size(); ++i) {
            const std::size_t first = headings[i].first;
            const bool said = first < messages.size() &&
                              (i + 1 == headings.size() || headings[i + 1].first > first);
            if (said) { // a step that said nothing has no message to head
                messages[first] = headings[i].second + CrLf + messages[first];
            }
        }
        // What failed, with the advice for the player's own files in it; where nothing failed,
        // what the plan left as it is, so that the player reads the question's advice again.
        std::string summary = lancheck::RunSummaryText(plan, run, language);
        if (summary.empty()) {
            summary = lancheck::LeftoversText(plan, language);
            if (!summary.empty()) {
                summary.pop_back(); // a message ends without an empty line
            }
        }
        if (!summary.empty()) {
            messages.push_back(summary);
        }
        QMetaObject::invokeMethod(
            this, [this, messages = std::move(messages)] { MatchEnded(messages); },
            Qt::QueuedConnection);
    });
}

// While a match runs, nothing else starts and the window stays; while the games are read, the
// window can be closed and the reading cancelled.
void frmLanCheck::SetBusy(Busy busy) {
    const bool free = busy == Busy::No;
    for (QPushButton* button : starters_) {
        button->setEnabled(free);
    }
    quit_->setEnabled(busy != Busy::Matching);
    wholeGame_->setEnabled(free);
    setAcceptDrops(free);
    network_->SetLocked(!free);
    step_->setVisible(!free);
    progress_->setVisible(!free);
    cancelReading_->setVisible(busy == Busy::Reading);
    step_->clear();
    progress_->setValue(0);
}

void frmLanCheck::ShowStep(std::size_t index, std::size_t count, const QString& text) {
    progress_->setRange(0, int(count));
    progress_->setValue(int(index));
    step_->setText(text);
}

void frmLanCheck::MatchEnded(const std::vector<std::string>& messages) {
    worker_.join();
    SetBusy(Busy::No);
    ShowComparison();
    // One box for the whole run: every step's own message, in turn, then what failed.
    std::string shown;
    for (const std::string& message : messages) {
        shown += (shown.empty() ? "" : std::string(CrLf) + CrLf) + message;
    }
    if (!shown.empty()) {
        sink_.Show(shown);
    }
}

void frmLanCheck::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void frmLanCheck::dropEvent(QDropEvent* event) {
    const QString file = DroppedFile(event->mimeData());
    if (!file.isEmpty()) {
        event->acceptProposedAction();
        CompareWith(file);
    }
}

// A match that runs keeps the window open: it holds the installation until its last step.
void frmLanCheck::closeEvent(QCloseEvent* event) {
    if (Running()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void frmLanCheck::reject() {
    if (!Running()) {
        StopReading();
        QDialog::reject();
    }
}

// Escape, easily pressed by mistake, ends sharing only when the player says so.
void frmLanCheck::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && network_->SharedPort() != 0 &&
        !confirm_(this, Utf8Text(TextIn(state_.language, EndSharingQuestion)))) {
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace korvane
