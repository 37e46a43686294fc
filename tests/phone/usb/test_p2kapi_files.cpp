// Files, free space and packet ids of libp2kapi.so over both transports.

#include "emulatedphonetest.h"

#include "phone/activation.h"
#include "phone/opencommand.h"
#include "phone/savecommand.h"
#include "ui/interfacelanguage.h"
#include "ui/wording.h"

#include <QDir>
#include <QFile>

#include <array>
#include <optional>

namespace tintora::test {
namespace {

using namespace Qt::Literals::StringLiterals;

const char *const kScheme = "/a/mobile/system/spcolor.sch";

INSTANTIATE_TEST_SUITE_P(Usb, BothTransports,
                         ::testing::Values(P2kTransport::Control, P2kTransport::Bulk),
                         TransportName);

// Chunking faults: a count over 0x400 in one command, a lost remainder, an
// off-by-one at the chunk edge. Sizes on both sides of each edge; 52 bytes
// make a bulk reply of exactly one 64-byte packet, which the phone pads.
TEST_P(BothTransports, FilesOfEverySizeGoInChunksOfAtMost0x400AndComeBackWhole)
{
    start(GetParam());
    for (const std::size_t size : {0u, 1u, 52u, 304u, 0x3FFu, 0x400u, 0x401u, 5000u}) {
        Bytes content = Pattern(size + 1, static_cast<unsigned>(size));
        content.pop_back();  // an empty file still has a buffer
        const std::string path = "/a/mobile/system/f" + std::to_string(size);
        ASSERT_EQ(library().File_Create(path.c_str(), 0), 0);
        EXPECT_EQ(library().File_Write(content.data(), int(size)), int(size));
        EXPECT_EQ(library().File_Close(), 0);
        EXPECT_EQ(emu().file(path), content) << size;

        Bytes back(size + 10, 0xAA);
        ASSERT_EQ(library().File_Create(path.c_str(), 0), 0);
        EXPECT_EQ(library().File_Read(back.data(), int(size + 10)), int(size));
        EXPECT_EQ(library().File_Close(), 0);
        EXPECT_EQ(Bytes(back.begin(), back.begin() + size), content);
        EXPECT_FALSE(emu().fileOpen());
    }
    int writes = 0;
    for (const std::string &command : emu().commands())
        writes += command.rfind("004A/02", 0) == 0;
    EXPECT_EQ(writes, 0 + 1 + 1 + 1 + 1 + 1 + 2 + 5);
}

TEST_P(BothTransports, FreeSpaceIsTheVolumeOfTheLastFileAndDefaultsToA)
{
    start(GetParam());
    std::array<std::uint16_t, 256> volume{};
    EXPECT_EQ(library().File_VolInfo(volume.data()), 1000000);
    EXPECT_EQ(volume[0], '/');
    EXPECT_EQ(volume[1], 'a');
    EXPECT_EQ(volume[2], 0);
    emu().setFree(1023);
    EXPECT_EQ(library().File_VolInfo(volume.data()), 1023);
    // A volume the phone does not have cannot answer; a file there cannot be written.
    const std::uint8_t one = 1;
    ASSERT_EQ(library().File_Create("/c/new.sch", 0), 0);
    EXPECT_EQ(library().File_Write(&one, 1), -1);
    library().File_Close();
    EXPECT_EQ(library().File_VolInfo(volume.data()), -1);
    emu().putFile("/c/x", {1});
    ASSERT_EQ(library().File_Create("/c/x", 0), 0);
    library().File_Close();
    EXPECT_EQ(library().File_VolInfo(volume.data()), -1);

    // A "volume" longer than the caller's buffer or the request is no volume.
    const std::string deep = "/" + std::string(250, 'v') + "/f";
    emu().putFile(deep, {1});
    ASSERT_EQ(library().File_Create(deep.c_str(), 0), 0);
    library().File_Close();
    EXPECT_EQ(library().File_VolInfo(volume.data()), -1) << "still /c";
    ASSERT_EQ(library().File_Create("/a/f", 0), 0);
    library().File_Close();
    EXPECT_EQ(library().File_VolInfo(volume.data()), 1023);
}

// Reading must not change a file: the phone takes the open's attribute as the
// file's new one. A longer old file must not keep its tail after a write.
TEST_P(BothTransports, OpeningKeepsTheAttributeAndWritingLeavesNoOldTail)
{
    start(GetParam());
    emu().putFile(kScheme, Pattern(1000), 0x04);
    Bytes head(304);
    ASSERT_EQ(library().File_Create(kScheme, 0), 0);
    EXPECT_EQ(library().File_Read(head.data(), 304), 304);
    library().File_Close();
    EXPECT_EQ(emu().attribute(kScheme), 0x04u);
    const Bytes old = Pattern(1000);
    EXPECT_EQ(head, Bytes(old.begin(), old.begin() + 304));

    const Bytes fresh = Pattern(304, 9);
    ASSERT_EQ(library().File_Create(kScheme, 0), 0);
    EXPECT_EQ(library().File_Write(fresh.data(), 304), 304);
    library().File_Close();
    EXPECT_EQ(emu().file(kScheme), fresh);
    EXPECT_EQ(emu().attribute(kScheme), 0x04u);

    // A record size other than 268 is taken from the listing.
    emu().setListRecordSize(200);
    emu().putFile(kScheme, Pattern(304), 0x01);
    ASSERT_EQ(library().File_Create(kScheme, 0), 0);
    library().File_Close();
    EXPECT_EQ(emu().attribute(kScheme), 0x01u);

    // Folders, wildcards, relative and foreign paths are not files.
    for (const char *bad : {"/a/mobile/system", "/a/mobile/*.sch", "a/x", "/a/mobile/\xC0.sch",
                            "/a/mobile/"}) {
        EXPECT_EQ(library().File_Create(bad, 0), -1) << bad;
    }
    EXPECT_EQ(library().File_Create(nullptr, 0), -1);
    EXPECT_FALSE(emu().fileOpen());
}

// Reading a scheme that is not there must not leave an empty one behind,
// which the phone would then take for its colour scheme.
TEST_P(BothTransports, AMissingFileReadsEmptyAndOnlyAWriteMakesIt)
{
    start(GetParam());
    Bytes buffer(304, 0xAA);
    ASSERT_EQ(library().File_Create(kScheme, 0), 0);
    EXPECT_EQ(library().File_Read(buffer.data(), 304), 0);
    EXPECT_EQ(library().File_Close(), 0);
    EXPECT_EQ(emu().file(kScheme), std::nullopt);

    const Bytes content = Pattern(304);
    ASSERT_EQ(library().File_Create(kScheme, 0), 0);
    EXPECT_EQ(library().File_Write(content.data(), 304), 304);
    EXPECT_EQ(library().File_Close(), 0);
    EXPECT_EQ(emu().file(kScheme), content);
    EXPECT_EQ(emu().attribute(kScheme), 0u);
}

// The file as it was before the run's first replacement is kept once: a later
// save of the run must neither add a copy nor replace the first one.
TEST_F(EmulatedPhoneTest, TheFileAsItWasIsKeptOnceARun)
{
    start();
    const Bytes original = Pattern(304, 3);
    emu().putFile(kScheme, original);
    for (const unsigned seed : {4u, 5u}) {
        const Bytes next = Pattern(304, seed);
        ASSERT_EQ(library().File_Create(kScheme, 0), 0);
        ASSERT_EQ(library().File_Write(next.data(), 304), 304);
        ASSERT_EQ(library().File_Close(), 0);
    }
    const QDir kept(data.filePath("Tintora/file-backups"));
    const QStringList copies = kept.entryList(QDir::Files);
    ASSERT_EQ(copies.size(), 1) << copies.join(' ').toStdString();
    EXPECT_TRUE(copies[0].startsWith("spcolor-") && copies[0].endsWith(".sch"))
        << copies[0].toStdString();
    QFile copy(kept.filePath(copies[0]));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    const QByteArray bytes = copy.readAll();
    EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), original);
}

