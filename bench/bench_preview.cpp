#include "preview/clock.h"
#include "preview/preview.h"
#include "preview/previewfont.h"
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

// A picture changes colour from pixel to pixel, unlike the plain background, so the layers
// blended over it do not come out in rows of one colour.
void BM_RepaintPreviewOverPicture(benchmark::State &state)
{
    QImage background(128, 128, QImage::Format_RGB888);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            background.setPixelColor(x, y, QColor(2 * x, 2 * y, (x * y) % 256));
    RepaintRepeatedly(state, &background);
}
BENCHMARK(BM_RepaintPreviewOverPicture)->DenseRange(0, 8)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    InstallPreviewFontFromMemory();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
