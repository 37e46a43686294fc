#include "phoneemulator.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace p2kemu {
namespace fs = std::filesystem;
using namespace p2kusb;

namespace {

constexpr int kDataInterface = 1;
constexpr std::uint8_t kDataOut = 0x02;
constexpr std::uint8_t kDataIn = 0x82;
constexpr std::uint8_t kCommandIn = 0x81;
constexpr std::uint8_t kCommandOut = 0x01;
constexpr std::size_t kPacketSize = 64;
constexpr std::uint8_t kAccepted = 0x80;
constexpr std::uint8_t kRejected = 0x40;
constexpr std::uint32_t kDirectory = 0x10;

std::string Hex(unsigned value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

std::string Utf16(const std::vector<std::uint8_t> &bytes, std::size_t from, std::size_t &end)
{
    std::string text;
    for (end = from; end + 1 < bytes.size(); end += 2) {
        const std::uint16_t unit = Be16(bytes.data() + end);
        if (unit == 0)
            return text;
        text += unit == 0xFFFE ? '\x01' : static_cast<char>(unit);
    }
    end = bytes.size();
    return text;
}

bool Matches(std::string_view name, std::string_view pattern)
{
    if (pattern.empty())
        return name.empty();
    if (pattern[0] == '*')
        return Matches(name, pattern.substr(1)) || (!name.empty() && Matches(name.substr(1), pattern));
    return !name.empty() && (pattern[0] == '?' || pattern[0] == name[0]) &&
           Matches(name.substr(1), pattern.substr(1));
}

std::string Parent(const std::string &path)
{
    const auto slash = path.rfind('/');
    return slash == 0 || slash == std::string::npos ? std::string() : path.substr(0, slash);
}

class EmulatedHandle final : public UsbHandle {
public:
    EmulatedHandle(PhoneEmulator &phone, int generation) : phone_(phone), generation_(generation) {}
    UsbResult control(std::uint8_t requestType, std::uint8_t request, std::uint16_t value,
                      std::uint16_t index, std::uint8_t *data, std::uint16_t length,
                      unsigned) override
    {
        return phone_.control(generation_, requestType, request, value, index, data, length);
    }
    UsbResult bulk(std::uint8_t endpoint, std::uint8_t *data, int length,
                   unsigned timeoutMs) override
    {
        return phone_.bulk(generation_, endpoint, data, length, timeoutMs);
    }
    UsbStatus claim(int interface, bool detach) override
    {
        return phone_.claim(generation_, interface, detach);
    }
    void release(int interface) override { phone_.release(generation_, interface); }
    void clearHalt(std::uint8_t) override {}

private:
    PhoneEmulator &phone_;
    int generation_;
};

class EmulatedPort final : public ModemPort {
public:
    EmulatedPort(PhoneEmulator &phone, int generation) : phone_(phone), generation_(generation) {}
    UsbStatus write(std::string_view bytes) override { return phone_.modemWrite(generation_, bytes); }
    UsbResult read(std::uint8_t *data, int length, unsigned timeoutMs) override
    {
        return phone_.modemRead(generation_, data, length, timeoutMs);
    }

private:
    PhoneEmulator &phone_;
    int generation_;
};

// The four fields both seem commands start with, and how the command log shows them.
struct SeemFields {
    int seem;
    int record;
    std::size_t offset;
    std::size_t count;

    explicit SeemFields(const std::vector<std::uint8_t> &payload)
        : seem(Be16(payload.data())), record(Be16(payload.data() + 2)),
          offset(Be16(payload.data() + 4)), count(Be16(payload.data() + 6))
    {
    }
    std::string logged() const
    {
        return " " + Hex(seem, 4) + "/" + Hex(record, 4) + " " + std::to_string(offset) + "/" +
               std::to_string(count);
    }
};

}  // namespace

PhoneEmulator &PhoneEmulator::instance()
{
    static PhoneEmulator phone;
    return phone;
}

PhoneEmulator::PhoneEmulator()
{
    reset();
    if (const char *root = std::getenv("P2KEMU_ROOT"); root && *root) {
        root_ = fs::path(root);
        loadRoot();
    }
}

void PhoneEmulator::reset()
{
    std::lock_guard lock(mutex_);
    device_.reset();
    appearance_.reset();
    departure_.reset();
    transport_ = P2kTransport::Control;
    commandInterface_ = 8;
    accessDenied_ = driverStuck_ = false;
    ttyAvailable_ = true;
    dataNamed_ = true;
    switchDelay_ = std::chrono::milliseconds(100);
    modemAnswers_.clear();
    restartReplies_ = false;
    restartMode_ = Mode::Command;
    restartDown_ = std::chrono::milliseconds(100);
    free_ = 1000000;
    replyDelay_ = std::chrono::milliseconds(0);
    listRecordSize_ = 268;
    armed_.clear();
    files_.clear();
    folders_ = {"/a", "/a/mobile", "/a/mobile/system"};
    records_.clear();
    Bytes model;
    for (const char c : std::string("E398"))
        PutBe16(model, static_cast<std::uint8_t>(c));
    model.resize(32, 0);
    records_[{0x117, 1}] = model;
    Bytes settings(255);
    for (std::size_t i = 0; i < settings.size(); ++i)
        settings[i] = static_cast<std::uint8_t>(i * 7);
    settings[83] = 0x01;
    records_[{0x32, 1}] = settings;
    resetSession();
    violations_.clear();
    commands_.clear();
    transfers_ = descriptions_ = restarts_ = switches_ = 0;
}

void PhoneEmulator::resetSession()
{
    openFile_.reset();
    position_ = 0;
    listing_.clear();
    listed_ = 0;
    expectedId_.reset();
    queue_.clear();
    late_.reset();
    withheld_ = false;
}

void PhoneEmulator::violation(const std::string &what)
{
    violations_.push_back(what);
    if (root_)
        std::ofstream(*root_ / "violations", std::ios::app | std::ios::binary) << what << '\n';
}

void PhoneEmulator::arrive(Mode mode)
{
    Device device;
    device.generation = ++generation_;
    device.mode = mode;
    device.transport = transport_;
    device.commandInterface = commandInterface_;
    device_ = device;
    resetSession();
}

void PhoneEmulator::plug(Mode mode, P2kTransport transport, int commandInterface)
{
    std::lock_guard lock(mutex_);
    transport_ = transport;
    commandInterface_ = commandInterface;
    appearance_.reset();
    departure_.reset();
    arrive(mode);
}

void PhoneEmulator::leave()
{
    device_.reset();
    departure_.reset();
    resetSession();
}

void PhoneEmulator::unplug()
{
    std::lock_guard lock(mutex_);
    leave();
    appearance_.reset();
}

void PhoneEmulator::settle()
{
    const auto now = Clock::now();
    if (departure_ && now >= *departure_)
        leave();
    if (!device_ && !departure_ && appearance_ && now >= appearance_->at) {
        const Mode mode = appearance_->mode;
        appearance_.reset();
        arrive(mode);
    }
}

bool PhoneEmulator::current(int generation)
{
    settle();
    return device_ && device_->generation == generation;
}

void PhoneEmulator::setAccessDenied(bool denied) { std::lock_guard l(mutex_); accessDenied_ = denied; }
void PhoneEmulator::setKernelDriverStuck(bool stuck) { std::lock_guard l(mutex_); driverStuck_ = stuck; }
void PhoneEmulator::setTtyAvailable(bool available) { std::lock_guard l(mutex_); ttyAvailable_ = available; }
void PhoneEmulator::setDataInterfaceNamed(bool named) { std::lock_guard l(mutex_); dataNamed_ = named; }
void PhoneEmulator::setSwitchDelay(std::chrono::milliseconds delay) { std::lock_guard l(mutex_); switchDelay_ = delay; }
void PhoneEmulator::setModemAnswers(std::vector<ModemAnswer> answers)
{
    std::lock_guard lock(mutex_);
    modemAnswers_.assign(answers.begin(), answers.end());
}

bool PhoneEmulator::modemDriverBound() const
{
    std::lock_guard lock(mutex_);
    return !device_ || !device_->driverDetached;
}

void PhoneEmulator::setFree(std::uint32_t bytes) { std::lock_guard l(mutex_); free_ = bytes; }
void PhoneEmulator::setReplyDelay(std::chrono::milliseconds delay) { std::lock_guard l(mutex_); replyDelay_ = delay; }
void PhoneEmulator::setListRecordSize(std::size_t bytes) { std::lock_guard l(mutex_); listRecordSize_ = bytes; }

void PhoneEmulator::setRestart(bool replies, Mode comesBackIn, std::chrono::milliseconds down)
{
    std::lock_guard lock(mutex_);
    restartReplies_ = replies;
    restartMode_ = comesBackIn;
    restartDown_ = down;
}

void PhoneEmulator::fail(Fault fault, std::uint16_t command, int fsacSub, int skip)
{
    std::lock_guard lock(mutex_);
    armed_.push_back({fault, command, fsacSub, skip});
}

std::optional<Fault> PhoneEmulator::take(std::uint16_t command, int fsacSub)
{
    for (auto it = armed_.begin(); it != armed_.end(); ++it) {
        if ((it->command && it->command != command) || (it->fsacSub >= 0 && it->fsacSub != fsacSub))
            continue;
        if (it->skip > 0) {
            --it->skip;
            return std::nullopt;
        }
        const Fault fault = it->fault;
        armed_.erase(it);
        return fault;
    }
    return std::nullopt;
}

void PhoneEmulator::putFile(const std::string &path, const Bytes &bytes, std::uint32_t attribute)
{
    std::lock_guard lock(mutex_);
    files_[path] = {bytes, attribute};
    for (std::string folder = Parent(path); !folder.empty(); folder = Parent(folder))
        folders_.insert(folder);
}

std::optional<std::vector<std::uint8_t>> PhoneEmulator::file(const std::string &path) const
{
    std::lock_guard lock(mutex_);
    const auto it = files_.find(path);
    return it == files_.end() ? std::nullopt : std::optional(it->second.bytes);
}

std::uint32_t PhoneEmulator::attribute(const std::string &path) const
{
    std::lock_guard lock(mutex_);
    const auto it = files_.find(path);
    return it == files_.end() ? 0 : it->second.attribute;
}

void PhoneEmulator::putRecord(int seem, int record, const Bytes &bytes)
{
    std::lock_guard lock(mutex_);
    records_[{seem, record}] = bytes;
}

std::vector<std::uint8_t> PhoneEmulator::record(int seem, int record) const
{
    std::lock_guard lock(mutex_);
    const auto it = records_.find({seem, record});
    return it == records_.end() ? Bytes() : it->second;
}

std::vector<std::string> PhoneEmulator::violations() const { std::lock_guard l(mutex_); return violations_; }
std::vector<std::string> PhoneEmulator::commands() const { std::lock_guard l(mutex_); return commands_; }
int PhoneEmulator::transfers() const { std::lock_guard l(mutex_); return transfers_; }
int PhoneEmulator::descriptions() const { std::lock_guard l(mutex_); return descriptions_; }
int PhoneEmulator::restarts() const { std::lock_guard l(mutex_); return restarts_; }
int PhoneEmulator::switches() const { std::lock_guard l(mutex_); return switches_; }
bool PhoneEmulator::fileOpen() const { std::lock_guard l(mutex_); return openFile_.has_value(); }

bool PhoneEmulator::present() const
{
    std::lock_guard lock(mutex_);
    const_cast<PhoneEmulator *>(this)->settle();
    return device_.has_value();
}

// ---- the bus ----

std::vector<std::string> PhoneEmulator::list(std::uint16_t vendor)
{
    std::lock_guard lock(mutex_);
    settle();
    if (!device_ || vendor != kMotorolaVendor)
        return {};
    return {"emu:" + std::to_string(device_->generation)};
}

std::optional<UsbDevice> PhoneEmulator::describe(const std::string &id)
{
    std::lock_guard lock(mutex_);
    settle();
    ++descriptions_;
    if (!device_ || id != "emu:" + std::to_string(device_->generation))
        return std::nullopt;
    UsbDevice device;
    device.id = id;
    device.location = "emulated bus, address " + std::to_string(device_->generation);
    device.vendor = kMotorolaVendor;
    if (accessDenied_)
        device.access = UsbStatus::Access;
    switch (device_->mode) {
    case Mode::Command: {
        device.product = 0x4901;
        device.interfaces.push_back({0, "Motorola Communication Interface", {}});
        UsbInterface command{device_->commandInterface, "Motorola Test Command Interface", {}};
        if (device_->transport == P2kTransport::Bulk)
            command.endpoints = {{kCommandIn, true}, {kCommandOut, true}};
        device.interfaces.push_back(command);
        break;
    }
    case Mode::Modem:
        device.product = 0x4902;
        device.interfaces.push_back({0, "Motorola Communication Interface", {{0x83, false}}});
        device.interfaces.push_back(
            {kDataInterface, dataNamed_ ? "Motorola Data Interface" : "",
             {{kDataIn, true}, {kDataOut, true}}});
        break;
    case Mode::MassStorage:
        device.product = 0x4903;
        device.interfaces.push_back(
            {0, "Motorola Mass Storage Interface", {{0x81, true}, {0x02, true}}});
        break;
    }
    return device;
}

std::unique_ptr<UsbHandle> PhoneEmulator::open(const std::string &id, UsbStatus &status)
{
    std::lock_guard lock(mutex_);
    settle();
    if (!device_ || id != "emu:" + std::to_string(device_->generation)) {
        status = UsbStatus::NoDevice;
        return nullptr;
    }
    if (accessDenied_) {
        status = UsbStatus::Access;
        return nullptr;
    }
    if (device_->mode == Mode::MassStorage)
        violation("a phone in mass-storage mode was opened");
    status = UsbStatus::Ok;
    return std::make_unique<EmulatedHandle>(*this, device_->generation);
}

std::unique_ptr<ModemPort> PhoneEmulator::openModemPort(const std::string &id, UsbStatus &status)
{
    std::lock_guard lock(mutex_);
    settle();
    // cdc_acm makes the serial device only while it has the data interface.
    if (!device_ || id != "emu:" + std::to_string(device_->generation) ||
        device_->mode != Mode::Modem || !ttyAvailable_ || device_->driverDetached) {
        status = UsbStatus::NoDevice;
        return nullptr;
    }
    status = UsbStatus::Ok;
    return std::make_unique<EmulatedPort>(*this, device_->generation);
}

UsbStatus PhoneEmulator::modemWrite(int generation, std::string_view bytes)
{
    std::lock_guard lock(mutex_);
    if (!current(generation))
        return UsbStatus::NoDevice;
    modemCommand(bytes);
    return UsbStatus::Ok;
}

UsbResult PhoneEmulator::modemRead(int generation, std::uint8_t *data, int length,
                                   unsigned timeoutMs)
{
    std::unique_lock lock(mutex_);
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (!current(generation))
            return {UsbStatus::NoDevice, 0};
        std::string &out = device_->modemOut;
        if (!out.empty()) {
            const auto size = std::min(out.size(), static_cast<std::size_t>(length));
            std::copy_n(out.begin(), size, data);
            out.erase(0, size);
            return {UsbStatus::Ok, static_cast<int>(size)};
        }
        if (Clock::now() >= end)
            return {UsbStatus::Timeout, 0};
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        lock.lock();
    }
}

