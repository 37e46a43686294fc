// tintora-cli given pipes, devices and names that are not UTF-8: each once
// blocked, replaced a device, or read or wrote a different file, with exit 0.

#include "scheme/colourscheme.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

struct CliResult {
    int exitCode = -1;
    QString err;  // standard output and error together
};

// Stops the program if it blocks: a refusal must come at once.
CliResult RunIn(const QString &folder, const QString &program, const QStringList &args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(folder);
    process.start(program, args);
    if (!process.waitForFinished(15000)) {
        process.kill();
        process.waitForFinished();
        return {-2, "blocked"};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

class CliHostileTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString at(const QString &name) const { return dir.filePath(name); }
    CliResult run(const QStringList &args) { return RunIn(dir.path(), TINTORA_CLI_PATH, args); }
    // Through the shell, whose printf can spell bytes that are not UTF-8.
    CliResult runShell(const QString &arguments)
    {
        return RunIn(dir.path(), "/bin/sh",
                     {"-c", "exec \"$0\" " + arguments, QString::fromUtf8(TINTORA_CLI_PATH)});
    }

    // A pipe held open for reading and writing, with bytes waiting in it: a program that
    // opened it would not block on the open, and would read what is there.
    int pipe(const QString &name, const QByteArray &waiting = {})
    {
        const QByteArray path = QFile::encodeName(at(name));
        EXPECT_EQ(::mkfifo(path.constData(), 0600), 0);
        const int fd = ::open(path.constData(), O_RDWR | O_NONBLOCK);
        EXPECT_GE(fd, 0);
        if (!waiting.isEmpty()) {
            EXPECT_EQ(::write(fd, waiting.constData(), waiting.size()), waiting.size());
        }
        held.push_back(fd);
        return fd;
    }
    void TearDown() override
    {
        for (int fd : held)
            ::close(fd);
    }

    static QByteArray DefaultImage()
    {
        tintora::ColourScheme scheme;
        tintora::BuildDefaultScheme(scheme);
        const tintora::SchemeImage image = tintora::EncodeScheme(scheme);
        return QByteArray(reinterpret_cast<const char *>(image.data()), image.size());
    }

    QTemporaryDir dir;
    std::vector<int> held;
};

TEST_F(CliHostileTest, InputsThatAreNotRegularFilesAreRefusedUnopened)
{
    pipe("scheme.pipe", DefaultImage());
    pipe("json.pipe", "{}");
    pipe("record.pipe", QByteArray(255, '\0'));
    pipe("ini.pipe", "[Options]\n");
    pipe("picture.pipe", QByteArray("\xFF\xD8", 2));
    const QList<QStringList> commands = {
        {"dump", "scheme.pipe"},
        {"build", "json.pipe", "out.sch"},
        {"activate", "record.pipe"},
        {"render", "--screen", "0", "--out", "out.png", "--ini", "ini.pipe"},
        {"render", "--screen", "0", "--out", "out.png", "--background", "picture.pipe"},
        {"render", "--screen", "0", "--out", "out.png", "--scheme", "scheme.pipe"},
    };
    for (const QStringList &args : commands) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliResult refused = run(args);
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_TRUE(refused.err.contains("not a regular file")) << refused.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(at("out.sch")));
    EXPECT_FALSE(QFile::exists(at("out.png")));
}

// As root, "default /dev/null" once left a regular file where /dev/null was.
TEST_F(CliHostileTest, OutputsThatAreNotRegularFilesAreWrittenIntoNeverReplaced)
{
    const int reader = pipe("out.pipe");
    EXPECT_EQ(run({"default", "out.pipe"}).exitCode, 0);
    QByteArray received(400, '\0');
    EXPECT_EQ(::read(reader, received.data(), received.size()), 304);
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(at("out.pipe")).constData(), &after), 0);
    EXPECT_TRUE(S_ISFIFO(after.st_mode));

    const QByteArray full = QFile::encodeName(at("full"));
    if (::mknod(full.constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        GTEST_SKIP() << "no device nodes here";
    const CliResult filled = run({"default", "full"});
    EXPECT_EQ(filled.exitCode, 1);
    EXPECT_TRUE(filled.err.contains("cannot write")) << filled.err.toStdString();
    ASSERT_EQ(::stat(full.constData(), &after), 0);
    EXPECT_TRUE(S_ISCHR(after.st_mode));
}

// A name that is not UTF-8 once reached a different file: "No such file" for the one
// that was there, and a new file under the changed name.
TEST_F(CliHostileTest, NamesThatAreNotUtf8AreRefused)
{
    const QByteArray bad = QFile::encodeName(dir.path()) + "/bad\xFF.sch";
    const int fd = ::open(bad.constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    const QByteArray image = DefaultImage();
    ASSERT_EQ(::write(fd, image.constData(), image.size()), image.size());
    ::close(fd);

    const CliResult dump = runShell("dump \"$(printf 'bad\\377.sch')\"");
    EXPECT_EQ(dump.exitCode, 1);
    EXPECT_TRUE(dump.err.contains("not valid UTF-8")) << dump.err.toStdString();
    // check keeps 1 for a weak text: a name it cannot take is a check that could not run.
    EXPECT_EQ(runShell("check \"$(printf 'bad\\377.sch')\"").exitCode, 2);

    const CliResult made = runShell("default \"$(printf 'out\\377.sch')\"");
    EXPECT_EQ(made.exitCode, 1);
    EXPECT_FALSE(QFile::exists(at(QString::fromUtf8("out\xEF\xBF\xBD.sch")))) << "no file under a changed name";
    const QByteArray badOut = QFile::encodeName(dir.path()) + "/out\xFF.sch";
    EXPECT_NE(::access(badOut.constData(), F_OK), 0);
    // Qt cannot name it, so QTemporaryDir cannot remove it.
    ::unlink(bad.constData());
}

// An --ini that is there but cannot be read once gave the defaults in silence.
TEST_F(CliHostileTest, AnUnreadableSettingsFileIsAnErrorWithTheReason)
{
    if (!QFile::exists("/proc/self/mem"))
        GTEST_SKIP() << "no /proc/self/mem";
    // Opens fine; reading address zero of the program's own memory fails.
    const CliResult unreadable =
        run({"render", "--screen", "0", "--out", "out.png", "--ini", "/proc/self/mem"});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_TRUE(unreadable.err.contains("Input/output error")) << unreadable.err.toStdString();
    const CliResult missing = run({"phone", "read", "out.sch", "--ini", "none.ini"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("none.ini: No such file or directory")) << missing.err.toStdString();
}

}  // namespace
