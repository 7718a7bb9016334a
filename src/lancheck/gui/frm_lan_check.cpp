#include "lancheck/gui/frm_lan_check.hpp"
#include "core/gui/qt_control_texts.hpp"
#include "core/gui/qt_widgets.hpp"

#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSysInfo>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/file_system.hpp"
#include "lancheck/gui/lan_check_texts.hpp"
#include "lancheck/report_compare.hpp"
#include "lancheck/status_report.hpp"

namespace korvane {

namespace {

QString Text(const std::string& text) {
    return QString::fromUtf8(text.c_str());
}

QString DefaultSaveDialog(QWidget* owner, const QString& title, const QString& name,
                          const QString& filter) {
    return QFileDialog::getSaveFileName(owner, title, QDir::home().filePath(name), filter);
}

QString DefaultOpenDialog(QWidget* owner, const QString& title, const QString&,
                          const QString& filter) {
    return QFileDialog::getOpenFileName(owner, title, QString(), filter);
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
      components_(lancheck::CollectStatus(state.install, state.ProgramDir())) {
    setObjectName(QStringLiteral("frmLanCheck"));
    setAcceptDrops(true);
    const Language language = state_.language;

    auto* statusBox = Named(new QGroupBox(this), "FrmStatus");
    auto* rows = Named(new QTreeWidget(statusBox), "LstStatus");
    rows->setRootIsDecorated(false);
    rows->setHeaderLabels({Text(TextIn(language, ColumnComponent)),
                           Text(TextIn(language, ColumnState)),
                           Text(TextIn(language, ColumnFingerprint))});
    for (const lancheck::ComponentStatus& component : components_) {
        new QTreeWidgetItem(
            rows, {Local(component.name), Local(component.state), Local(component.fingerprint)});
    }
    rows->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Room for every component without a scroll bar.
    rows->setFixedHeight(QFontMetrics(rows->font()).lineSpacing() * 8 +
                         rows->header()->sizeHint().height());
    auto* copy = Named(new QPushButton(statusBox), "BtnCopy");
    auto* statusLayout = new QVBoxLayout(statusBox);
    statusLayout->addWidget(rows);
    statusLayout->addWidget(copy, 0, Qt::AlignRight);

    auto* compareBox = Named(new QGroupBox(this), "FrmCompare");
    verdict_ = Named(new QLabel(compareBox), "LblVerdict");
    QFont bold = verdict_->font();
    bold.setBold(true);
    verdict_->setFont(bold);
    differences_ = Named(new QPlainTextEdit(compareBox), "TxtDifferences");
    differences_->setReadOnly(true);
    differences_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    differences_->setMinimumHeight(QFontMetrics(differences_->font()).lineSpacing() * 14);
    auto* compareLayout = new QVBoxLayout(compareBox);
    compareLayout->addWidget(verdict_);
    compareLayout->addWidget(differences_);

    auto* hint = Named(new QLabel(this), "LblHint");
    hint->setWordWrap(true);
    auto* save = Named(new QPushButton(this), "BtnSaveReport");
    auto* compare = Named(new QPushButton(this), "BtnCompare");
    auto* quit = Named(new QPushButton(this), "BtnQuit");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {save, compare, quit}) {
        button->setMinimumHeight(40);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(statusBox);
    layout->addLayout(buttons);
    layout->addWidget(compareBox, 1);

    SetControlTexts(this, LanCheckWindowTexts(), language);

    connect(copy, &QPushButton::clicked, this, [this] {
        QGuiApplication::clipboard()->setText(Text(lancheck::ReportText(components_, false)));
    });
    connect(save, &QPushButton::clicked, this, &frmLanCheck::SaveReport);
    connect(compare, &QPushButton::clicked, this, [this] {
        const Language language = state_.language;
        const QString file =
            openDialog_(this, Text(TextIn(language, OpenReportTitle)), QString(),
                        DialogFilter(TextIn(language, ReportFilter).c_str(), ReportFilterPattern));
        if (!file.isEmpty()) {
            CompareWith(file);
        }
    });
    connect(quit, &QPushButton::clicked, this, &QDialog::close);

    resize(720, sizeHint().height());
}

void frmLanCheck::SaveReport() {
    const Language language = state_.language;
    const QString name = Local(DefaultReportName(Local(QSysInfo::machineHostName())));
    const QString file = QDir::toNativeSeparators(
        saveDialog_(this, Text(TextIn(language, SaveReportTitle)), name,
                    DialogFilter(TextIn(language, ReportFilter).c_str(), ReportFilterPattern)));
    if (file.isEmpty()) {
        return;
    }
    const FileResult written = WriteFileSafe(Local(file), lancheck::ReportJson(components_));
    sink_.Show(written.ok ? ReportSavedText(Local(file), language)
                          : ReportNotSavedText(Local(file), written.reason, language));
}

void frmLanCheck::CompareWith(const QString& file) {
    const std::string path = Local(QDir::toNativeSeparators(file));
    const Language language = state_.language;
    const lancheck::ReportRead report = lancheck::ReadReportFile(path);
    if (!report.ok) {
        sink_.Show(ReportUnreadableText(path, report, language));
        return;
    }
    const lancheck::Comparison comparison = lancheck::CompareWithReport(components_, report.value);
    verdict_->setText(Text(VerdictText(comparison, language)));
    differences_->setPlainText(Text(ComparisonText(comparison, language)));
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

} // namespace korvane
