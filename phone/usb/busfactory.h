#pragma once

#include "usbbus.h"

namespace p2kusb {

// The bus of the library: libusb, unless TINTORA_P2KAPI_BUS names a shared
// object whose exported P2kUsbBus() gives another one (the tests' phone
// emulator). A named object that does not load gives a bus with no devices,
// never the real one, so a test cannot reach a phone by mistake.
UsbBus &TheBus();

}  // namespace p2kusb

extern "C" {
using P2kUsbBusFn = p2kusb::UsbBus *(*)();
}
