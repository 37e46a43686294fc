#include "tests/cli/clirun.h"
#include "tests/preview/test_gifwriter.h"
#include "tests/preview/test_jpegwriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using tintora::test::CliRun;

CliRun RunRender(const QStringList &args)
{
    return tintora::test::RunCli(QStringList{"render"} + args);
}

class CliRenderTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString at(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(CliRenderTest, OneScreenFollowsClockAndSettings)
{
    QFile ini(at("tintora.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Options]\r\nClockFormat=1\r\nDateFormat=3\r\n");
    ini.close();
    const QStringList common = {"--screen", "0", "--ini", at("tintora.ini")};
    ASSERT_EQ(RunRender(common + QStringList{"--out", at("a.png"), "--now", "2026-12-06 09:05"}).exitCode, 0);
    ASSERT_EQ(RunRender(common + QStringList{"--out", at("b.png"), "--now", "2026-12-06 09:05"}).exitCode, 0);
    ASSERT_EQ(RunRender(common + QStringList{"--out", at("c.png"), "--now", "2026-12-06 23:59"}).exitCode, 0);
    const QImage a(at("a.png")), b(at("b.png")), c(at("c.png"));
    EXPECT_EQ(a.size(), QSize(128, 128));
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    EXPECT_EQ(a.pixel(0, 0), qRgb(0, 0, 0));
}

// Catches the Others screen, which draws none of its elements, written as if it were a
// phone screen, or left out without a word.
TEST_F(CliRenderTest, AllScreensIntoAFolder)
{
    const CliRun run = RunRender({"--screen", "all", "--out", dir.path(), "--now", "2026-03-10 10:09"});
    ASSERT_EQ(run.exitCode, 0);
    for (int screen = 0; screen <= 7; ++screen) {
        const QImage image(at(QStringLiteral("screen-%1.png").arg(screen)));
        EXPECT_EQ(image.size(), QSize(128, 128)) << screen;
    }
    EXPECT_FALSE(QFile::exists(at("screen-8.png")));
    EXPECT_EQ(run.err, "tintora-cli: screen 8, \"Others...\" left out: it is not a phone screen and draws none of its "
                       "elements\n");
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_NE(QImage(at("screen-0.png")), QImage(at("screen-5.png")));
}

TEST_F(CliRenderTest, ErrorsWriteNothing)
{
    QFile notScheme(at("bad.sch"));
    ASSERT_TRUE(notScheme.open(QIODevice::WriteOnly));
    notScheme.write(QByteArray(304, 'x'));
    notScheme.close();
    const QList<QStringList> wrong = {
        {"--screen", "9", "--out", at("x.png")},
        {"--screen", "0"},
        {"--screen", "0", "--out", at("x.png"), "--now", "yesterday"},
        {"--screen", "0", "--out", at("x.png"), "--scheme", at("bad.sch")},
        {"--screen", "0", "--out", at("x.png"), "--scheme", at("missing.sch")},
        {"--screen", "0", "--out", at("x.png"), "--ini", at("missing.ini")},
        {"--screen", "0", "--out", at("x.png"), "--background", at("bad.sch")},
        {"--screen", "0", "--out", at("x.png"), "--colour", "red"},
        {"--screen", "0", "--out", at("x.sch")},
        {"--screen", "all", "--out", at("bad.sch")},
        {"--screen", "8", "--out", at("x.png")},
    };
    for (const QStringList &args : wrong) {
        const CliRun run = RunRender(args);
        EXPECT_EQ(run.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty()) << args.join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(at("x.png"))) << args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(at("x.sch")));
    EXPECT_EQ(RunRender({"--screen", "8", "--out", "-"}).err,
              "tintora-cli: cannot paint screen 8, \"Others...\": it is not a phone screen and draws none of its "
              "elements\n");
}

// --out picture.jpg once held a PNG, and a folder not yet there was "not a folder".
TEST_F(CliRenderTest, WritesTheFormatTheExtensionNamesAndMakesTheFolder)
{
    const QStringList common = {"--now", "2026-03-10 10:09", "--screen"};
    ASSERT_EQ(RunRender(common + QStringList{"0", "--out", at("a.jpg")}).exitCode, 0);
    ASSERT_EQ(RunRender(common + QStringList{"0", "--out", at("a.BMP")}).exitCode, 0);
    ASSERT_EQ(RunRender(common + QStringList{"0", "--out", at("a.png")}).exitCode, 0);
    QFile jpeg(at("a.jpg"));
    ASSERT_TRUE(jpeg.open(QIODevice::ReadOnly));
    const QByteArray jpegBytes = jpeg.readAll();
    EXPECT_EQ(jpegBytes.left(2), QByteArray("\xFF\xD8"));
    // The JPEG writer is the program's own, since not every Qt has one; where Qt has one, the
    // bytes are those Qt would write, so previews keep their bytes from build to build.
    if (QImageWriter::supportedImageFormats().contains("jpeg")) {
        QByteArray qtBytes;
        QBuffer buffer(&qtBytes);
        ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
        ASSERT_TRUE(QImage(at("a.png")).save(&buffer, "jpg"));
        EXPECT_EQ(jpegBytes, qtBytes);
    }
    QFile bmp(at("a.BMP"));
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    EXPECT_EQ(bmp.read(2), QByteArray("BM"));

    const CliRun refused = RunRender(common + QStringList{"0", "--out", at("a.sch")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("cannot write .sch pictures")) << refused.err.toStdString();

    ASSERT_EQ(RunRender(common + QStringList{"all", "--out", at("new/screens")}).exitCode, 0);
    EXPECT_EQ(QImage(at("new/screens/screen-7.png")).size(), QSize(128, 128));
}

// Catches a wallpaper format the window takes but the command line refuses, or paints
// otherwise: PNG, GIF and BMP pictures of the same pixels give the same preview, whatever
// their names say; a file that is no picture is named in the error.
TEST_F(CliRenderTest, PngGifAndBmpBackgroundsPaintAlikeAndNoPictureIsNamedInTheError)
{
    QImage cells(90, 60, QImage::Format_RGB32);
    for (int y = 0; y < cells.height(); ++y)
        for (int x = 0; x < cells.width(); ++x)
            cells.setPixel(x, y, qRgb(x / 10 * 25, y / 10 * 40, 200));
    const auto written = [this](const QByteArray &bytes, const char *name) {
        QFile file(at(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    };
    const auto encoded = [&cells](const char *format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        EXPECT_TRUE(buffer.open(QIODevice::WriteOnly) && cells.save(&buffer, format));
        return bytes;
    };
    const QString pictures[] = {written(encoded("PNG"), "cells.png"), written(tintora::test::WriteGif(cells), "cells.gif"),
                                written(encoded("BMP"), "cells.bmp"), written(encoded("PNG"), "cells-png.jpg")};
    QImage first;
    for (const QString &picture : pictures) {
        const CliRun run = RunRender({"--screen", "0", "--out", at("x.png"), "--now", "2026-03-10 10:09",
                                      "--background", picture});
        ASSERT_EQ(run.exitCode, 0) << picture.toStdString() << run.err.toStdString();
        const QImage shown(at("x.png"));
        if (first.isNull())
            first = shown;
        EXPECT_EQ(shown, first) << picture.toStdString();
    }
    ASSERT_EQ(RunRender({"--screen", "0", "--out", at("plain.png"), "--now", "2026-03-10 10:09"}).exitCode, 0);
    EXPECT_NE(first, QImage(at("plain.png")));

    const QString text = written("this is no picture", "shot.jpg");
    const CliRun run = RunRender({"--screen", "0", "--out", at("x.png"), "--background", text});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "tintora-cli: " + QDir::toNativeSeparators(text) + ": Not a JPEG file: starts with 0x74 0x68\n");
}

// The decoder's bound on made-up data holds here too: a file of restart
// markers announcing a large picture is refused as the window refuses it.
TEST_F(CliRenderTest, ABackgroundWhoseDataCannotHoldItsPictureIsRefused)
{
    using tintora::test::Restarts;
    const QByteArray files[] = {
        tintora::test::RestartsOnly({.arithmetic = true}, 512, 512, 16, Restarts::SkippingOne, 100),
        tintora::test::RestartsOnly({.arithmetic = true}, 65500, 65500, 65535, Restarts::InOrder, 60),
    };
    const char *reasons[] = {"would be largely made up", "would take far more work"};
    for (int i = 0; i < 2; ++i) {
        QFile crafted(at("crafted.jpg"));
        ASSERT_TRUE(crafted.open(QIODevice::WriteOnly | QIODevice::Truncate));
        crafted.write(files[i]);
        crafted.close();
        const CliRun run =
            RunRender({"--screen", "0", "--out", at("x.png"), "--background", at("crafted.jpg")});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.startsWith("tintora-cli: " + QDir::toNativeSeparators(at("crafted.jpg")) + ": The JPEG file is damaged: "))
            << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(reasons[i])) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(at("x.png")));
    }
}

}  // namespace
