#include "scheme/wholefilewrite.h"
#include "tests/filefaults.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

using namespace tintora;

namespace {

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

}  // namespace

TEST(WriteWholeFile, ReplacesTheContentOrLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("out.sch");
    const QByteArray image(304, '\x5A');

    EXPECT_EQ(WriteWholeFile(path, "old"), WriteOutcome::Written);
    EXPECT_EQ(Contents(path), QByteArray("old"));

    // A disk that fills up part-way: the failure must show, and the old file stay.
    QString error;
    {
        const test::FileSizeLimit full(100);
        EXPECT_EQ(WriteWholeFile(path, image, &error), WriteOutcome::Failed);
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Contents(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.sch"});

    EXPECT_EQ(WriteWholeFile(path, image), WriteOutcome::Written);
    EXPECT_EQ(Contents(path), image);
}

TEST(WriteWholeFile, AFolderThatIsNotThereIsNotOpened)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_EQ(WriteWholeFile(dir.filePath("none/out.sch"), "x", &error), WriteOutcome::NotOpened);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("none")));
}

#if defined(Q_OS_UNIX)
// Run as root, a rename over /dev/null once put a regular file in its place.
TEST(WriteWholeFile, WritesIntoADevicePipeOrSocketAndNeverReplacesIt)
{
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath("pipe"));
    ASSERT_EQ(::mkfifo(path.constData(), 0600), 0);
    // Held open for reading and writing, the pipe neither blocks the writer nor loses bytes.
    const int pipe = ::open(path.constData(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(pipe, 0);
    EXPECT_EQ(WriteWholeFile(dir.filePath("pipe"), "through"), WriteOutcome::Written);
    char received[16] = {};
    EXPECT_EQ(::read(pipe, received, sizeof received), 7);
    EXPECT_EQ(QByteArray(received), "through");
    ::close(pipe);
    struct stat after {};
    ASSERT_EQ(::stat(path.constData(), &after), 0);
    EXPECT_TRUE(S_ISFIFO(after.st_mode));

    // A copy of /dev/full, where the system lets us make one: its error is reported.
    const QByteArray full = QFile::encodeName(dir.filePath("full"));
    if (::mknod(full.constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        GTEST_SKIP() << "no device nodes here";
    QString error;
    EXPECT_EQ(WriteWholeFile(dir.filePath("full"), QByteArray(304, 'x'), &error),
              WriteOutcome::Failed);
    EXPECT_FALSE(error.isEmpty());
    ASSERT_EQ(::stat(full.constData(), &after), 0);
    EXPECT_TRUE(S_ISCHR(after.st_mode));
}
#endif

#if defined(Q_OS_UNIX)
TEST(WriteWholeFile, KeepsTheModeOwnerAndGroup)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file away";
    QTemporaryDir dir;
    const QString path = dir.filePath("theirs.sch");
    ASSERT_EQ(WriteWholeFile(path, "old"), WriteOutcome::Written);
    const QByteArray name = QFile::encodeName(path);
    ASSERT_EQ(::chown(name.constData(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(name.constData(), 0444), 0);

    EXPECT_EQ(WriteWholeFile(path, "new"), WriteOutcome::Written);
    EXPECT_EQ(Contents(path), QByteArray("new"));
    struct stat after {};
    ASSERT_EQ(::stat(name.constData(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0444u);
    EXPECT_EQ(after.st_uid, 65534u);
    EXPECT_EQ(after.st_gid, 65534u);
}
#endif
