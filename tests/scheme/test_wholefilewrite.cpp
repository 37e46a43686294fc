#include "scheme/wholefilewrite.h"
#include "tests/filefaults.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

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

#if defined(Q_OS_LINUX)
// Qt's own fallback for a folder that takes no new files cut the file to nothing before
// writing it: a full disk, or a kill, then left an empty scheme.
TEST(WriteWholeFile, InAFolderThatTakesNoNewFilesWritesOverTheFileAndNeverCutsItShort)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath("locked"), path = folder + "/out.sch";
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    const QByteArray scheme(304, 'o'), fresh(304, 'n');
    const struct {
        const char *name;
        QByteArray old;
        QByteArrayView bytes;
        std::optional<rlim_t> limit;  // the bytes a file may grow to, as a full disk
        WriteOutcome outcome;
        QByteArray after;
    } cases[] = {
        {"shorter", scheme, "new", {}, WriteOutcome::Written, "new"},
        {"longer", "old", fresh, {}, WriteOutcome::Written, fresh},
        {"a full disk", scheme, fresh, 0, WriteOutcome::Failed, scheme},
        {"a disk full part-way", scheme, fresh, 100, WriteOutcome::Failed, scheme},
        {"a disk full past the old end", "old", fresh, 100, WriteOutcome::Failed, "old"},
    };
    // Nobody, as whom root runs the writes, must reach the folder.
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::ExeOther);
    for (const auto &c : cases) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(old.write(c.old), c.old.size());
        old.close();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        QString error;
        WriteOutcome outcome;
        {
            const test::ActingAsNobody nobody;
            if (!nobody.holds())
                GTEST_SKIP() << "root cannot act as nobody here, and no permission stops root";
            QFile probe(folder + "/probe");
            ASSERT_FALSE(probe.open(QIODevice::WriteOnly)) << "the folder takes new files";
            std::optional<test::FileSizeLimit> full;
            if (c.limit)
                full.emplace(*c.limit);
            outcome = WriteWholeFile(path, c.bytes, &error);
        }
        EXPECT_EQ(outcome, c.outcome) << c.name;
        EXPECT_EQ(error.isEmpty(), c.outcome == WriteOutcome::Written) << c.name;
        EXPECT_EQ(Contents(path), c.after) << c.name;
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"out.sch"}) << c.name;
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
#endif
