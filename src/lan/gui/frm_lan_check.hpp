#pragma once
// The LAN check window: what this PC holds, its report saved for the others, the comparison with
// another PC's report, and the steps that make this PC like it.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <QDialog>

#include "core/messages.hpp"
#include "games/app_state.hpp"
#include "lan/lan_guest.hpp"
#include "match/match_plan.hpp"
#include "report/component_status.hpp"

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
    ~frmLanCheck() override; // waits for a match that is still running

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
    // This PC's state anew, shown in the status list; false, and the window says why, when it
    // cannot be had.
    bool CollectStatus();
    bool ShowComparison();
    void CompareWithHost(const std::vector<lancheck::ComponentStatus>& report,
                         const lancheck::LanHost& host, const std::string& fingerprint,
                         const std::string& shownName);
    // A comparison that cannot be made: the old one goes, the verdict line says what failed and
    // a message box why.
    void ComparisonFailed(const std::string& text);
    void PlanAndAsk(); // the match's plan from the files as they are now, and the question
    void SetRunning(bool running);
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
    std::optional<lancheck::LanHost> referenceHost_;   // where it came from, when it was shared
    std::string referenceFingerprint_;                 // and the fingerprint it came with
    std::string referenceName_;                        // the host's name or the file's
    std::thread worker_;
    QTreeWidget* status_ = nullptr;
    QLabel* comparedWith_ = nullptr;
    QLabel* verdict_ = nullptr;
    QTreeWidget* differences_ = nullptr;
    QPushButton* match_ = nullptr;
    QLabel* step_ = nullptr;
    QProgressBar* progress_ = nullptr;
    LanNetworkBox* network_ = nullptr;
    std::vector<QPushButton*> starters_; // what could start something else during a match
};

} // namespace korvane
