// tintora-cli's phone commands over the real libp2kapi.so, with the phone
// emulator as its USB bus and a folder keeping the phone between runs.

#if defined(TINTORA_P2KAPI_PATH)

#include "scheme/colourscheme.h"
#include "tests/cli/clirun.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>

using namespace tintora;

namespace {

using test::CliRun;

class CliUsbPhoneTest : public testing::TestWithParam<const char *> {
protected:
    void SetUp() override
    {
        environment.insert("TINTORA_P2KAPI", TINTORA_P2KAPI_PATH);
        environment.insert("TINTORA_P2KAPI_BUS", P2KEMU_PATH);
        environment.insert("P2KEMU_ROOT", phone.path());
        // Where the library keeps its copies: <data>/Tintora on both systems.
#if defined(Q_OS_WIN)
        environment.insert("LOCALAPPDATA", work.filePath("data"));
#else
        environment.insert("XDG_DATA_HOME", work.filePath("data"));
#endif
        QDir(phone.path()).mkpath("a/mobile/system");
    }
    void TearDown() override
    {
        EXPECT_EQ(read(phone.filePath("violations")), QByteArray()) << "frames against the protocol";
    }

    void setup(const QByteArray &lines) { write(phone.filePath("setup"), lines); }
    CliRun run(const QStringList &args) { return test::RunCli(args, environment); }
    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray SchemeBytes(const QByteArray &name)
    {
        ColourScheme scheme;
        BuildDefaultScheme(scheme);
        scheme.name = name;
        const SchemeImage image = EncodeScheme(scheme);
        return QByteArray(reinterpret_cast<const char *>(image.data()), image.size());
    }

