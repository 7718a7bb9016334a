#include "lan/gui/lan_network_box.hpp"
#include "core/gui/qt_widgets.hpp"

#include <algorithm>
#include <optional>

#include <QCheckBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidget>

#include "core/settings.hpp"
#include "lan/gui/lan_check_texts.hpp"
#include "lan/lan_texts.hpp"
#include "lan/shared_report.hpp"
#include "report/component_status.hpp"
#include "report/status_report.hpp"

namespace korvane {

using namespace lancheck;

namespace {

QTreeWidget* MakeList(QWidget* parent, const char* name, const QStringList& columns) {
    auto* list = Named(new QTreeWidget(parent), name);
    list->setHeaderLabels(columns);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->setMinimumHeight(QFontMetrics(list->font()).lineSpacing() * 5 +
                           list->header()->sizeHint().height());
    return list;
}

QString Column(Language language, const MessageText& text) {
    return QString::fromUtf8(TextIn(language, text).c_str());
}

// Names from the network are shown, never used: what is not plain text escaped. They are UTF-8,
// whatever this PC's code page.
QString Shown(const std::string& fromNetwork) {
    return QString::fromStdString(Printable(fromNetwork));
}

// How often at most the guests' table is shown anew while verdicts pour in.
constexpr int GuestsEveryMs = 250;

} // namespace

LanNetworkBox::LanNetworkBox(AppState& state, MessageSink& sink, HostReports reports,
                             QWidget* parent, GamesForSharing games)
    : QGroupBox(parent), state_(state), sink_(sink), reports_(std::move(reports)),
      games_(std::move(games)) {
    setObjectName(QStringLiteral("FrmNetwork"));
    // The share on the left, the hosts on the right, their lists side by side; the lists take
    // what room the box gets.
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(BuildShareSide(state_.language), 1);
    layout->addLayout(BuildHostSide(state_.language), 1);

    connect(shareBox_, &QCheckBox::toggled, this, &LanNetworkBox::Share);
    connect(find_, &QPushButton::clicked, this, &LanNetworkBox::FindHosts);
    connect(compare_, &QPushButton::clicked, this, &LanNetworkBox::CompareWithHost);
    connect(hosts_, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (QTreeWidgetItem* row = hosts_->currentItem(); row && row->isSelected()) {
            host_->setText(row->text(0));
        }
        UpdateButtons();
    });
    // A host typed in is the one to compare with, not the one selected in the list.
    connect(host_, &QLineEdit::textEdited, hosts_, &QTreeWidget::clearSelection);
    connect(host_, &QLineEdit::textChanged, this, &LanNetworkBox::UpdateButtons);
    connect(host_, &QLineEdit::returnPressed, compare_, &QPushButton::click);
    UpdateButtons();
}

// The share's box, the guests' table, and this PC's name and addresses while it shares.
QLayout* LanNetworkBox::BuildShareSide(Language language) {
    shareBox_ = Named(new QCheckBox(this), "ChkShare");
    guests_ = MakeList(this, "LstGuests",
                       {Column(language, ColumnPc), Column(language, ColumnAddress),
                        Column(language, ColumnVerdict), Column(language, ColumnChecked)});
    guests_->setAccessibleName(Column(language, GuestsListName));
    // A click opens a guest's differing files, as it opens a component's in the comparison.
    connect(guests_, &QTreeWidget::itemClicked, this,
            [](QTreeWidgetItem* row) { row->setExpanded(!row->isExpanded()); });
    sharedAs_ = Named(new QLabel(this), "LblSharedAs");
    sharedAs_->setTextFormat(Qt::PlainText);
    sharedAs_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    sharedAs_->hide();
    auto* side = new QVBoxLayout;
    side->addWidget(shareBox_, 0, Qt::AlignLeft);
    side->addWidget(guests_, 1);
    side->addWidget(sharedAs_);
    return side;
}

