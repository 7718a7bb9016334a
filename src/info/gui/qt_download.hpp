#pragma once
// Fetching one small file over HTTP or HTTPS, always fresh from the server.
#include <chrono>
#include <string>

namespace korvane {

enum DownloadResult : int {
    DownloadOk = 0,
    DownloadBadAddress = 1,
    DownloadFailed = 2,   // no connection, refused, an HTTP error status, ...
    DownloadTooLarge = 3, // the body grew beyond MaxDownloadBytes
    DownloadTimedOut = 4, // not complete within the time limit
    DownloadWriteFailed = 5,
};

// The version file is a few hundred bytes; anything much larger is not one.
inline constexpr long long MaxDownloadBytes = 64 * 1024;
inline constexpr std::chrono::milliseconds DefaultDownloadTimeout{30000};
// Redirects followed at most; one more fails the download.
inline constexpr int MaxRedirects = 5;

// Fetches address and writes its body to localPath (a path text, overwriting an existing file)
// only when the whole transfer succeeded. The request sends a fixed User-Agent
// "Korvane/<version>" and no language of the user's. Redirects are followed to http and https
// only, never from https to http, and at most MaxRedirects of them. Blocks in a local event
// loop until the transfer ends or the time limit passes, showing the busy pointer all the
// while. Returns DownloadOk (0) or one of the other codes.
int DownloadFile(const std::string& address, const std::string& localPath,
                 std::chrono::milliseconds timeout = DefaultDownloadTimeout);

} // namespace korvane
