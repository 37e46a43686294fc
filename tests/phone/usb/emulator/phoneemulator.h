#pragma once

#include "phone/usb/p2kframe.h"
#include "phone/usb/usbbus.h"

#include <chrono>
#include <deque>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace p2kemu {

enum class Mode { Command, Modem, MassStorage };

// What the phone does wrong on the next matching command.
enum class Fault {
    Stall,          // the transfer carrying the command stalls; nothing done
    Timeout,        // the transfer carrying the command times out; nothing done
    Unplug,         // the phone leaves the bus as the command arrives
    NoReply,        // done, never answered
    LateReply,      // done, answered only when the next command arrives
    WrongId,        // answer carries another packet id
    NoReplyBit,     // answer's packet id lacks bit 15
    WrongNibble,    // answer's result nibble is neither 8 nor 6
    CountNot1,      // fetch says two messages (control)
    SizeMismatch,   // fetch's message size disagrees with what comes (control)
    LengthMismatch, // payload length field disagrees with the payload
    Truncated,      // the answer comes cut short
    PollGarbage,    // the poll reports a message too small to be one (control)
    SeemStatus,     // a seem read's status byte is 1
    ExtraData,      // a file read answers more bytes than asked
    Slow,           // answered after the reply delay
};

// How the modem answers AT+MODE=8.
enum class ModemAnswer {
    Ok,             // OK, then it leaves and comes back in command mode
    OkBackInModem,  // OK, then it leaves and comes back as a modem again
    Error,          // ERROR, and stays
    Silent,         // nothing, and stays
};

// A P2K phone on an emulated USB bus. It decodes every frame, answers in the
// reply layouts of both transports, keeps files and seem records, switches
// modes and enumerates again. Anything a frame does against the protocol
// notes is a violation, which the tests require to stay empty.
//
// Under a program started by a test, P2KEMU_ROOT names a folder that sets the
// phone up and keeps its files: "setup" (lines "mode modem|command|storage",
// "transport control|bulk", "interface N", "access denied", "free N",
// "switch-delay-ms N", "modem-answer ok|error|silent"), phone files under
// their path ("a/mobile/..."), records as "seem/SSSS_RRRR.seem"; "restarted"
// and "violations" are written there.
class PhoneEmulator final : public p2kusb::UsbBus {
public:
    static PhoneEmulator &instance();

    // An empty bus and a phone with volume /a, a model name and seem 0x32/1.
    void reset();
    void plug(Mode mode, p2kusb::P2kTransport transport = p2kusb::P2kTransport::Control,
              int commandInterface = 8);
    void unplug();
    void setAccessDenied(bool denied);
    void setKernelDriverStuck(bool stuck);
    void setTtyAvailable(bool available);
    // Some phones leave their modem's data interface unnamed.
    void setDataInterfaceNamed(bool named);
    void setSwitchDelay(std::chrono::milliseconds delay);
    // The answers to the next AT+MODE=8 commands, one each; OK after them.
    void setModemAnswers(std::vector<ModemAnswer> answers);
    // Restart: answer first or not, and the mode the phone comes back in.
    void setRestart(bool replies, Mode comesBackIn, std::chrono::milliseconds down);
    void setFree(std::uint32_t bytes);
    void setReplyDelay(std::chrono::milliseconds delay);
    void setListRecordSize(std::size_t bytes);
    void fail(Fault fault, std::uint16_t command = 0, int fsacSub = -1, int skip = 0);

    void putFile(const std::string &path, const std::vector<std::uint8_t> &bytes,
                 std::uint32_t attribute = 0);
    std::optional<std::vector<std::uint8_t>> file(const std::string &path) const;
    std::uint32_t attribute(const std::string &path) const;
    void putRecord(int seem, int record, const std::vector<std::uint8_t> &bytes);
    std::vector<std::uint8_t> record(int seem, int record) const;

    std::vector<std::string> violations() const;
    std::vector<std::string> commands() const;  // "004A/02 1024", "0020 0032/0001 0/0" ...
    int transfers() const;      // control and bulk transfers so far
    int descriptions() const;   // describe() calls so far
    int restarts() const;
    int switches() const;       // AT+MODE=8 received
    // The kernel's driver has the modem's data interface (none detached it, or it was given back).
    bool modemDriverBound() const;
    bool fileOpen() const;
    bool present() const;

    std::vector<std::string> list(std::uint16_t vendor) override;
    std::optional<p2kusb::UsbDevice> describe(const std::string &id) override;
    std::unique_ptr<p2kusb::UsbHandle> open(const std::string &id,
                                            p2kusb::UsbStatus &status) override;
    std::unique_ptr<p2kusb::ModemPort> openModemPort(const std::string &id,
                                                     p2kusb::UsbStatus &status) override;

