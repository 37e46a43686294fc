#include "p2kphone.h"

#include "hostsetup.h"
#include "seembackup.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace p2kusb {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kMaxPath = 260;           // file-list record size 268 less 8
constexpr std::size_t kPaddedPattern = 0x100;   // payload of search and volume info
constexpr std::uint32_t kDirectory = 0x10;
constexpr std::size_t kMaxVolume = 8;             // "/a", "/c" ...
constexpr std::uint8_t kEntriesPerPage = 3;
constexpr int kMaxPages = 64;
constexpr auto kRestartReplyWait = std::chrono::milliseconds(1000);
constexpr auto kCloseAfterFailureWait = std::chrono::milliseconds(1000);
constexpr int kFailure = -1;
// A file larger than this is no scheme; it is not copied, so not replaced.
constexpr std::uint32_t kMaxKeptFile = 1 << 20;

std::vector<std::uint8_t> Be32Bytes(std::uint32_t value)
{
    std::vector<std::uint8_t> out;
    PutBe32(out, value);
    return out;
}

void PutUtf16(std::vector<std::uint8_t> &out, std::string_view ascii)
{
    for (const char c : ascii)
        PutBe16(out, static_cast<std::uint8_t>(c));
}

// Absolute, printable ASCII, no wildcard: the search that finds the file's
// attribute takes the name as a pattern, and the phone's 8-bit code page
// for other characters is not known.
bool UsablePath(std::string_view path)
{
    if (path.size() < 2 || path.size() > kMaxPath || path.front() != '/' || path.back() == '/')
        return false;
    return std::all_of(path.begin(), path.end(), [](char c) {
        return c >= 0x20 && c < 0x7F && c != '*' && c != '?';
    });
}

// The phone's file system does not tell case apart.
bool SamePath(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::string VolumeOf(const std::string &path)
{
    const auto end = path.find('/', 1);
    return end == std::string::npos ? path : path.substr(0, end);
}

bool ValidRecordCall(int seem, int record, int offset, int count, const void *buffer)
{
    return buffer && seem >= 0 && seem <= 0xFFFF && record >= 0 && record <= 0xFFFF &&
           offset >= 0 && count > 0 && offset <= 0xFFFF - count;
}

std::vector<std::uint8_t> RecordArguments(int seem, int record, int offset, int count)
{
    std::vector<std::uint8_t> out;
    PutBe16(out, static_cast<std::uint16_t>(seem));
    PutBe16(out, static_cast<std::uint16_t>(record));
    PutBe16(out, static_cast<std::uint16_t>(offset));
    PutBe16(out, static_cast<std::uint16_t>(count));
    return out;
}

const char *StateText(LinkState state)
{
    switch (state) {
    case LinkState::NoPhone: return "no Motorola phone on USB";
    case LinkState::Ready: return "phone in command mode";
    case LinkState::Switching: return "phone in modem mode, switching it to command mode";
    case LinkState::Restarting: return "phone restarting";
    case LinkState::NoAccess: return "phone found, but it cannot be opened";
    case LinkState::MassStorage: return "phone in mass-storage mode";
    case LinkState::SwitchFailed: return "phone in modem mode, it did not switch to command mode";
    case LinkState::Unknown: break;
    }
    return "Motorola device in an unknown mode";
}

std::string Hex4(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04x", value & 0xFFFF);
    return text;
}

}  // namespace

// A late reply to the first command of the run before must not pass for one
// of this run's.
P2kPhone::P2kPhone(UsbBus &bus)
    : bus_(bus), switch_(bus),
      packetId_(static_cast<std::uint16_t>(std::random_device{}() & kPacketIdMask))
{
}

int P2kPhone::init()
{
    if (file_)
        abandonFile();
    dropLink();
    switch_.forget();
    seen_.clear();
    restartingId_.reset();
    backedUp_.clear();
    filesKept_.clear();
    formerCopy_.clear();
    copyRefused_.clear();
    volume_ = "/a";
    status();
    return 0;
}

