#include "p2kframe.h"

namespace p2kusb {
namespace {

bool ResultAccepted(std::uint8_t resultHigh)
{
    const int nibble = resultHigh >> 4;
    return nibble == 0x8 || nibble == 0x6;
}

// The fields both layouts share once their offsets are known.
ParsedReply Classify(std::uint16_t idWord, std::uint8_t resultHigh, const std::uint8_t *payload,
                     std::size_t payloadSize, std::uint16_t sentPacketId)
{
    ParsedReply reply;
    if (!(idWord & 0x8000))
        return reply;
    reply.packetId = idWord & kPacketIdMask;
    reply.result = resultHigh;
    reply.payload.assign(payload, payload + payloadSize);
    if (reply.packetId != (sentPacketId & kPacketIdMask))
        reply.kind = ParsedReply::Kind::OtherPacket;
    else
        reply.kind = ResultAccepted(resultHigh) ? ParsedReply::Kind::Ok
                                                : ParsedReply::Kind::Refused;
    return reply;
}

}  // namespace

std::vector<std::uint8_t> EncodeCommand(P2kTransport transport, std::uint16_t packetId,
                                        std::uint16_t command,
                                        std::span<const std::uint8_t> payload)
{
    std::vector<std::uint8_t> frame;
    frame.reserve(kBulkHeader + payload.size());
    PutBe16(frame, packetId & kPacketIdMask);
    PutBe16(frame, command);
    if (transport == P2kTransport::Control) {
        PutBe16(frame, static_cast<std::uint16_t>(payload.size()));
        PutBe16(frame, 0);
    } else {
        PutBe32(frame, 0);
        PutBe32(frame, static_cast<std::uint32_t>(payload.size()));
    }
    frame.insert(frame.end(), payload.begin(), payload.end());
    return frame;
}

PollReply ParsePoll(const std::uint8_t *data, std::size_t size)
{
    PollReply poll;
    if (!data || size < 2)
        return poll;
    const std::size_t waiting = data[1];
    if (waiting == 0) {
        poll.kind = PollReply::Kind::NotReady;
        return poll;
    }
    if (size < 4)
        return poll;
    const std::size_t first = Be16(data + 2);
    if (first < kControlHeader || first + kFetchPrefix > 0xFFFF)
        return poll;
    poll.kind = PollReply::Kind::Ready;
    poll.firstSize = first;
    poll.fits = first + kFetchPrefix <= kMaxReply;
    return poll;
}

ParsedReply ParseReply(const std::uint8_t *data, std::size_t size, P2kTransport transport,
                       std::uint16_t sentPacketId)
{
    if (!data)
        return {};
    if (transport == P2kTransport::Control) {
        // One message: count 1, its size matching what came, and the
        // payload length matching the message.
        if (size < kControlReplyHeader || data[0] != 1 || Be16(data + 4) != size - kFetchPrefix ||
            Be16(data + 10) != size - kControlReplyHeader)
            return {};
        return Classify(Be16(data + 6), data[8], data + kControlReplyHeader,
                        size - kControlReplyHeader, sentPacketId);
    }
    if (size < kBulkHeader)
        return {};
    const std::size_t declared = Be32(data + 8);
    const std::size_t rest = size - kBulkHeader;
    // The phone ends a transfer of whole packets with two zero bytes.
    const bool padded = rest == declared + 2 && data[size - 2] == 0 && data[size - 1] == 0;
    if (rest != declared && !padded)
        return {};
    return Classify(Be16(data), data[2], data + kBulkHeader, declared, sentPacketId);
}

}  // namespace p2kusb