// No copy, no write: a scheme on the phone that cannot be kept on the computer
// first stays as it is, and the message says where the copy was to go and the
// system's reason, in the interface language.
TEST_F(EmulatedPhoneTest, AFileThatCannotBeKeptStaysAndTheMessageSaysWhy)
{
    start();
    const Bytes before = Pattern(304);
    emu().putFile(kScheme, before);
    QFile blocker(data.filePath("Tintora"));  // a file where the folder would go
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    BuildDefaultScheme(scheme);
    InterfaceTranslation translation;
    QString russianReason;
    for (const char *language : {"ru", "en"}) {
        translation.use(QString::fromLatin1(language));
        if (russianReason.isEmpty())
            russianReason = SystemReason(u"Not a directory"_s);
        CommandContext command = context();
        EXPECT_FALSE(SaveToPhone(command, kScheme).saved);
    }
    EXPECT_EQ(emu().file(kScheme), before);
    const QString folder = data.filePath("Tintora/file-backups");
    // The system's reason follows the installed translation, which the interface installs.
    EXPECT_EQ(dialogs.texts(ScriptedDialogs::Inform).join(u'\n').toStdString(),
              QStringList({u"Не могу записать файл /a/mobile/system/spcolor.sch\rФайл на телефоне "
                           u"не изменён: не удалось сохранить его копию в "_s + folder +
                               u": "_s + russianReason,
                           u"Write error of a file /a/mobile/system/spcolor.sch\rThe file on the "
                           u"phone is left unchanged: no copy of it could be kept in "_s + folder +
                               u": Not a directory"_s})
                  .join(u'\n')
                  .toStdString());
}