void PhoneEmulator::modemCommand(std::string_view bytes)
{
    if (bytes != "AT+MODE=8\r\n") {
        violation("modem got \"" + std::string(bytes) + "\"");
        return;
    }
    ++switches_;
    ModemAnswer answer = ModemAnswer::Ok;
    if (!modemAnswers_.empty()) {
        answer = modemAnswers_.front();
        modemAnswers_.pop_front();
    }
    switch (answer) {
    case ModemAnswer::Ok:
    case ModemAnswer::OkBackInModem:
        device_->modemOut += "AT+MODE=8\r\r\nOK\r\n";
        // Time enough for the answer to be read before the phone goes.
        departure_ = Clock::now() + std::chrono::milliseconds(20);
        appearance_ = Appearance{*departure_ + switchDelay_,
                                 answer == ModemAnswer::Ok ? Mode::Command : Mode::Modem};
        break;
    case ModemAnswer::Error: device_->modemOut += "AT+MODE=8\r\r\nERROR\r\n"; break;
    case ModemAnswer::Silent: break;
    }
}

UsbStatus PhoneEmulator::claim(int generation, int interface, bool detach)
{
    std::lock_guard lock(mutex_);
    if (!current(generation))
        return UsbStatus::NoDevice;
    if (device_->mode == Mode::Modem && interface == kDataInterface) {
        // cdc_acm holds the data interface until it is let go of.
        if (!detach || driverStuck_)
            return UsbStatus::Busy;
        device_->driverDetached = true;
    } else if (device_->mode != Mode::Command || interface != device_->commandInterface) {
        violation("claimed interface " + std::to_string(interface));
        return UsbStatus::Error;
    } else {
        // The host starts afresh: what the phone still owed is forgotten.
        queue_.clear();
        late_.reset();
        withheld_ = false;
    }
    device_->claimed.insert(interface);
    return UsbStatus::Ok;
}

