#include "modemswitch.h"

namespace p2kusb {
namespace {

constexpr unsigned kSwitchTimeoutMs = 2000;

// Over the data interface; Ok when the phone took the whole command.
UsbStatus SendOverUsb(UsbBus &bus, const std::string &id, const PhoneDevice &device)
{
    if (device.dataInterface < 0)
        return UsbStatus::Error;
    UsbStatus status = UsbStatus::Ok;
    const std::unique_ptr<UsbHandle> handle = bus.open(id, status);
    if (!handle)
        return status;
    status = handle->claim(device.dataInterface, true);
    if (status != UsbStatus::Ok)
        return status;
    std::string bytes(ModemSwitch::kCommand);
    const UsbResult sent =
        handle->bulk(device.dataOut, reinterpret_cast<std::uint8_t *>(bytes.data()),
                     static_cast<int>(bytes.size()), kSwitchTimeoutMs);
    // The phone may leave the bus at once; releasing is then moot.
    if (sent.status != UsbStatus::NoDevice)
        handle->release(device.dataInterface);
    if (sent.status == UsbStatus::Ok && sent.length != static_cast<int>(bytes.size()))
        return UsbStatus::Error;
    return sent.status;
}

}  // namespace

ModemSwitch::~ModemSwitch()
{
    join();
}

void ModemSwitch::join()
{
    if (worker_.joinable())
        worker_.join();
}

void ModemSwitch::start(const std::string &id, const PhoneDevice &device)
{
    {
        std::lock_guard lock(mutex_);
        if (running_ || tried_.count(id))
            return;
        tried_.insert(id);
        running_ = true;
    }
    join();
    worker_ = std::thread(&ModemSwitch::run, this, id, device);
}

bool ModemSwitch::running() const
{
    std::lock_guard lock(mutex_);
    return running_;
}

std::string ModemSwitch::outcome() const
{
    std::lock_guard lock(mutex_);
    return outcome_;
}

bool ModemSwitch::recentlySent() const
{
    std::lock_guard lock(mutex_);
    return sentAt_ && std::chrono::steady_clock::now() - *sentAt_ < kComeBack;
}

void ModemSwitch::forget()
{
    join();
    std::lock_guard lock(mutex_);
    tried_.clear();
    outcome_.clear();
    sentAt_.reset();
}

void ModemSwitch::run(std::string id, PhoneDevice device)
{
    std::string outcome;
    bool sent = true;
    const UsbStatus usb = SendOverUsb(bus_, id, device);
    if (usb == UsbStatus::Ok || usb == UsbStatus::NoDevice) {
        outcome = "AT+MODE=8 sent over USB";
    } else {
        const UsbStatus tty = bus_.writeModemTty(id, kCommand);
        sent = tty == UsbStatus::Ok;
        outcome = sent ? std::string("AT+MODE=8 sent on the serial device")
                       : std::string("could not send AT+MODE=8: USB: ") + Describe(usb) +
                             ", serial device: " + Describe(tty);
    }
    std::lock_guard lock(mutex_);
    outcome_ = outcome;
    if (sent)
        sentAt_ = std::chrono::steady_clock::now();
    running_ = false;
}

}  // namespace p2kusb
