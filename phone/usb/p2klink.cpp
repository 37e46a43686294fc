#include "p2klink.h"

#include <algorithm>
#include <thread>

namespace p2kusb {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint8_t kVendorInterfaceOut = 0x41;
constexpr std::uint8_t kVendorInterfaceIn = 0xC1;
constexpr std::uint8_t kSendCommand = 0x02;
constexpr std::uint8_t kPoll = 0x00;
constexpr std::uint8_t kFetch = 0x01;
constexpr std::uint16_t kPollLength = 8;
constexpr std::size_t kBulkReadSize = 0x1000;

unsigned TimeoutUntil(Clock::time_point deadline)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<unsigned>(std::clamp<long long>(left, 1, P2kLink::kTransferTimeoutMs));
}

P2kLink::Reply FromParsed(ParsedReply &&parsed)
{
    P2kLink::Reply reply;
    reply.outcome = parsed.kind == ParsedReply::Kind::Ok ? P2kLink::Outcome::Ok
                    : parsed.kind == ParsedReply::Kind::Refused ? P2kLink::Outcome::Refused
                                                                : P2kLink::Outcome::Failed;
    reply.payload = std::move(parsed.payload);
    return reply;
}

}  // namespace

P2kLink::P2kLink(std::unique_ptr<UsbHandle> handle, CommandInterface interface,
                 std::uint16_t &packetId)
    : handle_(std::move(handle)), interface_(interface), packetId_(packetId)
{
}

P2kLink::~P2kLink()
{
    if (!gone_)
        handle_->release(interface_.number);
}

P2kLink::Reply P2kLink::command(std::uint16_t code, std::span<const std::uint8_t> payload,
                                std::chrono::milliseconds wait)
{
    if (gone_)
        return {Outcome::Gone, {}};
    // The control frame's length fields are 16 bits wide.
    if (interface_.transport == P2kTransport::Control &&
        payload.size() > 0xFFFF - kControlHeader)
        return {};
    packetId_ = (packetId_ + 1) & kPacketIdMask;
    const std::vector<std::uint8_t> frame =
        EncodeCommand(interface_.transport, packetId_, code, payload);
    const auto deadline = Clock::now() + wait;
    return interface_.transport == P2kTransport::Control ? overControl(frame, packetId_, deadline)
                                                         : overBulk(frame, packetId_, deadline);
}

P2kLink::Reply P2kLink::failure(UsbStatus status, std::uint8_t endpoint, bool sent)
{
    if (status == UsbStatus::NoDevice)
        gone_ = true;
    else if (status == UsbStatus::Stall && endpoint)
        handle_->clearHalt(endpoint);
    if (gone_)
        return {Outcome::Gone, {}};
    return {sent && status == UsbStatus::Timeout ? Outcome::NoReply : Outcome::Failed, {}};
}

P2kLink::Reply P2kLink::overControl(const std::vector<std::uint8_t> &frame, std::uint16_t id,
                                    Clock::time_point deadline)
{
    const auto index = static_cast<std::uint16_t>(interface_.number);
    std::vector<std::uint8_t> out = frame;
    const UsbResult sent = handle_->control(kVendorInterfaceOut, kSendCommand, 0, index,
                                            out.data(), static_cast<std::uint16_t>(out.size()),
                                            kTransferTimeoutMs);
    if (sent.status != UsbStatus::Ok)
        return failure(sent.status, 0, false);
    if (sent.length != static_cast<int>(out.size()))
        return {};

    auto pause = std::chrono::microseconds(100);
    std::uint8_t poll[kPollLength];
    while (Clock::now() < deadline) {
        const UsbResult polled = handle_->control(kVendorInterfaceIn, kPoll, 0, index, poll,
                                                  kPollLength, TimeoutUntil(deadline));
        if (polled.status != UsbStatus::Ok)
            return failure(polled.status, 0, true);
        const PollReply waiting = ParsePoll(poll, static_cast<std::size_t>(polled.length));
        if (waiting.kind == PollReply::Kind::Malformed)
            return {};
        if (waiting.kind == PollReply::Kind::NotReady) {
            std::this_thread::sleep_for(pause);
            pause = std::min<std::chrono::microseconds>(pause * 2, std::chrono::milliseconds(10));
            continue;
        }
        std::vector<std::uint8_t> reply(waiting.firstSize + kFetchPrefix);
        const UsbResult fetched =
            handle_->control(kVendorInterfaceIn, kFetch, 1, index, reply.data(),
                             static_cast<std::uint16_t>(reply.size()), TimeoutUntil(deadline));
        if (fetched.status != UsbStatus::Ok)
            return failure(fetched.status, 0, true);
        ParsedReply parsed = ParseReply(reply.data(), static_cast<std::size_t>(fetched.length),
                                        P2kTransport::Control, id);
        // A reply to an earlier command that came too late is dropped.
        if (parsed.kind != ParsedReply::Kind::OtherPacket)
            return FromParsed(std::move(parsed));
    }
    return {Outcome::NoReply, {}};
}

P2kLink::Reply P2kLink::overBulk(const std::vector<std::uint8_t> &frame, std::uint16_t id,
                                 Clock::time_point deadline)
{
    std::vector<std::uint8_t> out = frame;
    const UsbResult sent = handle_->bulk(interface_.out, out.data(), static_cast<int>(out.size()),
                                         kTransferTimeoutMs);
    if (sent.status != UsbStatus::Ok)
        return failure(sent.status, interface_.out, false);
    if (sent.length != static_cast<int>(out.size()))
        return {};
    std::vector<std::uint8_t> reply(kBulkReadSize);
    while (Clock::now() < deadline) {
        const UsbResult read = handle_->bulk(interface_.in, reply.data(),
                                             static_cast<int>(reply.size()), TimeoutUntil(deadline));
        if (read.status != UsbStatus::Ok)
            return failure(read.status, interface_.in, true);
        ParsedReply parsed = ParseReply(reply.data(), static_cast<std::size_t>(read.length),
                                        P2kTransport::Bulk, id);
        if (parsed.kind != ParsedReply::Kind::OtherPacket)
            return FromParsed(std::move(parsed));
    }
    return {Outcome::NoReply, {}};
}

}  // namespace p2kusb
