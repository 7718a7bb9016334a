#include "cli/game_scan.hpp"

#include <chrono>
#include <cstdio>
#include <iostream>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "report/game_compare_texts.hpp"

namespace korvane::cli {

using namespace lancheck;

namespace {

bool ErrorStreamIsTerminal(const Context& c) {
    if (&c.err != &std::cerr) {
        return false;
    }
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

} // namespace

std::vector<GameTree> ScanThisPc(const Context& c) {
    GamesScanOptions options;
    std::size_t shown = 0; // the length of the line on the terminal
    if (ErrorStreamIsTerminal(c)) {
        auto next = std::chrono::steady_clock::now();
        options.progress = [&](const std::string& game, const ScanProgress& progress) {
            const auto now = std::chrono::steady_clock::now();
            if (now < next && progress.filesDone < progress.filesTotal) {
                return;
            }
            next = now + std::chrono::milliseconds(200);
            const std::string line = ScanProgressText(game, progress, c.language);
            c.err << '\r' << line << std::string(shown > line.size() ? shown - line.size() : 0, ' ')
                  << std::flush;
            shown = line.size();
        };
    }
    Result<GamesScan> scan = ScanGames(c.install, options);
    if (shown > 0) {
        c.err << '\r' << std::string(shown, ' ') << '\r' << std::flush;
    }
    if (!scan.ok()) {
        throw Refusal(TextIn(c.language, {"{1} kann nicht gelesen werden: {2}", "cannot read {1}: {2}"},
                             {scan.path(), scan.reason()}));
    }
    return std::move(scan.value().games);
}

} // namespace korvane::cli