void PhoneEmulator::release(int generation, int interface)
{
    std::lock_guard lock(mutex_);
    if (current(generation)) {
        device_->claimed.erase(interface);
        if (device_->mode == Mode::Modem && interface == kDataInterface)
            device_->driverDetached = false;
    }
}

// ---- transfers ----

UsbResult PhoneEmulator::control(int generation, std::uint8_t requestType, std::uint8_t request,
                                 std::uint16_t value, std::uint16_t index, std::uint8_t *data,
                                 std::uint16_t length)
{
    std::lock_guard lock(mutex_);
    ++transfers_;
    if (!current(generation))
        return {UsbStatus::NoDevice, 0};
    const std::string what = "control " + Hex(requestType, 2) + "/" + Hex(request, 2);
    if (device_->mode != Mode::Command || device_->transport != P2kTransport::Control) {
        violation(what + " to a phone that does not take control commands");
        return {UsbStatus::Stall, 0};
    }
    if (index != device_->commandInterface || !device_->claimed.count(index)) {
        violation(what + " to interface " + std::to_string(index) + ", not the claimed command interface");
        return {UsbStatus::Stall, 0};
    }
    if (requestType == 0x41 && request == 0x02 && value == 0) {
        const UsbStatus status = receive(Bytes(data, data + length));
        return {status, status == UsbStatus::Ok ? length : 0};
    }
    if (requestType == 0xC1 && request == 0x00 && value == 0) {
        if (!due()) {
            const Bytes none{0, 0};
            const std::size_t n = std::min<std::size_t>(none.size(), length);
            std::copy_n(none.begin(), n, data);
            return {UsbStatus::Ok, static_cast<int>(n)};
        }
        Bytes poll{0, static_cast<std::uint8_t>(std::min<std::size_t>(queue_.size(), 3))};
        poll[0] = queue_.size() > 3 ? 2 : 0;
        for (std::size_t i = 0; i < std::min<std::size_t>(queue_.size(), 3); ++i)
            PutBe16(poll, static_cast<std::uint16_t>(queue_[i].message.size()));
        if (!queue_.empty() && queue_.front().fault == Fault::PollGarbage) {
            poll[2] = 0;
            poll[3] = 3;
            queue_.front().fault.reset();
        }
        const std::size_t n = std::min<std::size_t>(poll.size(), length);
        std::copy_n(poll.begin(), n, data);
        return {UsbStatus::Ok, static_cast<int>(n)};
    }
    if (requestType == 0xC1 && request == 0x01 && value == 1) {
        const Bytes reply = fetchReply(length);
        std::copy(reply.begin(), reply.end(), data);
        return {UsbStatus::Ok, static_cast<int>(reply.size())};
    }
    violation(what + " value " + std::to_string(value) + " is no request of the protocol");
    return {UsbStatus::Stall, 0};
}