    // For the handle: every transfer of one device generation.
    p2kusb::UsbResult control(int generation, std::uint8_t requestType, std::uint8_t request,
                              std::uint16_t value, std::uint16_t index, std::uint8_t *data,
                              std::uint16_t length);
    p2kusb::UsbResult bulk(int generation, std::uint8_t endpoint, std::uint8_t *data, int length,
                           unsigned timeoutMs);
    p2kusb::UsbStatus claim(int generation, int interface, bool detach);
    // The modem's answer on its data interface or serial device.
    p2kusb::UsbResult modemRead(int generation, std::uint8_t *data, int length, unsigned timeoutMs);
    p2kusb::UsbStatus modemWrite(int generation, std::string_view bytes);
    void release(int generation, int interface);

private:
    using Clock = std::chrono::steady_clock;
    using Bytes = std::vector<std::uint8_t>;
    struct Device {
        int generation = 0;
        Mode mode = Mode::Command;
        p2kusb::P2kTransport transport = p2kusb::P2kTransport::Control;
        int commandInterface = 8;
        std::set<int> claimed;
        bool driverDetached = false;
        std::string modemOut;  // what the modem said, not yet read
    };
    struct Appearance {
        Clock::time_point at;
        Mode mode;
    };
    struct File {
        Bytes bytes;
        std::uint32_t attribute = 0;
    };
    struct Armed {
        Fault fault;
        std::uint16_t command;
        int fsacSub;
        int skip;
    };
    struct Reply {
        Bytes message;   // header and payload as the transport frames them
        std::optional<Fault> fault;
        Clock::time_point due{};
    };
    bool due() const;  // the first reply is there to be fetched

    PhoneEmulator();
    void violation(const std::string &what);
    void settle();  // due departures and arrivals
    bool current(int generation);
    void leave();
    void resetSession();
    void arrive(Mode mode);
    void loadRoot();
    void saveFile(const std::string &path);
    void saveRecord(int seem, int record);
    std::optional<Fault> take(std::uint16_t command, int fsacSub);
    // A whole command frame from the host; the status of the carrying transfer.
    p2kusb::UsbStatus receive(const Bytes &frame);
    void handle(std::uint16_t id, std::uint16_t command, const Bytes &payload,
                std::optional<Fault> fault);
    void answer(std::uint16_t id, std::uint16_t command, bool ok, const Bytes &payload,
                std::optional<Fault> fault);
    bool fileSystem(const Bytes &payload, Bytes &out);
    bool seemRead(const Bytes &payload, Bytes &out, std::optional<Fault> fault);
    bool seemWrite(const Bytes &payload);
    Bytes fetchReply(std::uint16_t length);
    void modemCommand(std::string_view bytes);

    mutable std::recursive_mutex mutex_;
    std::optional<std::filesystem::path> root_;
    std::optional<Device> device_;
    std::optional<Appearance> appearance_;
    std::optional<Clock::time_point> departure_;
    int generation_ = 0;
    p2kusb::P2kTransport transport_ = p2kusb::P2kTransport::Control;
    int commandInterface_ = 8;
    bool accessDenied_ = false;
    bool driverStuck_ = false;
    bool ttyAvailable_ = true;
    bool dataNamed_ = true;
    std::chrono::milliseconds switchDelay_{100};
    std::deque<ModemAnswer> modemAnswers_;
    bool restartReplies_ = false;
    Mode restartMode_ = Mode::Command;
    std::chrono::milliseconds restartDown_{100};
    std::uint32_t free_ = 1000000;
    std::size_t listRecordSize_ = 268;
    std::vector<Armed> armed_;

    std::map<std::string, File> files_;
    std::set<std::string> folders_;
    std::map<std::pair<int, int>, Bytes> records_;
    std::optional<std::string> openFile_;
    std::size_t position_ = 0;
    std::vector<std::string> listing_;
    std::size_t listed_ = 0;
    std::optional<std::uint16_t> expectedId_;
    std::deque<Reply> queue_;
    std::optional<Reply> late_;
    bool withheld_ = false;  // a reply owed that never comes
    std::chrono::milliseconds replyDelay_{0};

    std::vector<std::string> violations_;
    std::vector<std::string> commands_;
    int transfers_ = 0;
    int descriptions_ = 0;
    int restarts_ = 0;
    int switches_ = 0;
};

}  // namespace p2kemu

#if defined(_WIN32)
extern "C" __declspec(dllexport) p2kusb::UsbBus *P2kUsbBus();
#else
extern "C" __attribute__((visibility("default"))) p2kusb::UsbBus *P2kUsbBus();
#endif
