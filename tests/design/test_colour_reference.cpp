// The colour arithmetic against published figures: WCAG 2's ratios, APCA 0.0.98G-4g's own test
// pairs, and Sharma, Wu and Dalal's CIEDE2000 test data.
#include "design/colourmath.h"
#include "design/contrast.h"

#include <gtest/gtest.h>

#include <QImage>

namespace tintora {
namespace {

// Fault caught: the luminance's weights swapped or misplaced (red and blue), sRGB's curve
// or the 0.05 flare wrong.
TEST(ColourReference, WcagRatiosOfPublishedPairs)
{
    const struct {
        Colour text, background;
        double ratio;
    } pairs[] = {
        {0xFFFFFF, 0x000000, 21.0},  {0x767676, 0xFFFFFF, 4.54}, {0x777777, 0xFFFFFF, 4.48},
        {0x0000FF, 0xFFFFFF, 4.00},  {0xFF0000, 0xFFFFFF, 8.59}, {0x00FF00, 0x000000, 15.30},
        {0x0000FF, 0x000000, 5.25},  {0xFF0000, 0x000000, 2.44}, {0x808080, 0x808080, 1.0},
    };
    // Colours are 0x00BBGGRR: 0x0000FF is red, 0xFF0000 blue.
    const Luminance &luminance = Luminance::instance();
    for (const auto &pair : pairs) {
        EXPECT_NEAR(ContrastRatio(luminance.of(pair.text), luminance.of(pair.background)), pair.ratio, 0.005)
            << std::hex << pair.text << " on " << pair.background;
    }
}

// Fault caught: APCA's constants off (exponents, clamp, scale, offsets, the low clip ten times
// too high), or the polarity of its sign.
TEST(ColourReference, ApcaLcOfItsPublishedPairs)
{
    // Text on background, as APCA's own test script gives them (grey colours, any byte order).
    const struct {
        Colour text, background;
        double lc;
    } pairs[] = {
        {0x888888, 0xFFFFFF, 63.056469930209424},  {0xFFFFFF, 0x888888, -68.54146436644962},
        {0x000000, 0xAAAAAA, 58.146262578561334},  {0xAAAAAA, 0x000000, -56.24113336839742},
        {0x332211, 0xFFEEDD, 91.66830811481631},   {0xFFEEDD, 0x332211, -93.06770049484275},
        {0x332211, 0x444444, 8.32326136957393},    {0x444444, 0x332211, -7.526878460278154},
        {0x000000, 0xFFFFFF, 106.04},             {0xFFFFFF, 0x000000, -107.88},
    };
    for (const auto &pair : pairs) {
        EXPECT_NEAR(ApcaContrast(ApcaLuminance(pair.text), ApcaLuminance(pair.background)), pair.lc, 0.01)
            << std::hex << pair.text << " on " << pair.background;
    }
}

// Fault caught: a CIEDE2000 that errs in a branch the published pairs cover (hue wrap, mean
// hue, the rotation term, chroma near 0).
TEST(ColourReference, Ciede2000OfSharmaWuDalalPairs)
{
    const struct {
        Lab a, b;
        double difference;
    } pairs[] = {
        {{50.0, 2.6772, -79.7751}, {50.0, 0.0, -82.7485}, 2.0425},
        {{50.0, 3.1571, -77.2803}, {50.0, 0.0, -82.7485}, 2.8615},
        {{50.0, 2.8361, -74.0200}, {50.0, 0.0, -82.7485}, 3.4412},
        {{50.0, -1.3802, -84.2814}, {50.0, 0.0, -82.7485}, 1.0000},
        {{50.0, -1.1848, -84.8006}, {50.0, 0.0, -82.7485}, 1.0000},
        {{50.0, -0.9009, -85.5211}, {50.0, 0.0, -82.7485}, 1.0000},
        {{50.0, 0.0, 0.0}, {50.0, -1.0, 2.0}, 2.3669},
        {{50.0, -1.0, 2.0}, {50.0, 0.0, 0.0}, 2.3669},
        {{50.0, 2.49, -0.001}, {50.0, -2.49, 0.0009}, 7.1792},
        {{50.0, 2.49, -0.001}, {50.0, -2.49, 0.0010}, 7.1792},
        {{50.0, 2.49, -0.001}, {50.0, -2.49, 0.0011}, 7.2195},
        {{50.0, 2.49, -0.001}, {50.0, -2.49, 0.0012}, 7.2195},
        {{50.0, -0.001, 2.49}, {50.0, 0.0009, -2.49}, 4.8045},
        {{50.0, -0.001, 2.49}, {50.0, 0.0010, -2.49}, 4.8045},
        {{50.0, -0.001, 2.49}, {50.0, 0.0011, -2.49}, 4.7461},
        {{50.0, 2.5, 0.0}, {50.0, 0.0, -2.5}, 4.3065},
        {{50.0, 2.5, 0.0}, {73.0, 25.0, -18.0}, 27.1492},
        {{50.0, 2.5, 0.0}, {61.0, -5.0, 29.0}, 22.8977},
        {{50.0, 2.5, 0.0}, {56.0, -27.0, -3.0}, 31.9030},
        {{50.0, 2.5, 0.0}, {58.0, 24.0, 15.0}, 19.4535},
        {{50.0, 2.5, 0.0}, {50.0, 3.1736, 0.5854}, 1.0000},
        {{50.0, 2.5, 0.0}, {50.0, 3.2972, 0.0}, 1.0000},
        {{50.0, 2.5, 0.0}, {50.0, 1.8634, 0.5757}, 1.0000},
        {{50.0, 2.5, 0.0}, {50.0, 3.2592, 0.3350}, 1.0000},
        {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
        {{63.0109, -31.0961, -5.8663}, {62.8187, -29.7946, -4.0864}, 1.2630},
        {{61.2901, 3.7196, -5.3901}, {61.4292, 2.2480, -4.9620}, 1.8731},
        {{35.0831, -44.1164, 3.7933}, {35.0232, -40.0716, 1.5901}, 1.8645},
        {{22.7233, 20.0904, -46.6940}, {23.0331, 14.9730, -42.5619}, 2.0373},
        {{36.4612, 47.8580, 18.3852}, {36.2715, 50.5065, 21.2231}, 1.4146},
        {{90.8027, -2.0831, 1.4410}, {91.1528, -1.6435, 0.0447}, 1.4441},
        {{90.9257, -0.5406, -0.9208}, {88.6381, -0.8985, -0.7239}, 1.5381},
        {{6.7747, -0.2908, -2.4247}, {5.8714, -0.0985, -2.2286}, 0.6377},
        {{2.0776, 0.0795, -1.1350}, {0.9033, -0.0636, -0.5514}, 0.9082},
    };
    static_assert(std::size(pairs) == 34);
    for (const auto &pair : pairs)
        EXPECT_NEAR(Difference(pair.a, pair.b), pair.difference, 0.00005) << pair.a.L << " " << pair.a.a << " " << pair.a.b;
}

// Fault caught: the 5 x 5 surroundings losing a row or a column (the bottom row of the
// ratio's, the right column of APCA's), or counting the ink's own pixel.
TEST(ColourReference, TheSurroundingsAreTheWholeFiveByFiveSquare)
{
    constexpr int kInk = 2, kSurface = 1, cx = 40, cy = 40;
    enum Side { Top, Bottom, Left, Right };
    for (const Side side : {Top, Bottom, Left, Right}) {
        QImage image(128, 128, QImage::Format_RGB888);
        image.fill(Qt::black);
        ElementMap map;
        std::fill(map.cells(), map.cells() + 128 * 128, std::uint8_t(kSurface));
        map.cells()[cy * 128 + cx] = kInk;
        for (int k = -kSurroundRadius; k <= kSurroundRadius; ++k) {
            const int x = side == Left ? cx - 2 : side == Right ? cx + 2 : cx + k;
            const int y = side == Top ? cy - 2 : side == Bottom ? cy + 2 : cy + k;
            image.setPixelColor(x, y, Qt::white);
        }
        int visited = 0;
        ForEachInkPixel(image, map, ElementSet{}, [&](const InkPixel &pixel) {
            ++visited;
            // Five white of the 24 around, black elsewhere: white's luminance is 1 in both.
            EXPECT_DOUBLE_EQ(pixel.aroundLuminance, 5.0 / 24) << "side " << side;
            EXPECT_NEAR(pixel.aroundApca, 5.0 / 24, 1e-6) << "side " << side;
            EXPECT_EQ(pixel.inkLuminance, 0.0);
        });
        EXPECT_EQ(visited, 1);
    }
}

}  // namespace
}  // namespace tintora
