// Seem records, restart, the modem switch and every way the phone can fail,
// through libp2kapi.so over the emulator.

#include "emulatedphonetest.h"

#include "phone/activation.h"
#include "phone/connectionstate.h"
#include "phone/linkreason.h"
#include "ui/wording.h"
#include "phone/opencommand.h"
#include "phone/savecommand.h"

#include <QFile>

#include <array>

namespace tintora::test {
namespace {

// The whole record goes back with only the one byte changed, and the record as
// it was is kept once per run in the per-user folder.
TEST_P(BothTransports, SeemWriteRewritesTheWholeRecordAfterKeepingACopy)
{
    start(GetParam());
    const Bytes original = emu().record(0x32, 1);
    std::uint8_t byte = 0;
    ASSERT_EQ(library().Seem_Read(0x32, 1, 83, 1, &byte), 1);
    EXPECT_EQ(byte, original[83]);
    byte |= 0x40;
    ASSERT_EQ(library().Seem_Write(0x32, 1, 83, 1, &byte), 0);
    Bytes expected = original;
    expected[83] = byte;
    EXPECT_EQ(emu().record(0x32, 1), expected);
    ASSERT_EQ(backups().size(), 1);
    EXPECT_TRUE(backups()[0].startsWith("0032_0001-")) << backups()[0].toStdString();
    QFile copy(data.filePath("Tintora/seem-backups/" + backups()[0]));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    const QByteArray kept = copy.readAll();
    EXPECT_EQ(Bytes(kept.begin(), kept.end()), original);

    // Later writes of the run keep no more copies; a write of what is there
    // sends nothing.
    byte = 0x55;
    ASSERT_EQ(library().Seem_Write(0x32, 1, 83, 1, &byte), 0);
    const auto writes = emu().commands().size();
    ASSERT_EQ(library().Seem_Write(0x32, 1, 83, 1, &byte), 0);
    EXPECT_EQ(emu().commands().size(), writes + 1) << "only the read";
    EXPECT_EQ(backups().size(), 1);
    library().P2K_Init(0);
    ASSERT_TRUE(waitForPhone());
    byte = 0x66;
    ASSERT_EQ(library().Seem_Write(0x32, 1, 83, 1, &byte), 0);
    EXPECT_EQ(backups().size(), 2) << "a new run keeps a new copy";

    // Bytes outside the record, and calls that make no sense.
    EXPECT_EQ(library().Seem_Read(0x32, 1, 255, 1, &byte), -1);
    EXPECT_EQ(library().Seem_Write(0x32, 1, 255, 1, &byte), -1);
    EXPECT_EQ(library().Seem_Read(0x999, 1, 0, 1, &byte), -1);
    EXPECT_EQ(library().Seem_Read(0x32, 1, 83, 1, nullptr), -1);
    EXPECT_EQ(library().Seem_Read(0x32, 1, -1, 1, &byte), -1);
}

TEST_F(EmulatedPhoneTest, NoSeemWriteWithoutACopy)
{
    start();
    QFile blocker(data.filePath("Tintora"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // a file where the folder would go
    blocker.close();
    const Bytes original = emu().record(0x32, 1);
    std::uint8_t byte = 0xFF;
    EXPECT_EQ(library().Seem_Write(0x32, 1, 83, 1, &byte), -1);
    EXPECT_EQ(emu().record(0x32, 1), original);
}

// The phone answers a write and the read-back fails: the record may have changed.
TEST_F(EmulatedPhoneTest, ASeemWriteThatDidNotArriveFails)
{
    start();
    emu().fail(Fault::SeemStatus, 0x0020, -1, 1);  // the read after the write
    std::uint8_t byte = 0xFF;
    EXPECT_EQ(library().Seem_Write(0x32, 1, 83, 1, &byte), -2);
}

TEST_P(BothTransports, RestartLetsThePhoneGoAndFindsItAgain)
{
    start(GetParam());
    for (const bool replies : {false, true}) {
        emu().setRestart(replies, Mode::Command, std::chrono::milliseconds(500));
        EXPECT_EQ(library().P2K_Restart(), 0);
        EXPECT_EQ(library().P2K_GetStatus(), 0) << "not ready while restarting";
        ASSERT_TRUE(waitForPhone());
        std::uint8_t byte = 0;
        EXPECT_EQ(library().Seem_Read(0x32, 1, 83, 1, &byte), 1);
    }
    EXPECT_EQ(emu().restarts(), 2);

    // Back in modem mode: switched again.
    emu().setRestart(false, Mode::Modem, std::chrono::milliseconds(50));
    EXPECT_EQ(library().P2K_Restart(), 0);
    ASSERT_TRUE(waitForPhone());
    EXPECT_EQ(emu().switches(), 1);
}

TEST_P(BothTransports, AModemIsSwitchedInTheBackground)
{
    emu().plug(Mode::Modem, GetParam());
    emu().setSwitchDelay(std::chrono::milliseconds(500));
    library().P2K_Init(0);
    EXPECT_EQ(library().P2K_GetStatus(), 0);
    ASSERT_TRUE(waitForPhone());
    EXPECT_EQ(emu().switches(), 1);
    std::array<std::uint16_t, 256> volume{};
    EXPECT_EQ(library().File_VolInfo(volume.data()), 1000000);
}

// cdc_acm cannot be detached, or the data interface has no name: the serial
// device carries the command.
TEST_F(EmulatedPhoneTest, TheSerialDeviceIsTheSecondWay)
{
    emu().plug(Mode::Modem);
    emu().setKernelDriverStuck(true);
    library().P2K_Init(0);
    ASSERT_TRUE(waitForPhone());
    EXPECT_EQ(emu().switches(), 1);

    emu().setKernelDriverStuck(false);
    emu().setDataInterfaceNamed(false);
    emu().plug(Mode::Modem);
    library().P2K_Init(0);
    ASSERT_TRUE(waitForPhone());
    EXPECT_EQ(emu().switches(), 2);
}

// The modem's answer decides: OK is a switch under way; ERROR, silence or a
// command that could not go out is told at once as a switch that failed, with
// what to do, and the data interface is back with the kernel's driver. A phone
// that comes back as a modem is a new device and is switched again.
struct SwitchCase {
    bool serial;  // the kernel's driver will not let go: the serial device it is
    bool port;    // the serial device is there
    std::vector<p2kemu::ModemAnswer> answers;
    int state;    // P2K_LinkState once the switch has ended
    const char *says;
    int switches;
    std::chrono::milliseconds within;
    const char *name;
};

using p2kemu::ModemAnswer;
using std::chrono::milliseconds;
const SwitchCase kSwitches[] = {
    {false, true, {}, 1, "phone in command mode", 1, milliseconds(3000), "UsbOk"},
    {false, true, {ModemAnswer::OkBackInModem}, 1, "phone in command mode", 2,
     milliseconds(3000), "BackAsAModem"},
    {false, true, {ModemAnswer::Error}, 7, "answered ERROR to AT+MODE=8 over USB; it will not "
     "switch now: unplug it", 1, milliseconds(1000), "UsbError"},
    {false, true, {ModemAnswer::Silent}, 7, "no answer to AT+MODE=8 over USB within 2 s", 1,
     milliseconds(3000), "UsbSilent"},
    {true, true, {ModemAnswer::Error}, 7, "answered ERROR to AT+MODE=8 on the serial device", 1,
     milliseconds(1000), "SerialError"},
    {true, true, {ModemAnswer::Silent}, 7, "no answer to AT+MODE=8 on the serial device", 1,
     milliseconds(3000), "SerialSilent"},
    {true, false, {}, 7, "could not send AT+MODE=8: USB: in use", 0, milliseconds(1000),
     "NotSent"},
};

class ModemSwitch : public EmulatedPhoneTest, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(ModemSwitch, TheAnswerDecidesAndAFailureIsToldAtOnce)
{
    const SwitchCase c = GetParam();
    emu().plug(Mode::Modem);
    emu().setKernelDriverStuck(c.serial);
    emu().setTtyAvailable(c.port);
    emu().setModemAnswers(c.answers);
    const auto state = reinterpret_cast<P2K_LinkStateFn>(library().resolve("P2K_LinkState"));
    ASSERT_NE(state, nullptr);
    library().P2K_Init(0);
    const auto end = std::chrono::steady_clock::now() + c.within;
    std::array<char, 512> text{};
    int now = state(text.data(), int(text.size()));
    while (now == 2 && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(milliseconds(20));
        now = state(text.data(), int(text.size()));
    }
    EXPECT_EQ(now, c.state) << text.data();
    EXPECT_NE(std::string(text.data()).find(c.says), std::string::npos) << text.data();
    EXPECT_EQ(emu().switches(), c.switches);
    EXPECT_TRUE(emu().modemDriverBound());
}

INSTANTIATE_TEST_SUITE_P(Usb, ModemSwitch, ::testing::ValuesIn(kSwitches),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_P(BothTransports, UnplugDuringATransferFailsAndAReplugWorks)
{
    start(GetParam());
    emu().fail(Fault::Unplug, 0x004A, 2, 2);  // at the third chunk
    const Bytes content = Pattern(5000);
    ASSERT_EQ(library().File_Create("/a/big", 0), 0);
    EXPECT_EQ(library().File_Write(content.data(), 5000), -1);
    library().File_Close();
    EXPECT_EQ(library().P2K_GetStatus(), 0);
    EXPECT_EQ(library().File_Create("/a/big", 0), -1);

    emu().plug(Mode::Command, GetParam());
    ASSERT_TRUE(waitForPhone());
    ASSERT_EQ(library().File_Create("/a/big", 0), 0);
    EXPECT_EQ(library().File_Write(content.data(), 5000), 5000);
    EXPECT_EQ(library().File_Close(), 0);
    EXPECT_EQ(emu().file("/a/big"), content);
}

// Each fault on a seem read, then on a file read: the call fails, the phone
// is left with no open file, and the next call works.
struct FaultCase {
    Fault fault;
    bool controlOnly;
    const char *name;
};

const FaultCase kFaults[] = {
    {Fault::Stall, false, "Stall"},
    {Fault::Timeout, false, "Timeout"},
    {Fault::NoReply, false, "NoReply"},
    {Fault::LateReply, false, "LateReply"},
    {Fault::WrongId, false, "WrongId"},
    {Fault::NoReplyBit, false, "NoReplyBit"},
    {Fault::WrongNibble, false, "WrongNibble"},
    {Fault::CountNot1, true, "CountNot1"},
    {Fault::SizeMismatch, true, "SizeMismatch"},
    {Fault::LengthMismatch, false, "LengthMismatch"},
    {Fault::Truncated, false, "Truncated"},
    {Fault::PollGarbage, true, "PollGarbage"},
    {Fault::SeemStatus, false, "SeemStatus"},
    {Fault::ExtraData, false, "ExtraData"},
};

class FaultyPhone : public EmulatedPhoneTest,
                    public ::testing::WithParamInterface<std::tuple<P2kTransport, FaultCase>> {};

TEST_P(FaultyPhone, AMalformedOrMissingReplyFailsTheCallAndNothingAfterIt)
{
    const auto [transport, c] = GetParam();
    start(transport);
    const Bytes original = emu().record(0x32, 1);
    std::uint8_t byte = 0;
    if (c.fault != Fault::ExtraData) {
        emu().fail(c.fault, 0x0020);
        EXPECT_EQ(library().Seem_Read(0x32, 1, 83, 1, &byte), -1);
        EXPECT_EQ(library().P2K_GetStatus(), 1);
    }
    EXPECT_EQ(library().Seem_Read(0x32, 1, 83, 1, &byte), 1);
    EXPECT_EQ(byte, original[83]);
    if (c.fault == Fault::SeemStatus)
        return;

    emu().putFile("/a/f", Pattern(2000));
    ASSERT_EQ(library().File_Create("/a/f", 0), 0);
    emu().fail(c.fault, 0x004A, 1, 1);  // the second chunk
    Bytes buffer(2000);
    EXPECT_EQ(library().File_Read(buffer.data(), 2000), -1);
    library().File_Close();
    EXPECT_EQ(library().P2K_GetStatus(), 1);  // the window's poll between commands
    // The emulator takes an open over one still open as a violation.
    ASSERT_EQ(library().File_Create("/a/f", 0), 0) << "a new open after the fault";
    EXPECT_EQ(library().File_Read(buffer.data(), 2000), 2000);
    EXPECT_EQ(library().File_Close(), 0);
    EXPECT_FALSE(emu().fileOpen());
    EXPECT_EQ(buffer, Pattern(2000));
}

// A slow flash: a reply that comes after more than one transfer timeout but
// within the command's wait is taken, on both transports alike.
struct SlowCase {
    P2kTransport transport;
    int delayMs;
    std::uint16_t command;
    const char *name;
};

const SlowCase kSlowReplies[] = {
    {P2kTransport::Control, 1500, 0x0020, "ControlRead1500"},
    {P2kTransport::Bulk, 1500, 0x0020, "BulkRead1500"},
    {P2kTransport::Control, 2500, 0x0020, "ControlRead2500"},
    {P2kTransport::Bulk, 2500, 0x0020, "BulkRead2500"},
    {P2kTransport::Bulk, 2000, 0x002F, "BulkSeemWrite2000"},
};

class SlowPhone : public EmulatedPhoneTest, public ::testing::WithParamInterface<SlowCase> {};

TEST_P(SlowPhone, ASlowReplyIsTakenOnBothTransports)
{
    const SlowCase c = GetParam();
    start(c.transport);
    emu().setReplyDelay(std::chrono::milliseconds(c.delayMs));
    emu().fail(Fault::Slow, c.command);
    std::uint8_t byte = 0;
    if (c.command == 0x0020) {
        EXPECT_EQ(library().Seem_Read(0x32, 1, 83, 1, &byte), 1);
        EXPECT_EQ(byte, emu().record(0x32, 1)[83]);
    } else {
        byte = 0x41;
        EXPECT_EQ(library().Seem_Write(0x32, 1, 83, 1, &byte), 0);
        EXPECT_EQ(emu().record(0x32, 1)[83], 0x41);
    }
}

INSTANTIATE_TEST_SUITE_P(Usb, SlowPhone, ::testing::ValuesIn(kSlowReplies),
                         [](const auto &info) { return std::string(info.param.name); });

// A reply that does not come in time is still owed: the calls that follow at
// once fail without a wait, and after the next poll the reply is taken or the
// link made anew before a command goes out (the emulator holds any command
// sent while a reply is owed as a violation).
struct OwedCase {
    P2kTransport transport;
    Fault fault;  // Slow: comes after 3.5 s; NoReply: never
    const char *name;
};

const OwedCase kOwed[] = {
    {P2kTransport::Control, Fault::Slow, "ControlLate"},
    {P2kTransport::Bulk, Fault::Slow, "BulkLate"},
    {P2kTransport::Control, Fault::NoReply, "ControlLost"},
    {P2kTransport::Bulk, Fault::NoReply, "BulkLost"},
};

class OwedReply : public EmulatedPhoneTest, public ::testing::WithParamInterface<OwedCase> {};

TEST_P(OwedReply, NoCommandGoesOutWhileAReplyIsOwedAndASilentPhoneCostsOneWait)
{
    const OwedCase c = GetParam();
    start(c.transport);
    emu().setReplyDelay(std::chrono::milliseconds(3500));
    emu().fail(c.fault, 0x0020);
    std::uint8_t byte = 0;
    EXPECT_EQ(library().Seem_Read(0x32, 1, 83, 1, &byte), -1);
    const auto before = std::chrono::steady_clock::now();
    std::array<std::uint16_t, 256> volume{};
    EXPECT_EQ(library().File_VolInfo(volume.data()), -1);
    EXPECT_EQ(library().File_Create("/a/mobile/system/spcolor.sch", 0), -1);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(500));
    EXPECT_EQ(library().P2K_GetStatus(), 1);
    EXPECT_EQ(library().Seem_Read(0x32, 1, 83, 1, &byte), 1);
    EXPECT_EQ(byte, emu().record(0x32, 1)[83]);
}

INSTANTIATE_TEST_SUITE_P(Usb, OwedReply, ::testing::ValuesIn(kOwed),
                         [](const auto &info) { return std::string(info.param.name); });

// Faults in fields of the control transport's queue exist only there.
std::vector<std::tuple<P2kTransport, FaultCase>> FaultCases()
{
    std::vector<std::tuple<P2kTransport, FaultCase>> cases;
    for (const FaultCase &c : kFaults) {
        cases.emplace_back(P2kTransport::Control, c);
        if (!c.controlOnly)
            cases.emplace_back(P2kTransport::Bulk, c);
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(
    Usb, FaultyPhone, ::testing::ValuesIn(FaultCases()),
    [](const auto &info) {
        return std::string(std::get<0>(info.param) == P2kTransport::Bulk ? "Bulk" : "Control") +
               std::get<1>(info.param).name;
    });

// The reason the window gives for having no phone is the one probe gives, for
// the state the library reports.
struct ReasonCase {
    std::optional<Mode> mode;  // none: nothing plugged in
    bool denied;
    std::vector<p2kemu::ModemAnswer> answers;
    int state;
    const char *name;
};

const ReasonCase kReasons[] = {
    {std::nullopt, false, {}, 0, "NoPhone"},
    {Mode::Command, true, {}, 4, "NotAllowed"},
    {Mode::MassStorage, false, {}, 5, "MassStorage"},
    {Mode::Modem, false, {ModemAnswer::Error}, 7, "ModemRefused"},
};

class NoPhoneReasons : public EmulatedPhoneTest,
                       public ::testing::WithParamInterface<ReasonCase> {};

TEST_P(NoPhoneReasons, AreProbesWords)
{
    const ReasonCase c = GetParam();
    if (c.mode)
        emu().plug(*c.mode);
    emu().setAccessDenied(c.denied);
    emu().setModemAnswers(c.answers);
    library().P2K_Init(0);
    const auto state = reinterpret_cast<P2K_LinkStateFn>(library().resolve("P2K_LinkState"));
    const auto probe = reinterpret_cast<P2K_ProbeFn>(library().resolve("P2K_Probe"));
    ASSERT_TRUE(state && probe);
    std::array<char, 4096> text{};
    int now = state(text.data(), int(text.size()));
    for (int i = 0; i < 100 && now == 2; ++i) {
        std::this_thread::sleep_for(milliseconds(20));
        now = state(text.data(), int(text.size()));
    }
    ASSERT_EQ(now, c.state) << text.data();
    probe(text.data(), int(text.size()));
    // Probe names the README's commands where the window names its section.
    const QString english = NoPhoneReason(now).section(QStringLiteral(" (README"), 0, 0);
    EXPECT_NE(std::string(text.data()).find(english.toStdString()), std::string::npos)
        << english.toStdString() << "\n" << text.data();
}

INSTANTIATE_TEST_SUITE_P(Usb, NoPhoneReasons, ::testing::ValuesIn(kReasons),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(EmulatedPhoneTest, PermissionDeniedIsNoPhoneAndSaysSo)
{
    emu().plug(Mode::Command);
    emu().setAccessDenied(true);
    library().P2K_Init(0);
    EXPECT_EQ(library().P2K_GetStatus(), 0);
    std::uint8_t byte = 0;
    EXPECT_EQ(library().Seem_Read(0x32, 1, 83, 1, &byte), -1);
    const auto probe = reinterpret_cast<P2K_ProbeFn>(library().resolve("P2K_Probe"));
    ASSERT_NE(probe, nullptr);
    std::array<char, 4096> text{};
    EXPECT_EQ(probe(text.data(), int(text.size())), 0);
    const std::string report = text.data();
    EXPECT_NE(report.find("can be opened: no (permission denied)"), std::string::npos) << report;
#if defined(Q_OS_WIN)
    EXPECT_NE(report.find("bind the WinUSB driver"), std::string::npos) << report;
#else
    EXPECT_NE(report.find("install the udev rule"), std::string::npos) << report;
#endif
    EXPECT_EQ(emu().transfers(), 0);
}

TEST_P(BothTransports, ProbeNamesTheModelAndTheFreeSpace)
{
    start(GetParam(), 6);
    const auto probe = reinterpret_cast<P2K_ProbeFn>(library().resolve("P2K_Probe"));
    ASSERT_NE(probe, nullptr);
    std::array<char, 4096> text{};
    EXPECT_EQ(probe(text.data(), int(text.size())), 1);
    const std::string report = text.data();
    const std::string transport = GetParam() == P2kTransport::Bulk ? "command P2K05" : "command";
    EXPECT_NE(report.find("  mode: " + transport + "\n  command interface: 6"), std::string::npos)
        << report;
    EXPECT_NE(report.find("model (seem 0117 record 0001): E398"), std::string::npos) << report;
    EXPECT_NE(report.find("free space on /a: 1000000 bytes"), std::string::npos) << report;
}

// The editor's own commands, as the window runs them, over the real library.
TEST_P(BothTransports, TheEditorsPhoneCommandsWork)
{
    start(GetParam());
    BuildDefaultScheme(scheme);
    scheme.name = "USB";
    dialogs.answers = {false, true};
    CommandContext saving = context();
    ASSERT_TRUE(SaveToPhone(saving, "/a/mobile/system/spcolor.sch").saved);
    const SchemeImage image = EncodeScheme(scheme);
    EXPECT_EQ(emu().file("/a/mobile/system/spcolor.sch"), Bytes(image.begin(), image.end()));

    ColourScheme loaded;
    CommandContext reading{library(), loaded, dialogs, words};
    ASSERT_TRUE(OpenFromPhone(reading, "/a/mobile/system/spcolor.sch").loaded);
    EXPECT_EQ(loaded.name, QByteArray("USB"));

    emu().setFree(1000);
    EXPECT_FALSE(SaveToPhone(saving, "/a/mobile/system/spcolor.sch").saved);
    EXPECT_TRUE(dialogs.texts(ScriptedDialogs::Inform).contains("Not enough free space on phone"));

    CommandContext activating = context();
    EXPECT_EQ(ActivateOnPhone(activating).verdict(), ActivationVerdict::Activated);
    EXPECT_TRUE(emu().record(0x32, 1)[83] & 0x40);
    EXPECT_EQ(emu().restarts(), 1);

    // Restarting, the phone does not answer, which says nothing of its free space.
    EXPECT_FALSE(SaveToPhone(activating, "/a/mobile/system/spcolor.sch").saved);
    EXPECT_TRUE(dialogs.texts(ScriptedDialogs::Inform).contains("The phone does not answer"));
}

}  // namespace
}  // namespace tintora::test

namespace tintora::test {
namespace {

// The window's status poll and connect command over the real library: the
// command is offered once the switched phone is up, and taken away while it
// restarts.
TEST_F(EmulatedPhoneTest, TheConnectCommandFollowsThePhoneThroughSwitchAndRestart)
{
    emu().plug(Mode::Modem);
    library().P2K_Init(0);
    ConnectionState state;
    state.poll(library());
    EXPECT_FALSE(state.connectEnabled);
    ASSERT_TRUE(waitForPhone());
    state.poll(library());
    EXPECT_TRUE(state.connectEnabled);
    state.toggle(library());
    EXPECT_EQ(state.workMode, WorkMode::Phone);

    emu().setRestart(false, Mode::Modem, std::chrono::milliseconds(500));
    EXPECT_EQ(library().P2K_Restart(), 0);
    state.toggle(library());
    EXPECT_EQ(state.workMode, WorkMode::Computer) << "no phone while it restarts";
    ASSERT_TRUE(waitForPhone());
    state.poll(library());
    EXPECT_TRUE(state.connectEnabled);
    EXPECT_EQ(emu().switches(), 2);
}

}  // namespace
}  // namespace tintora::test
