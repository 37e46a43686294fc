#include "usbbus.h"

namespace p2kusb {

const char *Describe(UsbStatus status)
{
    switch (status) {
    case UsbStatus::Ok: return "ok";
    case UsbStatus::Timeout: return "timed out";
    case UsbStatus::Stall: return "stalled";
    case UsbStatus::NoDevice: return "device gone";
    case UsbStatus::Access: return "permission denied";
    case UsbStatus::Busy: return "in use by another program or driver";
    case UsbStatus::Error: break;
    }
    return "failed";
}

}  // namespace p2kusb
