#pragma once

// The one door to USB. The link logic sees the phone only through these two
// classes, so a test can put an emulated phone behind them; the libusb
// implementation stays a thin translation.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace p2kusb {

enum class UsbStatus { Ok, Timeout, Stall, NoDevice, Access, Busy, Error };

struct UsbResult {
    UsbStatus status = UsbStatus::Ok;
    int length = 0;  // bytes moved
};

struct UsbEndpoint {
    std::uint8_t address = 0;  // bit 0x80: IN
    bool bulk = false;
};

struct UsbInterface {
    int number = 0;
    std::string name;  // the interface string, empty when unknown
    std::vector<UsbEndpoint> endpoints;
};

struct UsbDevice {
    std::string id;        // new whenever the device enumerates again
    std::string location;  // where it sits, for people ("bus 3 address 12")
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    std::vector<UsbInterface> interfaces;
    // Access: the device cannot be opened by this user; the names may then be
    // missing.
    UsbStatus access = UsbStatus::Ok;
};

class UsbHandle {
public:
    virtual ~UsbHandle() = default;
    virtual UsbResult control(std::uint8_t requestType, std::uint8_t request,
                              std::uint16_t value, std::uint16_t index, std::uint8_t *data,
                              std::uint16_t length, unsigned timeoutMs) = 0;
    virtual UsbResult bulk(std::uint8_t endpoint, std::uint8_t *data, int length,
                           unsigned timeoutMs) = 0;
    // detach: let go of a kernel driver bound to the interface first.
    virtual UsbStatus claim(int interface, bool detach) = 0;
    // Gives the interface back, to the kernel driver too if claim detached one.
    virtual void release(int interface) = 0;
    virtual void clearHalt(std::uint8_t endpoint) = 0;
};

// The serial device the system made of a device's modem, raw at 115200 baud.
class ModemPort {
public:
    virtual ~ModemPort() = default;
    virtual UsbStatus write(std::string_view bytes) = 0;
    // Waits up to timeoutMs for the first bytes and takes what has come;
    // Timeout when none came.
    virtual UsbResult read(std::uint8_t *data, int length, unsigned timeoutMs) = 0;
};

// Safe to use from two threads at once (the modem switch runs in the background).
class UsbBus {
public:
    virtual ~UsbBus() = default;
    // Ids of the devices of a vendor, from the device list alone: no transfer.
    virtual std::vector<std::string> list(std::uint16_t vendor) = 0;
    virtual std::optional<UsbDevice> describe(const std::string &id) = 0;
    virtual std::unique_ptr<UsbHandle> open(const std::string &id, UsbStatus &status) = 0;
    virtual std::unique_ptr<ModemPort> openModemPort(const std::string &id,
                                                     UsbStatus &status) = 0;
};

const char *Describe(UsbStatus status);

}  // namespace p2kusb
