#pragma once
// The LAN check window's network part: this PC's report shared on the LAN with the table of the
// guests' verdicts, and the hosts found or typed in, whose report the window compares with. Every
// exchange runs on a thread of its own, so the window stays responsive.
#include <functional>
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
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace korvane {

class LanNetworkBox : public QGroupBox {
    Q_OBJECT
  public:
    // A host's report as it came, and where it came from.
    using ReportTaken = std::function<void(const std::vector<lancheck::ComponentStatus>&,
                                           const lancheck::LanHost&)>;

    LanNetworkBox(AppState& state, MessageSink& sink, ReportTaken taken, QWidget* parent);
    ~LanNetworkBox() override; // stops sharing and waits for the exchanges under way

    // The port of the share and of the hosts, and where the query for hosts goes (empty: broadcast
    // on every interface). Port 0 shares on one the system picks.
    void SetNetwork(unsigned short port, const std::string& queryAddress);
    unsigned short SharedPort() const; // 0 while not sharing

    void ShowGuests(const std::vector<lancheck::VerdictRow>& rows);
    void ShowHosts(const std::vector<lancheck::FoundHost>& hosts);
    // Tells the host what this PC found, in the background; a host that does not take it changes
    // nothing here.
    void SendVerdict(const lancheck::LanHost& host, const lancheck::Verdict& verdict);
    // While a match runs, nothing else starts.
    void SetLocked(bool locked);
    void StopSharing();

  private:
    void Share(bool on);
    void FindHosts();
    void CompareWithHost();
    void HostAnswered(const lancheck::ReportRead& read, const lancheck::LanHost& host,
                      const std::string& shownName);
    void UpdateButtons();
    void InBackground(std::function<void()> work);

    AppState& state_;
    MessageSink& sink_;
    ReportTaken taken_;
    unsigned short port_ = lancheck::LanPort;
    std::string queryAddress_;
    std::unique_ptr<lancheck::LanShare> share_;
    std::vector<std::thread> exchanges_;
    bool busy_ = false;
    bool locked_ = false;
    QCheckBox* shareBox_ = nullptr;
    QTreeWidget* guests_ = nullptr;
    QPushButton* find_ = nullptr;
    QTreeWidget* hosts_ = nullptr;
    QLabel* noHost_ = nullptr;
    QLineEdit* host_ = nullptr;
    QPushButton* compare_ = nullptr;
};

} // namespace korvane
