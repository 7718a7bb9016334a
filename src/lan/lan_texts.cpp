#include "lan/lan_texts.hpp"

#include <algorithm>

#include "report/report_compare.hpp"

namespace korvane::lancheck {

std::string HostLine(const FoundHost& host, bool thisPc, Language language) {
    if (host.protocol != LanProtocolVersion) {
        return TextIn(
            language,
            {"{1}: spricht LAN-Protokollversion {2}, dieses Korvane Version {3}",
             "{1}: speaks LAN protocol version {2}, this Korvane version {3}"},
            {host.address, std::to_string(host.protocol), std::to_string(LanProtocolVersion)});
    }
    return TextIn(language,
                  {"{1} ({2}): Korvane {3}, Fingerabdruck des Berichts {4}",
                   "{1} ({2}): Korvane {3}, report fingerprint {4}"},
                  {Printable(host.answer.name),
                   thisPc ? TextIn(language, ThisPcMark).append(", ").append(host.address)
                          : host.address,
                   Printable(host.answer.version),
                   Printable(host.answer.fingerprint)});
}

std::string NoHostAnsweredText(unsigned short port, Language language) {
    return TextIn(language,
                  {"kein PC hat auf Port {1} geantwortet; läuft dort korvane-cli share? Sonst "
                   "hilft der Abschnitt zum LAN-Check im Netzwerk in der README (eine Firewall, "
                   "ein als öffentlich eingestuftes Netzwerk, ein anderes Subnetz: verify --host "
                   "ADRESSE)",
                   "no PC answered on port {1}; is korvane-cli share running there? Otherwise "
                   "see the README's \"LAN check over the network\" (a firewall, a network marked "
                   "Public, another subnet: verify --host ADDRESS)"},
                  {std::to_string(port)});
}

std::string PcWithAddresses(const std::string& name, const std::vector<std::string>& addresses) {
    std::string pc = Printable(name);
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        pc.append(i == 0 ? " (" : ", ").append(addresses[i]);
    }
    return addresses.empty() ? pc : pc + ')';
}

std::string SharingText(const std::string& name, const std::vector<std::string>& addresses,
                        unsigned short port, Language language) {
    return TextIn(language,
                  {"Der Bericht dieses PCs wird als {1} auf Port {2} freigegeben (UDP und TCP); "
                   "Strg+C beendet die Freigabe.",
                   "Sharing this PC's report as {1} on port {2} (UDP and TCP); Ctrl+C ends it."},
                  {PcWithAddresses(name, addresses), std::to_string(port)});
}

std::string VerdictLine(const VerdictRow& row, Language language) {
    constexpr std::size_t shownPaths = 3;
    const Verdict& verdict = row.verdict;
    std::string line = Printable(row.name);
    line.append(" (").append(row.address).append("): ");
    if (row.earlier) {
        line += TextIn(
            language, {"gegen einen früheren Bericht ({1}), ", "against an earlier report ({1}), "},
            {Printable(verdict.report)});
    }
    if (verdict.differing == 0) {
        return line + TextIn(language, {"gleich", "same"});
    }
    std::string paths;
    for (std::size_t i = 0; i < verdict.files.size() && i < shownPaths; ++i) {
        paths += (i == 0 ? ": " : ", ") + ShownFile(verdict.files[i].path);
    }
    if (verdict.differing > shownPaths && !verdict.files.empty()) {
        paths += TextIn(
            language, {" und {1} weitere", " and {1} more"},
            {std::to_string(verdict.differing - std::min(shownPaths, verdict.files.size()))});
    }
    return line + TextIn(language, {"weicht in {1} Datei(en) ab{2}", "differs in {1} file(s){2}"},
                         {std::to_string(verdict.differing), paths});
}

} // namespace korvane::lancheck
