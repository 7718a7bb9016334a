// A guest's request for one folder's files, as a host takes it over TCP from anybody on the LAN.
#include "fuzz_input.hpp"
#include "lan/lan_protocol.hpp"

using namespace korvane::lancheck;
using korvane::fuzz::IsPlainText;
using korvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<FolderRequest> request =
        ParseFolderRequest(korvane::fuzz::Bytes(data, size));
    if (!request) {
        return 0;
    }
    Require(IsPlainText(request->game, MaxNameBytes));
    // Every name of the path is one a folder can have: the path leads nowhere but down.
    if (!request->folderPath.empty()) {
        std::string name;
        for (const char c : request->folderPath + '\\') {
            if (c != '\\') {
                name += c;
                continue;
            }
            Require(!name.empty() && name != "." && name != ".." &&
                    name.find('/') == std::string::npos);
            name.clear();
        }
    }
    // A request taken is one a guest can write, and reads back the same.
    const std::string written = FolderRequestPayload(request->game, request->folderPath);
    Require(written.size() <= MaxFolderRequestBytes && ParseFolderRequest(written) == request);
    return 0;
}
