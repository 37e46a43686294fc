#include "preview/boxscaler.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <random>

namespace tintora {
namespace {

QImage RandomPicture(int width, int height, unsigned seed)
{
    QImage picture(width, height, QImage::Format_RGB888);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        std::uint8_t *row = picture.scanLine(y);
        for (int k = 0; k < width * 3; ++k)
            row[k] = std::uint8_t(random());
    }
    return picture;
}

// The box filter written out over the whole picture: 32-bit float steps and
// running positions, the end clamped to W - 1 once it reaches W, both ends of
// a box clamped to the last index, inclusive boxes, double averages.
QImage ReferenceScale(const QImage &source, int w, int h)
{
    const int W = source.width();
    const int H = source.height();
    QImage result(w, h, QImage::Format_RGB888);
    const float xStep = float(W) / float(w);
    const float yStep = float(H) / float(h);
    float yEnd = 0;
    for (int i = 0; i < h; ++i) {
        const float yStart = yEnd;
        yEnd = yStart + yStep;
        if (yEnd >= float(H))
            yEnd = float(H - 1);
        const int top = int(std::min<std::int64_t>(RoundHalfUp(yStart), H - 1));
        const int bottom = int(std::min<std::int64_t>(RoundHalfUp(yEnd), H - 1));
        float xEnd = 0;
        for (int j = 0; j < w; ++j) {
            const float xStart = xEnd;
            xEnd = xStart + xStep;
            if (xEnd >= float(W))
                xEnd = float(W - 1);
            const int left = int(std::min<std::int64_t>(RoundHalfUp(xStart), W - 1));
            const int right = int(std::min<std::int64_t>(RoundHalfUp(xEnd), W - 1));
            double sum[3] = {0, 0, 0};
            int count = 0;
            for (int y = top; y <= bottom; ++y) {
                for (int x = left; x <= right; ++x) {
                    const std::uint8_t *pixel = source.constScanLine(y) + x * 3;
                    for (int c = 0; c < 3; ++c)
                        sum[c] += pixel[c];
                    ++count;
                }
            }
            std::uint8_t *out = result.scanLine(i) + j * 3;
            for (int c = 0; c < 3; ++c)
                out[c] = std::uint8_t(RoundHalfUp(sum[c] / count));
        }
    }
    return result;
}

// Average of the source pixels in columns x0..x1 and rows y0..y1, rounded
// half up, as one 0xRRGGBB value.
QRgb BoxAverage(const QImage &source, int x0, int x1, int y0, int y1)
{
    int sum[3] = {0, 0, 0};
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            for (int c = 0; c < 3; ++c)
                sum[c] += source.constScanLine(y)[x * 3 + c];
    const int count = (x1 - x0 + 1) * (y1 - y0 + 1);
    const auto mean = [&](int c) { return int(RoundHalfUp(double(sum[c]) / count)); };
    return qRgb(mean(0), mean(1), mean(2));
}

QRgb PixelAt(const QImage &picture, int x, int y)
{
    return picture.pixel(x, y);
}

TEST(RoundHalfUp, HalvesGoUpAndAnythingBelowGoesDown)
{
    EXPECT_EQ(RoundHalfUp(0.5), 1);
    EXPECT_EQ(RoundHalfUp(2.5), 3);
    EXPECT_EQ(RoundHalfUp(0.49999), 0);
    EXPECT_EQ(RoundHalfUp(127.49999), 127);
    // The largest double below 0.5: adding 0.5 and flooring would give 1.
    EXPECT_EQ(RoundHalfUp(0.49999999999999994), 0);
    EXPECT_EQ(RoundHalfUp(0.0), 0);
    EXPECT_EQ(RoundHalfUp(254.99999), 255);
    EXPECT_EQ(RoundHalfUp(65499.5), 65500);
}

TEST(ScaleToBox, SameSizeAveragesEachPixelWithItsRightAndLowerNeighbours)
{
    const QImage source = RandomPicture(128, 128, 1);
    const QImage result = ScaleToBox(source, 128, 128);
    ASSERT_EQ(result.size(), QSize(128, 128));
    EXPECT_EQ(result.format(), QImage::Format_RGB888);
    for (int i = 0; i < 127; ++i) {
        for (int j = 0; j < 127; ++j)
            ASSERT_EQ(PixelAt(result, j, i), BoxAverage(source, j, j + 1, i, i + 1)) << j << "," << i;
        EXPECT_EQ(PixelAt(result, 127, i), BoxAverage(source, 127, 127, i, i + 1)) << "last column, row " << i;
        EXPECT_EQ(PixelAt(result, i, 127), BoxAverage(source, i, i + 1, 127, 127)) << "last row, column " << i;
    }
    EXPECT_EQ(PixelAt(result, 127, 127), PixelAt(source, 127, 127));
}

TEST(ScaleToBox, DoubleSizeUsesOverlappingThreeByThreeBoxes)
{
    const QImage source = RandomPicture(256, 256, 2);
    const QImage result = ScaleToBox(source, 128, 128);
    for (int i = 0; i < 127; ++i) {
        for (int j = 0; j < 127; ++j)
            ASSERT_EQ(PixelAt(result, j, i), BoxAverage(source, 2 * j, 2 * j + 2, 2 * i, 2 * i + 2)) << j << "," << i;
        EXPECT_EQ(PixelAt(result, 127, i), BoxAverage(source, 254, 255, 2 * i, 2 * i + 2));
        EXPECT_EQ(PixelAt(result, i, 127), BoxAverage(source, 2 * i, 2 * i + 2, 254, 255));
    }
    EXPECT_EQ(PixelAt(result, 127, 127), BoxAverage(source, 254, 255, 254, 255));
}

// Sources smaller than the result: boxes past the last column or row would be
// empty or read outside the picture; they hold the last column or row instead.
TEST(ScaleToBox, SmallSourceFillsEveryPixelFromInsideThePicture)
{
    QImage source(64, 32, QImage::Format_RGB888);
    source.fill(QColor(10, 20, 30));
    const QRgb lastColumn = qRgb(200, 100, 50);
    const QRgb lastRow = qRgb(5, 250, 125);
    for (int y = 0; y < 32; ++y)
        source.setPixel(63, y, lastColumn);
    for (int x = 0; x < 64; ++x)
        source.setPixel(x, 31, lastRow);

    const QImage result = ScaleToBox(source, 128, 128);
    ASSERT_EQ(result.size(), QSize(128, 128));
    for (int i = 0; i < 121; ++i) {
        EXPECT_EQ(PixelAt(result, 126, i), lastColumn) << "row " << i;
        EXPECT_EQ(PixelAt(result, 127, i), lastColumn) << "row " << i;
    }
    for (int j = 0; j < 124; ++j) {
        EXPECT_EQ(PixelAt(result, j, 126), lastRow) << "column " << j;
        EXPECT_EQ(PixelAt(result, j, 127), lastRow) << "column " << j;
    }
    EXPECT_EQ(result, ReferenceScale(source, 128, 128));
}

TEST(ScaleToBox, SinglePixelBecomesTheWholePicture)
{
    QImage source(1, 1, QImage::Format_RGB888);
    source.setPixel(0, 0, qRgb(1, 128, 255));
    QImage expected(128, 128, QImage::Format_RGB888);
    expected.fill(QColor(1, 128, 255));
    EXPECT_EQ(ScaleToBox(source, 128, 128), expected);
}

TEST(ScaleToBox, TakesAnyImageFormat)
{
    const QImage source = RandomPicture(300, 170, 3);
    EXPECT_EQ(ScaleToBox(source.convertToFormat(QImage::Format_ARGB32), 128, 128), ScaleToBox(source, 128, 128));
}

struct Sizes {
    int sourceWidth;
    int sourceHeight;
    int width;
    int height;
};

void PrintTo(const Sizes &sizes, std::ostream *out)
{
    *out << sizes.sourceWidth << "x" << sizes.sourceHeight << " to " << sizes.width << "x" << sizes.height;
}

class StreamingScale : public testing::TestWithParam<Sizes> {};

TEST_P(StreamingScale, MatchesTheWholePictureComputation)
{
    const Sizes sizes = GetParam();
    const QImage source = RandomPicture(sizes.sourceWidth, sizes.sourceHeight, unsigned(sizes.sourceWidth * 7919 + sizes.sourceHeight));
    BoxScaler scaler(sizes.sourceWidth, sizes.sourceHeight, sizes.width, sizes.height);
    for (int y = 0; y < sizes.sourceHeight; ++y) {
        ASSERT_FALSE(scaler.isComplete()) << "complete before source row " << y;
        scaler.addRow(source.constScanLine(y));
    }
    ASSERT_TRUE(scaler.isComplete());
    const QImage expected = ReferenceScale(source, sizes.width, sizes.height);
    const QImage result = scaler.result();
    ASSERT_EQ(result.size(), expected.size());
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            ASSERT_EQ(PixelAt(result, x, y), PixelAt(expected, x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, StreamingScale,
    testing::Values(Sizes{1, 1, 128, 128}, Sizes{3, 200, 128, 128}, Sizes{200, 3, 128, 128}, Sizes{64, 32, 128, 128},
                    Sizes{127, 129, 128, 128}, Sizes{129, 127, 128, 128}, Sizes{255, 257, 128, 128},
                    Sizes{300, 200, 128, 128}, Sizes{1000, 37, 128, 128}, Sizes{37, 1000, 128, 128},
                    Sizes{1920, 1080, 128, 128}, Sizes{65500, 2, 128, 128}, Sizes{2, 65500, 128, 128},
                    Sizes{300, 200, 100, 50}, Sizes{300, 200, 1, 1}, Sizes{10, 300, 7, 300}, Sizes{5, 5, 300, 2}));

}  // namespace
}  // namespace tintora