std::vector<std::string> P2kPhone::scan()
{
    std::vector<std::string> ids = bus_.list(kMotorolaVendor);
    std::sort(ids.begin(), ids.end());
    std::erase_if(seen_, [&](const auto &entry) {
        return !std::binary_search(ids.begin(), ids.end(), entry.first);
    });
    for (const std::string &id : ids) {
        if (seen_.count(id))
            continue;
        std::optional<UsbDevice> device = bus_.describe(id);
        if (!device)
            continue;
        Seen seen;
        seen.phone = ClassifyDevice(*device);
        seen.openStatus = device->access;
        seen.device = std::move(*device);
        seen_.emplace(id, std::move(seen));
    }
    return ids;
}

int P2kPhone::status()
{
    const std::vector<std::string> ids = scan();
    if (link_) {
        if (!link_->gone() && seen_.count(linkId_)) {
            state_ = LinkState::Ready;
            silent_ = false;
            return 1;
        }
        dropLink();
    }
    if (restartingId_) {
        // The phone still on the bus under its old address has not restarted yet.
        if (seen_.count(*restartingId_) && Clock::now() - restartedAt_ < kRestartGiveUp) {
            state_ = LinkState::Restarting;
            return 0;
        }
        restartingId_.reset();
    }
    state_ = !ids.empty()                ? LinkState::Unknown
             : switch_.recentlySent()    ? LinkState::Switching
                                         : LinkState::NoPhone;
    for (auto &[id, seen] : seen_) {
        switch (seen.phone.mode) {
        case PhoneMode::Command:
            if (connect(id, seen)) {
                state_ = LinkState::Ready;
                return 1;
            }
            state_ = LinkState::NoAccess;
            openStatus_ = seen.openStatus;
            break;
        case PhoneMode::Modem:
            switch_.start(id, seen.phone);
            if (seen.openStatus == UsbStatus::Access) {
                state_ = LinkState::NoAccess;
                openStatus_ = seen.openStatus;
            } else if (state_ != LinkState::NoAccess) {
                state_ = switch_.failed(id) ? LinkState::SwitchFailed : LinkState::Switching;
            }
            break;
        case PhoneMode::MassStorage:
            if (state_ == LinkState::Unknown)
                state_ = LinkState::MassStorage;
            break;
        case PhoneMode::Unknown:
            if (seen.openStatus == UsbStatus::Access) {
                state_ = LinkState::NoAccess;
                openStatus_ = seen.openStatus;
            }
            break;
        }
    }
    return 0;
}

bool P2kPhone::connect(const std::string &id, Seen &seen)
{
    UsbStatus status = UsbStatus::Ok;
    std::unique_ptr<UsbHandle> handle = bus_.open(id, status);
    if (handle)
        status = handle->claim(seen.phone.command.number, false);
    seen.openStatus = status;
    if (status != UsbStatus::Ok)
        return false;
    link_ = std::make_unique<P2kLink>(std::move(handle), seen.phone.command, packetId_);
    linkId_ = id;
    file_.reset();
    return true;
}

void P2kPhone::dropLink()
{
    link_.reset();
    linkId_.clear();
    file_.reset();
    silent_ = false;
    closeOwed_ = false;
}

bool P2kPhone::connected()
{
    if (link_ && !link_->gone())
        return true;
    return status() == 1;
}

P2kLink::Reply P2kPhone::send(std::uint16_t code, const std::vector<std::uint8_t> &payload,
                              std::chrono::milliseconds wait)
{
    if (!link_)
        return {};
    if (silent_)
        return {P2kLink::Outcome::NoReply, {}};
    P2kLink::Reply reply = link_->command(code, payload, wait);
    if (link_->gone())
        dropLink();
    else if (reply.outcome == P2kLink::Outcome::NoReply)
        silent_ = true;
    return reply;
}

P2kLink::Reply P2kPhone::fsac(std::uint32_t sub, const std::vector<std::uint8_t> &arguments,
                              std::chrono::milliseconds wait)
{
    std::vector<std::uint8_t> payload = Be32Bytes(sub);
    payload.insert(payload.end(), arguments.begin(), arguments.end());
    return send(cmd::kFileSystem, payload, wait);
}

int P2kPhone::restart()
{
    if (!connected())
        return kFailure;
    if (file_)
        abandonFile();
    if (!link_ || silent_)
        return kFailure;
    // Whether the phone answers before it resets, or leaves the bus first, is
    // not known: no answer is fine.
    const std::string id = linkId_;
    const P2kLink::Reply reply = send(cmd::kRestart, {}, kRestartReplyWait);
    if (reply.outcome == P2kLink::Outcome::Refused || reply.outcome == P2kLink::Outcome::Failed)
        return kFailure;
    restartingId_ = id;
    restartedAt_ = Clock::now();
    dropLink();
    state_ = LinkState::Restarting;
    return 0;
}

