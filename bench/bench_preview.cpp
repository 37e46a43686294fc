#include "bench/previewbench.h"
#include "preview/clock.h"
#include "preview/preview.h"
#include "preview/previewpictures.h"
#include "scheme/colourscheme.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

using namespace tintora;

void RepaintRepeatedly(benchmark::State &state, const QImage *background)
{
    ColourScheme scheme;
    BuildDefaultScheme(scheme);
    PreviewSettings settings{QStringLiteral("BEE LINE"), 0, 2, 3, 1};
    const FixedClock clock(QDateTime(QDate(2026, 12, 6), QTime(10, 9)));
    const PreviewPictures pictures = LoadPreviewPictures();
    Preview preview(scheme, settings, clock, pictures);
    if (background)
        preview.setBackgroundPicture(*background);
    const int screen = static_cast<int>(state.range(0));
    preview.RepaintPreview(screen);  // the first paint renders and keeps the texts
    for (auto _ : state) {
        preview.RepaintPreview(screen);
        benchmark::DoNotOptimize(preview.image().constBits());
    }
}

void BM_RepaintPreview(benchmark::State &state)
{
    RepaintRepeatedly(state, nullptr);
}
BENCHMARK(BM_RepaintPreview)->DenseRange(0, 8)->Unit(benchmark::kMicrosecond);

void BM_RepaintPreviewOverPicture(benchmark::State &state)
{
    const QImage background = bench::VariedPicture();
    RepaintRepeatedly(state, &background);
}
BENCHMARK(BM_RepaintPreviewOverPicture)->DenseRange(0, 8)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv)
{
    return tintora::bench::RunPreviewBenchmarks<QGuiApplication>(argc, argv);
}
