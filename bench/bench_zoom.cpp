#include "bench/previewbench.h"
#include "preview/clock.h"
#include "preview/preview.h"
#include "preview/previewpictures.h"
#include "scheme/colourscheme.h"
#include "ui/previewdisplay.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

using namespace tintora;

// A repaint of the preview and its showing at 4x: the display takes the new picture and
// paints itself into a surface as the window's backing store would, at a device pixel ratio
// of 1 and of 2.
void BM_RepaintAndShowAt4x(benchmark::State &state)
{
    ColourScheme scheme;
    BuildDefaultScheme(scheme);
    PreviewSettings settings{QStringLiteral("BEE LINE"), 0, 2, 3, 1};
    const FixedClock clock(QDateTime(QDate(2026, 12, 6), QTime(10, 9)));
    const PreviewPictures pictures = LoadPreviewPictures();
    Preview preview(scheme, settings, clock, pictures);
    PreviewDisplay display;
    display.setZoom(4);
    const int screen = static_cast<int>(state.range(0));
    const qreal ratio = static_cast<qreal>(state.range(1));
    QImage surface(display.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    surface.setDevicePixelRatio(ratio);
    preview.RepaintPreview(screen);  // the first paint renders and keeps the texts
    for (auto _ : state) {
        preview.RepaintPreview(screen);
        display.showPreview(preview.image());
        display.render(&surface);
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(BM_RepaintAndShowAt4x)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 8, 1), {1, 2}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv)
{
    return tintora::bench::RunPreviewBenchmarks<QApplication>(argc, argv);
}
