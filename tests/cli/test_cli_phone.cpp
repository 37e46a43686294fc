// tintora-cli's phone commands, run against the simulated phone.

#include "scheme/colourscheme.h"
#include "tests/cli/clirun.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tintora;

namespace {

using test::CliRun;

class CliPhoneTest : public testing::Test {
protected:
    // The simulator is built beside the programs.
    static QString simulator()
    {
#if defined(Q_OS_WIN)
        return QFileInfo(TINTORA_CLI_PATH).dir().filePath("p2ksim.dll");
#else
        return QFileInfo(TINTORA_CLI_PATH).dir().filePath("libp2ksim.so");
#endif
    }

    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo::exists(simulator()));
        QDir(phone.path()).mkpath("a/mobile/system");
        environment.insert("TINTORA_P2KAPI", simulator());
        environment.insert("P2KSIM_ROOT", phone.path());
    }

    CliRun run(const QStringList &args) { return test::RunCli(args, environment); }

    QString at(const QString &name) const { return work.filePath(name); }
    QString onPhone(const QString &name) const { return phone.filePath(name); }
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
        scheme.entry(3).colour = 0x0000FF;
        const SchemeImage image = EncodeScheme(scheme);
        return QByteArray(reinterpret_cast<const char *>(image.data()), image.size());
    }

    QTemporaryDir phone;
    QTemporaryDir work;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

TEST_F(CliPhoneTest, WriteThenReadThroughTheFolderOfTheSettings)
{
    QDir(phone.path()).mkpath("c/styles");
    write(at("tintora.ini"), "[Phone]\r\nSpColorPath=/c/styles/\r\n");
    write(at("in.sch"), SchemeBytes("CLI"));

    EXPECT_EQ(run({"phone", "write", at("in.sch"), "--ini", at("tintora.ni")}).exitCode, 1);
    EXPECT_FALSE(QFile::exists(onPhone("calls.log"))) << "a mistyped --ini reaches no phone";

    const CliRun written = run({"phone", "write", at("in.sch"), "--ini", at("tintora.ini")});
    EXPECT_EQ(written.exitCode, 0);
    EXPECT_EQ(written.out, "Colour style: CLI\nSaving path: /c/styles/spcolor.sch\n"
                           "Changes will come into force only after reboot of phone\n"
                           "Reboot phone now? no\n");
    EXPECT_EQ(read(onPhone("c/styles/spcolor.sch")), SchemeBytes("CLI"));
    EXPECT_FALSE(QFile::exists(onPhone("restarted")));

    const CliRun back = run({"phone", "read", "--ini", at("tintora.ini"), at("out.sch")});
    EXPECT_EQ(back.exitCode, 0);
    EXPECT_EQ(read(at("out.sch")), SchemeBytes("CLI"));

    // A folder that the Phone folder item would refuse is said so, and the default is used.
    write(at("card.ini"), "[Phone]\r\nSpColorPath=/card/styles/\r\n");
    const CliRun refused = run({"phone", "write", at("in.sch"), "--ini", at("card.ini")});
    EXPECT_EQ(refused.exitCode, 0);
    EXPECT_EQ(refused.err.toStdString(),
              ("tintora-cli: The folder \"/card/styles/\" will not do: it must start with a volume "
               "such as /a/ and hold printable ASCII characters only ([Phone] SpColorPath in " +
               QDir::toNativeSeparators(at("card.ini")) + "); the phone folder is /a/mobile/system/\n")
                  .toStdString());
    EXPECT_EQ(read(onPhone("a/mobile/system/spcolor.sch")), SchemeBytes("CLI"));

    EXPECT_EQ(run({"phone", "write", at("in.sch"), "--restart"}).exitCode, 0);
    EXPECT_EQ(read(onPhone("a/mobile/system/spcolor.sch")), SchemeBytes("CLI"));
    EXPECT_TRUE(QFile::exists(onPhone("restarted")));
}

