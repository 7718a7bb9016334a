#pragma once
// The LAN check window: what this PC holds, its report saved for the others, the comparison with
// another PC's report (Korvane's components, then the whole of each game), and the steps that make
// this PC like it.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <QDialog>
#include <QStringList>

#include "core/messages.hpp"
#include "games/app_state.hpp"
#include "lan/lan_guest.hpp"
#include "match/match_plan.hpp"
#include "report/component_status.hpp"
#include "report/folder_lists.hpp"
#include "report/game_compare.hpp"
#include "report/report_compare.hpp"

class QCheckBox;
class QLabel;
class QLayout;
class QMessageBox;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace korvane {

class LanNetworkBox;

class frmLanCheck : public QDialog {
    Q_OBJECT
  public:
    // Collects this PC's state now, and again for every comparison, report and plan: korvane-cli
    // may change the files while the window is open.
    frmLanCheck(AppState& state, MessageSink& sink, QWidget* parent = nullptr);
    ~frmLanCheck() override; // stops reading the games; waits for a match that is still running

    // The file dialogs: (owner, title, proposed name or starting folder, filter) -> chosen file
    // or empty.
    using FileDialog =
        std::function<QString(QWidget*, const QString&, const QString&, const QString&)>;
    void SetSaveDialog(FileDialog dialog) { saveDialog_ = std::move(dialog); }
    void SetOpenDialog(FileDialog dialog) { openDialog_ = std::move(dialog); }
    // The question before a match: (owner, plan and question) -> yes.
    using Confirm = std::function<bool(QWidget*, const QString&)>;
    void SetConfirm(Confirm confirm) { confirm_ = std::move(confirm); }

    // How this PC's state is collected (the window's tests make it fail).
    using Collect = std::function<std::vector<lancheck::ComponentStatus>(const GameInstall&,
                                                                         const std::string&)>;
    void SetCollect(Collect collect) { collect_ = std::move(collect); }

    // The box that asks before a match, with Yes and No in the language.
    static std::unique_ptr<QMessageBox> MatchQuestion(QWidget* owner, const QString& text,
                                                      Language language);

    // The port of sharing and of the hosts, and where the query for hosts goes (empty: broadcast).
    void SetNetwork(unsigned short port, const std::string& queryAddress);

    // Unless the whole game is left out, this PC's games are read first, on a worker thread,
    // the progress shown with a button that cancels; saving, comparing and the comparison before
    // a match go on once they are read.
    void SaveReport();
    void CompareWith(const QString& file);
    // Shows the plan, asks, and runs it on a worker thread; the window stays responsive and
    // shows each step until the run ends.
    void Match();

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The parts of the window, each made with its controls, their layout and their wiring.
    QWidget* BuildStatusBox(Language language);
    QWidget* BuildCompareBox(Language language);
    QLayout* BuildVerdictRow(QWidget* compareBox);
    QLayout* BuildButtons();
    void FitTheScreen();
    void CompareWithChosenReport(); // asks for a report file
    bool Running() const { return worker_.joinable(); }
    bool Reading() const { return reader_.joinable(); }
    // This PC's state anew, shown in the status list; false, and the window says why, when it
    // cannot be had.
    bool CollectStatus();
    // The comparison with the report as things are now: the components at once, the whole game
    // once this PC's games are read. then runs when both are shown (the whole game compared or
    // not); false, and then does not run, when this PC's state cannot be had.
    bool ShowComparison(std::function<void()> then = {});
    void ShowGames(); // the whole game's rows below the components', and the verdict
    void Compared(bool wholeGame, const std::function<void()>& then);
    void CompareWithHost(const lancheck::ReportRead& report, const lancheck::LanHost& host,
                         const std::string& fingerprint, const std::string& shownName);
    // A comparison that cannot be made: the old one goes, the verdict line says what failed and
    // a message box why.
    void ComparisonFailed(const std::string& text);
    void PlanAndAsk(); // the match's plan from the files as they are now, and the question
    void AskAndRun();
    // The report, and the games' folder lists beside it when there are games.
    void WriteReport(const QString& file, const std::string& report,
                     const std::vector<lancheck::GameTree>* games = nullptr);

    // Work that reads this PC's games, on a worker thread; the options it is given report the
    // progress here and carry the stop token of the cancel button. What it returns runs here
    // afterwards, unless the reading was stopped by StopReading.
    using GamesWork =
        std::function<std::function<void()>(const lancheck::GamesScanOptions& options)>;
    void ReadGames(GamesWork work);
    void StopReading(); // at once, and nothing of the reading runs afterwards
    // The games read before sharing starts; done(false) when they were not (cancelled, or
    // unreadable, which the window says).
    void ReadGamesBeforeSharing(std::function<void(bool read)> done);

    enum class Busy { No, Reading, Matching };
    void SetBusy(Busy busy);
    void ShowStep(std::size_t index, std::size_t count, const QString& text);
    void MatchEnded(const std::vector<std::string>& messages);

    AppState& state_;
    MessageSink& sink_;
    FileDialog saveDialog_;
    FileDialog openDialog_;
    Confirm confirm_;
    Collect collect_ = lancheck::CollectStatus;
    std::vector<lancheck::ComponentStatus> components_;
    std::vector<lancheck::ComponentStatus> reference_; // the last report compared with
    std::vector<lancheck::GameTree> referenceGames_;   // its games' trees; none in an older one
    std::optional<lancheck::LanHost> referenceHost_;   // where it came from, when it was shared
    std::optional<lancheck::FolderLists> referenceLists_; // saved beside a report file
    std::string referenceFingerprint_;                 // and the fingerprint it came with
    std::string referenceName_;                        // the host's name or the file's
    std::thread worker_;
    std::jthread reader_;             // reads this PC's games
    std::uint64_t readings_ = 0;      // how many were started: what an older one posts is dropped
    lancheck::Comparison comparison_; // of the components, as shown
    std::vector<lancheck::GameComparison> games_; // of the whole game, as shown
    std::string gamesNote_; // instead of the whole game: why it was not compared
    QStringList opened_;    // the keys of the rows of the comparison the player opened
    QTreeWidget* status_ = nullptr;
    QCheckBox* wholeGame_ = nullptr;
    QLabel* comparedWith_ = nullptr;
    QLabel* verdict_ = nullptr;
    QTreeWidget* differences_ = nullptr;
    QPushButton* match_ = nullptr;
    QPushButton* cancelReading_ = nullptr;
    QPushButton* quit_ = nullptr;
    QLabel* step_ = nullptr;
    QProgressBar* progress_ = nullptr;
    LanNetworkBox* network_ = nullptr;
    std::vector<QPushButton*> starters_; // what could start something else during a match
};

} // namespace korvane
