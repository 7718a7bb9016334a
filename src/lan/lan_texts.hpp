#pragma once
// The LAN check's words outside its window, in German and English: why a host could not be
// reached or answered otherwise (the guest's reasons; the system's own text, where there is one,
// follows as a detail), and the lines korvane-cli prints for hosts and share.
#include <string>
#include <vector>

#include "core/language.hpp"
#include "core/messages.hpp"
#include "lan/lan_guest.hpp"
#include "lan/lan_share.hpp"

namespace korvane::lancheck {

// Connecting failed. {1} the port, {2} the system's text. In English only a refused connection
// has a sentence of its own; the others name the port and the system's text.
inline constexpr MessageText NotSharingText{
    "er gibt seinen Bericht gerade nicht frei (vielleicht hat er die Freigabe beendet): Port {1} "
    "hat die Verbindung abgewiesen",
    "it does not share its report now (it may have ended sharing): port {1} refused the "
    "connection"};
inline constexpr MessageText UnreachableText{"er ist im Netzwerk nicht erreichbar (Port {1}): {2}",
                                             "cannot connect to port {1}: {2}"};
inline constexpr MessageText ConnectTimedOutText{
    "er hat auf den Verbindungsaufbau zu Port {1} nicht geantwortet: {2}",
    "cannot connect to port {1}: {2}"};
inline constexpr MessageText CannotConnectText{"keine Verbindung zu Port {1} möglich: {2}",
                                               "cannot connect to port {1}: {2}"};
// {1} the system's text.
inline constexpr MessageText EndedEarlyText{"die Verbindung endete vorzeitig: {1}",
                                            "the connection ended early: {1}"};
// The reply's header.
inline constexpr MessageText NotKorvaneText{
    "er hat etwas anderes geantwortet als den LAN-Check von Korvane",
    "it answered something other than Korvane's LAN check"};
inline constexpr MessageText OtherProtocolVersionText{
    "er spricht LAN-Protokollversion {1}, dieses Korvane Version {2}",
    "it speaks LAN protocol version {1}, this Korvane version {2}"};
inline constexpr MessageText RequestRefusedText{"er hat die Anfrage abgelehnt",
                                                "it refused the request"};
inline constexpr MessageText AnswerTooLargeText{
    "seine Antwort von {1} Bytes ist größer als die {2}, die dieses Korvane annimmt",
    "its answer of {1} bytes is larger than the {2} this Korvane takes"};
// The whole exchange.
inline constexpr MessageText NotAnAddressText{"keine IPv4-Adresse", "not an IPv4 address"};
inline constexpr MessageText CancelledText{"abgebrochen", "cancelled"};
inline constexpr MessageText BusyText{
    "der Host ist ausgelastet: er hat die Verbindung {1}-mal vor seiner Antwort beendet",
    "the host is busy: it ended the connection {1} time(s) before answering"};
inline constexpr MessageText NoAnswerText{"keine Antwort innerhalb von {1} Sekunden",
                                          "no answer within {1} seconds"};
// A name among the sharing PCs. {1} how many, {2} their addresses.
inline constexpr MessageText NoSuchHostText{
    "kein Host dieses Namens, und kein freigebender PC hat sich mit ihm gemeldet",
    "no host of that name, and no sharing PC answered with it"};
inline constexpr MessageText SeveralHostsText{
    "{1} PCs melden sich mit diesem Namen: {2}; bitte die Adresse des gemeinten angeben",
    "{1} PCs answer to that name: {2}; give the address of the one meant"};

// What marks this PC's own share among the hosts found.
inline constexpr MessageText ThisPcMark{"dieser PC", "this PC"};

// A PC that hosts found: "NAME (ADDRESS): Korvane VERSION, report fingerprint HEX", "NAME (this
// PC, ADDRESS): ..." for this PC's own share, or that it speaks another protocol version; what it
// sent is shown with its control characters escaped.
std::string HostLine(const FoundHost& host, bool thisPc, Language language);
// That no PC answered on the port, and what to look at.
std::string NoHostAnsweredText(unsigned short port, Language language);
// "NAME (ADDRESS, ADDRESS)", the name escaped where it is not plain text: how a PC that shares
// is named to the organiser.
std::string PcWithAddresses(const std::string& name, const std::vector<std::string>& addresses);
// "Sharing this PC's report as NAME (ADDRESSES) on port PORT (UDP and TCP); Ctrl+C ends it."
std::string SharingText(const std::string& name, const std::vector<std::string>& addresses,
                        unsigned short port, Language language);
// A guest's verdict: "NAME (ADDRESS): same", or how many files differ and the first of them; a
// verdict on a report this PC no longer shares says so first.
std::string VerdictLine(const VerdictRow& row, Language language);

} // namespace korvane::lancheck