// The search with what it waits for, the hosts found (or why none answered), and the host to
// compare with.
QLayout* LanNetworkBox::BuildHostSide(Language language) {
    find_ = Named(new QPushButton(this), "BtnFindHosts");
    wait_ = Named(new QLabel(this), "LblWait");
    auto* findRow = new QHBoxLayout;
    findRow->addWidget(find_);
    findRow->addWidget(wait_, 1);
    // Shown only while there is a wait to name: an empty label would be read out under another
    // control's name.
    QSizePolicy keepRoom = wait_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    wait_->setSizePolicy(keepRoom);
    wait_->hide();
    hosts_ = MakeList(this, "LstHosts",
                      {Column(language, ColumnPc), Column(language, ColumnAddress),
                       Column(language, ColumnVersion), Column(language, ColumnFingerprint)});
    hosts_->setRootIsDecorated(false);
    hosts_->setAccessibleName(Column(language, HostsListName));
    // Where no host answered, the list gives its room to why that usually is.
    noHost_ = Named(new QLabel(this), "LblNoHost");
    noHost_->setWordWrap(true);
    noHost_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    hostsOrHint_ = new QStackedWidget(this);
    hostsOrHint_->setAccessibleName(hosts_->accessibleName());
    hostsOrHint_->addWidget(hosts_);
    hostsOrHint_->addWidget(noHost_);
    sameName_ = Named(new QLabel(this), "LblSameName");
    sameName_->setWordWrap(true);
    sameName_->hide();
    auto* side = new QVBoxLayout;
    side->addLayout(findRow);
    side->addWidget(hostsOrHint_, 1);
    side->addWidget(sameName_);
    side->addLayout(BuildHostRow());
    return side;
}

// The host's name or address, the last one that answered offered, and Compare with host.
QLayout* LanNetworkBox::BuildHostRow() {
    auto* hostLabel = Named(new QLabel(this), "LblHost");
    host_ = Named(new QLineEdit(this), "TxtHost");
    hostLabel->setBuddy(host_); // the field's name for a screen reader
    host_->setMinimumWidth(QFontMetrics(host_->font()).averageCharWidth() * 24);
    const std::string lastHost = ReadSetting(state_.settings, LastHostSetting);
    host_->setText(lastHost == Unknown ? QString() : Local(lastHost));
    compare_ = Named(new QPushButton(this), "BtnCompareHost");
    for (QPushButton* button : {find_, compare_}) {
        button->setAutoDefault(false);
    }
    auto* row = new QHBoxLayout;
    row->addWidget(hostLabel);
    row->addWidget(host_, 1);
    row->addWidget(compare_);
    return row;
}

LanNetworkBox::~LanNetworkBox() {
    share_.reset();
    for (std::jthread& exchange : exchanges_) {
        exchange.request_stop();
    }
    exchanges_.clear(); // each ends within 50 ms of being asked
}

void LanNetworkBox::SetNetwork(unsigned short port, const std::string& queryAddress) {
    port_ = port;
    queryAddress_ = queryAddress;
}

unsigned short LanNetworkBox::SharedPort() const {
    return share_ ? share_->Port() : 0;
}

void LanNetworkBox::Share(bool on) {
    if (!on) {
        if (readingGames_) {
            readingGames_ = false;
            games_.cancel();
        }
        share_.reset(); // stops sharing
        sharedAs_->hide();
        UpdateButtons();
        return;
    }
    if (!games_.wanted || !games_.wanted()) {
        StartSharing(false);
        return;
    }
    // The games are read once before the share starts, so that the guests' first requests find
    // the stamp cache warm rather than wait for every file to be read.
    readingGames_ = true;
    UpdateButtons();
    games_.read([this](bool read) {
        readingGames_ = false;
        if (read && shareBox_->isChecked()) {
            StartSharing(true);
            return;
        }
        const QSignalBlocker quiet(shareBox_);
        shareBox_->setChecked(false);
        UpdateButtons();
    });
}

