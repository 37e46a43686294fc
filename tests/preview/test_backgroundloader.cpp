#include "preview/backgroundloader.h"
#include "preview/jpegpicture.h"
#include "test_jpegwriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace tintora {
namespace {

QString Write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return path;
}

// Grain that the coder cannot squeeze, so the decode takes a while.
QByteArray Grain(int width, int height)
{
    std::mt19937 random(1);
    return test::WriteJpeg(width, height, {.quality = 90}, [&](int, JSAMPLE *row) {
        for (int x = 0; x < width * 3; ++x)
            row[x] = JSAMPLE(random());
    });
}

struct Heard {
    std::vector<double> progress;
    std::vector<QImage> loaded;
    std::vector<JpegError> failed;
};

void Listen(BackgroundLoader &loader, Heard &heard)
{
    QObject::connect(&loader, &BackgroundLoader::progress, [&](double share) { heard.progress.push_back(share); });
    QObject::connect(&loader, &BackgroundLoader::loaded, [&](const QImage &picture) { heard.loaded.push_back(picture); });
    QObject::connect(&loader, &BackgroundLoader::failed, [&](const JpegError &reason) { heard.failed.push_back(reason); });
}

template <typename Until>
void Serve(const Until &until)
{
    QElapsedTimer clock;
    clock.start();
    while (!until() && clock.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

class BackgroundLoaderTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new QTemporaryDir;
        slow = Write(*dir, "slow.jpg", Grain(3000, 2000));
        small = Write(*dir, "small.jpg", Grain(64, 48));
        QElapsedTimer clock;
        clock.start();
        slowPicture = LoadJpegScaled(slow, 128, 128, nullptr).value();
        slowDecodeMs = clock.elapsed();
    }
    static void TearDownTestSuite() { delete dir; }

    static inline QTemporaryDir *dir;
    static inline QString slow, small;
    static inline QImage slowPicture;
    static inline qint64 slowDecodeMs;
};

TEST_F(BackgroundLoaderTest, ReportsProgressThenThePicture)
{
    BackgroundLoader loader(std::chrono::milliseconds(0));
    Heard heard;
    Listen(loader, heard);
    loader.load(slow);
    EXPECT_TRUE(loader.busy());
    Serve([&] { return !heard.loaded.empty() || !heard.failed.empty(); });
    ASSERT_EQ(heard.loaded.size(), 1u);
    EXPECT_EQ(heard.loaded[0], slowPicture);
    ASSERT_GE(heard.progress.size(), 2u);
    for (std::size_t i = 1; i < heard.progress.size(); ++i)
        EXPECT_GT(heard.progress[i], heard.progress[i - 1]);
    EXPECT_LE(heard.progress.back(), 1.0);
}

TEST_F(BackgroundLoaderTest, FailureGivesTheDecodersReason)
{
    BackgroundLoader loader;
    Heard heard;
    Listen(loader, heard);
    loader.load(Write(*dir, "cut.jpg", Grain(64, 48).left(300)));
    Serve([&] { return !heard.failed.empty(); });
    ASSERT_EQ(heard.failed.size(), 1u);
    EXPECT_EQ(heard.failed[0].kind, JpegError::Kind::FileEnded);
    EXPECT_EQ(heard.failed[0].count, 300u);
    EXPECT_TRUE(heard.failed[0].path.endsWith(QStringLiteral("cut.jpg"))) << heard.failed[0].path.toStdString();
    EXPECT_TRUE(heard.loaded.empty());
}

#if defined(Q_OS_LINUX)
// Whether a decode of this process still reads the file.
bool HeldOpen(const QString &path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    const QFileInfoList descriptors = QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::AllEntries | QDir::System);
    return std::any_of(descriptors.begin(), descriptors.end(),
                       [&](const QFileInfo &descriptor) { return descriptor.symLinkTarget() == target; });
}
#endif

// A second picture chosen while the first decodes: only the second arrives,
// and the first decode stops instead of working on unseen to its end.
TEST_F(BackgroundLoaderTest, ANewerRequestReplacesTheOlder)
{
    BackgroundLoader loader(std::chrono::milliseconds(0));
    Heard heard;
    Listen(loader, heard);
    loader.load(slow);
    Serve([&] { return !heard.progress.empty(); });
    ASSERT_LT(heard.progress.back(), 0.5);
    QElapsedTimer replaced;
    replaced.start();
    loader.load(small);
#if defined(Q_OS_LINUX)
    while (HeldOpen(slow) && replaced.elapsed() < slowDecodeMs / 2)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_FALSE(HeldOpen(slow)) << "the older decode still reads its file";
#endif
    Serve([&] { return !heard.loaded.empty(); });
    // Long enough for the first decode to have ended, had it not been stopped.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 2 * slowDecodeMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_EQ(heard.loaded.size(), 1u);
    EXPECT_EQ(heard.loaded[0], LoadJpegScaled(small, 128, 128, nullptr).value());
    EXPECT_TRUE(heard.failed.empty());
}

// Cancelling, or closing the window, mid-decode: nothing more is reported and
// the loader goes at once, not after the decode would have ended.
TEST_F(BackgroundLoaderTest, CancelAndDestructionStopTheDecode)
{
    for (const bool cancelFirst : {true, false}) {
        SCOPED_TRACE(cancelFirst ? "cancel" : "destroy");
        Heard heard;
        auto loader = std::make_unique<BackgroundLoader>(std::chrono::milliseconds(0));
        Listen(*loader, heard);
        loader->load(slow);
        Serve([&] { return !heard.progress.empty(); });
        ASSERT_LT(heard.progress.back(), 0.5);
        if (cancelFirst) {
            loader->cancel();
            EXPECT_FALSE(loader->busy());
        }
        QElapsedTimer clock;
        clock.start();
        loader.reset();
        EXPECT_LT(clock.elapsed(), slowDecodeMs / 2);
        QCoreApplication::processEvents();
        EXPECT_TRUE(heard.loaded.empty());
        EXPECT_TRUE(heard.failed.empty());
    }
}

}  // namespace
}  // namespace tintora
