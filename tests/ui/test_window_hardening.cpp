// The editor window fed folders, devices and FIFOs where files belong, and
// saving every kind of file onto a full disk.
#include "windowfixture.h"

#include "preview/preview.h"
#include "tests/filefaults.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tintora::test {
namespace {

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Opens a FIFO's writing end after a while and closes it, so a reader that
// blocked on it gets the end of the file and the test ends instead of hanging.
class FifoWatchdog {
public:
    // An empty path watches nothing.
    explicit FifoWatchdog(const QString &path)
        : thread_([this, name = QFile::encodeName(path)] {
              for (int i = 0; i < 50 && !done_; ++i)
                  std::this_thread::sleep_for(std::chrono::milliseconds(100));
              if (!done_ && !name.isEmpty()) {
                  const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
                  if (fd >= 0)
                      ::close(fd);
              }
          })
    {
    }
    ~FifoWatchdog()
    {
        done_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

class WindowHardeningTest : public WindowTest {
protected:
    // Each path as the scheme named at start and as the background picture.
    void expectNeitherBlocksNorChanges(const QStringList &paths, const QString &fifo)
    {
        for (const QString &path : paths) {
            QElapsedTimer timer;
            timer.start();
            {
                const FifoWatchdog watchdog(fifo);
                start({path});
            }
            EXPECT_LT(timer.elapsed(), 3000) << path.toStdString() << " blocked start-up";
            // Once told, a start file that cannot be read leaves the default scheme.
            ColourScheme standard;
            BuildDefaultScheme(standard);
            EXPECT_EQ(mainWindow->scheme(), standard) << path.toStdString();
            const QImage before = shownPreview();
            dialogs.errors.clear();
            dialogs.pictureAnswers << path;
            timer.restart();
            {
                const FifoWatchdog watchdog(fifo);
                mainWindow->previewPanel().chooseBackgroundPicture();
                waitForBackground();
            }
            EXPECT_LT(timer.elapsed(), 3000) << path.toStdString() << " blocked the picture";
            EXPECT_EQ(dialogs.errors.size(), 1) << path.toStdString();
            EXPECT_TRUE(mainWindow->previewPanel().preview().plainBackground());
            EXPECT_EQ(shownPreview(), before);
            stop();
        }
    }
};

TEST_F(WindowHardeningTest, FolderOrDeviceAsSchemeOrPictureChangesNothing)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder"));
    expectNeitherBlocksNorChanges({folder.filePath("folder"), QStringLiteral("/dev/zero")}, QString());
}

TEST_F(WindowHardeningTest, FifoAsSchemeOrPictureDoesNotBlock)
{
    const QString fifo = folder.filePath("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    expectNeitherBlocksNorChanges({fifo}, fifo);
}

TEST_F(WindowHardeningTest, FullDiskDuringEverySaveOfTheWindowLeavesTheOldFilesWhole)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "mounting a small tmpfs needs root; the file-size limit tests cover short writes";
    FullDisk disk(folder.path());
    if (!disk.mounted())
        GTEST_SKIP() << "this machine lets no tmpfs be mounted here (a container without the right)";

    const QByteArray ini = "[Options]\nLanguage=Russian\nProviderName=OLD\n";
    writeIni(ini);
    const QString scheme = writeScheme("old.sch", "OLD", [](ColourScheme &) {});
    const QByteArray oldScheme = Contents(scheme);
    const QString record = folder.filePath("0032_0001.seem");
    {
        QFile file(record);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(255, '\0'));
    }
    start({scheme});
    const QStringList before = QDir(folder.path()).entryList(QDir::Files);
    disk.fill();

    mainWindow->scheme().entry(1).colour = 0x123456;
    mainWindow->files().saveScheme();
    EXPECT_EQ(dialogs.errors.size(), 1) << "Save";
    child<QAction>("englishAction")->trigger();
    EXPECT_EQ(dialogs.errors.size(), 2) << "language";
    QTimer::singleShot(0, settingsDialog.get(), [&] { settingsDialog->accept(); });
    child<QAction>("previewSettingsAction")->trigger();
    EXPECT_EQ(dialogs.errors.size(), 3) << "settings dialog";
    dialogs.openAnswers << record;
    mainWindow->phoneCommands().activateScheme();
    EXPECT_EQ(dialogs.errors.size(), 4) << "activation";

    EXPECT_EQ(Contents(scheme), oldScheme);
    EXPECT_EQ(Contents(iniPath()), ini);
    EXPECT_EQ(Contents(record), QByteArray(255, '\0'));
    QStringList expected = before;
    expected << "filler";
    expected.sort();
    QStringList after = QDir(folder.path()).entryList(QDir::Files);
    after.sort();
    EXPECT_EQ(after, expected);
}

}  // namespace
}  // namespace tintora::test
