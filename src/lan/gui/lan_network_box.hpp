#pragma once
// The LAN check window's network part: this PC's report shared on the LAN with the table of the
// guests' verdicts, and the hosts found or typed in, whose report the window compares with. Every
// exchange runs on a thread of its own, so the window stays responsive, and is cancelled when the
// window closes.
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <QGroupBox>

#include "core/messages.hpp"
#include "games/app_state.hpp"
#include "lan/lan_guest.hpp"
#include "lan/lan_share.hpp"

class QCheckBox;
class QLabel;
class QLayout;
class QStackedWidget;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace korvane {

class LanNetworkBox : public QGroupBox {
    Q_OBJECT
  public:
    // What the box hands its window: a host's report as it came, with where it came from, its
    // fingerprint and the host's name as shown; or why a comparison with a host cannot be made.
    struct HostReports {
        std::function<void(const lancheck::ReportRead&, const lancheck::LanHost&,
                           const std::string& fingerprint, const std::string& shownName)>
            taken;
        std::function<void(const std::string& text)> failed;
    };
    // What the window does for a share with the whole game: whether the report carries it, and
    // this PC's games read once before sharing starts, with the window's progress; read hands
    // done false when they were not read. cancel stops that reading, done not called. A box
    // without them shares Korvane's components alone.
    struct GamesForSharing {
        std::function<bool()> wanted;
        std::function<void(std::function<void(bool read)> done)> read;
        std::function<void()> cancel;
    };

    LanNetworkBox(AppState& state, MessageSink& sink, HostReports reports, QWidget* parent,
                  GamesForSharing games = {});
    ~LanNetworkBox() override; // stops sharing and cancels the exchanges under way

    // The port of the share and of the hosts, and where the query for hosts goes (empty: broadcast
    // on every interface). Port 0 shares on one the system picks.
    void SetNetwork(unsigned short port, const std::string& queryAddress);
    unsigned short SharedPort() const; // 0 while not sharing

    void ShowGuests(const std::vector<lancheck::VerdictRow>& rows);
    // The host's report once more, in the background, handed to done whether it came or not.
    void FetchAgain(const lancheck::LanHost& host,
                    std::function<void(const lancheck::FetchedReport&)> done);
    void ShowHosts(const std::vector<lancheck::FoundHost>& hosts);
    // Tells the host what this PC found, in the background; a host that does not take it changes
    // nothing here.
    void SendVerdict(const lancheck::LanHost& host, const lancheck::Verdict& verdict);
    // While a match runs or the games are read, nothing else starts (sharing can still end).
    void SetLocked(bool locked);
    void StopSharing();
    // The box's height at which the guests' table shows that many PCs without scrolling.
    int HeightShowingGuests(int guests) const;

  signals:
    void SharingStarted();

  private:
    // The parts of the box, each made with its controls and their layout.
    QLayout* BuildShareSide(Language language);
    QLayout* BuildHostSide(Language language);
    QLayout* BuildHostRow();
    void Share(bool on);
    void StartSharing(bool wholeGame);
    void FindHosts();
    void CompareWithHost();
    void HostAnswered(const lancheck::FetchedReport& fetched, const lancheck::LanHost& host,
                      const std::string& shownName);
    // Whether that host is this PC's own share.
    bool IsOwnShare(const lancheck::LanHost& host) const;
    // The buttons as the state allows; wait says what the box waits for (empty: nothing).
    void SetBusy(const std::string& wait);
    void GuestsDue(); // shows the table a moment later, once for all verdicts until then
    QTreeWidgetItem* NewGuestRow(const QStringList& texts, const lancheck::Verdict& verdict) const;
    void UpdateButtons();
    // Work on a thread of its own; done runs here afterwards, unless the window has gone.
    void InBackground(std::function<std::function<void()>(std::stop_token)> work);

    AppState& state_;
    MessageSink& sink_;
    HostReports reports_;
    GamesForSharing games_;
    bool readingGames_ = false; // before sharing starts
    unsigned short port_ = lancheck::LanPort;
    std::string queryAddress_;
    std::unique_ptr<lancheck::LanShare> share_;
    std::list<std::jthread> exchanges_;
    bool guestsDue_ = false; // a verdict came since the table was last shown
    std::map<std::string, QTreeWidgetItem*> guestRows_; // by name and address
    bool busy_ = false;
    bool locked_ = false;
    QCheckBox* shareBox_ = nullptr;
    QTreeWidget* guests_ = nullptr;
    QPushButton* find_ = nullptr;
    QTreeWidget* hosts_ = nullptr;
    QLabel* noHost_ = nullptr;
    QStackedWidget* hostsOrHint_ = nullptr; // the hosts list, or noHost_ when none answered
    QLabel* sameName_ = nullptr; // hosts that answer to one name
    QLabel* sharedAs_ = nullptr; // this PC's name and addresses while it shares
    QLabel* wait_ = nullptr;     // what the box waits for
    QLineEdit* host_ = nullptr;
    QPushButton* compare_ = nullptr;
};

} // namespace korvane
