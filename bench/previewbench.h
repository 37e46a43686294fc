// What the benchmarks of painted previews share.
#pragma once

#include "preview/previewfont.h"

#include <QColor>
#include <QImage>

#include <benchmark/benchmark.h>

namespace tintora::bench {

// A picture that changes colour from pixel to pixel, unlike the plain background, so the
// layers blended over it do not come out in rows of one colour.
inline QImage VariedPicture()
{
    QImage picture(128, 128, QImage::Format_RGB888);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            picture.setPixelColor(x, y, QColor(2 * x, 2 * y, (x * y) % 256));
    return picture;
}

// The main of a benchmark program: Application is the Qt application class its drawing
// needs; the preview's font is installed first.
template <typename Application>
int RunPreviewBenchmarks(int &argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    InstallPreviewFontFromMemory();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace tintora::bench