bool P2kPhone::find(const std::string &path, std::optional<Listed> &found)
{
    found.reset();
    const auto slash = path.rfind('/');
    std::vector<std::uint8_t> pattern;
    PutUtf16(pattern, std::string_view(path).substr(0, slash + 1));
    PutBe16(pattern, 0xFFFE);
    PutUtf16(pattern, std::string_view(path).substr(slash + 1));
    PutBe16(pattern, 0);
    if (pattern.size() + 4 < kPaddedPattern)
        pattern.resize(kPaddedPattern - 4, 0);
    const P2kLink::Reply search = fsac(fsac::kSearch, pattern);
    // No match: the phone refuses the search and counts no file. Any other
    // failure says nothing of the file, whose old tail a write would keep.
    const bool noMatch = search.outcome == P2kLink::Outcome::Refused &&
                         search.payload.size() == 2 && Be16(search.payload.data()) == 0;
    if (noMatch)
        return true;
    if (!search.ok() || search.payload.size() < 2)
        return false;
    std::size_t matches = Be16(search.payload.data());
    for (int page = 0; matches > 0 && page < kMaxPages; ++page) {
        const P2kLink::Reply list = fsac(fsac::kList, {kEntriesPerPage});
        // The listing ends with an empty reply, whatever its result.
        if (list.payload.empty() && (list.ok() || list.outcome == P2kLink::Outcome::Refused))
            return true;
        if (!list.ok() || list.payload.size() < 4)
            return false;
        const std::size_t entries = Be16(list.payload.data());
        if (entries == 0)
            return true;
        const std::size_t bytes = list.payload.size() - 4;
        const std::size_t recordSize = bytes / entries;
        if (bytes % entries != 0 || recordSize <= 8)
            return false;
        for (std::size_t i = 0; i < entries; ++i) {
            const std::uint8_t *record = list.payload.data() + 4 + i * recordSize;
            const std::uint8_t *tail = record + recordSize - 8;
            const auto nameEnd = std::find(record, tail, std::uint8_t{0});
            if (SamePath(std::string_view(reinterpret_cast<const char *>(record),
                                          static_cast<std::size_t>(nameEnd - record)),
                         path)) {
                found = Listed{Be16(tail), Be32(tail + 4)};
                return true;
            }
        }
        matches -= std::min(matches, entries);
    }
    return true;
}

bool P2kPhone::openOnPhone(const std::string &path, std::uint32_t attribute)
{
    std::vector<std::uint8_t> arguments = Be32Bytes(attribute);
    arguments.insert(arguments.end(), path.begin(), path.end());
    const P2kLink::Reply opened = fsac(fsac::kOpen, arguments);
    if (opened.ok())
        return true;
    // Without an answer the file may be open on the phone all the same.
    if (opened.outcome != P2kLink::Outcome::Refused)
        closeAfterFailure();
    return false;
}

// A file that is not there is created by its first write, not by the open:
// reading a missing file then finds nothing and leaves nothing behind.
int P2kPhone::fileCreate(const char *path, int)
{
    if (!path || !UsablePath(path) || !connected())
        return kFailure;
    formerCopy_.clear();
    copyRefused_.clear();
    if (file_)
        abandonFile();
    if (closeOwed_) {
        closeOwed_ = false;
        closeAfterFailure();
    }
    const std::string target(path);
    std::optional<Listed> listed;
    if (!find(target, listed) || !link_)
        return kFailure;
    if (listed && (listed->attribute & kDirectory))
        return kFailure;
    if (listed) {
        // Opening with another attribute would change the file's attribute.
        if (!openOnPhone(target, listed->attribute))
            return kFailure;
        file_ = OpenFile{target, listed->attribute, 0, listed->size, false, true, true};
        // Read from its start as the working tools do it: open, seek to 0.
        std::vector<std::uint8_t> seek = Be32Bytes(0);
        seek.push_back(0);
        if (!fsac(fsac::kSeek, seek).ok()) {
            abandonFile();
            return kFailure;
        }
    } else {
        file_ = OpenFile{target, 0, 0, 0, false, false};
    }
    if (const std::string volume = VolumeOf(target); volume.size() <= kMaxVolume)
        volume_ = volume;
    return 0;
}

