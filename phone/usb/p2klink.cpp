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
    if (owed_ && !settle())
        return gone_ ? Reply{Outcome::Gone, {}} : Reply{};
    packetId_ = (packetId_ + 1) & kPacketIdMask;
    const std::vector<std::uint8_t> frame =
        EncodeCommand(interface_.transport, packetId_, code, payload);
    const auto deadline = Clock::now() + wait;
    const Reply sent = send(frame);
    if (!sent.ok())
        return sent;
    owed_ = packetId_;
    return await(deadline);
}

bool P2kLink::settle()
{
    await(Clock::now() + kOwedWait);
    if (!owed_)
        return true;
    if (gone_)
        return false;
    // A phone answers one command at a time: a new claim of the interface
    // starts afresh rather than send on top of what it still owes.
    owed_.reset();
    received_.clear();
    handle_->release(interface_.number);
    const UsbStatus claimed = handle_->claim(interface_.number, false);
    if (claimed == UsbStatus::NoDevice)
        gone_ = true;
    return claimed == UsbStatus::Ok;
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

P2kLink::Reply P2kLink::send(const std::vector<std::uint8_t> &frame)
{
    std::vector<std::uint8_t> out = frame;
    const bool control = interface_.transport == P2kTransport::Control;
    const UsbResult sent =
        control ? handle_->control(kVendorInterfaceOut, kSendCommand, 0,
                                   static_cast<std::uint16_t>(interface_.number), out.data(),
                                   static_cast<std::uint16_t>(out.size()), kTransferTimeoutMs)
                : handle_->bulk(interface_.out, out.data(), static_cast<int>(out.size()),
                                kTransferTimeoutMs);
    if (sent.status != UsbStatus::Ok)
        return failure(sent.status, control ? 0 : interface_.out, false);
    if (sent.length != static_cast<int>(out.size()))
        return {};
    return {Outcome::Ok, {}};
}

P2kLink::Reply P2kLink::await(Clock::time_point deadline)
{
    return interface_.transport == P2kTransport::Control ? awaitControl(deadline)
                                                         : awaitBulk(deadline);
}

// A reply to an earlier command that came too late is dropped; anything else
// that came was the owed reply, well formed or not.
P2kLink::Reply P2kLink::taken(ParsedReply &&parsed)
{
    if (parsed.kind == ParsedReply::Kind::OtherPacket)
        return {Outcome::NoReply, {}};
    owed_.reset();
    return FromParsed(std::move(parsed));
}

P2kLink::Reply P2kLink::awaitControl(Clock::time_point deadline)
{
    const auto index = static_cast<std::uint16_t>(interface_.number);
    auto pause = std::chrono::microseconds(100);
    std::uint8_t poll[kPollLength];
    while (owed_ && Clock::now() < deadline) {
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
        Reply outcome = taken(ParseReply(reply.data(), static_cast<std::size_t>(fetched.length),
                                         P2kTransport::Control, *owed_));
        // A reply too large to be one is fetched all the same, so it does not
        // block the queue, and then dropped.
        if (!waiting.fits)
            return {};
        if (outcome.outcome != Outcome::NoReply)
            return outcome;
    }
    return {Outcome::NoReply, {}};
}

// A P2K05 reply ends with a short transfer; one of whole packets may end with
// no zero-length packet, so the bytes of a read that timed out are kept and
// taken once they make a whole reply.
P2kLink::Reply P2kLink::awaitBulk(Clock::time_point deadline)
{
    std::vector<std::uint8_t> buffer(kBulkReadSize);
    while (owed_ && Clock::now() < deadline) {
        const UsbResult read = handle_->bulk(interface_.in, buffer.data(),
                                             static_cast<int>(buffer.size()), TimeoutUntil(deadline));
        if (read.status != UsbStatus::Ok && read.status != UsbStatus::Timeout)
            return failure(read.status, interface_.in, true);
        received_.insert(received_.end(), buffer.begin(), buffer.begin() + read.length);
        if (received_.empty())
            continue;  // a zero-length packet alone ends nothing
        const bool ended = read.status == UsbStatus::Ok && read.length < static_cast<int>(buffer.size());
        const bool whole = received_.size() >= kBulkHeader &&
                           received_.size() >= kBulkHeader + std::size_t{Be32(received_.data() + 8)};
        if (!ended && !(whole && read.status == UsbStatus::Timeout) &&
            received_.size() <= kMaxReply + kBulkHeader)
            continue;
        std::vector<std::uint8_t> reply;
        reply.swap(received_);
        Reply outcome =
            taken(ParseReply(reply.data(), reply.size(), P2kTransport::Bulk, *owed_));
        if (outcome.outcome != Outcome::NoReply)
            return outcome;
    }
    return {Outcome::NoReply, {}};
}

}  // namespace p2kusb