PhoneEmulator::Bytes PhoneEmulator::fetchReply(std::uint16_t length)
{
    if (queue_.empty()) {
        violation("fetch with nothing waiting");
        return {0, 0, 0, 0};
    }
    if (length != queue_.front().message.size() + kFetchPrefix)
        violation("fetch asked " + std::to_string(length) + " bytes for a message of " +
                  std::to_string(queue_.front().message.size()));
    Reply reply = queue_.front();
    queue_.pop_front();
    std::size_t waitingBytes = 0;
    for (const Reply &other : queue_)
        waitingBytes += other.message.size();
    Bytes out{1, static_cast<std::uint8_t>(queue_.size())};
    PutBe16(out, static_cast<std::uint16_t>(waitingBytes));
    PutBe16(out, static_cast<std::uint16_t>(reply.message.size()));
    out.insert(out.end(), reply.message.begin(), reply.message.end());
    if (reply.fault == Fault::CountNot1)
        out[0] = 2;
    if (reply.fault == Fault::SizeMismatch)
        out[5] ^= 0x01;
    if (reply.fault == Fault::Truncated)
        out.resize(out.size() - 3);
    if (out.size() > length)
        out.resize(length);
    return out;
}

bool PhoneEmulator::due() const
{
    return !queue_.empty() && Clock::now() >= queue_.front().due;
}

