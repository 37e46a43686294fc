#include "previewfixture.h"

#include <array>
#include <cmath>

namespace tintora::testing {
namespace {

Colour Grey(int level)
{
    return Colour(level) * 0x010101;
}

QImage Filled(int w, int h, Colour colour)
{
    QImage image = NewCanvas(w, h);
    FillRect(image, {0, 0, w, h}, colour);
    return image;
}

TEST(FillGradientTest, TwentyRowsFromBlackToWhiteRiseByWholeSteps)
{
    QImage image = Filled(4, 22, 0x123456);
    FillGradient(image, {1, 1, 3, 21}, 0x000000, 0xFFFFFF);
    for (int j = 0; j < 20; ++j) {
        EXPECT_EQ(PixelAt(image, 1, 1 + j), Grey(255 * j / 19)) << "row " << j;
        EXPECT_EQ(PixelAt(image, 2, 1 + j), Grey(255 * j / 19)) << "row " << j;
    }
    EXPECT_EQ(PixelAt(image, 1, 1), 0x000000u);
    EXPECT_EQ(PixelAt(image, 1, 20), 0xFFFFFFu);
    // Neither the rows nor the column outside the rectangle are touched.
    EXPECT_EQ(PixelAt(image, 1, 0), 0x123456u);
    EXPECT_EQ(PixelAt(image, 1, 21), 0x123456u);
    EXPECT_EQ(PixelAt(image, 3, 10), 0x123456u);
    EXPECT_EQ(PixelAt(image, 0, 10), 0x123456u);
}

// The fraction is taken before the multiplication: where the exact product is whole, the
// double lands just below it and is truncated one lower.
TEST(FillGradientTest, DividesBeforeMultiplying)
{
    QImage tall = Filled(1, 36, 0);
    FillGradient(tall, {0, 0, 1, 25}, 0x000000, Grey(216));
    EXPECT_EQ(PixelAt(tall, 0, 13), Grey(116));  // 216 * 13 / 24 is exactly 117
    EXPECT_EQ(PixelAt(tall, 0, 24), Grey(216));

    FillGradient(tall, {0, 0, 1, 36}, 0x000000, 0x000069);
    EXPECT_EQ(PixelAt(tall, 0, 9), 0x00001Au);  // 105 * 9 / 35 is exactly 27
    EXPECT_EQ(PixelAt(tall, 0, 35), 0x000069u);

    FillGradient(tall, {0, 0, 1, 15}, 0x00002A, 0x000000);
    EXPECT_EQ(PixelAt(tall, 0, 9), 0x00000Eu);  // 42 - 42 * 9 / 14 is exactly 15
}

TEST(FillGradientTest, SegmentLengthRoundsHalfToEven)
{
    const std::array<Colour, 3> blackWhiteBlack = {0x000000, 0xFFFFFF, 0x000000};
    QImage image = Filled(1, 7, 0x123456);
    // 5 rows in 2 segments: 2.5 rounds to 2, the second segment starts at row 2.
    FillGradient(image, {0, 0, 1, 5}, false, blackWhiteBlack);
    EXPECT_EQ(PixelAt(image, 0, 2), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(image, 0, 4), 0x000000u);
    // 7 rows: 3.5 rounds to 4.
    FillGradient(image, {0, 0, 1, 7}, false, blackWhiteBlack);
    EXPECT_EQ(PixelAt(image, 0, 4), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(image, 0, 6), 0x000000u);
}

TEST(FillGradientTest, HorizontalGradientRunsAcrossColumns)
{
    QImage image = Filled(12, 3, 0x123456);
    const std::array<Colour, 2> redToBlack = {0x0000FF, 0x000000};
    FillGradient(image, {1, 0, 11, 2}, true, redToBlack);
    EXPECT_EQ(PixelAt(image, 1, 0), 0x0000FFu);
    EXPECT_EQ(PixelAt(image, 1, 1), 0x0000FFu);
    EXPECT_EQ(PixelAt(image, 10, 1), 0x000000u);
    EXPECT_EQ(PixelAt(image, 10, 2), 0x123456u);
    EXPECT_EQ(PixelAt(image, 11, 0), 0x123456u);
}

TEST(BlendLayerTest, MixesEveryByteByTheTransparencyRoundingToNearest)
{
    for (int t : {0, 8, 15}) {
        QImage under = NewCanvas(256, 256);
        QImage layer = NewCanvas(256, 256);
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                SetPixel(under, x, y, Colour(x) | Colour(y) << 8 | Colour(255 - x) << 16);
                SetPixel(layer, x, y, Colour(y) | Colour(x) << 8 | Colour(x ^ y) << 16);
            }
        }
        BlendLayer(under, layer, t, false, 0, 0, 0);
        int wrong = 0;
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                const Colour expected =
                    Colour(Mixed(x, y, t)) | Colour(Mixed(y, x, t)) << 8 |
                    Colour(Mixed(255 - x, x ^ y, t)) << 16;
                wrong += PixelAt(layer, x, y) != expected;
            }
        }
        EXPECT_EQ(wrong, 0) << "transparency " << t;
    }
}

