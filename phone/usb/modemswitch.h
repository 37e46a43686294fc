#pragma once

#include "phonedevice.h"
#include "usbbus.h"

#include <chrono>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>

namespace p2kusb {

// Sends AT+MODE=8 to a phone in modem mode, in the background, and listens
// for the answer: first over its data interface with the kernel's driver
// detached (and given back unless the phone left), else on its serial device.
// Each enumeration of a phone is tried once; on OK the phone leaves the bus
// and comes back in command mode, on ERROR or silence it stays a modem.
class ModemSwitch {
public:
    explicit ModemSwitch(UsbBus &bus) : bus_(bus) {}
    ~ModemSwitch();
    ModemSwitch(const ModemSwitch &) = delete;
    ModemSwitch &operator=(const ModemSwitch &) = delete;

    void start(const std::string &id, const PhoneDevice &device);
    // The switch of this enumeration was refused, went unanswered or could not be sent.
    bool failed(const std::string &id) const;
    // Waits for a switch under way to be sent or to fail.
    void finish() { join(); }
    // What the last switch did, for people.
    std::string outcome() const;
    // A switch went out lately, so the phone is on its way back.
    bool recentlySent() const;
    void forget();

    static constexpr std::string_view kCommand = "AT+MODE=8\r\n";
    // How long a switched phone may take to come back in command mode.
    static constexpr auto kComeBack = std::chrono::seconds(20);

private:
    void run(std::string id, PhoneDevice device);
    void join();

    UsbBus &bus_;
    std::thread worker_;
    mutable std::mutex mutex_;
    std::set<std::string> tried_;
    std::set<std::string> failed_;
    bool running_ = false;
    std::string outcome_;
    std::optional<std::chrono::steady_clock::time_point> sentAt_;
};

}  // namespace p2kusb