void P2kPhone::abandonFile()
{
    const bool onPhone = file_ && file_->onPhone;
    file_.reset();
    if (onPhone)
        closeAfterFailure();
}

void P2kPhone::closeAfterFailure()
{
    if (!silent_)
        fsac(fsac::kClose, {}, kCloseAfterFailureWait);
    closeOwed_ = silent_ && link_;
}

int P2kPhone::fileRead(std::uint8_t *buffer, int count)
{
    if (!buffer || count < 0 || !file_ || !link_)
        return kFailure;
    int total = 0;
    while (total < count && file_->position < file_->size) {
        const std::uint32_t want = static_cast<std::uint32_t>(std::min<std::size_t>(
            {fsac::kMaxChunk, std::size_t(count - total), std::size_t(file_->size - file_->position)}));
        const P2kLink::Reply reply = fsac(fsac::kRead, Be32Bytes(want));
        if (!reply.ok() || reply.payload.size() > want || !file_) {
            abandonFile();
            return kFailure;
        }
        std::copy(reply.payload.begin(), reply.payload.end(), buffer + total);
        total += static_cast<int>(reply.payload.size());
        file_->position += static_cast<std::uint32_t>(reply.payload.size());
        if (reply.payload.size() < want)
            break;
    }
    return total;
}

// Whether opening an existing file cuts it is not known: a file longer than
// what is written from its start is deleted and made anew first, so no old
// tail stays behind the new content.
bool P2kPhone::recreate()
{
    if (!fsac(fsac::kClose, {}).ok())
        return false;
    file_->onPhone = false;
    std::vector<std::uint8_t> path(file_->path.begin(), file_->path.end());
    if (!fsac(fsac::kDelete, path).ok() || !openOnPhone(file_->path, file_->attribute))
        return false;
    file_->onPhone = true;
    file_->size = 0;
    return true;
}

bool P2kPhone::keepFormerFile()
{
    if (!file_->existed || file_->size == 0 || filesKept_.count(file_->path))
        return true;
    if (file_->size > kMaxKeptFile)
        return false;
    std::vector<std::uint8_t> bytes(file_->size);
    if (fileRead(bytes.data(), static_cast<int>(bytes.size())) != static_cast<int>(bytes.size()))
        return false;
    std::vector<std::uint8_t> seek = Be32Bytes(0);
    seek.push_back(0);
    if (!file_ || !fsac(fsac::kSeek, seek).ok() || !file_)
        return false;
    file_->position = 0;
    const Backup kept = SaveFileBackup(file_->path, bytes);
    if (!kept) {
        copyRefused_ = kept.folder.string() + '\n' + kept.reason;
        return false;
    }
    filesKept_[file_->path] = kept.file.string();
    return true;
}

int P2kPhone::fileWrite(const std::uint8_t *buffer, int count)
{
    if (!buffer || count < 0 || !file_ || !link_)
        return kFailure;
    // From the first change of a file that was there on, a failure may leave
    // the phone without it or with a part of it.
    std::string copy;
    const auto lost = [&] {
        formerCopy_ = copy;
        abandonFile();
        return kFailure;
    };
    if (!file_->onPhone) {
        if (!openOnPhone(file_->path, 0)) {
            file_.reset();
            return kFailure;
        }
        file_->onPhone = true;
    } else if (!file_->written && file_->position == 0) {
        if (!keepFormerFile()) {
            abandonFile();
            return kFailure;
        }
        copy = filesKept_[file_->path];
        if (file_->size > std::uint32_t(count) && !recreate())
            return lost();
    }
    if (const auto kept = filesKept_.find(file_->path); kept != filesKept_.end())
        copy = kept->second;
    file_->written = true;
    for (int done = 0; done < count;) {
        const int chunk = std::min<int>(fsac::kMaxChunk, count - done);
        std::vector<std::uint8_t> arguments = Be32Bytes(static_cast<std::uint32_t>(chunk));
        arguments.insert(arguments.end(), buffer + done, buffer + done + chunk);
        if (!fsac(fsac::kWrite, arguments).ok() || !file_)
            return lost();
        done += chunk;
        file_->position += static_cast<std::uint32_t>(chunk);
        file_->size = std::max(file_->size, file_->position);
    }
    return count;
}