    QTemporaryDir phone;
    QTemporaryDir work;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

INSTANTIATE_TEST_SUITE_P(Transports, CliUsbPhoneTest, testing::Values("control", "bulk"));

TEST_P(CliUsbPhoneTest, WriteReadAndActivate)
{
    setup(QByteArray("transport ") + GetParam() + "\n");
    write(work.filePath("in.sch"), SchemeBytes("USB"));
    const CliRun written = run({"phone", "write", work.filePath("in.sch"), "--restart"});
    EXPECT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_EQ(read(phone.filePath("a/mobile/system/spcolor.sch")), SchemeBytes("USB"));
    EXPECT_EQ(read(phone.filePath("restarted")), "restarted\n");

    const CliRun back = run({"phone", "read", work.filePath("out.sch")});
    EXPECT_EQ(back.exitCode, 0) << back.err.toStdString();
    EXPECT_EQ(read(work.filePath("out.sch")), SchemeBytes("USB"));

    const CliRun activated = run({"phone", "activate"});
    EXPECT_EQ(activated.exitCode, 0) << activated.err.toStdString();
    EXPECT_TRUE(activated.out.contains("Custom colour styles are activated")) << activated.out.toStdString();
    EXPECT_TRUE(read(phone.filePath("seem/0032_0001.seem")).at(83) & 0x40);
    EXPECT_EQ(QDir(work.filePath("data/Tintora/seem-backups")).entryList(QDir::Files).size(), 1);
}

// The copy kept before activation puts the record back as it was.
// No copy, no write: standard error says where the copy of the phone's scheme
// was to go and why it could not be kept there.
TEST_P(CliUsbPhoneTest, AWriteWithoutACopySaysWhereAndWhy)
{
    setup(QByteArray("transport ") + GetParam() + "\n");
    write(phone.filePath("a/mobile/system/spcolor.sch"), SchemeBytes("OLD"));
    write(work.filePath("data"), "");  // a file where the data folder would go
    write(work.filePath("in.sch"), SchemeBytes("NEW"));
    const CliRun written = run({"phone", "write", work.filePath("in.sch"), "--restart"});
    EXPECT_EQ(written.exitCode, 1);
    EXPECT_EQ(written.err.toStdString(),
              ("tintora-cli: Write error of a file /a/mobile/system/spcolor.sch\nThe file on the "
               "phone is left unchanged: no copy of it could be kept in " +
               work.filePath("data/Tintora/file-backups") + ": Not a directory\n")
                  .toStdString());
    EXPECT_EQ(read(phone.filePath("a/mobile/system/spcolor.sch")), SchemeBytes("OLD"));
}

TEST_P(CliUsbPhoneTest, ASeemBackupRestoresTheRecord)
{
    setup(QByteArray("transport ") + GetParam() + "\n");
    ASSERT_EQ(run({"phone", "activate"}).exitCode, 0);
    const QDir backups(work.filePath("data/Tintora/seem-backups"));
    ASSERT_EQ(backups.entryList(QDir::Files).size(), 1);
    const QString backup = backups.filePath(backups.entryList(QDir::Files)[0]);
    const QByteArray original = read(backup);
    ASSERT_NE(read(phone.filePath("seem/0032_0001.seem")), original);

    const CliRun restored = run({"phone", "restore-seem", backup});
    EXPECT_EQ(restored.exitCode, 0) << restored.err.toStdString();
    EXPECT_EQ(restored.out, "seem 0032 record 0001 restored from " + backup + "\n");
    EXPECT_EQ(read(phone.filePath("seem/0032_0001.seem")), original);

    // A file of another length, or without the record in its name, is refused.
    write(work.filePath("0032_0001.seem"), original.left(200));
    write(work.filePath("record.seem"), original);
    EXPECT_EQ(run({"phone", "restore-seem", work.filePath("0032_0001.seem")}).exitCode, 1);
    EXPECT_EQ(run({"phone", "restore-seem", work.filePath("record.seem")}).exitCode, 1);
    EXPECT_EQ(read(phone.filePath("seem/0032_0001.seem")), original);
}

TEST_P(CliUsbPhoneTest, APhoneInModemModeIsWaitedFor)
{
    setup(QByteArray("mode modem\nswitch-delay-ms 1500\ntransport ") + GetParam() + "\n");
    write(work.filePath("in.sch"), SchemeBytes("MODEM"));
    const CliRun written = run({"phone", "write", work.filePath("in.sch")});
    EXPECT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_TRUE(written.err.contains("waiting up to 15 s for the phone in command mode: phone in "
                                     "modem mode, switching it to command mode"))
        << written.err.toStdString();
    EXPECT_EQ(read(phone.filePath("a/mobile/system/spcolor.sch")), SchemeBytes("MODEM"));
}

TEST_P(CliUsbPhoneTest, ProbeTellsWhatItFoundAndWhatToDo)
{
    setup(QByteArray("interface 9\ntransport ") + GetParam() + "\n");
    const CliRun found = run({"phone", "probe"});
    EXPECT_EQ(found.exitCode, 0) << found.err.toStdString();
    EXPECT_TRUE(found.out.contains("command interface: 9")) << found.out.toStdString();
    EXPECT_TRUE(found.out.contains("model (seem 0117 record 0001): E398")) << found.out.toStdString();

    setup("access denied\n");
    const CliRun denied = run({"phone", "probe"});
    EXPECT_EQ(denied.exitCode, 1);
    EXPECT_TRUE(denied.out.contains("can be opened: no (permission denied)")) << denied.out.toStdString();
#if defined(Q_OS_WIN)
    EXPECT_TRUE(denied.out.contains("bind the WinUSB driver")) << denied.out.toStdString();
#else
    EXPECT_TRUE(denied.out.contains("install the udev rule")) << denied.out.toStdString();
#endif

    setup("mode storage\n");
    const CliRun storage = run({"phone", "probe"});
    EXPECT_EQ(storage.exitCode, 1);
    EXPECT_TRUE(storage.out.contains("mode: mass storage")) << storage.out.toStdString();
}

TEST_P(CliUsbPhoneTest, NoPhoneAtTheEndOfTheWaitFailsClearly)
{
    setup("mode none\n");
    const CliRun none = run({"phone", "read", work.filePath("out.sch"), "--wait", "1"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains("no phone in command mode after 1 s (no Motorola phone on USB)"))
        << none.err.toStdString();
    EXPECT_FALSE(QFile::exists(work.filePath("out.sch")));
    EXPECT_EQ(run({"phone", "read", work.filePath("out.sch"), "--wait", "x"}).exitCode, 1);
    EXPECT_EQ(run({"phone", "probe", work.filePath("out.sch")}).exitCode, 1);
}

// Failures are told on standard error, an input that would hang is refused
// before the phone link starts, probe waits for the switch it started, and a
// modem that refuses the switch is told at once instead of waited for.
struct ConsoleCase {
    const char *name;
    const char *setup;
    const char *action;  // phone ACTION [FILE]
    const char *file;    // in the work folder; "fifo" is made a named pipe
    int exitCode;
    const char *inErr;
    const char *inOut;
};

const ConsoleCase kConsole[] = {
    {"WriteFailure", "free 100\n", "write", "in.sch", 1, "Not enough free space on phone", nullptr},
    {"RestoreSeemFromAPipe", "", "restore-seem", "0032_0001-fifo.seem", 1, "0032_0001-fifo.seem",
     nullptr},
    {"ProbeFromModemMode", "mode modem\n", "probe", nullptr, 0,
     " s for the phone to switch to command mode",
     "model (seem 0117 record 0001): E398"},
    {"ReadFromARefusingModem", "mode modem\nmodem-answer error\n", "read", "out.sch", 1,
     "no phone in command mode (phone in modem mode, it did not switch to command mode (the "
     "phone answered ERROR", nullptr},
    {"ProbeARefusingModem", "mode modem\nmodem-answer error\n", "probe", nullptr, 1, nullptr,
     "A phone in modem mode did not switch to command mode: the phone answered ERROR"},
};

class CliConsole : public CliUsbPhoneTest {};

TEST_P(CliConsole, FailuresGoToStandardErrorAndNothingHangs)
{
    for (const ConsoleCase &c : kConsole) {
        SCOPED_TRACE(c.name);
        setup(QByteArray(c.setup) + "transport " + GetParam() + "\n");
        QStringList args{"phone", c.action};
        if (c.file) {
            const QString file = work.filePath(c.file);
            if (QString(c.file).contains("fifo")) {
#if defined(Q_OS_UNIX)
                ASSERT_EQ(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
#else
                continue;
#endif
            } else if (c.action != QStringLiteral("read")) {
                write(file, SchemeBytes("ERR"));
            }
            args << file;
        }
        const auto began = std::chrono::steady_clock::now();
        const CliRun result = run(args << "--wait" << "5");
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err.toStdString();
        // The whole wait would be five seconds.
        EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(4));
        if (c.inErr) {
            EXPECT_TRUE(result.err.contains(c.inErr)) << result.err.toStdString();
            EXPECT_FALSE(result.out.contains(c.inErr)) << result.out.toStdString();
        }
        if (c.inOut)
            EXPECT_TRUE(result.out.contains(c.inOut)) << result.out.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Transports, CliConsole, testing::Values("control", "bulk"));

// Through libusb itself: no machine that runs the tests has a Motorola phone,
// and that must end in a clear "none", not a crash or a hang.
TEST(CliRealUsb, WithoutAPhoneProbeAndTheCommandsSayThereIsNone)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("TINTORA_P2KAPI_BUS");
    environment.insert("TINTORA_P2KAPI", TINTORA_P2KAPI_PATH);
    for (const QStringList &args : {QStringList{"phone", "probe"},
                                    QStringList{"phone", "activate", "--wait", "0"}}) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(TINTORA_CLI_PATH, args);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 1);
        const QString said = QString::fromUtf8(process.readAllStandardOutput() +
                                               process.readAllStandardError());
        EXPECT_TRUE(said.contains("no Motorola phone", Qt::CaseInsensitive)) << said.toStdString();
    }
}

}  // namespace

#endif
