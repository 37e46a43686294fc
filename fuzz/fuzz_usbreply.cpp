// Replies of the phone over USB, both transports, and the poll answer of the
// control transport. The first two bytes of an input are the id of the
// command sent, the rest the bytes received. A reply taken as ours carries our
// id, and every payload lies within the bytes received.
#include "fuzzsupport.h"

#include "phone/usb/p2kframe.h"

#include <cstring>

namespace {

using namespace p2kusb;

void CheckReply(const std::uint8_t *data, std::size_t size, P2kTransport transport, std::uint16_t sent)
{
    const ParsedReply reply = ParseReply(data, size, transport, sent);
    if (reply.kind == ParsedReply::Kind::Malformed) {
        FUZZ_CHECK(reply.payload.empty());
        return;
    }
    const bool ours = reply.packetId == (sent & kPacketIdMask);
    FUZZ_CHECK(ours == (reply.kind != ParsedReply::Kind::OtherPacket));
    const std::size_t header = transport == P2kTransport::Control ? kControlReplyHeader : kBulkHeader;
    FUZZ_CHECK(header + reply.payload.size() <= size);
    FUZZ_CHECK(reply.payload.empty() || std::memcmp(reply.payload.data(), data + header, reply.payload.size()) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::uint16_t sent = Be16(data);
    const std::uint8_t *received = data + 2;
    const std::size_t count = size - 2;
    CheckReply(received, count, P2kTransport::Control, sent);
    CheckReply(received, count, P2kTransport::Bulk, sent);

    const PollReply poll = ParsePoll(received, count);
    if (poll.kind == PollReply::Kind::Ready) {
        FUZZ_CHECK(count >= 4);
        // A message over the bound is fetched only to be dropped, and says so.
        FUZZ_CHECK(poll.firstSize >= kControlHeader && poll.firstSize + kFetchPrefix <= 0xFFFF);
        FUZZ_CHECK(poll.fits == (poll.firstSize + kFetchPrefix <= kMaxReply));
    }
    return 0;
}