int P2kPhone::fileClose()
{
    if (!file_)
        return kFailure;
    const bool onPhone = file_->onPhone;
    const bool written = file_->written;
    const std::string path = file_->path;
    file_.reset();
    if (!onPhone || fsac(fsac::kClose, {}).ok())
        return 0;
    if (const auto kept = filesKept_.find(path); written && kept != filesKept_.end())
        formerCopy_ = kept->second;
    closeOwed_ = silent_ && link_;
    return kFailure;
}

int P2kPhone::volInfo(std::uint16_t *buffer)
{
    if (!connected())
        return kFailure;
    std::vector<std::uint8_t> arguments{0, 0};
    PutUtf16(arguments, volume_);
    arguments.resize(kPaddedPattern - 4, 0);
    const P2kLink::Reply reply = fsac(fsac::kVolumeInfo, arguments);
    if (!reply.ok() || reply.payload.size() < 4)
        return kFailure;
    if (buffer) {
        // The volume asked about, as a zero-terminated string in the caller's buffer.
        for (std::size_t i = 0; i < volume_.size(); ++i)
            buffer[i] = static_cast<std::uint8_t>(volume_[i]);
        buffer[volume_.size()] = 0;
    }
    return static_cast<int>(std::min<std::uint32_t>(Be32(reply.payload.data()), INT_MAX));
}

std::optional<std::vector<std::uint8_t>> P2kPhone::readRecord(int seem, int record)
{
    const P2kLink::Reply reply = send(cmd::kSeemRead, RecordArguments(seem, record, 0, 0));
    // The byte in front of the record is a status; only 0 is known to mean success.
    if (!reply.ok() || reply.payload.size() < 2 || reply.payload[0] != 0)
        return std::nullopt;
    return std::vector<std::uint8_t>(reply.payload.begin() + 1, reply.payload.end());
}

int P2kPhone::seemRead(int seem, int record, int offset, int count, std::uint8_t *buffer)
{
    if (!ValidRecordCall(seem, record, offset, count, buffer) || !connected())
        return kFailure;
    const auto bytes = readRecord(seem, record);
    if (!bytes || std::size_t(offset) + count > bytes->size())
        return kFailure;
    std::copy_n(bytes->begin() + offset, count, buffer);
    return count;
}

// Partial writes are not proven: the whole record goes back, after a copy of
// it as it was is kept, and is read again to see that it arrived.
int P2kPhone::seemWrite(int seem, int record, int offset, int count, const std::uint8_t *buffer)
{
    if (!ValidRecordCall(seem, record, offset, count, buffer) || !connected())
        return kFailure;
    formerCopy_.clear();
    copyRefused_.clear();
    const auto before = readRecord(seem, record);
    // The write's count field is 16 bits wide.
    if (!before || std::size_t(offset) + count > before->size() || before->size() > 0xFFFF)
        return kFailure;
    std::vector<std::uint8_t> after = *before;
    std::copy_n(buffer, count, after.begin() + offset);
    if (after == *before)
        return 0;
    const std::pair<int, int> key{seem, record};
    if (!backedUp_.count(key)) {
        const Backup kept = SaveSeemBackup(seem, record, *before);
        if (!kept)
            return kFailure;
        backedUp_[key] = kept.file.string();
    }
    std::vector<std::uint8_t> arguments =
        RecordArguments(seem, record, 0, static_cast<int>(after.size()));
    arguments.insert(arguments.end(), after.begin(), after.end());
    const P2kLink::Reply reply = send(cmd::kSeemWrite, arguments);
    // A refusal, or a status other than success, left the record as it was.
    const bool answered = reply.ok() || reply.outcome == P2kLink::Outcome::Refused;
    if (answered && (!reply.ok() || (!reply.payload.empty() && reply.payload[0] != 0)))
        return kFailure;
    if (answered) {
        const auto back = readRecord(seem, record);
        if (back == after)
            return 0;
        if (back == before)
            return kFailure;
    }
    formerCopy_ = backedUp_[key];
    return kMayHaveChanged;
}