UsbResult PhoneEmulator::bulk(int generation, std::uint8_t endpoint, std::uint8_t *data, int length,
                              unsigned timeoutMs)
{
    std::unique_lock lock(mutex_);
    ++transfers_;
    if (!current(generation))
        return {UsbStatus::NoDevice, 0};
    if (device_->mode == Mode::Modem) {
        if ((endpoint != kDataOut && endpoint != kDataIn) ||
            !device_->claimed.count(kDataInterface)) {
            violation("bulk on endpoint " + Hex(endpoint, 2) + " of the modem");
            return {UsbStatus::Stall, 0};
        }
        if (endpoint == kDataIn) {
            lock.unlock();
            return modemRead(generation, data, length, timeoutMs);
        }
        modemCommand(std::string_view(reinterpret_cast<const char *>(data), length));
        return {UsbStatus::Ok, length};
    }
    if (device_->mode != Mode::Command || device_->transport != P2kTransport::Bulk ||
        !device_->claimed.count(device_->commandInterface)) {
        violation("bulk transfer to a phone that does not take bulk commands");
        return {UsbStatus::Stall, 0};
    }
    if (endpoint == kCommandOut) {
        const UsbStatus status = receive(Bytes(data, data + length));
        return {status, status == UsbStatus::Ok ? length : 0};
    }
    if (endpoint != kCommandIn) {
        violation("bulk on endpoint " + Hex(endpoint, 2));
        return {UsbStatus::Stall, 0};
    }
    // A read waits for a reply as long as its timeout lets it.
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!due() && Clock::now() < end) {
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        lock.lock();
        if (!current(generation))
            return {UsbStatus::NoDevice, 0};
    }
    if (!due())
        return {UsbStatus::Timeout, 0};
    Reply reply = queue_.front();
    queue_.pop_front();
    Bytes out = reply.message;
    if (out.size() % kPacketSize == 0)
        out.insert(out.end(), 2, 0);
    if (reply.fault == Fault::Truncated)
        out.resize(out.size() - 3);
    if (static_cast<int>(out.size()) > length) {
        violation("bulk read of " + std::to_string(length) + " bytes for a reply of " +
                  std::to_string(out.size()));
        return {UsbStatus::Error, 0};
    }
    std::copy(out.begin(), out.end(), data);
    return {UsbStatus::Ok, static_cast<int>(out.size())};
}

// ---- commands ----