void LanNetworkBox::StartSharing(bool wholeGame) {
    // The report, its stamp and the folders' files are made on the share's thread, by one
    // SharedReport of copies: it only reads files. The table is shown anew a few times a second
    // at most, however many verdicts come.
    const auto shared =
        std::make_shared<SharedReport>(state_.install, state_.ProgramDir(), wholeGame);
    LanShare::Options options{ThisPcName(),
                              [shared] { return shared->Report(); },
                              [shared] { return shared->Stamp(); },
                              [this](const VerdictRow&) {
                                  QMetaObject::invokeMethod(
                                      this, [this] { GuestsDue(); }, Qt::QueuedConnection);
                              },
                              port_,
                              [shared](const std::string& game, const std::string& folder) {
                                  return shared->FolderFiles(game, folder);
                              }};
    share_ = std::make_unique<LanShare>(std::move(options));
    const FileResult started = share_->Start();
    if (!started.ok()) {
        share_.reset();
        const QSignalBlocker quiet(shareBox_);
        shareBox_->setChecked(false);
        UpdateButtons();
        sink_.Show(ShareFailedText(port_, started.reason(), state_.language));
        return;
    }
    guests_->clear();
    // The name and addresses the organiser reads out to the others.
    std::vector<std::string> addresses;
    for (const LanInterface& lan : LanInterfaces()) {
        addresses.push_back(lan.address);
    }
    sharedAs_->setText(
        Local(SharedAsText(ThisPcName(), addresses, share_->Port(), state_.language)));
    sharedAs_->show();
    emit SharingStarted();
}

int LanNetworkBox::HeightShowingGuests(int guests) const {
    const int row = guests_->topLevelItemCount() > 0 ? guests_->sizeHintForRow(0)
                                                     : guests_->fontMetrics().lineSpacing() + 2;
    return height() - guests_->viewport()->height() + guests * row;
}

void LanNetworkBox::StopSharing() {
    shareBox_->setChecked(false);
}

void LanNetworkBox::GuestsDue() {
    if (guestsDue_) {
        return;
    }
    guestsDue_ = true;
    QTimer::singleShot(GuestsEveryMs, this, [this] {
        guestsDue_ = false;
        if (share_) {
            ShowGuests(share_->Table());
        }
    });
}

// Row by row: a PC's row is made once, and made anew only when its verdict is new; the rows are
// taken out and put back in their new order in one go, each opened row still open.
void LanNetworkBox::ShowGuests(const std::vector<VerdictRow>& rows) {
    const Language language = state_.language;
    std::map<QTreeWidgetItem*, bool> opened;
    while (guests_->topLevelItemCount() > 0) {
        QTreeWidgetItem* line = guests_->topLevelItem(guests_->topLevelItemCount() - 1);
        opened[line] = line->isExpanded();
        guests_->takeTopLevelItem(guests_->topLevelItemCount() - 1);
    }
    std::map<std::string, QTreeWidgetItem*> kept;
    QList<QTreeWidgetItem*> lines;
    for (const VerdictRow& row : rows) {
        const std::string key = row.name + '\n' + row.address;
        const auto checked =
            std::chrono::duration_cast<std::chrono::seconds>(row.checked.time_since_epoch());
        const QStringList texts{
            Shown(row.name), Shown(row.address), Local(GuestVerdictText(row, language)),
            QDateTime::fromSecsSinceEpoch(checked.count()).toString("HH:mm:ss")};
        QTreeWidgetItem* line = guestRows_.contains(key) ? guestRows_[key] : nullptr;
        guestRows_.erase(key);
        if (!line || line->text(2) != texts[2] || line->text(3) != texts[3]) {
            delete line;
            line = NewGuestRow(texts, row.verdict);
        }
        kept[key] = line;
        lines.push_back(line);
    }
    for (auto& [key, gone] : guestRows_) {
        delete gone;
    }
    guestRows_ = std::move(kept);
    guests_->addTopLevelItems(lines);
    for (QTreeWidgetItem* line : lines) {
        line->setExpanded(opened.contains(line) && opened[line]);
        for (int c = 0; c < line->childCount(); ++c) {
            line->child(c)->setFirstColumnSpanned(true);
        }
    }
}