TEST_P(BothTransports, OnlyOneFileIsOpenAtATime)
{
    start(GetParam());
    emu().putFile("/a/one", {1});
    ASSERT_EQ(library().File_Create("/a/one", 0), 0);
    ASSERT_EQ(library().File_Create("/a/two", 0), 0);  // the first is closed on the phone
    EXPECT_EQ(library().File_Write(reinterpret_cast<const std::uint8_t *>("2"), 1), 1);
    EXPECT_EQ(library().File_Close(), 0);
    EXPECT_EQ(library().File_Close(), -1);
    Bytes buffer(4);
    EXPECT_EQ(library().File_Read(buffer.data(), 4), -1);
    EXPECT_EQ(emu().file("/a/two"), Bytes{'2'});
}

// The 12-bit id must wrap from 0xFFF to 0x000 and go on by one: the emulator
// counts a skipped or repeated id as a violation.
TEST_P(BothTransports, PacketIdsWrapAt0xFFF)
{
    start(GetParam());
    std::uint8_t byte = 0;
    for (int i = 0; i < 0x1002; ++i)
        ASSERT_EQ(library().Seem_Read(0x32, 1, 83, 1, &byte), 1) << i;
    EXPECT_EQ(emu().commands().size(), 0x1002u);
}

// The status is polled twice a second and must not talk to the phone.
TEST_P(BothTransports, StatusCostsNoTransferAndDescribesEachDeviceOnce)
{
    start(GetParam());
    const int transfers = emu().transfers();
    const int descriptions = emu().descriptions();
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(library().P2K_GetStatus(), 1);
    EXPECT_EQ(emu().transfers(), transfers);
    EXPECT_EQ(emu().descriptions(), descriptions);
}

TEST_P(BothTransports, TheCommandInterfaceNumberIsReadNotAssumed)
{
    start(GetParam(), 5);
    std::array<std::uint8_t, 2> model{};
    EXPECT_EQ(library().Seem_Read(0x117, 1, 0, 2, model.data()), 2);
    EXPECT_EQ(model[1], 'E');
}

// What the editor's commands tell when the phone fails them half way: a
// failure is never confirmed as a success, and when the phone may have lost
// its file or record the message names the computer copy of it as it was.
enum class Command { Save, Open, Activate };

struct ReportCase {
    const char *name;
    std::optional<Fault> fault;
    std::uint16_t command;
    int fsacSub;
    Bytes (*before)();  // spcolor.sch on the phone; empty: none
    Command run;
    const char *shown;     // in a message or the status note
    const char *notShown;
};

