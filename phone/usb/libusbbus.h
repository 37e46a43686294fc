#pragma once

#include "usbbus.h"

struct libusb_context;
struct libusb_device;

namespace p2kusb {

// The bus through libusb-1.0. Interface strings come from sysfs where the
// kernel keeps them (no transfer, no permission needed), else from the device.
class LibusbBus final : public UsbBus {
public:
    LibusbBus();
    ~LibusbBus() override;

    std::vector<std::string> list(std::uint16_t vendor) override;
    std::optional<UsbDevice> describe(const std::string &id) override;
    std::unique_ptr<UsbHandle> open(const std::string &id, UsbStatus &status) override;
    std::unique_ptr<ModemPort> openModemPort(const std::string &id, UsbStatus &status) override;

private:
    // The device of an id, referenced; null when it left.
    libusb_device *find(const std::string &id);

    libusb_context *context_ = nullptr;
};

}  // namespace p2kusb