QTreeWidgetItem* LanNetworkBox::NewGuestRow(const QStringList& texts,
                                            const Verdict& verdict) const {
    auto* line = new QTreeWidgetItem(texts);
    for (const lancheck::VerdictFile& file : verdict.files) {
        auto* child = new QTreeWidgetItem(line, {Local(GuestFileText(file, state_.language))});
        child->setToolTip(0, child->text(0)); // the whole line where the table cuts it short
    }
    if (verdict.differing > verdict.files.size()) {
        new QTreeWidgetItem(line, {Local(MorePathsText(verdict.differing - verdict.files.size(),
                                                       state_.language))});
    }
    return line;
}

void LanNetworkBox::FindHosts() {
    SetBusy(SearchingText(FindTime, state_.language));
    hostsOrHint_->setCurrentWidget(hosts_);
    InBackground([this, port = port_, to = queryAddress_](std::stop_token stop) {
        std::vector<FoundHost> found = lancheck::FindHosts(port, to, stop);
        return [this, found = std::move(found)] {
            SetBusy({});
            ShowHosts(found);
        };
    });
}

void LanNetworkBox::ShowHosts(const std::vector<FoundHost>& found) {
    hosts_->clear();
    QList<QTreeWidgetItem*> choices; // the rows that can be compared with
    for (const FoundHost& host : found) {
        const bool ours = host.protocol == LanProtocolVersion;
        const std::string version = ours ? Printable(host.answer.version)
                                         : OtherProtocolText(host.protocol, state_.language);
        const bool own = IsOwnShare({host.address, port_});
        const std::string name = Printable(host.answer.name);
        auto* row = new QTreeWidgetItem(
            hosts_, {Local(own ? name + " (" + TextIn(state_.language, ThisPcMark) + ")" : name),
                     Shown(host.address), Local(version), Shown(host.answer.fingerprint)});
        row->setData(1, Qt::UserRole, Local(host.address));
        if (!ours || own) { // its report could not be read here, or it is this PC's own
            row->setFlags(Qt::NoItemFlags);
        } else {
            choices << row;
        }
    }
    if (choices.size() == 1) { // a single host to compare with is the one meant
        hosts_->setCurrentItem(choices[0]);
    }
    hostsOrHint_->setCurrentWidget(found.empty() ? static_cast<QWidget*>(noHost_) : hosts_);
    // Each name that two or more hosts answer to, once.
    QStringList sameNames;
    std::vector<std::string> told;
    for (const FoundHost& host : found) {
        const std::vector<std::string> answering = AddressesAnswering(found, host.answer.name);
        if (answering.size() > 1 && std::ranges::find(told, answering[0]) == told.end()) {
            told.push_back(answering[0]);
            sameNames << Local(SameNameText(Printable(host.answer.name), answering,
                                            state_.language));
        }
    }
    sameName_->setText(sameNames.join('\n'));
    sameName_->setVisible(!sameNames.isEmpty());
    UpdateButtons();
}

void LanNetworkBox::CompareWithHost() {
    const QTreeWidgetItem* row = hosts_->selectedItems().value(0);
    // A host from the list is asked at the address it answered from; one typed in is looked up
    // by its name as the network writes names, in UTF-8.
    const std::string address = row ? row->data(1, Qt::UserRole).toString().toStdString() : "";
    const std::string given = host_->text().trimmed().toStdString();
    const std::string shown =
        row ? Local(row->text(0).isEmpty() ? row->text(1) : row->text(0)) : Printable(given);
    const auto limit = address.empty() && !IsIPv4Address(given)
                           ? LookupTimeLimit + FindTime + ExchangeTimeLimit
                           : std::chrono::milliseconds(ExchangeTimeLimit);
    SetBusy(AskingText(shown, limit, state_.language));
    InBackground([this, address, given, shown, port = port_,
                  language = state_.language](std::stop_token stop) {
        LanHost host{address, port};
        std::optional<FetchedReport> fetched;
        std::optional<std::vector<FoundHost>> searched; // when the name was searched for
        if (address.empty()) {
            const Result<LanHost> resolved = ResolveHost(given, port, stop, &searched, language);
            const std::vector<std::string> several =
                searched ? AddressesAnswering(*searched, given) : std::vector<std::string>();
            if (resolved.ok()) {
                host = resolved.value();
            } else {
                fetched = FetchedReport{
                    ReportRead::Refused(ReportProblem::Unreadable,
                                        several.size() > 1
                                            ? SameNameText(Printable(given), several, language)
                                            : resolved.reason()),
                    ""};
            }
        }
        if (!fetched) {
            fetched = FetchReport(host, stop, language);
        }
        return [this, fetched = std::move(*fetched), host, shown, given,
                searched = std::move(searched)] {
            SetBusy({});
            if (fetched.read.ok() && !given.empty()) { // the next window offers a host that answered
                KeepSetting(state_.settings, sink_, state_.language, LastHostSetting, given);
            }
            if (searched) { // what the search for the name found
                ShowHosts(*searched);
            }
            HostAnswered(fetched, host, shown);
        };
    });
}

