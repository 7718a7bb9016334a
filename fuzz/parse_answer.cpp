// A host's Answer to a guest's Query, as it arrives by UDP from anybody on the LAN.
#include "fuzz_input.hpp"
#include "lan/lan_protocol.hpp"

using namespace korvane::lancheck;
using korvane::fuzz::IsPlainText;
using korvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string payload = korvane::fuzz::Bytes(data, size);
    const std::optional<HostAnswer> answer = ParseAnswer(payload);
    if (!answer) {
        return 0;
    }
    Require(IsPlainText(answer->name, MaxNameBytes) && IsPlainText(answer->version, MaxNameBytes) &&
            IsPlainText(answer->fingerprint, MaxNameBytes));
    // An answer taken is the payload a host writes for it, and reads back the same.
    Require(AnswerPayload(*answer) == payload);
    const std::optional<HostAnswer> again = ParseAnswer(AnswerPayload(*answer));
    Require(again && again->name == answer->name && again->version == answer->version &&
            again->fingerprint == answer->fingerprint);
    return 0;
}
