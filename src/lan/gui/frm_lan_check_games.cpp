// The LAN check window's whole game: this PC's games read on a thread of their own, with progress
// and cancel, and the comparison of their rest below Korvane's components.
#include "lan/gui/frm_lan_check.hpp"
#include "core/gui/qt_widgets.hpp"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include "lan/gui/lan_check_texts.hpp"
#include "lan/gui/lan_network_box.hpp"
#include "report/game_compare_texts.hpp"
#include "report/verdict.hpp"

namespace korvane {

// Per game its line, below it each folder that differs with its files; then why the whole game
// was not compared, or what the player does about the folders.
void frmLanCheck::ShowGames() {
    const Language language = state_.language;
    while (differences_->topLevelItemCount() > int(comparison_.components.size())) {
        delete differences_->takeTopLevelItem(differences_->topLevelItemCount() - 1);
    }
    const auto row = [](QTreeWidgetItem* line, const std::string& key) {
        line->setFirstColumnSpanned(true);
        line->setToolTip(0, line->text(0)); // the whole line where the list cuts it short
        line->setData(0, Qt::UserRole, Local(key));
        return line;
    };
    const auto reopen = [this](QTreeWidgetItem* line) { // once its rows are in it
        line->setExpanded(opened_.contains(line->data(0, Qt::UserRole).toString()));
    };
    bool advice = false;
    for (const lancheck::GameComparison& game : games_) {
        const std::string gameKey = "game " + game.game;
        QTreeWidgetItem* gameLine =
            row(new QTreeWidgetItem(differences_, {Local(lancheck::GameLine(game, language))}),
                gameKey);
        for (const lancheck::FolderDifferences& folder : game.folders) {
            QTreeWidgetItem* folderLine =
                row(new QTreeWidgetItem(gameLine, {Local(lancheck::FolderLine(folder, language))}),
                    gameKey + '\n' + folder.folder);
            for (const lancheck::GameFileDifference& file : folder.files) {
                row(new QTreeWidgetItem(folderLine,
                                        {Local(lancheck::GameFileLine(file, language))}),
                    "");
            }
            folderLine->setExpanded(true); // a game opened shows its files at once
            advice = true;
        }
        reopen(gameLine);
        // Where Korvane's files are all alike, what differs is the game's: open and in sight.
        if (!game.folders.empty() && comparison_.AllSame()) {
            gameLine->setExpanded(true);
            differences_->scrollToItem(gameLine, QAbstractItemView::PositionAtTop);
        }
    }
    for (const std::string& line : {gamesNote_, advice ? lancheck::CopyAdvice(language) : ""}) {
        if (!line.empty()) {
            row(new QTreeWidgetItem(differences_, {Utf8Text(line)}), "");
        }
    }
    verdict_->setText(Utf8Text(VerdictText(comparison_, games_, language)));
}

// The host learns what this PC found, once the comparison is whole.
void frmLanCheck::Compared(bool wholeGame, const std::function<void()>& then) {
    if (referenceHost_ && wholeGame) {
        network_->SendVerdict(*referenceHost_,
                              lancheck::VerdictOf(comparison_, lancheck::ThisPcName(),
                                                  referenceFingerprint_, games_));
    }
    if (then) {
        then();
    }
}

void frmLanCheck::ReadGames(GamesWork work) {
    StopReading();
    const std::uint64_t reading = ++readings_;
    SetBusy(Busy::Reading);
    reader_ = std::jthread(
        [this, reading, work = std::move(work), language = state_.language](std::stop_token stop) {
            lancheck::GamesScanOptions options;
            options.stop = stop;
            options.progress = [this, reading, language](const std::string& game,
                                                         const lancheck::ScanProgress& progress) {
                const QString text = Local(lancheck::ScanProgressText(game, progress, language));
                const auto total = std::max<std::uint64_t>(progress.bytesTotal, 1);
                const int permille = int(progress.bytesDone * 1000 / total);
                QMetaObject::invokeMethod(
                    this,
                    [=, this] {
                        if (reading == readings_) {
                            ShowStep(std::size_t(permille), 1000, text);
                        }
                    },
                    Qt::QueuedConnection);
            };
            std::function<void()> done;
            try {
                done = work(options);
            } catch (const std::exception& e) { // never into Qt's event loop
                done = [this, what = std::string(e.what())] { sink_.Show(what); };
            }
            QMetaObject::invokeMethod(
                this,
                [this, reading, done = std::move(done)] {
                    if (reading != readings_) { // stopped, or the window is going
                        return;
                    }
                    reader_.join();
                    SetBusy(Busy::No);
                    if (done) {
                        done();
                    }
                },
                Qt::QueuedConnection);
        });
}

void frmLanCheck::StopReading() {
    ++readings_;
    if (reader_.joinable()) {
        reader_.request_stop();
        reader_.join();
        SetBusy(Busy::No);
    }
}

void frmLanCheck::ReadGamesBeforeSharing(std::function<void(bool)> done) {
    ReadGames([this, install = state_.install,
               done](const lancheck::GamesScanOptions& options) -> std::function<void()> {
        const Result<lancheck::GamesScan> scan = lancheck::ScanGames(install, options);
        if (!scan.ok()) {
            return [this, done, why = ReasonOf(scan)] {
                sink_.Show(GamesUnreadableText(why, state_.language));
                done(false);
            };
        }
        return [done, read = !scan.value().cancelled] { done(read); };
    });
}

} // namespace korvane
