#include "scheme/wholefilewrite.h"
#include "tests/filefaults.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
