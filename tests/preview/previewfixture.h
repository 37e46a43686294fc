#pragma once

#include "preview/clock.h"
#include "preview/preview.h"
#include "preview/previewfont.h"
#include "preview/previewpictures.h"
#include "preview/previewsettings.h"
#include "preview/primitives.h"

#include <gtest/gtest.h>

namespace tintora::testing {

// A scheme whose 63 colours are all different and opaque, so a pixel tells which element
// painted it.
inline ColourScheme DistinctScheme()
{
    ColourScheme scheme;
    for (int e = 1; e <= kElementCount; ++e)
        scheme.entry(e) = {Colour(0x10 + e) | (Colour(0x80 - e) << 8) | (Colour(3 * e) << 16), 0};
    scheme.name = "TEST";
    return scheme;
}

// round((under * t + layer * (15 - t)) / 15): the mix of one byte in whole numbers.
inline int Mixed(int under, int layer, int t)
{
    const int numerator = under * t + layer * (15 - t);
    return (2 * numerator + 15) / 30;
}

inline Colour MixedColour(Colour under, Colour layer, int t)
{
    Colour result = 0;
    for (int shift : {0, 8, 16})
        result |= Colour(Mixed((under >> shift) & 0xFF, (layer >> shift) & 0xFF, t)) << shift;
    return result;
}

class PreviewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InstallPreviewFontFromMemory();
        pictures = new PreviewPictures(LoadPreviewPictures());
    }

    Colour c(int element) const { return scheme.entry(element).colour; }
    Colour at(int x, int y) const { return PixelAt(preview.image(), x, y); }
    const QImage &paint(int screen)
    {
        preview.RepaintPreview(screen);
        return preview.image();
    }

    static inline PreviewPictures *pictures = nullptr;
    ColourScheme scheme = DistinctScheme();
    PreviewSettings settings{QStringLiteral("BEE LINE"), 0, 2, 3, 1};
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(15, 0))};
    Preview preview{scheme, settings, clock, *pictures};
};

}  // namespace tintora::testing