// Every transparency and every pair of bytes against round(under * alpha + layer * beta)
// computed in doubles exactly as written.
TEST(BlendLayerTest, AgreesWithTheDoubleFormulaEverywhere)
{
    QImage under = NewCanvas(256, 256);
    QImage painted = NewCanvas(256, 256);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            SetPixel(under, x, y, Colour(x) * 0x010101);
            SetPixel(painted, x, y, Colour(y) * 0x010101);
        }
    }
    for (int t = 0; t <= 15; ++t) {
        const double alpha = t * 17 / 255.0;
        const double beta = 1 - alpha;
        QImage layer = painted.copy();
        BlendLayer(under, layer, t, false, 0, 0, 0);
        int wrong = 0;
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                const auto expected = static_cast<Colour>(std::nearbyint(x * alpha + y * beta));
                wrong += PixelAt(layer, x, y) != expected * 0x010101;
            }
        }
        EXPECT_EQ(wrong, 0) << "transparency " << t;
    }
}

TEST(BlendLayerTest, CoversOnlyTheOverlapAndLeavesKeyPixels)
{
    const QImage under = Filled(10, 10, 0x000000);
    QImage layer = Filled(4, 4, 0xFFFFFF);
    SetPixel(layer, 1, 1, KeyColour(0xFFFFFF));
    // Placed at left 8, top -1: only layer columns 0..1 and rows 1..3 lie over the image.
    BlendLayer(under, layer, 15, true, KeyColour(0xFFFFFF), -1, 8);
    EXPECT_EQ(PixelAt(layer, 0, 2), 0x000000u);
    EXPECT_EQ(PixelAt(layer, 1, 3), 0x000000u);
    EXPECT_EQ(PixelAt(layer, 0, 0), 0xFFFFFFu);  // above the image
    EXPECT_EQ(PixelAt(layer, 2, 2), 0xFFFFFFu);  // right of the image
    EXPECT_EQ(PixelAt(layer, 1, 1), 0x000000u);  // the key stays the key
}

TEST(KeyColourTest, WhiteLayerKeysOutBlack)
{
    EXPECT_TRUE(SameRgb(KeyColour(0xFFFFFF), 0x000000));
    EXPECT_EQ(KeyColour(0x0000FF), 0x000100u);
    EXPECT_FALSE(SameRgb(0x000100, 0x000000));

    // A white layer with a black pixel: that pixel is neither mixed nor drawn.
    const QImage under = Filled(3, 1, 0x404040);
    QImage layer = Filled(3, 1, 0xFFFFFF);
    SetPixel(layer, 1, 0, 0x000000);
    BlendLayer(under, layer, 8, true, KeyColour(0xFFFFFF), 0, 0);
    EXPECT_EQ(PixelAt(layer, 1, 0), 0x000000u);
    EXPECT_EQ(PixelAt(layer, 0, 0), MixedColour(0x404040, 0xFFFFFF, 8));
    QImage canvas = Filled(3, 1, 0x00FF00);
    DrawPicture(canvas, layer, 0, 0, KeyColour(0xFFFFFF));
    EXPECT_EQ(PixelAt(canvas, 1, 0), 0x00FF00u);
    EXPECT_EQ(PixelAt(canvas, 2, 0), MixedColour(0x404040, 0xFFFFFF, 8));
}

