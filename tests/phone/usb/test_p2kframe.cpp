// The frame and reply codec on bytes alone.

#include "phone/usb/p2kframe.h"

#include <gtest/gtest.h>

#include <string>

namespace p2kusb {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Of(std::initializer_list<int> values)
{
    Bytes out;
    for (const int v : values)
        out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

// Frames captured from working tools: any field out of place breaks them.
TEST(P2kFrame, CommandsEncodeAsCapturedFromWorkingTools)
{
    const std::string path = "/a/Vib_dash.wav";
    Bytes open = Of({0, 0, 0, 0, 0, 0, 0, 4});
    open.insert(open.end(), path.begin(), path.end());
    Bytes expected = Of({0x04, 0xFC, 0x00, 0x4A, 0x00, 0x17, 0x00, 0x00});
    expected.insert(expected.end(), open.begin(), open.end());
    EXPECT_EQ(EncodeCommand(P2kTransport::Control, 0x04FC, cmd::kFileSystem, open), expected);

    EXPECT_EQ(EncodeCommand(P2kTransport::Control, 0x0006, cmd::kSeemRead,
                            Of({0x01, 0x17, 0x00, 0x01, 0, 0, 0, 0})),
              Of({0x00, 0x06, 0x00, 0x20, 0x00, 0x08, 0x00, 0x00, 0x01, 0x17, 0x00, 0x01, 0, 0, 0, 0}));
    // P2K05: four zero bytes, then a 32-bit length; ids keep to 12 bits.
    EXPECT_EQ(EncodeCommand(P2kTransport::Bulk, 0x1001, cmd::kRestart, {}),
              Of({0x00, 0x01, 0x00, 0x22, 0, 0, 0, 0, 0, 0, 0, 0}));
}

Bytes ControlReply(int id, int result, const Bytes &payload)
{
    Bytes out = Of({1, 0, 0, 0});
    const int size = 8 + int(payload.size());
    out.push_back(std::uint8_t(size >> 8));
    out.push_back(std::uint8_t(size));
    for (const int v : {id >> 8, id, result, 0x4A, int(payload.size()) >> 8, int(payload.size()), 0, 0})
        out.push_back(std::uint8_t(v));
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

Bytes BulkReply(int id, int result, const Bytes &payload)
{
    Bytes out;
    for (const int v : {id >> 8, id, result, 0x4A, 0, 0, 0, 0, 0, 0, int(payload.size()) >> 8,
                        int(payload.size())})
        out.push_back(std::uint8_t(v));
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

struct ReplyCase {
    const char *name;
    P2kTransport transport;
    Bytes bytes;
    ParsedReply::Kind kind;
};

// Every check the protocol notes name, each broken on its own.
TEST(P2kFrame, RepliesAreCheckedFieldByField)
{
    const Bytes data = Of({0xDE, 0xAD});
    const auto mutate = [](Bytes b, std::size_t at, int value) {
        b[at] = std::uint8_t(value);
        return b;
    };
    const Bytes good = ControlReply(0x8123, 0x80, data);
    const Bytes bulk = BulkReply(0x8123, 0x60, data);
    Bytes padded = bulk;
    padded.insert(padded.end(), {0, 0});
    Bytes badPad = bulk;
    badPad.insert(badPad.end(), {0, 1});
    const ReplyCase cases[] = {
        {"control ok", P2kTransport::Control, good, ParsedReply::Kind::Ok},
        {"nibble 6", P2kTransport::Control, mutate(good, 8, 0x6F), ParsedReply::Kind::Ok},
        {"nibble 9", P2kTransport::Control, mutate(good, 8, 0x90), ParsedReply::Kind::Refused},
        {"other id", P2kTransport::Control, mutate(good, 7, 0x24), ParsedReply::Kind::OtherPacket},
        {"no bit 15", P2kTransport::Control, mutate(good, 6, 0x01), ParsedReply::Kind::Malformed},
        {"two messages", P2kTransport::Control, mutate(good, 0, 2), ParsedReply::Kind::Malformed},
        {"size field", P2kTransport::Control, mutate(good, 5, 11), ParsedReply::Kind::Malformed},
        {"length field", P2kTransport::Control, mutate(good, 11, 3), ParsedReply::Kind::Malformed},
        {"cut short", P2kTransport::Control, Bytes(good.begin(), good.end() - 1), ParsedReply::Kind::Malformed},
        {"header only", P2kTransport::Control, Bytes(good.begin(), good.begin() + 13), ParsedReply::Kind::Malformed},
        {"empty", P2kTransport::Control, {}, ParsedReply::Kind::Malformed},
        {"bulk ok", P2kTransport::Bulk, bulk, ParsedReply::Kind::Ok},
        {"bulk padded", P2kTransport::Bulk, padded, ParsedReply::Kind::Ok},
        {"bulk bad pad", P2kTransport::Bulk, badPad, ParsedReply::Kind::Malformed},
        {"bulk length", P2kTransport::Bulk, mutate(bulk, 11, 5), ParsedReply::Kind::Malformed},
        {"bulk no bit 15", P2kTransport::Bulk, mutate(bulk, 0, 0x01), ParsedReply::Kind::Malformed},
        {"bulk nibble", P2kTransport::Bulk, mutate(bulk, 2, 0x00), ParsedReply::Kind::Refused},
        {"bulk short", P2kTransport::Bulk, Bytes(bulk.begin(), bulk.begin() + 11), ParsedReply::Kind::Malformed},
    };
    for (const ReplyCase &c : cases) {
        const ParsedReply reply = ParseReply(c.bytes.data(), c.bytes.size(), c.transport, 0x123);
        EXPECT_EQ(reply.kind, c.kind) << c.name;
        if (c.kind == ParsedReply::Kind::Ok) {
            EXPECT_EQ(reply.payload, data) << c.name;
        }
    }
    EXPECT_EQ(ParseReply(nullptr, 20, P2kTransport::Bulk, 1).kind, ParsedReply::Kind::Malformed);
}

TEST(P2kFrame, PollsSayHowBigTheFirstReplyIs)
{
    EXPECT_EQ(ParsePoll(Of({0, 0}).data(), 2).kind, PollReply::Kind::NotReady);
    const Bytes two = Of({0, 2, 0x00, 0x10, 0x00, 0x20});
    const PollReply ready = ParsePoll(two.data(), two.size());
    EXPECT_EQ(ready.kind, PollReply::Kind::Ready);
    EXPECT_EQ(ready.firstSize, 0x10u);
    for (const Bytes &bad : {Of({0}), Of({0, 1}), Of({0, 1, 0, 7}), Of({0, 1, 0xFF, 0xFA})})
        EXPECT_EQ(ParsePoll(bad.data(), bad.size()).kind, PollReply::Kind::Malformed);
    // Over the reply bound but fetchable: it must be fetched to leave the queue.
    const Bytes oversized = Of({0, 1, 0x3F, 0xFF});
    const PollReply large = ParsePoll(oversized.data(), oversized.size());
    EXPECT_EQ(large.kind, PollReply::Kind::Ready);
    EXPECT_FALSE(large.fits);
}

}  // namespace
}  // namespace p2kusb
