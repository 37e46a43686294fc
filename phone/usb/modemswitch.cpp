#include "modemswitch.h"

#include <functional>

namespace p2kusb {
namespace {

using Clock = std::chrono::steady_clock;

constexpr unsigned kSwitchTimeoutMs = 2000;
// A modem answers an AT command within milliseconds; two seconds of silence
// is no answer.
constexpr auto kAnswerWait = std::chrono::milliseconds(2000);

enum class Answer { Ok, Error, Gone, None };

// The modem's lines until OK or ERROR; the echo of the command may come first.
Answer ReadAnswer(const std::function<UsbResult(std::uint8_t *, int, unsigned)> &read)
{
    std::string text;
    const auto end = Clock::now() + kAnswerWait;
    for (auto now = Clock::now(); now < end; now = Clock::now()) {
        std::uint8_t buffer[64];
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now);
        const UsbResult got = read(buffer, sizeof buffer, static_cast<unsigned>(left.count()) + 1);
        if (got.status == UsbStatus::NoDevice)
            return Answer::Gone;
        if (got.status != UsbStatus::Ok)
            return Answer::None;
        text.append(reinterpret_cast<const char *>(buffer), static_cast<std::size_t>(got.length));
        for (std::size_t start = 0, stop; (stop = text.find_first_of("\r\n", start)) !=
                                           std::string::npos;
             start = stop + 1) {
            const std::string_view line(text.data() + start, stop - start);
            if (line == "OK")
                return Answer::Ok;
            if (line == "ERROR" || line.starts_with("+CME ERROR"))
                return Answer::Error;
        }
    }
    return Answer::None;
}

struct Attempt {
    UsbStatus status = UsbStatus::Error;  // of sending the command
    bool sent = false;  // the command went out, or the phone left on the way
    Answer answer = Answer::None;
};

// Over the data interface, whose kernel driver gets it back unless the phone left.
Attempt SendOverUsb(UsbBus &bus, const std::string &id, const PhoneDevice &device)
{
    Attempt attempt;
    if (device.dataInterface < 0 || device.dataIn == 0)
        return attempt;
    const std::unique_ptr<UsbHandle> handle = bus.open(id, attempt.status);
    if (!handle) {
        attempt.sent = attempt.status == UsbStatus::NoDevice;
        return attempt;
    }
    attempt.status = handle->claim(device.dataInterface, true);
    if (attempt.status != UsbStatus::Ok) {
        attempt.sent = attempt.status == UsbStatus::NoDevice;
        return attempt;
    }
    std::string bytes(ModemSwitch::kCommand);
    const UsbResult sent =
        handle->bulk(device.dataOut, reinterpret_cast<std::uint8_t *>(bytes.data()),
                     static_cast<int>(bytes.size()), kSwitchTimeoutMs);
    attempt.status = sent.status == UsbStatus::Ok && sent.length != static_cast<int>(bytes.size())
                         ? UsbStatus::Error
                         : sent.status;
    if (attempt.status == UsbStatus::Ok) {
        attempt.answer = ReadAnswer([&](std::uint8_t *data, int length, unsigned timeoutMs) {
            return handle->bulk(device.dataIn, data, length, timeoutMs);
        });
    }
    if (attempt.status != UsbStatus::NoDevice && attempt.answer != Answer::Gone)
        handle->release(device.dataInterface);
    attempt.sent = attempt.status == UsbStatus::Ok || attempt.status == UsbStatus::NoDevice;
    return attempt;
}

Attempt SendOnPort(UsbBus &bus, const std::string &id)
{
    Attempt attempt;
    const std::unique_ptr<ModemPort> port = bus.openModemPort(id, attempt.status);
    if (!port)
        return attempt;
    attempt.status = port->write(ModemSwitch::kCommand);
    attempt.sent = attempt.status == UsbStatus::Ok;
    if (attempt.sent) {
        attempt.answer = ReadAnswer([&](std::uint8_t *data, int length, unsigned timeoutMs) {
            return port->read(data, length, timeoutMs);
        });
    }
    return attempt;
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

bool ModemSwitch::failed(const std::string &id) const
{
    std::lock_guard lock(mutex_);
    return failed_.count(id) > 0;
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
    failed_.clear();
    outcome_.clear();
    sentAt_.reset();
}

void ModemSwitch::run(std::string id, PhoneDevice device)
{
    std::string way = "over USB";
    Attempt attempt = SendOverUsb(bus_, id, device);
    const UsbStatus usb = attempt.status;
    if (!attempt.sent) {
        way = "on the serial device";
        attempt = SendOnPort(bus_, id);
    }
    std::string outcome;
    bool switching = attempt.sent;
    if (!attempt.sent) {
        outcome = std::string("could not send AT+MODE=8: USB: ") + Describe(usb) +
                  ", serial device: " + Describe(attempt.status) +
                  "; plug the phone in again";
    } else if (attempt.status == UsbStatus::NoDevice || attempt.answer == Answer::Gone) {
        outcome = "AT+MODE=8 sent " + way + ", the phone left the bus";
    } else if (attempt.answer == Answer::Ok) {
        outcome = "AT+MODE=8 sent " + way + ", the phone answered OK";
    } else if (attempt.answer == Answer::Error) {
        switching = false;
        outcome = "the phone answered ERROR to AT+MODE=8 " + way +
                  "; it will not switch now: unplug it, switch it off and on, and plug it in "
                  "again";
    } else {
        switching = false;
        outcome = "no answer to AT+MODE=8 " + way +
                  " within 2 s; another program may hold the modem: close it, or plug the "
                  "phone in again";
    }
    std::lock_guard lock(mutex_);
    outcome_ = outcome;
    if (switching)
        sentAt_ = std::chrono::steady_clock::now();
    else
        failed_.insert(id);
    running_ = false;
}

}  // namespace p2kusb
