#pragma once

#include "emulator/phoneemulator.h"
#include "tests/phone/scripteddialogs.h"

#include "phone/commandcontext.h"
#include "phone/loadedphonelibrary.h"
#include "ui/wording.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace tintora::test {

using p2kemu::Fault;
using p2kemu::Mode;
using p2kemu::PhoneEmulator;
using p2kusb::P2kTransport;
using Bytes = std::vector<std::uint8_t>;

// The library keeps its copies under $XDG_DATA_HOME/Tintora, or
// %LOCALAPPDATA%\Tintora on Windows.
#if defined(Q_OS_WIN)
inline constexpr char kDataHome[] = "LOCALAPPDATA";
#else
inline constexpr char kDataHome[] = "XDG_DATA_HOME";
#endif

// The real libp2kapi.so, loaded the way the program loads it, with the
// emulator as its USB bus. Each test starts a new run of the library (P2K_Init)
// with a phone plugged in, and ends by checking that no frame broke the protocol.
class EmulatedPhoneTest : public ::testing::Test {
protected:
    EmulatedPhoneTest()
    {
        qputenv("TINTORA_P2KAPI", TINTORA_P2KAPI_PATH);
        qputenv("TINTORA_P2KAPI_BUS", P2KEMU_PATH);
        qputenv(kDataHome, QFile::encodeName(data.path()));
        emu().reset();
    }
    ~EmulatedPhoneTest() override
    {
        EXPECT_EQ(emu().violations(), std::vector<std::string>{});
        qunsetenv(kDataHome);
    }

    static PhoneEmulator &emu() { return PhoneEmulator::instance(); }
    static LoadedPhoneLibrary &library()
    {
        static LoadedPhoneLibrary loaded;
        return loaded;
    }
    // Plugged in and seen by a new run of the library.
    void start(P2kTransport transport = P2kTransport::Control, int commandInterface = 8)
    {
        emu().plug(Mode::Command, transport, commandInterface);
        ASSERT_TRUE(library().isLoaded()) << library().description().toStdString();
        library().P2K_Init(0);
        ASSERT_EQ(library().P2K_GetStatus(), 1);
    }
    // Polls the status as the window does until it is 1; false after the limit.
    static bool waitForPhone(std::chrono::milliseconds limit = std::chrono::seconds(5))
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            if (library().P2K_GetStatus() == 1)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
    QStringList backups() const
    {
        return QDir(data.filePath("Tintora/seem-backups")).entryList(QDir::Files, QDir::Name);
    }
    CommandContext context() { return {library(), scheme, dialogs, words}; }

    QTemporaryDir data;
    ScriptedDialogs dialogs;
    ColourScheme scheme;
    const InterfaceCommandWords words{};
};

// Both transports for every test of a parameterised suite.
class BothTransports : public EmulatedPhoneTest,
                       public ::testing::WithParamInterface<P2kTransport> {};

inline std::string TransportName(const ::testing::TestParamInfo<P2kTransport> &info)
{
    return info.param == P2kTransport::Bulk ? "Bulk" : "Control";
}

inline Bytes Pattern(std::size_t size, unsigned seed = 1)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 31 + seed) ^ (i >> 8));
    return bytes;
}

}  // namespace tintora::test
