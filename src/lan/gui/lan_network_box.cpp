#include "lan/gui/lan_network_box.hpp"
#include "core/gui/qt_widgets.hpp"

#include <optional>

#include <QCheckBox>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "core/settings.hpp"
#include "lan/gui/lan_check_texts.hpp"
#include "report/component_status.hpp"
#include "report/status_report.hpp"

namespace korvane {

using namespace lancheck;

namespace {

QTreeWidget* MakeList(QWidget* parent, const char* name, const QStringList& columns) {
    auto* list = Named(new QTreeWidget(parent), name);
    list->setHeaderLabels(columns);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->setFixedHeight(QFontMetrics(list->font()).lineSpacing() * 6 +
                         list->header()->sizeHint().height());
    return list;
}

QString Column(Language language, const MessageText& text) {
    return QString::fromUtf8(TextIn(language, text).c_str());
}

// Names from the network are shown, never used: control characters escaped.
QString Shown(const std::string& fromNetwork) {
    return Local(Printable(fromNetwork));
}

} // namespace

LanNetworkBox::LanNetworkBox(AppState& state, MessageSink& sink, ReportTaken taken, QWidget* parent)
    : QGroupBox(parent), state_(state), sink_(sink), taken_(std::move(taken)) {
    setObjectName(QStringLiteral("FrmNetwork"));
    const Language language = state_.language;

    shareBox_ = Named(new QCheckBox(this), "ChkShare");
    guests_ = MakeList(this, "LstGuests",
                       {Column(language, ColumnPc), Column(language, ColumnAddress),
                        Column(language, ColumnVerdict), Column(language, ColumnChecked)});
    find_ = Named(new QPushButton(this), "BtnFindHosts");
    hosts_ = MakeList(this, "LstHosts",
                      {Column(language, ColumnPc), Column(language, ColumnAddress),
                       Column(language, ColumnVersion), Column(language, ColumnFingerprint)});
    hosts_->setRootIsDecorated(false);
    noHost_ = Named(new QLabel(this), "LblNoHost");
    noHost_->setWordWrap(true);
    noHost_->hide();
    auto* hostLabel = Named(new QLabel(this), "LblHost");
    host_ = Named(new QLineEdit(this), "TxtHost");
    compare_ = Named(new QPushButton(this), "BtnCompareHost");
    for (QPushButton* button : {find_, compare_}) {
        button->setAutoDefault(false);
    }
    const std::string lastHost = ReadSetting(state_.settings, LastHostSetting);
    host_->setText(lastHost == Unknown ? QString() : Local(lastHost));
    auto* hostRow = new QHBoxLayout;
    hostRow->addWidget(hostLabel);
    host_->setMinimumWidth(QFontMetrics(host_->font()).averageCharWidth() * 24);
    hostRow->addWidget(host_, 1);
    hostRow->addWidget(compare_);
    // The share on the left, the hosts on the right, their lists side by side.
    auto* layout = new QGridLayout(this);
    layout->addWidget(shareBox_, 0, 0, Qt::AlignLeft);
    layout->addWidget(find_, 0, 1, Qt::AlignLeft);
    layout->addWidget(guests_, 1, 0);
    layout->addWidget(hosts_, 1, 1);
    layout->addWidget(noHost_, 2, 1);
    layout->addLayout(hostRow, 3, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);

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

LanNetworkBox::~LanNetworkBox() {
    share_.reset();
    for (std::thread& exchange : exchanges_) {
        exchange.join();
    }
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
        share_.reset(); // stops sharing
        return;
    }
    // The report is made afresh for each request, on the share's thread, from copies: it only
    // reads files.
    LanShare::Options options{ThisPcName(),
                              [install = state_.install, programDir = state_.ProgramDir()] {
                                  return ReportJson(CollectStatus(install, programDir));
                              },
                              [this](const VerdictRow&) {
                                  QMetaObject::invokeMethod(
                                      this,
                                      [this] {
                                          if (share_) {
                                              ShowGuests(share_->Table());
                                          }
                                      },
                                      Qt::QueuedConnection);
                              },
                              port_};
    share_ = std::make_unique<LanShare>(std::move(options));
    const FileResult started = share_->Start();
    if (!started.ok()) {
        share_.reset();
        const QSignalBlocker quiet(shareBox_);
        shareBox_->setChecked(false);
        sink_.Show(ShareFailedText(port_, started.reason(), state_.language));
        return;
    }
    guests_->clear();
}

void LanNetworkBox::StopSharing() {
    shareBox_->setChecked(false);
}

void LanNetworkBox::ShowGuests(const std::vector<VerdictRow>& rows) {
    const Language language = state_.language;
    guests_->clear();
    for (const VerdictRow& row : rows) {
        const auto checked =
            std::chrono::duration_cast<std::chrono::seconds>(row.checked.time_since_epoch());
        auto* line = new QTreeWidgetItem(
            guests_,
            {Shown(row.name), Shown(row.address), Local(GuestVerdictText(row.verdict, language)),
             QDateTime::fromSecsSinceEpoch(checked.count()).toString("HH:mm:ss")});
        for (const std::string& path : row.verdict.paths) {
            new QTreeWidgetItem(line, {Shown(path)});
        }
        if (row.verdict.differing > row.verdict.paths.size()) {
            new QTreeWidgetItem(
                line,
                {Local(MorePathsText(row.verdict.differing - row.verdict.paths.size(), language))});
        }
        for (int i = 0; i < line->childCount(); ++i) {
            line->child(i)->setFirstColumnSpanned(true);
        }
    }
}

void LanNetworkBox::FindHosts() {
    busy_ = true;
    UpdateButtons();
    noHost_->hide();
    InBackground([this, port = port_, to = queryAddress_] {
        std::vector<FoundHost> found = lancheck::FindHosts(port, to);
        QMetaObject::invokeMethod(
            this,
            [this, found = std::move(found)] {
                busy_ = false;
                ShowHosts(found);
            },
            Qt::QueuedConnection);
    });
}

void LanNetworkBox::ShowHosts(const std::vector<FoundHost>& found) {
    hosts_->clear();
    for (const FoundHost& host : found) {
        const bool ours = host.protocol == LanProtocolVersion;
        const std::string version = ours ? Printable(host.answer.version)
                                         : OtherProtocolText(host.protocol, state_.language);
        auto* row = new QTreeWidgetItem(hosts_, {Shown(host.answer.name), Shown(host.address),
                                                 Local(version), Shown(host.answer.fingerprint)});
        row->setData(1, Qt::UserRole, Local(host.address));
        if (!ours) { // its report could not be read here
            row->setFlags(Qt::NoItemFlags);
        }
    }
    noHost_->setVisible(found.empty());
    UpdateButtons();
}

void LanNetworkBox::CompareWithHost() {
    const QTreeWidgetItem* row = hosts_->selectedItems().value(0);
    // A host from the list is asked at the address it answered from; one typed in is looked up.
    const std::string address = row ? Local(row->data(1, Qt::UserRole).toString()) : "";
    const std::string given = Local(host_->text().trimmed());
    const std::string shown =
        row ? Local(row->text(0).isEmpty() ? row->text(1) : row->text(0)) : Printable(given);
    if (!given.empty()) {
        KeepSetting(state_.settings, sink_, state_.language, LastHostSetting, given);
    }
    busy_ = true;
    UpdateButtons();
    InBackground([this, address, given, shown, port = port_] {
        LanHost host{address, port};
        std::optional<ReportRead> unresolved;
        if (address.empty()) {
            const Result<LanHost> resolved = ResolveHost(given, port);
            if (resolved.ok()) {
                host = resolved.value();
            } else {
                unresolved = ReportRead::Refused(ReportProblem::Unreadable, resolved.reason());
            }
        }
        const ReportRead read = unresolved ? *unresolved : FetchReport(host);
        QMetaObject::invokeMethod(
            this, [this, read, host, shown] { HostAnswered(read, host, shown); },
            Qt::QueuedConnection);
    });
}

void LanNetworkBox::HostAnswered(const ReportRead& read, const LanHost& host,
                                 const std::string& shownName) {
    busy_ = false;
    UpdateButtons();
    if (!read.ok()) {
        sink_.Show(HostUnreadableText(shownName, read, state_.language));
        return;
    }
    taken_(read.value(), host);
}

void LanNetworkBox::SendVerdict(const LanHost& host, const Verdict& verdict) {
    InBackground([host, verdict] { lancheck::SendVerdict(host, verdict); });
}

void LanNetworkBox::SetLocked(bool locked) {
    locked_ = locked;
    UpdateButtons();
}

void LanNetworkBox::UpdateButtons() {
    const bool free = !busy_ && !locked_;
    find_->setEnabled(free);
    compare_->setEnabled(
        free && (!hosts_->selectedItems().isEmpty() || !host_->text().trimmed().isEmpty()));
}

void LanNetworkBox::InBackground(std::function<void()> work) {
    exchanges_.emplace_back(std::move(work));
}

} // namespace korvane