TEST_F(CliPhoneTest, FailuresPrintTheMessageAndExitWithOne)
{
    write(at("in.sch"), SchemeBytes("X"));
    write(onPhone("fail"), "File_Write\n");
    const CliRun failedWrite = run({"phone", "write", at("in.sch"), "--restart"});
    EXPECT_EQ(failedWrite.exitCode, 1);
    // A failure is reported where every command reports one.
    EXPECT_EQ(failedWrite.err, "tintora-cli: Write error of a file /a/mobile/system/spcolor.sch\n");
    EXPECT_FALSE(QFile::exists(onPhone("restarted")));

    write(onPhone("a/mobile/system/spcolor.sch"), "garbage");
    const CliRun notFound = run({"phone", "read", at("out.sch")});
    EXPECT_EQ(notFound.exitCode, 1);
    EXPECT_EQ(notFound.out, "File /a/mobile/system/spcolor.sch not found\n");
    EXPECT_FALSE(QFile::exists(at("out.sch")));

    write(at("text.sch"), "plain text");
    EXPECT_EQ(run({"phone", "write", at("text.sch")}).exitCode, 1);
    EXPECT_EQ(run({"phone", "write", at("missing.sch")}).exitCode, 1);
    EXPECT_EQ(run({"phone", "read", at("out.sch"), "--restart"}).exitCode, 1);
    EXPECT_EQ(run({"phone", "erase"}).exitCode, 1);

    environment.insert("TINTORA_P2KAPI", at("no-such-library.so"));
    const CliRun noLibrary = run({"phone", "read", at("out.sch")});
    EXPECT_EQ(noLibrary.exitCode, 1);
    EXPECT_EQ(noLibrary.out, "Read error of a file /a/mobile/system/spcolor.sch\n");
}

TEST_F(CliPhoneTest, ActivateOnThePhoneRestartsOnlyWhenAskedAndChanged)
{
    const CliRun first = run({"phone", "activate", "--restart"});
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_EQ(first.out, "Read seem 0032 rec 0001.........[OK]\n"
                         "Change value...........................[OK]\n"
                         "Write seem 0032 rec 0001...........[OK]\n\n"
                         "Custom colour styles are activated\n"
                         "Changes will come into force only after reboot of phone\n"
                         "Reboot phone now? yes\n");
    EXPECT_TRUE(QFile::exists(onPhone("restarted")));
    EXPECT_EQ(read(onPhone("seem/0032_0001.seem")).at(83), 0x40);

    const CliRun second = run({"phone", "activate"});
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_TRUE(second.out.endsWith("Custom colour styles already activated!\n"));

    // A phone that is away is waited for, then the command fails before it acts.
    write(onPhone("status"), "0");
    const CliRun away = run({"phone", "activate", "--wait", "1"});
    EXPECT_EQ(away.exitCode, 1);
    EXPECT_EQ(away.out, "");
}

TEST_F(CliPhoneTest, ActivateARecordFile)
{
    write(at("0032_0001.seem"), QByteArray(255, '\x01'));
    const CliRun done = run({"activate", at("0032_0001.seem")});
    EXPECT_EQ(done.exitCode, 0);
    EXPECT_EQ(done.out, "Open 0032_0001.seem.........[OK]\n"
                        "Change value...........................[OK]\n"
                        "Save 0032_0001.seem...........[OK]\n\n"
                        "Custom colour styles are activated\n");
    QByteArray expected(255, '\x01');
    expected[83] = 0x41;
    EXPECT_EQ(read(at("0032_0001.seem")), expected);
    EXPECT_EQ(run({"activate", at("0032_0001.seem")}).exitCode, 0);

    // A colour scheme given by mistake once lost a colour to the switch.
    write(at("x.sch"), SchemeBytes("MINE"));
    const CliRun scheme = run({"activate", at("x.sch")});
    EXPECT_EQ(scheme.exitCode, 1);
    EXPECT_TRUE(scheme.out.startsWith(at("x.sch") + " is a colour style")) << scheme.out.toStdString();
    EXPECT_TRUE(scheme.out.contains("Open x.sch.........[FAIL]\n"));
    EXPECT_EQ(read(at("x.sch")), SchemeBytes("MINE"));

    const CliRun missing = run({"activate", at("none.seem")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.out.startsWith("Cannot open " + at("none.seem") + ": No such file"))
        << missing.out.toStdString();

    write(at("short.seem"), QByteArray(40, '\0'));
    EXPECT_EQ(run({"activate", at("short.seem")}).exitCode, 1);
    EXPECT_EQ(read(at("short.seem")), QByteArray(40, '\0'));
    EXPECT_EQ(run({"activate"}).exitCode, 1);
    EXPECT_FALSE(QFile::exists(onPhone("calls.log"))) << "a record file needs no phone";
}

}  // namespace
