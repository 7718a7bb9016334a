#include "lan/shared_report.hpp"

#include <stdexcept>

#include "report/component_status.hpp"
#include "report/sha256.hpp"
#include "report/status_report.hpp"

namespace korvane::lancheck {

SharedReport::SharedReport(GameInstall install, std::string programDir, bool wholeGame)
    : install_(std::move(install)), programDir_(std::move(programDir)), wholeGame_(wholeGame) {}

void SharedReport::Scan() {
    scanned_.reset();
    const Result<GamesScan> scan = ScanGames(install_);
    if (scan.ok()) {
        scanned_ = scan.value().games;
    } else {
        failure_ = scan.path() + ": " + scan.reason();
    }
}

std::string SharedReport::Stamp() {
    std::string stamp = StatusStamp(install_, programDir_);
    if (!wholeGame_) {
        return stamp;
    }
    Scan();
    if (!scanned_) {
        return stamp + "\nunreadable " + failure_;
    }
    for (const GameTree& game : *scanned_) {
        stamp += '\n' + game.game + ' ' + DigestHex(game.root.digest);
    }
    return stamp;
}

std::string SharedReport::Report() {
    if (wholeGame_ && !scanned_) {
        Scan();
    }
    if (wholeGame_ && !scanned_) {
        throw std::runtime_error(failure_);
    }
    std::string report = ReportJson(CollectStatus(install_, programDir_),
                                    wholeGame_ ? *scanned_ : std::vector<GameTree>{});
    served_ = wholeGame_ ? std::move(*scanned_) : std::vector<GameTree>{};
    scanned_.reset();
    return report;
}

std::optional<std::string> SharedReport::FolderFiles(const std::string& game,
                                                     const std::string& path) const {
    return FolderFilesText(served_, game, path);
}

} // namespace korvane::lancheck
