// How a Motorola device is read from its descriptors alone.

#include "phone/usb/phonedevice.h"

#include <gtest/gtest.h>

namespace p2kusb {
namespace {

constexpr std::uint8_t kIn = 0x81;
constexpr std::uint8_t kOut = 0x02;

// The command interface is found by its name, whatever its number, and takes
// bulk transfers only with a bulk endpoint each way: with fewer the link
// would send to or read from an endpoint that is not there.
struct CommandCase {
    const char *name;
    int number;
    std::vector<UsbEndpoint> endpoints;
    P2kTransport transport;
    const char *shownAs;  // the mode `phone probe` reports
};

const CommandCase kCommandCases[] = {
    {"NoEndpoints", 8, {}, P2kTransport::Control, "command"},
    {"BulkEachWay", 8, {{kIn, true}, {kOut, true}}, P2kTransport::Bulk, "command P2K05"},
    {"BulkEachWayOnAnotherNumber", 5, {{kOut, true}, {kIn, true}}, P2kTransport::Bulk,
     "command P2K05"},
    {"OnlyBulkIn", 8, {{kIn, true}}, P2kTransport::Control, "command"},
    {"OnlyBulkOut", 8, {{kOut, true}}, P2kTransport::Control, "command"},
    {"InterruptEachWay", 8, {{kIn, false}, {kOut, false}}, P2kTransport::Control, "command"},
    {"BulkInInterruptOut", 8, {{kIn, true}, {kOut, false}}, P2kTransport::Control, "command"},
};

void PrintTo(const CommandCase &c, std::ostream *out)
{
    *out << c.name;
}

class CommandInterface : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CommandInterface, TransportFollowsTheEndpointsEachWay)
{
    const CommandCase &c = GetParam();
    UsbDevice device;
    device.vendor = 0x22B8;
    device.interfaces = {{c.number, "Motorola Test Command Interface", c.endpoints}};
    const PhoneDevice phone = ClassifyDevice(device);
    EXPECT_EQ(phone.mode, PhoneMode::Command);
    EXPECT_EQ(phone.command.number, c.number);
    EXPECT_EQ(phone.command.transport, c.transport);
    EXPECT_STREQ(ModeName(phone), c.shownAs);
    if (c.transport == P2kTransport::Bulk) {
        EXPECT_EQ(phone.command.in, kIn);
        EXPECT_EQ(phone.command.out, kOut);
    }
}

INSTANTIATE_TEST_SUITE_P(Usb, CommandInterface, ::testing::ValuesIn(kCommandCases),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace p2kusb
