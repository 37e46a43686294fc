#pragma once

#include "p2klink.h"
#include "usbbus.h"

#include <string>

namespace p2kusb {

enum class PhoneMode { Command, Modem, MassStorage, Unknown };

// What a Motorola device offers, read from its interface strings by prefix:
// interface numbers are not assumed, the transport follows from the
// endpoints of the command interface.
struct PhoneDevice {
    PhoneMode mode = PhoneMode::Unknown;
    CommandInterface command;   // when mode is Command
    int dataInterface = -1;     // when mode is Modem and it has a data interface
    std::uint8_t dataOut = 0;   // its bulk OUT endpoint
    std::uint8_t dataIn = 0;    // and bulk IN, for the answer; 0 when it has none
};

PhoneDevice ClassifyDevice(const UsbDevice &device);
const char *ModeName(const PhoneDevice &device);

}  // namespace p2kusb