void LanNetworkBox::FetchAgain(const LanHost& host,
                               std::function<void(const FetchedReport&)> done) {
    SetBusy(AskingText(host.address, ExchangeTimeLimit, state_.language));
    InBackground([this, host, done = std::move(done),
                  language = state_.language](std::stop_token stop) {
        FetchedReport fetched = FetchReport(host, stop, language);
        return [this, fetched = std::move(fetched), done] {
            SetBusy({});
            done(fetched);
        };
    });
}

void LanNetworkBox::HostAnswered(const FetchedReport& fetched, const LanHost& host,
                                 const std::string& shownName) {
    if (IsOwnShare(host)) {
        reports_.failed(HostUnreadableText(
            shownName, ReportRead::Refused(ReportProblem::Unreadable, ThisPcText(state_.language)),
            state_.language));
    } else if (!fetched.read.ok()) {
        reports_.failed(HostUnreadableText(shownName, fetched.read, state_.language));
    } else {
        reports_.taken(fetched.read, host, fetched.fingerprint, shownName);
    }
}

bool LanNetworkBox::IsOwnShare(const LanHost& host) const {
    return share_ && host.port == share_->Port() && IsThisPcAddress(host.address);
}

void LanNetworkBox::SetBusy(const std::string& wait) {
    busy_ = !wait.empty();
    wait_->setText(Local(wait));
    wait_->setVisible(busy_);
    UpdateButtons();
}

void LanNetworkBox::SendVerdict(const LanHost& host, const Verdict& verdict) {
    InBackground([host, verdict](std::stop_token stop) {
        lancheck::SendVerdict(host, verdict, stop);
        return std::function<void()>();
    });
}

void LanNetworkBox::SetLocked(bool locked) {
    locked_ = locked;
    UpdateButtons();
}

void LanNetworkBox::UpdateButtons() {
    const bool free = !busy_ && !locked_;
    shareBox_->setEnabled(!locked_ || shareBox_->isChecked()); // it ends sharing at any time
    find_->setEnabled(free);
    compare_->setEnabled(
        free && (!hosts_->selectedItems().isEmpty() || !host_->text().trimmed().isEmpty()));
}

// The thread posts what is to be done here and ends; that step also lets go of the thread.
void LanNetworkBox::InBackground(std::function<std::function<void()>(std::stop_token)> work) {
    exchanges_.emplace_back();
    const auto self = std::prev(exchanges_.end());
    *self = std::jthread([this, self, work = std::move(work)](std::stop_token stop) {
        std::function<void()> done;
        try {
            done = work(stop);
        } catch (const std::exception& e) { // never into Qt's event loop
            done = [this, what = std::string(e.what())] {
                SetBusy({});
                sink_.Show(what);
            };
        }
        if (stop.stop_requested()) {
            return; // the window is going
        }
        QMetaObject::invokeMethod(
            this,
            [this, self, done = std::move(done)] {
                if (done) {
                    done();
                }
                self->join();
                exchanges_.erase(self);
            },
            Qt::QueuedConnection);
    });
}

} // namespace korvane
