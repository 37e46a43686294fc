#pragma once

// What the operating system tells about a USB device beyond libusb: the
// interface strings it keeps, and the serial port of a phone in modem mode.

#include "usbbus.h"

#include <memory>
#include <string>
#include <string_view>

struct libusb_device;

namespace p2kusb {

// The interface's string as the system keeps it, read without a transfer;
// empty when the system keeps none (then the device is asked).
std::string SystemInterfaceName(libusb_device *device, int configuration, int interface);

// The serial port the system made of the device's modem interface.
std::unique_ptr<ModemPort> OpenModemPort(libusb_device *device, UsbStatus &status);

}  // namespace p2kusb
