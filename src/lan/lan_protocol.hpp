#pragma once
// What the PCs of a LAN party say to each other. Every message is a frame: the magic "KVLC", the
// protocol's version (one byte), the kind (one byte) and the payload's length (four bytes,
// big-endian), then the payload. A guest finds the sharing PCs with a Query by UDP broadcast,
// each host answers by unicast; over TCP a guest asks for the host's report or one folder's files
// in it, or tells it its verdict, one request per connection. Everything read from the network is
// checked here before anything else looks at it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "report/game_tree_text.hpp"
#include "report/status_report.hpp"
#include "report/verdict.hpp"

namespace korvane::lancheck {

// The one port, UDP for finding hosts and TCP for reports and verdicts.
inline constexpr unsigned short LanPort = 47313;
// 2: a verdict names the report it was made against.
inline constexpr std::uint8_t LanProtocolVersion = 2;

enum class MessageKind : std::uint8_t {
    Query = 'Q',         // guest to everyone: who shares? QueryPadding zero bytes.
    Answer = 'A',        // host to guest: its name, Korvane version and report fingerprint
    ReportRequest = 'R', // guest to host: the report, please. No payload.
    Report = 'r',        // host to guest: the status --json document
    Verdict = 'V',       // guest to host: its name and what the comparison found
    Taken = 'v',         // host to guest: verdict noted. No payload.
    Refused = 'X',       // host to guest: not served (another version, a verdict it cannot read)
    // Added within version 2. A guest asks for a folder only of a host whose report lists the
    // game's folders, and only a host that serves folders lists them; an older one would end
    // the connection unanswered.
    FolderRequest = 'F', // guest to host: the game's name and a folder's path (FolderRequest)
    FolderFiles = 'f',   // host to guest: that folder's files as WriteTreeFiles writes them
};

inline constexpr std::size_t FrameHeaderBytes = 10;
inline constexpr std::size_t MaxDatagramBytes = 512; // a Query or an Answer, with room to spare
// A query is padded so that no answer is larger than the query it answers: a forged sender
// address makes the host send no more than it was sent, so it is no use for a flood.
inline constexpr std::size_t QueryPadding = 118;
inline constexpr std::size_t MaxNameBytes = 64; // a PC's name as it is sent and kept
inline constexpr std::size_t MaxVerdictBytes = 8 * 1024;
// No report holds more files than it has bytes, so no verdict counts more.
inline constexpr std::size_t MaxDifferingFiles = MaxReportBytes;
// A folder's path as a request writes it: at most MaxTreeDepth names, escaped, in so many bytes
// (40 folders deep with names of 100 bytes each fit).
inline constexpr std::size_t MaxFolderPathBytes = 4096;
inline constexpr std::size_t MaxFolderRequestBytes = MaxNameBytes + 1 + MaxFolderPathBytes;
// A folder's files as written take some 90 bytes a file: MaxFolderFiles of them fit in what the
// tree's reader takes at all.
inline constexpr std::size_t MaxFolderFilesBytes = MaxTreeTextBytes;

struct FrameHeader {
    std::uint8_t version = 0;
    std::uint8_t kind = 0; // any byte: a kind this version does not know is the reader's to refuse
    std::uint32_t length = 0;
};

std::string Frame(MessageKind kind, const std::string& payload);

// The header at the start of bytes; nothing when they are too few or the magic is not there.
std::optional<FrameHeader> ReadHeader(const std::string& bytes);

// A sharing PC as its Answer describes it.
struct HostAnswer {
    std::string name;
    std::string version;     // Korvane's, "0.6.0"
    std::string fingerprint; // of its report document at the time of the answer
};

// A name longer than MaxNameBytes goes cut at a character's end.
std::string AnswerPayload(const HostAnswer& answer);
// Nothing unless the payload is three fields of text to show (IsShownText), each of at most
// MaxNameBytes.
std::optional<HostAnswer> ParseAnswer(const std::string& payload);

// Lines: the name, the report's fingerprint, the number, each file as "path|guest's side|host's
// side" (or only the path); files beyond MaxVerdictPaths or MaxVerdictBytes are left out (the
// number still counts them).
std::string VerdictPayload(const Verdict& verdict);
// Nothing unless every line is text to show (IsShownText), the name and fingerprint of at most
// MaxNameBytes, the number a number of at least as many files as there are paths and at most
// MaxDifferingFiles, there are no more files than MaxVerdictPaths, and each file's line is a path
// alone or a path and two sides.
std::optional<Verdict> ParseVerdict(const std::string& payload);

// One folder of one game of the host's report: the game's name as the report has it, and the
// folder's path below the game directory, its names as they are joined by '\' (as
// CompareFolders writes a path; empty for the game directory itself). The names are only ever
// compared with the report's, never opened.
struct FolderRequest {
    std::string game;
    std::string folderPath;
    bool operator==(const FolderRequest&) const = default;
};

// The game, "\n", and the path's names, each escaped as the tree writes names (EscapedName),
// joined by '\'.
std::string FolderRequestPayload(const std::string& game, const std::string& folderPath);
// Nothing unless the game is text to show (IsShownText) of at most MaxNameBytes and the path at
// most MaxFolderPathBytes of at most MaxTreeDepth names, each a name the tree could have written
// (UnescapedName: not empty, not "." or "..") that holds no '\'.
std::optional<FolderRequest> ParseFolderRequest(const std::string& payload);

// This program's version as a host announces it, "0.6.0".
std::string KorvaneVersion();

} // namespace korvane::lancheck
