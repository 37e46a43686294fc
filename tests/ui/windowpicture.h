#pragma once

#include "tests/preview/test_jpegwriter.h"

#include <QFile>
#include <QSize>
#include <QString>

#include <gtest/gtest.h>

#include <cstdint>

namespace tintora::test {

// A sky over a field, a gradient above and grain below, written as a JPEG: a picture a
// readable scheme is suggested for. Dusk swaps red and blue, for a picture whose suggestion
// differs; a large size keeps the window reading it for a while.
inline QString WriteFieldPicture(const QString &path, QSize size = QSize(320, 240), bool dusk = false)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    std::uint32_t grain = 7;
    file.write(WriteJpeg(size.width(), size.height(), {.quality = 90}, [&](int y, JSAMPLE *row) {
        // Rows as they stand in a 240-row picture.
        const int at = y * 240 / size.height();
        for (int x = 0; x < size.width(); ++x) {
            grain = grain * 1664525u + 1013904223u;
            const bool sky = at < 140;
            const JSAMPLE red = JSAMPLE(sky ? 60 + at / 3 : 40 + (grain >> 29) * 8);
            const JSAMPLE blue = JSAMPLE(sky ? 220 : 30);
            *row++ = dusk ? blue : red;
            *row++ = JSAMPLE(sky ? 110 + at / 2 : 120 + (grain >> 29) * 8);
            *row++ = dusk ? red : blue;
        }
    }));
    return path;
}

}  // namespace tintora::test
