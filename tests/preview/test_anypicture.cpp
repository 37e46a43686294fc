#include "preview/anypicture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace tintora {
namespace {

// A BMP file's headers alone, announcing a 24-bit picture of width x height.
QByteArray BmpHeader(int width, int height)
{
    QByteArray bytes(54, '\0');
    const auto put32 = [&bytes](int at, quint32 value) { qToLittleEndian(value, bytes.data() + at); };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(width));
    put32(22, quint32(height));
    qToLittleEndian(quint16(1), bytes.data() + 26);
    qToLittleEndian(quint16(24), bytes.data() + 28);
    return bytes;
}

// Catches a picture that Qt would hold whole decoded before its size is looked at: a header
// alone that announces more than the memory bound, or more than the widest picture, is
// refused with that size, before any pixel is read.
TEST(AnyPictureTest, SizeAnnouncedBeyondTheBoundsIsRefusedFromTheHeader)
{
    QTemporaryDir dir;
    const struct {
        int width, height;
        JpegError::Kind kind;
    } cases[] = {
        {8000, 8000, JpegError::Kind::HeldWholeOverBudget},
        {70000, 2, JpegError::Kind::TooLarge},
    };
    for (const auto &c : cases) {
        const QString path = dir.filePath(QStringLiteral("big.bmp"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(BmpHeader(c.width, c.height));
        file.close();
        JpegError error;
        EXPECT_FALSE(LoadPictureScaled(path, 128, 128, &error));
        EXPECT_EQ(error.kind, c.kind) << c.width;
        EXPECT_EQ(error.width, c.width);
        EXPECT_EQ(error.height, c.height);
        EXPECT_EQ(error.path, QDir::toNativeSeparators(path));
    }
}

// Catches the colour a transparent pixel keeps showing through: such parts are black, and
// a half-transparent white one grey.
TEST(AnyPictureTest, TransparentPartsShowBlack)
{
    QTemporaryDir dir;
    const std::pair<QRgb, QRgb> cases[] = {{qRgba(255, 0, 0, 0), qRgb(0, 0, 0)},
                                           {qRgba(255, 255, 255, 128), qRgb(128, 128, 128)},
                                           {qRgba(10, 20, 30, 255), qRgb(10, 20, 30)}};
    for (const auto &[pixel, expected] : cases) {
        QImage picture(1, 1, QImage::Format_ARGB32);
        picture.setPixel(0, 0, pixel);
        const QString path = dir.filePath(QStringLiteral("clear.png"));
        ASSERT_TRUE(picture.save(path, "PNG"));
        const std::optional<QImage> shown = LoadPictureScaled(path, 1, 1, nullptr);
        ASSERT_TRUE(shown);
        EXPECT_EQ(shown->pixel(0, 0), expected) << std::hex << pixel;
    }
}

}  // namespace
}  // namespace tintora
