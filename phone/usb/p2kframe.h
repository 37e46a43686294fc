#pragma once

// Command frames and replies of the phone's test-command protocol, on bytes
// only, so every check can be tried on any buffer.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace p2kusb {

// Control: three control transfers per command. Bulk: the P2K05 framing.
enum class P2kTransport { Control, Bulk };

constexpr std::uint16_t kMotorolaVendor = 0x22B8;
constexpr std::uint16_t kPacketIdMask = 0x0FFF;
constexpr std::size_t kControlHeader = 8;    // command frame header
constexpr std::size_t kBulkHeader = 12;      // P2K05 frame and reply header
constexpr std::size_t kFetchPrefix = 6;      // queue fields before a message
constexpr std::size_t kControlReplyHeader = 14;
constexpr std::size_t kMaxReply = 0x4000;

namespace cmd {
constexpr std::uint16_t kSeemRead = 0x0020;
constexpr std::uint16_t kRestart = 0x0022;
constexpr std::uint16_t kSeemWrite = 0x002F;
constexpr std::uint16_t kFileSystem = 0x004A;
}  // namespace cmd

namespace fsac {
constexpr std::uint32_t kOpen = 0x00;
constexpr std::uint32_t kRead = 0x01;
constexpr std::uint32_t kWrite = 0x02;
constexpr std::uint32_t kSeek = 0x03;
constexpr std::uint32_t kClose = 0x04;
constexpr std::uint32_t kDelete = 0x05;
constexpr std::uint32_t kSearch = 0x07;
constexpr std::uint32_t kList = 0x08;
constexpr std::uint32_t kVolumes = 0x0A;
constexpr std::uint32_t kVolumeInfo = 0x0B;
constexpr std::size_t kMaxChunk = 0x400;
}  // namespace fsac

std::vector<std::uint8_t> EncodeCommand(P2kTransport transport, std::uint16_t packetId,
                                        std::uint16_t command,
                                        std::span<const std::uint8_t> payload);

// The poll answer of the control transport: how many replies wait and the
// size of the first. Malformed: too short, or a size no fetch can take.
struct PollReply {
    enum class Kind { NotReady, Ready, Malformed } kind = Kind::Malformed;
    std::size_t firstSize = 0;  // message size; the fetch asks for 6 more bytes
    bool fits = true;           // within the reply bound; a larger one is fetched and dropped
};
PollReply ParsePoll(const std::uint8_t *data, std::size_t size);

struct ParsedReply {
    enum class Kind {
        Ok,         // well formed, our packet, result nibble 8 or 6
        Refused,    // well formed, our packet, another result nibble
        OtherPacket,// well formed, answers another packet (a late reply)
        Malformed,
    } kind = Kind::Malformed;
    std::uint16_t packetId = 0;
    std::uint8_t result = 0;  // high byte of the result word
    std::vector<std::uint8_t> payload;
};

// A whole reply as one fetch (control) or one bulk read (bulk) returned it.
ParsedReply ParseReply(const std::uint8_t *data, std::size_t size, P2kTransport transport,
                       std::uint16_t sentPacketId);

inline void PutBe16(std::vector<std::uint8_t> &out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}
inline void PutBe32(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    PutBe16(out, static_cast<std::uint16_t>(value >> 16));
    PutBe16(out, static_cast<std::uint16_t>(value));
}
inline std::uint16_t Be16(const std::uint8_t *p)
{
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}
inline std::uint32_t Be32(const std::uint8_t *p)
{
    return std::uint32_t{Be16(p)} << 16 | Be16(p + 2);
}

}  // namespace p2kusb