TEST(LineTest, LeavesOutTheEndPointInEitherDirection)
{
    QImage image = Filled(10, 10, 0);
    DrawLine(image, 2, 3, 6, 3, 0xFFFFFF);
    EXPECT_EQ(PixelAt(image, 2, 3), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(image, 5, 3), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(image, 6, 3), 0u);
    EXPECT_EQ(PixelAt(image, 1, 3), 0u);

    DrawLine(image, 8, 9, 8, 4, 0x0000FF);  // upwards: from row 9 to row 5
    EXPECT_EQ(PixelAt(image, 8, 9), 0x0000FFu);
    EXPECT_EQ(PixelAt(image, 8, 5), 0x0000FFu);
    EXPECT_EQ(PixelAt(image, 8, 4), 0u);

    // A diagonal lights one pixel per step of its longer side, the end point excluded.
    QImage diagonal = Filled(10, 10, 0);
    DrawLine(diagonal, 1, 1, 7, 4, 0xFFFFFF);
    int lit = 0;
    for (int x = 0; x < 10; ++x) {
        int inColumn = 0;
        for (int y = 0; y < 10; ++y)
            inColumn += PixelAt(diagonal, x, y) != 0;
        EXPECT_LE(inColumn, 1);
        lit += inColumn;
    }
    EXPECT_EQ(lit, 6);
    EXPECT_EQ(PixelAt(diagonal, 1, 1), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(diagonal, 7, 4), 0u);
}

TEST(LineTest, PathsRectanglesAndFillsStayInsideTheirCorners)
{
    QImage image = Filled(12, 12, 0);
    DrawRectOutline(image, {2, 2, 6, 5}, 0xFFFFFF);
    EXPECT_EQ(PixelAt(image, 2, 2), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(image, 5, 4), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(image, 3, 3), 0u);  // outline only
    EXPECT_EQ(PixelAt(image, 6, 4), 0u);
    EXPECT_EQ(PixelAt(image, 5, 5), 0u);

    DrawPath(image, {{8, 10}, {8, 7}, {11, 7}}, 0x00FF00);
    EXPECT_EQ(PixelAt(image, 8, 10), 0x00FF00u);
    EXPECT_EQ(PixelAt(image, 8, 7), 0x00FF00u);  // the corner belongs to the second line
    EXPECT_EQ(PixelAt(image, 10, 7), 0x00FF00u);
    EXPECT_EQ(PixelAt(image, 11, 7), 0u);

    // Anything past the edges is clipped.
    FillRect(image, {-5, 10, 20, 30}, 0x0000FF);
    DrawLine(image, -3, -3, 30, 30, 0x0000FF);
    EXPECT_EQ(PixelAt(image, 0, 11), 0x0000FFu);
    EXPECT_EQ(PixelAt(image, 11, 11), 0x0000FFu);
    EXPECT_EQ(PixelAt(image, 0, 9), 0u);
}

TEST(DrawPictureTest, KeyedPixelsLetTheCanvasShow)
{
    QImage picture = Filled(3, 2, 0x00FF00);
    SetPixel(picture, 0, 1, 0x0000FF);
    SetPixel(picture, 2, 0, 0x0000FF);
    EXPECT_EQ(BottomLeftKey(picture), 0x0000FFu);
    QImage canvas = Filled(4, 4, 0x111111);
    DrawPicture(canvas, picture, 2, 3, BottomLeftKey(picture));
    EXPECT_EQ(PixelAt(canvas, 2, 3), 0x00FF00u);
    EXPECT_EQ(PixelAt(canvas, 3, 3), 0x00FF00u);
    DrawPicture(canvas, picture, 1, 0, std::nullopt);
    EXPECT_EQ(PixelAt(canvas, 3, 0), 0x0000FFu);
}

TEST(DrawPictureTest, PreparedPictureDrawsTheSamePixels)
{
    QImage picture = NewCanvas(150, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 150; ++x)
            SetPixel(picture, x, y, (x * y) % 7 == 0 ? 0x0000FF : Colour(x | y << 8));
    const KeyedPicture prepared(picture, 0x0000FF);
    for (auto [left, top] : {std::pair{0, 0}, {-9, 5}, {-30, -4}, {100, 120}}) {
        QImage expected = Filled(128, 128, 0x445566);
        QImage drawn = expected.copy();
        DrawPicture(expected, picture, left, top, 0x0000FF);
        prepared.draw(drawn, left, top);
        EXPECT_EQ(drawn, expected) << left << "," << top;
        EXPECT_NE(drawn, Filled(128, 128, 0x445566));
    }
}

}  // namespace
}  // namespace tintora::testing