LinkState P2kPhone::state(std::string &text)
{
    status();
    text = StateText(state_);
    if (state_ == LinkState::NoAccess)
        text += std::string(" (") + Describe(openStatus_) + ")";
    if (state_ == LinkState::Switching || state_ == LinkState::SwitchFailed ||
        state_ == LinkState::NoPhone) {
        const std::string outcome = switch_.outcome();
        if (!outcome.empty())
            text += " (" + outcome + ")";
    }
    return state_;
}

std::optional<std::string> P2kPhone::modelName()
{
    const auto bytes = readRecord(0x117, 1);
    if (!bytes)
        return std::nullopt;
    std::string name;
    for (std::size_t i = 0; i + 1 < bytes->size(); i += 2) {
        const std::uint16_t unit = Be16(bytes->data() + i);
        if (unit == 0)
            break;
        name += unit >= 0x20 && unit < 0x7F ? static_cast<char>(unit) : '?';
    }
    return name;
}

std::string P2kPhone::probe(bool &answered)
{
    answered = false;
    status();
    // The outcome of a switch under way belongs in the report, not "not sent yet".
    switch_.finish();
    std::string report;
    bool noAccess = false, modem = false, refused = false, storage = false;
    for (auto &[id, seen] : seen_) {
        const UsbDevice &device = seen.device;
        const bool ours = link_ && id == linkId_;
        if (seen.phone.mode == PhoneMode::Modem || seen.phone.mode == PhoneMode::Unknown) {
            // Opening alone moves nothing over the bus. (A phone in command
            // mode was just tried by status(), claim included.)
            UsbStatus opened = UsbStatus::Ok;
            bus_.open(id, opened);
            seen.openStatus = opened;
        }
        report += "Motorola device at " + device.location + " (" + Hex4(device.vendor) + ":" +
                  Hex4(device.product) + ")\n  mode: " + ModeName(seen.phone) + "\n";
        if (seen.phone.mode == PhoneMode::Command) {
            report += "  command interface: " + std::to_string(seen.phone.command.number) +
                      ", transport: " +
                      (seen.phone.command.transport == P2kTransport::Bulk
                           ? "bulk transfers (P2K05)"
                           : "control transfers") +
                      "\n";
        }
        if (seen.phone.mode == PhoneMode::MassStorage) {
            report += "  can be opened: not tried (the kernel's storage driver has it)\n";
        } else if (ours || seen.openStatus == UsbStatus::Ok) {
            report += "  can be opened: yes\n";
        } else {
            report += std::string("  can be opened: no (") + Describe(seen.openStatus) + ")\n";
            noAccess = noAccess || seen.openStatus == UsbStatus::Access;
        }
        modem = modem || seen.phone.mode == PhoneMode::Modem;
        refused = refused || (seen.phone.mode == PhoneMode::Modem && switch_.failed(id));
        storage = storage || seen.phone.mode == PhoneMode::MassStorage;
        if (!ours)
            continue;
        const std::optional<std::string> model = modelName();
        report += "  model (seem 0117 record 0001): " + (model ? *model : "no answer") + "\n";
        volume_ = "/a";
        const int free = volInfo(nullptr);
        report += "  free space on /a: " +
                  (free >= 0 ? std::to_string(free) + " bytes" : std::string("no answer")) + "\n";
        answered = answered || model || free >= 0;
    }
    report += PermissionSetup();
    if (seen_.empty())
        report += "No Motorola phone (vendor 22b8) on USB: is the phone on, and the cable a data "
                  "cable?\n";
    if (noAccess)
        report += NoAccessAdvice();
    if (refused)
        report += "A phone in modem mode did not switch to command mode: " + switch_.outcome() +
                  ". " + ModemModeAdvice();
    else if (modem)
        report += "A phone in modem mode is switched to command mode with AT+MODE=8 (" +
                  (switch_.outcome().empty() ? std::string("not sent yet") : switch_.outcome()) +
                  "). " + ModemModeAdvice();
    if (storage)
        report += "A phone in mass-storage mode cannot be reached: eject its memory card, choose "
                  "the data (modem) connection in the phone's USB settings and plug it in "
                  "again.\n";
    if (!answered && !seen_.empty() && !noAccess && !modem && !storage)
        report += "No phone in command mode answered.\n";
    return report;
}

}  // namespace p2kusb
