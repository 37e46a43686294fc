#pragma once

#include "modemswitch.h"
#include "p2klink.h"
#include "phonedevice.h"
#include "usbbus.h"

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace p2kusb {

// What the link is doing, for a program that waits for the phone.
enum class LinkState { NoPhone = 0, Ready = 1, Switching = 2, Restarting = 3, NoAccess = 4,
                       MassStorage = 5, Unknown = 6, SwitchFailed = 7 };

// The ten operations of the phone-link library over one USB bus. Called from
// one thread; only the modem switch works in the background.
class P2kPhone {
public:
    explicit P2kPhone(UsbBus &bus);

    int init();
    int status();
    int restart();
    int fileCreate(const char *path, int mode);
    int fileRead(std::uint8_t *buffer, int count);
    int fileWrite(const std::uint8_t *buffer, int count);
    int fileClose();
    int volInfo(std::uint16_t *buffer);
    int seemRead(int seem, int record, int offset, int count, std::uint8_t *buffer);
    int seemWrite(int seem, int record, int offset, int count, const std::uint8_t *buffer);
    // Seem_Write's result when the record may have changed: the write went out
    // and its reply, or the reading back, did not come.
    static constexpr int kMayHaveChanged = -2;
    // After a failed write that may have changed the record or left the phone
    // without its file or with part of it: the computer copy of it as it was.
    const std::string &formerCopy() const { return formerCopy_; }
    // After a file write refused because the file as it was could not be kept
    // on the computer: the folder of the copies and the system's reason, on
    // two lines.
    const std::string &copyRefused() const { return copyRefused_; }

    // The state after a fresh look at the bus, and a line saying it.
    LinkState state(std::string &text);
    // Every Motorola device, what it is and what to do; answered: a phone in
    // command mode answered.
    std::string probe(bool &answered);

    static constexpr auto kRestartGiveUp = std::chrono::seconds(20);

private:
    struct Seen {
        UsbDevice device;
        PhoneDevice phone;
        UsbStatus openStatus = UsbStatus::Ok;  // of the last attempt to claim it
    };
    struct OpenFile {
        std::string path;
        std::uint32_t attribute = 0;
        std::uint32_t position = 0;
        std::uint32_t size = 0;
        bool written = false;
        bool onPhone = false;  // opened there; a new file only at its first write
        bool existed = false;  // on the phone before this open
    };
    struct Listed {
        std::uint32_t attribute = 0;
        std::uint32_t size = 0;
    };

    std::vector<std::string> scan();
    bool connect(const std::string &id, Seen &seen);
    void dropLink();
    bool connected();
    // Every command goes through here: after one that got no answer the link
    // is silent and the others fail at once, until the next status poll.
    P2kLink::Reply send(std::uint16_t code, const std::vector<std::uint8_t> &payload,
                        std::chrono::milliseconds wait = P2kLink::kReplyWait);
    P2kLink::Reply fsac(std::uint32_t sub, const std::vector<std::uint8_t> &arguments,
                        std::chrono::milliseconds wait = P2kLink::kReplyWait);
    // Closes whatever may be open on the phone, waiting briefly: it follows a
    // failure, whose own wait the call has spent already.
    void closeAfterFailure();
    bool openOnPhone(const std::string &path, std::uint32_t attribute);
    // false: the phone did not answer the search; nullopt in found: no such file.
    bool find(const std::string &path, std::optional<Listed> &found);
    bool recreate();
    // The file as it is on the phone, kept on the computer once a run before
    // its first replacement; false when it could not be kept.
    bool keepFormerFile();
    void abandonFile();
    std::optional<std::vector<std::uint8_t>> readRecord(int seem, int record);
    std::optional<std::string> modelName();

    UsbBus &bus_;
    ModemSwitch switch_;
    std::map<std::string, Seen> seen_;
    std::unique_ptr<P2kLink> link_;
    std::string linkId_;
    std::uint16_t packetId_ = 0;
    std::optional<std::string> restartingId_;
    std::chrono::steady_clock::time_point restartedAt_;
    std::optional<OpenFile> file_;
    std::string volume_ = "/a";
    std::map<std::pair<int, int>, std::string> backedUp_;
    std::map<std::string, std::string> filesKept_;
    std::string formerCopy_;
    std::string copyRefused_;
    bool silent_ = false;
    bool closeOwed_ = false;  // a file may be open on the phone since a silent failure
    LinkState state_ = LinkState::NoPhone;
    UsbStatus openStatus_ = UsbStatus::Ok;  // why the phone found could not be opened
};

}  // namespace p2kusb
