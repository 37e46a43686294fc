#include "phonedevice.h"

namespace p2kusb {
namespace {

bool HasPrefix(const std::string &name, std::string_view prefix)
{
    return name.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

PhoneDevice ClassifyDevice(const UsbDevice &device)
{
    PhoneDevice phone;
    bool storage = false;
    bool modem = false;
    for (const UsbInterface &interface : device.interfaces) {
        if (HasPrefix(interface.name, "Motorola Test Command")) {
            phone.mode = PhoneMode::Command;
            phone.command.number = interface.number;
            std::uint8_t in = 0, out = 0;
            for (const UsbEndpoint &endpoint : interface.endpoints) {
                if (!endpoint.bulk)
                    continue;
                (endpoint.address & 0x80 ? in : out) = endpoint.address;
            }
            phone.command.transport =
                in && out ? P2kTransport::Bulk : P2kTransport::Control;
            phone.command.in = in;
            phone.command.out = out;
            return phone;
        }
        // Some phones name only the communication interface; their modem is
        // then reached through its serial device.
        if (HasPrefix(interface.name, "Motorola Communication Interface"))
            modem = true;
        if (HasPrefix(interface.name, "Motorola Data Interface")) {
            modem = true;
            for (const UsbEndpoint &endpoint : interface.endpoints) {
                if (endpoint.bulk && !(endpoint.address & 0x80)) {
                    phone.dataInterface = interface.number;
                    phone.dataOut = endpoint.address;
                } else if (endpoint.bulk) {
                    phone.dataIn = endpoint.address;
                }
            }
        }
        if (HasPrefix(interface.name, "Motorola Mass Storage Interface"))
            storage = true;
    }
    if (modem)
        phone.mode = PhoneMode::Modem;
    else if (storage)
        phone.mode = PhoneMode::MassStorage;
    return phone;
}

const char *ModeName(const PhoneDevice &device)
{
    switch (device.mode) {
    case PhoneMode::Command:
        return device.command.transport == P2kTransport::Bulk ? "command P2K05" : "command";
    case PhoneMode::Modem:
        return "modem";
    case PhoneMode::MassStorage:
        return "mass storage";
    case PhoneMode::Unknown:
        break;
    }
    return "unknown";
}

}  // namespace p2kusb