UsbStatus PhoneEmulator::receive(const Bytes &frame)
{
    const bool bulk = device_->transport == P2kTransport::Bulk;
    const std::size_t header = bulk ? kBulkHeader : kControlHeader;
    if (frame.size() < header) {
        violation("frame of " + std::to_string(frame.size()) + " bytes");
        return UsbStatus::Stall;
    }
    const std::uint16_t id = Be16(frame.data());
    const std::uint16_t command = Be16(frame.data() + 2);
    const std::size_t declared = bulk ? Be32(frame.data() + 8) : Be16(frame.data() + 4);
    const bool reservedZero = bulk ? Be32(frame.data() + 4) == 0 : Be16(frame.data() + 6) == 0;
    if (declared != frame.size() - header || !reservedZero) {
        violation("command " + Hex(command, 4) + ": header does not match the frame");
        return UsbStatus::Stall;
    }
    if (id > kPacketIdMask)
        violation("packet id " + Hex(id, 4) + " wider than 12 bits");
    if (expectedId_ && id != *expectedId_)
        violation("packet id " + Hex(id, 3) + " after " + Hex((*expectedId_ - 1) & kPacketIdMask, 3));
    expectedId_ = (id + 1) & kPacketIdMask;
    if (!queue_.empty() || late_ || withheld_)
        violation("command " + Hex(command, 4) + " sent while the reply to the one before is owed");
    const Bytes payload(frame.begin() + header, frame.end());
    const int sub = command == cmd::kFileSystem && payload.size() >= 4 ? int(Be32(payload.data())) : -1;
    const std::optional<Fault> fault = take(command, sub);
    if (fault == Fault::Stall)
        return UsbStatus::Stall;
    if (fault == Fault::Timeout)
        return UsbStatus::Timeout;
    if (fault == Fault::Unplug) {
        leave();
        return UsbStatus::NoDevice;
    }
    if (late_) {
        queue_.push_back(*late_);
        late_.reset();
    }
    handle(id, command, payload, fault);
    return UsbStatus::Ok;
}

void PhoneEmulator::answer(std::uint16_t id, std::uint16_t command, bool ok, const Bytes &payload,
                           std::optional<Fault> fault)
{
    if (fault == Fault::NoReply) {
        withheld_ = true;
        return;
    }
    std::uint16_t replyId = (id & kPacketIdMask) | 0x8000;
    if (fault == Fault::WrongId)
        replyId = (((id + 7) & kPacketIdMask) | 0x8000);
    if (fault == Fault::NoReplyBit)
        replyId &= kPacketIdMask;
    std::uint8_t result = ok ? kAccepted : kRejected;
    if (fault == Fault::WrongNibble)
        result = 0x90;
    std::uint32_t length = static_cast<std::uint32_t>(payload.size());
    if (fault == Fault::LengthMismatch)
        length += 1;
    Bytes message;
    PutBe16(message, replyId);
    message.push_back(result);
    message.push_back(static_cast<std::uint8_t>(command));
    if (device_->transport == P2kTransport::Bulk) {
        PutBe32(message, 0);
        PutBe32(message, length);
    } else {
        PutBe16(message, static_cast<std::uint16_t>(length));
        PutBe16(message, 0);
    }
    message.insert(message.end(), payload.begin(), payload.end());
    Reply reply{message, fault, Clock::now() + (fault == Fault::Slow ? replyDelay_ : std::chrono::milliseconds(0))};
    if (fault == Fault::LateReply)
        late_ = reply;
    else
        queue_.push_back(reply);
}

void PhoneEmulator::handle(std::uint16_t id, std::uint16_t command, const Bytes &payload,
                           std::optional<Fault> fault)
{
    Bytes out;
    bool ok = false;
    switch (command) {
    case cmd::kSeemRead:
        commands_.push_back("0020");
        ok = seemRead(payload, out, fault);
        break;
    case cmd::kSeemWrite:
        commands_.push_back("002F");
        ok = seemWrite(payload);
        if (ok)
            out = {0};
        break;
    case cmd::kRestart:
        commands_.push_back("0022");
        if (!payload.empty())
            violation("restart with a payload");
        ++restarts_;
        if (root_)
            std::ofstream(*root_ / "restarted", std::ios::app | std::ios::binary) << "restarted\n";
        if (restartReplies_)
            answer(id, command, true, {}, fault);
        departure_ = Clock::now() + std::chrono::milliseconds(20);
        appearance_ = Appearance{*departure_ + restartDown_, restartMode_};
        return;
    case cmd::kFileSystem:
        ok = fileSystem(payload, out);
        if (fault == Fault::ExtraData && ok)
            out.push_back(0xEE);
        break;
    default:
        violation("unknown command " + Hex(command, 4));
    }
    answer(id, command, ok, out, fault);
}

bool PhoneEmulator::seemRead(const Bytes &payload, Bytes &out, std::optional<Fault> fault)
{
    if (payload.size() != 8) {
        violation("seem read with " + std::to_string(payload.size()) + " payload bytes");
        return false;
    }
    const SeemFields fields(payload);
    const auto [seem, record, offset, count] = fields;
    commands_.back() += fields.logged();
    const auto it = records_.find({seem, record});
    if (it == records_.end())
        return false;
    const Bytes &bytes = it->second;
    const std::size_t n = count == 0 ? bytes.size() - std::min(offset, bytes.size()) : count;
    if (offset + n > bytes.size())
        return false;
    out.push_back(fault == Fault::SeemStatus ? 1 : 0);
    out.insert(out.end(), bytes.begin() + offset, bytes.begin() + offset + n);
    return true;
}