Bytes SchemeBytes()
{
    ColourScheme scheme;
    BuildDefaultScheme(scheme);
    const SchemeImage image = EncodeScheme(scheme);
    return Bytes(image.begin(), image.end());
}

const ReportCase kReports[] = {
    {"FailingClose", Fault::WrongNibble, 0x004A, 4, [] { return Bytes(); }, Command::Save,
     "Write error of a file /a/mobile/system/spcolor.sch", "Saving path"},
    {"FailingRestart", Fault::Stall, 0x0022, -1, [] { return Bytes(); }, Command::Save,
     "The phone did not restart", nullptr},
    {"FailingSearchOverALongerFile", Fault::WrongNibble, 0x004A, 7, [] { return Pattern(5000); },
     Command::Save, "Create error of a file /a/mobile/system/spcolor.sch", "Saving path"},
    {"UnplugBetweenDeleteAndWrite", Fault::Unplug, 0x004A, 2,
     [] {
         Bytes old = SchemeBytes();
         old.resize(400, 0x55);
         return old;
     },
     Command::Save, "The phone may be left without the file or with part of it", "Saving path"},
    {"ShortFile", std::nullopt, 0, -1,
     [] {
         Bytes old = SchemeBytes();
         old.resize(100);
         return old;
     },
     Command::Open, "/a/mobile/system/spcolor.sch is shorter than a colour style: 100 of 304 bytes",
     nullptr},
    {"LostSeemWriteReply", Fault::NoReply, 0x002F, -1, [] { return Bytes(); }, Command::Activate,
     "seem 0032 rec 0001 may have changed", nullptr},
};

class FailureReport : public EmulatedPhoneTest, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(FailureReport, TheUserIsToldAndNothingIsLost)
{
    const ReportCase c = GetParam();
    start();
    const Bytes before = c.before();
    if (!before.empty())
        emu().putFile(kScheme, before);
    if (c.fault)
        emu().fail(*c.fault, c.command, c.fsacSub);
    BuildDefaultScheme(scheme);
    dialogs.answers = {true};  // restart; the activation with a lost reply must not ask
    CommandContext command = context();
    QStringList told;
    switch (c.run) {
    case Command::Save:
        SaveToPhone(command, kScheme);
        break;
    case Command::Open:
        told << OpenFromPhone(command, kScheme).note;
        break;
    case Command::Activate:
        ActivateOnPhone(command);
        EXPECT_EQ(dialogs.answers.size(), 1u) << "no restart after a write that may have changed";
        break;
    }
    for (const auto &item : dialogs.shown)
        told << item.text;
    const QString all = told.join(u'\n');
    EXPECT_TRUE(all.contains(QString::fromUtf8(c.shown))) << all.toStdString();
    if (c.notShown) {
        EXPECT_FALSE(all.contains(QString::fromUtf8(c.notShown))) << all.toStdString();
    }
    if (c.fault == Fault::WrongNibble && c.fsacSub == 7) {
        EXPECT_EQ(emu().file(kScheme), before) << "no old tail behind a new head";
    }
    // The copy named is the file or record as it was.
    const qsizetype at = all.indexOf(u"kept in ");
    if (c.fault == Fault::Unplug) {
        ASSERT_GE(at, 0) << all.toStdString();
    }
    if (at >= 0) {
        const qsizetype from = at + 8;
        QFile copy(all.mid(from, all.indexOf(u'\r', from) - from));
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly)) << copy.fileName().toStdString();
        const QByteArray bytes = copy.readAll();
        const Bytes expected = c.run == Command::Activate ? Bytes() : before;
        if (!expected.empty()) {
            EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), expected);
        }
#if defined(Q_OS_UNIX)
        // Windows keeps it private by the user's own profile folder instead.
        EXPECT_FALSE(QFile::permissions(copy.fileName()) &
                     (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup |
                      QFileDevice::WriteOther));
#endif
    }
}

INSTANTIATE_TEST_SUITE_P(Usb, FailureReport, ::testing::ValuesIn(kReports),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tintora::test
