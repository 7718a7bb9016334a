// The frame header as a host or guest reads it from a datagram or a connection.
#include "fuzz_input.hpp"
#include "lan/lan_protocol.hpp"

using namespace korvane::lancheck;
using korvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = korvane::fuzz::Bytes(data, size);
    const std::optional<FrameHeader> header = ReadHeader(bytes);
    // Taken exactly when the ten bytes are there and start with the magic.
    Require(header.has_value() == (size >= FrameHeaderBytes && bytes.starts_with("KVLC")));
    if (!header) {
        return 0;
    }
    // What follows the header, framed again under the kind read, reads back as it was framed; a
    // frame of this version whose length is its payload's is made again byte for byte.
    const std::string payload = bytes.substr(FrameHeaderBytes);
    const std::string frame = Frame(static_cast<MessageKind>(header->kind), payload);
    const std::optional<FrameHeader> framed = ReadHeader(frame);
    Require(framed && framed->version == LanProtocolVersion && framed->kind == header->kind &&
            framed->length == payload.size());
    Require((header->version == LanProtocolVersion && header->length == payload.size()) ==
            (frame == bytes));
    return 0;
}
