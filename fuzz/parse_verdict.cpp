// A guest's verdict, as a host takes it over TCP from anybody on the LAN.
#include "fuzz_input.hpp"
#include "lan/lan_protocol.hpp"

using namespace korvane::lancheck;
using korvane::fuzz::IsPlainText;
using korvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<Verdict> verdict = ParseVerdict(korvane::fuzz::Bytes(data, size));
    if (!verdict) {
        return 0;
    }
    Require(IsPlainText(verdict->name, MaxNameBytes) && IsPlainText(verdict->report, MaxNameBytes) &&
            verdict->files.size() <= MaxVerdictPaths && verdict->differing >= verdict->files.size() &&
            verdict->differing <= MaxDifferingFiles);
    for (const VerdictFile& file : verdict->files) {
        // A side is empty where that PC has no such file.
        Require(IsPlainText(file.path, MaxVerdictBytes) &&
                (file.guest.empty() || IsPlainText(file.guest, MaxVerdictBytes)) &&
                (file.host.empty() || IsPlainText(file.host, MaxVerdictBytes)));
    }
    // A verdict taken survives being told again unchanged: nothing in it is cut off or lost.
    const std::optional<Verdict> again = ParseVerdict(VerdictPayload(*verdict));
    Require(again && again->name == verdict->name && again->report == verdict->report &&
            again->differing == verdict->differing && again->files == verdict->files);
    return 0;
}
