// Loading the phone library, and the simulator that stands in for it.

#include "simulatedphonetest.h"

#include "phone/loadedphonelibrary.h"

#include <array>

namespace tintora::test {
namespace {

// Every transfer fails through its result, as with no phone attached.
void ExpectNoPhone(PhoneLibrary &phone)
{
    std::array<std::uint8_t, 304> buffer{};
    std::array<std::uint16_t, 256> volume{};
    EXPECT_EQ(phone.P2K_GetStatus(), 0);
    EXPECT_EQ(phone.File_Create("/a/mobile/system/spcolor.sch", 0), -1);
    EXPECT_EQ(phone.File_Read(buffer.data(), 304), -1);
    EXPECT_EQ(phone.File_Write(buffer.data(), 304), -1);
    EXPECT_LT(phone.File_VolInfo(volume.data()), 1024);
    EXPECT_EQ(phone.Seem_Read(0x32, 1, 83, 1, buffer.data()), -1);
    EXPECT_NE(phone.Seem_Write(0x32, 1, 83, 1, buffer.data()), 0);
}

TEST(PhoneLibraryLoading, OverrideIsTheOnlyCandidateElseBesideTheProgramThenPrivateThenByName)
{
    EXPECT_EQ(LoadedPhoneLibrary::candidateFiles("/opt/x/libsim.so", "/usr/bin"),
              QStringList{"/opt/x/libsim.so"});
    QStringList expected{"/usr/bin/libp2kapi.so", "/usr/lib/tintora/libp2kapi.so"};
#if defined(TINTORA_LIBRARY_ARCHITECTURE)
    expected << "/usr/lib/" TINTORA_LIBRARY_ARCHITECTURE "/tintora/libp2kapi.so";
#endif
    expected << "p2kapi";
    EXPECT_EQ(LoadedPhoneLibrary::candidateFiles("", "/usr/bin"), expected);
}

TEST(PhoneLibraryLoading, NoLoadableLibraryRunsAsNoPhone)
{
    qputenv("TINTORA_P2KAPI", "/nonexistent/libp2kapi.so");
    LoadedPhoneLibrary missing;
    EXPECT_FALSE(missing.isLoaded());
    ExpectNoPhone(missing);

    // A library that loads but lacks the phone functions is no phone library.
    qputenv("TINTORA_P2KAPI", "libm.so.6");
    LoadedPhoneLibrary foreign;
    EXPECT_FALSE(foreign.isLoaded());
    ExpectNoPhone(foreign);
    qunsetenv("TINTORA_P2KAPI");
}

using Simulator = SimulatedPhoneTest;

TEST_F(Simulator, WithoutAFolderThereIsNoPhone)
{
    ASSERT_TRUE(library().isLoaded()) << library().description().toStdString();
    qunsetenv("P2KSIM_ROOT");
    ExpectNoPhone(library());
}

TEST_F(Simulator, ControlFilesAreReadAtEveryCall)
{
    std::array<std::uint16_t, 256> volume{};
    EXPECT_EQ(library().P2K_GetStatus(), 1);
    EXPECT_EQ(library().File_VolInfo(volume.data()), 1000000);
    put("status", "2\n");
    put("free", "-5");
    EXPECT_EQ(library().P2K_GetStatus(), 2);
    EXPECT_EQ(library().File_VolInfo(volume.data()), -5);

    put("fail", "File_VolInfo\n  P2K_Init \n");
    EXPECT_EQ(library().File_VolInfo(volume.data()), -1);
    EXPECT_EQ(library().P2K_Init(0), -1);
    EXPECT_EQ(library().P2K_Restart(), 0);
    EXPECT_TRUE(restarted());

    // With the phone away every transfer fails, whatever the folder holds.
    put("status", "0");
    put("fail", "");
    put("seem/0032_0001.seem", QByteArray(255, 'x'));
    std::uint8_t byte = 0;
    EXPECT_EQ(library().Seem_Read(0x32, 1, 83, 1, &byte), -1);
    EXPECT_EQ(library().File_Create("/a/mobile/system/spcolor.sch", 0), -1);

    EXPECT_EQ(calls(true),
              (QStringList{"P2K_GetStatus", "File_VolInfo", "P2K_GetStatus", "File_VolInfo",
                           "File_VolInfo", "P2K_Init 0", "P2K_Restart", "Seem_Read 0x32 1 83 1",
                           "File_Create /a/mobile/system/spcolor.sch 0"}));
}

TEST_F(Simulator, PhoneFilesLiveUnderTheFolder)
{
    std::array<std::uint8_t, 304> buffer{};
    put("a/mobile/system/spcolor.sch", "abcdef");
    ASSERT_EQ(library().File_Create("/a/mobile/system/spcolor.sch", 0), 0);
    EXPECT_EQ(library().File_Read(buffer.data(), 304), 6);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(buffer.data()), 7), QByteArray("abcdef\0", 7));
    EXPECT_EQ(library().File_Close(), 0);

    // Writing replaces the content; a missing file is created empty.
    ASSERT_EQ(library().File_Create("/a/mobile/system/new.sch", 0), 0);
    EXPECT_TRUE(QFile::exists(file("a/mobile/system/new.sch")));
    EXPECT_EQ(library().File_Write(reinterpret_cast<const std::uint8_t *>("xyz"), 3), 3);
    library().File_Close();
    EXPECT_EQ(get("a/mobile/system/new.sch"), "xyz");
    ASSERT_EQ(library().File_Create("/a/mobile/system/spcolor.sch", 0), 0);
    library().File_Write(reinterpret_cast<const std::uint8_t *>("12"), 2);
    library().File_Close();
    EXPECT_EQ(get("a/mobile/system/spcolor.sch"), "12");

    // No path may leave the folder, and a missing folder has no files.
    EXPECT_EQ(library().File_Create("/a/../../outside.sch", 0), -1);
    EXPECT_EQ(library().File_Create("/no/such/folder/spcolor.sch", 0), -1);
    EXPECT_EQ(library().File_Read(buffer.data(), 304), -1);
}

TEST_F(Simulator, ARecordIsZeroUntilWrittenAndAWriteChangesOnlyItsBytes)
{
    std::uint8_t byte = 0xAA;
    EXPECT_EQ(library().Seem_Read(0x32, 1, 83, 1, &byte), 1);
    EXPECT_EQ(byte, 0);
    byte = 0x41;
    EXPECT_EQ(library().Seem_Write(0x32, 1, 83, 1, &byte), 0);
    const QByteArray record = get("seem/0032_0001.seem");
    ASSERT_EQ(record.size(), 255);
    EXPECT_EQ(record.count('\0'), 254);
    EXPECT_EQ(record[83], 0x41);
    EXPECT_EQ(library().Seem_Read(0x32, 1, 255, 1, &byte), -1);

    // Bytes a person put past the record survive a write.
    QByteArray longer(300, 'x');
    put("seem/0032_0001.seem", longer);
    EXPECT_EQ(library().Seem_Write(0x32, 1, 83, 1, &byte), 0);
    longer[83] = 0x41;
    EXPECT_EQ(get("seem/0032_0001.seem"), longer);
}

}  // namespace
}  // namespace tintora::test