bool PhoneEmulator::seemWrite(const Bytes &payload)
{
    if (payload.size() < 8 || payload.size() != 8u + Be16(payload.data() + 6)) {
        violation("seem write whose count does not match its data");
        return false;
    }
    const SeemFields fields(payload);
    const auto [seem, record, offset, count] = fields;
    commands_.back() += fields.logged();
    const auto it = records_.find({seem, record});
    if (it == records_.end())
        return false;
    if (offset != 0 || count != it->second.size()) {
        violation("partial seem write: offset " + std::to_string(offset) + " count " +
                  std::to_string(count));
        return false;
    }
    it->second.assign(payload.begin() + 8, payload.end());
    saveRecord(seem, record);
    return true;
}

bool PhoneEmulator::fileSystem(const Bytes &payload, Bytes &out)
{
    if (payload.size() < 4) {
        violation("file-system command without a sub-command");
        return false;
    }
    const std::uint32_t sub = Be32(payload.data());
    const std::size_t size = payload.size();
    commands_.push_back("004A/" + Hex(sub, 2));
    auto needOpen = [&](const char *what) {
        if (!openFile_)
            violation(std::string(what) + " with no open file");
        return openFile_.has_value();
    };
    auto pathAt = [&](std::size_t from) { return std::string(payload.begin() + from, payload.end()); };
    switch (sub) {
    case fsac::kOpen: {
        if (size <= 8) {
            violation("open without a path");
            return false;
        }
        const std::string path = pathAt(8);
        commands_.back() += " " + path;
        if (openFile_)
            violation("open of " + path + " while " + *openFile_ + " is open");
        if (path.find('\0') != std::string::npos || path.size() > 260 || path[0] != '/')
            violation("open of a malformed path");
        if (folders_.count(path) || !folders_.count(Parent(path)))
            return false;
        File &file = files_[path];
        // Opening sets the attribute; it does not cut the file.
        file.attribute = Be32(payload.data() + 4);
        openFile_ = path;
        position_ = 0;
        return true;
    }
    case fsac::kRead: {
        if (size != 8)
            violation("read with " + std::to_string(size) + " payload bytes");
        if (!needOpen("read") || size < 8)
            return false;
        const std::size_t count = Be32(payload.data() + 4);
        commands_.back() += " " + std::to_string(count);
        if (count > fsac::kMaxChunk)
            violation("read of " + std::to_string(count) + " bytes");
        const Bytes &bytes = files_[*openFile_].bytes;
        const std::size_t n = std::min(count, bytes.size() - std::min(position_, bytes.size()));
        out.assign(bytes.begin() + position_, bytes.begin() + position_ + n);
        position_ += n;
        return true;
    }
    case fsac::kWrite: {
        if (!needOpen("write") || size < 8)
            return false;
        const std::size_t count = Be32(payload.data() + 4);
        commands_.back() += " " + std::to_string(count);
        if (count > fsac::kMaxChunk || size != 8 + count) {
            violation("write of " + std::to_string(count) + " bytes in " + std::to_string(size));
            return false;
        }
        Bytes &bytes = files_[*openFile_].bytes;
        const std::size_t end = position_ + count;
        const std::size_t growth = end > bytes.size() ? end - bytes.size() : 0;
        if (growth > free_)
            return false;
        free_ -= static_cast<std::uint32_t>(growth);
        if (end > bytes.size())
            bytes.resize(end);
        std::copy(payload.begin() + 8, payload.end(), bytes.begin() + position_);
        position_ = end;
        return true;
    }
    case fsac::kSeek: {
        if (size != 9 || payload[8] != 0)
            violation("seek other than from the start");
        if (!needOpen("seek") || size < 9)
            return false;
        const std::size_t offset = Be32(payload.data() + 4);
        if (offset > files_[*openFile_].bytes.size())
            return false;
        position_ = offset;
        return true;
    }
    case fsac::kClose:
        if (size != 4)
            violation("close with arguments");
        if (!openFile_)
            return false;
        saveFile(*openFile_);
        openFile_.reset();
        return true;
    case fsac::kDelete: {
        const std::string path = pathAt(4);
        commands_.back() += " " + path;
        if (openFile_)
            violation("delete while a file is open");
        const auto it = files_.find(path);
        if (it == files_.end())
            return false;
        free_ += static_cast<std::uint32_t>(it->second.bytes.size());
        files_.erase(it);
        if (root_) {
            std::error_code error;
            fs::remove(*root_ / path.substr(1), error);
        }
        return true;
    }
    case fsac::kSearch: {
        std::size_t end = 0;
        const std::string pattern = Utf16(payload, 4, end);
        if (std::any_of(payload.begin() + std::min(end, size), payload.end(), [](auto b) { return b != 0; }))
            violation("search pattern followed by something other than zeros");
        const auto separator = pattern.find('\x01');
        if (separator == std::string::npos) {
            violation("search pattern without U+FFFE");
            return false;
        }
        const std::string folder = pattern.substr(0, separator);
        const std::string filter = pattern.substr(separator + 1);
        commands_.back() += " " + folder + "|" + filter;
        listing_.clear();
        listed_ = 0;
        auto consider = [&](const std::string &path) {
            const auto slash = path.rfind('/');
            if (path.compare(0, folder.size(), folder) == 0 && Matches(path.substr(slash + 1), filter))
                listing_.push_back(path);
        };
        for (const auto &[path, file] : files_)
            consider(path);
        for (const std::string &path : folders_)
            consider(path);
        PutBe16(out, static_cast<std::uint16_t>(listing_.size()));
        return !listing_.empty();
    }
    case fsac::kList: {
        if (size != 5 || payload[4] == 0)
            violation("file list without an entry count");
        const std::size_t want = size == 5 ? payload[4] : 1;
        const std::size_t n = std::min(want, listing_.size() - listed_);
        if (n == 0)
            return false;  // the end: no payload, another result
        PutBe16(out, static_cast<std::uint16_t>(n));
        PutBe16(out, 0);
        for (std::size_t i = 0; i < n; ++i) {
            const std::string &path = listing_[listed_ + i];
            const bool isFolder = folders_.count(path) > 0;
            const File file = isFolder ? File{{}, kDirectory} : files_[path];
            Bytes entry(listRecordSize_, 0);
            std::copy_n(path.begin(), std::min(path.size(), listRecordSize_ - 9), entry.begin());
            entry[listRecordSize_ - 8] = static_cast<std::uint8_t>(file.attribute >> 8);
            entry[listRecordSize_ - 7] = static_cast<std::uint8_t>(file.attribute);
            const std::uint32_t length = static_cast<std::uint32_t>(file.bytes.size());
            for (int b = 0; b < 4; ++b)
                entry[listRecordSize_ - 4 + b] = static_cast<std::uint8_t>(length >> (24 - 8 * b));
            out.insert(out.end(), entry.begin(), entry.end());
        }
        listed_ += n;
        return true;
    }
    case fsac::kVolumeInfo: {
        if (size != 0x100 || payload[4] != 0 || payload[5] != 0)
            violation("volume info not as 00 00, the name and zeros to 0x100 bytes");
        std::size_t end = 0;
        const std::string volume = Utf16(payload, 6, end);
        commands_.back() += " " + volume;
        if (volume != "/a")
            return false;
        PutBe32(out, free_);
        return true;
    }
    default:
        violation("file-system sub-command " + Hex(sub, 2));
        return false;
    }
}

