#pragma once

#include "p2kframe.h"
#include "usbbus.h"

#include <chrono>
#include <memory>
#include <optional>

namespace p2kusb {

struct CommandInterface {
    int number = 8;
    P2kTransport transport = P2kTransport::Control;
    std::uint8_t in = 0;   // bulk endpoints of P2K05
    std::uint8_t out = 0;
};

// One claimed command interface: one command in flight at a time, each with
// the next 12-bit packet id, each bounded in time. A reply that did not come
// in time is still owed: it is taken, or the interface claimed afresh, before
// the next command goes out.
class P2kLink {
public:
    // NoReply: the command went out and no answer came in time.
    enum class Outcome { Ok, Refused, Failed, NoReply, Gone };
    struct Reply {
        Outcome outcome = Outcome::Failed;
        std::vector<std::uint8_t> payload;
        bool ok() const { return outcome == Outcome::Ok; }
    };

    static constexpr auto kReplyWait = std::chrono::milliseconds(3000);
    static constexpr unsigned kTransferTimeoutMs = 1000;
    // How long a reply still owed is waited for before the link is reset.
    static constexpr auto kOwedWait = std::chrono::milliseconds(1000);

    // packetId: the last id used, kept by the caller so that a new link never
    // repeats the ids of the one before, whose late replies may still come.
    P2kLink(std::unique_ptr<UsbHandle> handle, CommandInterface interface,
            std::uint16_t &packetId);
    ~P2kLink();
    P2kLink(const P2kLink &) = delete;
    P2kLink &operator=(const P2kLink &) = delete;

    Reply command(std::uint16_t code, std::span<const std::uint8_t> payload,
                  std::chrono::milliseconds wait = kReplyWait);
    // The phone left the bus during a transfer: the link is of no more use.
    bool gone() const { return gone_; }
    P2kTransport transport() const { return interface_.transport; }
    bool owing() const { return owed_.has_value(); }

private:
    Reply send(const std::vector<std::uint8_t> &frame);
    // The reply to the owed command, taken as it comes; NoReply by the deadline.
    Reply awaitControl(std::chrono::steady_clock::time_point deadline);
    Reply awaitBulk(std::chrono::steady_clock::time_point deadline);
    Reply await(std::chrono::steady_clock::time_point deadline);
    Reply taken(ParsedReply &&parsed);
    // Takes a reply still owed, else releases and claims the interface again.
    bool settle();
    Reply failure(UsbStatus status, std::uint8_t endpoint, bool sent);

    std::unique_ptr<UsbHandle> handle_;
    CommandInterface interface_;
    std::uint16_t &packetId_;
    bool gone_ = false;
    std::optional<std::uint16_t> owed_;
    std::vector<std::uint8_t> received_;  // bulk bytes not yet a whole reply
};

}  // namespace p2kusb
