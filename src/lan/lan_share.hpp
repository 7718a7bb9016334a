#pragma once
// Sharing this PC's report on the LAN: while a LanShare runs, it answers the guests' queries
// and hands out the report and the file lists of its folders, and it keeps the verdicts the
// guests send back in a table in memory. It serves nothing else: no file, no write, and a folder
// a guest names is only looked up among the report's, never opened.
#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/result.hpp"
#include "lan/lan_protocol.hpp"

namespace korvane::lancheck {

// One PC of the organiser's table: its latest verdict.
struct VerdictRow {
    std::string name;    // as the guest calls itself
    std::string address; // where its verdict came from
    Verdict verdict;
    std::chrono::system_clock::time_point checked;
    bool earlier = false; // made against a report this PC no longer shares
};

// The table: its rows at most, and at most so many names from one address, so that one PC's
// made-up verdicts push out only its own rows.
inline constexpr std::size_t MaxTableRows = 256;
inline constexpr std::size_t MaxNamesPerAddress = 4;
// Connections at once, all together and from one address. A connection must send its request
// within RequestArrivalLimit and be done within RequestTimeLimit; when the share is full, the
// oldest connection that has not yet sent its request makes room for a new one, so that PCs
// holding connections open lock nobody out.
inline constexpr std::size_t MaxConnections = 64;
inline constexpr std::size_t MaxConnectionsPerAddress = 4;
inline constexpr std::chrono::milliseconds RequestArrivalLimit{1000};
inline constexpr std::chrono::seconds RequestTimeLimit{5};
// How often at most the game files are looked at for a change that makes a new report.
inline constexpr std::chrono::seconds ReportCheckInterval{1};

// How many queries a host answers: at most MaxAnswersPerAsker a second to each address, and at
// most MaxFirstAnswers a second to senders (address and port) not heard in this second or the
// one before. An answer to a made-up address waits in the system's send buffer until the
// address is found not to exist, some seconds; a flood of queries from thousands of made-up
// addresses would fill that buffer and leave no room for the answers to real guests. A guest
// asks more than once from the same port, and is then answered at once. At most MaxAskers
// senders are remembered a second.
class AnswerBudget {
  public:
    static constexpr int MaxAnswersPerAsker = 4;
    static constexpr int MaxFirstAnswers = 32;
    static constexpr std::size_t MaxAskers = 16 * 1024;
    bool Allow(const std::string& address, unsigned short port,
               std::chrono::steady_clock::time_point now);

  private:
    std::chrono::steady_clock::time_point second_{};
    std::map<std::string, int> answered_; // in this second, by address
    std::set<std::string> heard_;         // senders heard in this second
    std::set<std::string> heardBefore_;   // and in the second before
    int firstAnswers_ = 0;                // in this second
};

class LanShare {
  public:
    struct Options {
        std::string name;                    // this PC's, as the guests see it
        std::function<std::string()> report; // the status --json document as it is now
        // Something cheap that changes whenever the report would (the files' sizes and times);
        // none: the report is made once.
        std::function<std::string()> stamp;
        // Called for each verdict taken, on the share's own thread.
        std::function<void(const VerdictRow&)> onVerdict = {};
        unsigned short port = LanPort; // 0: one the system picks, the same for UDP and TCP
        // The files of a folder of a game (FolderRequest) as WriteTreeFiles writes them, as they
        // were in the report last served; nothing when that report has no such folder. Called
        // on the share's own thread. None: no folder is served.
        std::function<std::optional<std::string>(const std::string& game,
                                                 const std::string& folderPath)>
            folderFiles = {};
    };

    explicit LanShare(Options options);
    ~LanShare(); // stops sharing
    LanShare(const LanShare&) = delete;
    LanShare& operator=(const LanShare&) = delete;

    // Starts answering on a thread of its own; fails, naming the port and the system's reason,
    // when the port cannot be had.
    FileResult Start();
    unsigned short Port() const;
    // One row per PC (by name and address), the latest check first.
    std::vector<VerdictRow> Table() const;
    // The fingerprint of the report as last served; empty before the first request.
    std::string Fingerprint() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace korvane::lancheck