// ---- a folder for programs started by the tests ----

void PhoneEmulator::loadRoot()
{
    std::ifstream setup(*root_ / "setup");
    std::string key, value;
    std::optional<Mode> mode = Mode::Command;
    while (setup >> key >> value) {
        if (key == "mode" && value == "none")
            mode.reset();
        else if (key == "mode")
            mode = value == "modem" ? Mode::Modem : value == "storage" ? Mode::MassStorage : Mode::Command;
        else if (key == "transport")
            transport_ = value == "bulk" ? P2kTransport::Bulk : P2kTransport::Control;
        else if (key == "interface")
            commandInterface_ = std::stoi(value);
        else if (key == "access")
            accessDenied_ = value == "denied";
        else if (key == "free")
            free_ = static_cast<std::uint32_t>(std::stoul(value));
        else if (key == "modem-answer")
            modemAnswers_ = {value == "error"    ? ModemAnswer::Error
                             : value == "silent" ? ModemAnswer::Silent
                                                 : ModemAnswer::Ok};
        else if (key == "switch-delay-ms")
            switchDelay_ = std::chrono::milliseconds(std::stoi(value));
    }
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(*root_, error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        const fs::path relative = fs::relative(it->path(), *root_, error);
        const std::string first = relative.begin()->string();
        if (first == "seem" && it->is_regular_file()) {
            int seem = 0, record = 0;
            if (std::sscanf(relative.filename().string().c_str(), "%4X_%4X.seem", &seem, &record) == 2) {
                std::ifstream in(it->path(), std::ios::binary);
                records_[{seem, record}] = Bytes(std::istreambuf_iterator<char>(in), {});
            }
        } else if (first.size() == 1) {
            const std::string path = "/" + relative.generic_string();
            if (it->is_directory()) {
                folders_.insert(path);
            } else if (it->is_regular_file()) {
                std::ifstream in(it->path(), std::ios::binary);
                putFile(path, Bytes(std::istreambuf_iterator<char>(in), {}));
            }
        }
    }
    if (mode)
        arrive(*mode);
}

void PhoneEmulator::saveFile(const std::string &path)
{
    if (!root_)
        return;
    const fs::path target = *root_ / path.substr(1);
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    const Bytes &bytes = files_[path].bytes;
    std::ofstream(target, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()),
                                                  static_cast<std::streamsize>(bytes.size()));
}

void PhoneEmulator::saveRecord(int seem, int record)
{
    if (!root_)
        return;
    std::error_code error;
    fs::create_directories(*root_ / "seem", error);
    const Bytes &bytes = records_[{seem, record}];
    std::ofstream(*root_ / "seem" / (Hex(seem, 4) + "_" + Hex(record, 4) + ".seem"), std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace p2kemu

p2kusb::UsbBus *P2kUsbBus()
{
    return &p2kemu::PhoneEmulator::instance();
}
