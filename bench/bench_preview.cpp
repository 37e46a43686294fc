#include "preview/clock.h"
#include "preview/preview.h"
#include "preview/previewfont.h"
#include "preview/previewpictures.h"
#include "scheme/colourscheme.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

using namespace tintora;

void BM_RepaintPreview(benchmark::State &state)
{
    ColourScheme scheme;
    BuildDefaultScheme(scheme);
    PreviewSettings settings{QStringLiteral("BEE LINE"), 0, 2, 3, 1};
    const FixedClock clock(QDateTime(QDate(2026, 12, 6), QTime(10, 9)));
    const PreviewPictures pictures = LoadPreviewPictures();
    Preview preview(scheme, settings, clock, pictures);
    const int screen = static_cast<int>(state.range(0));
    preview.RepaintPreview(screen);  // the first paint renders and keeps the texts
    for (auto _ : state) {
        preview.RepaintPreview(screen);
        benchmark::DoNotOptimize(preview.image().constBits());
    }
}
BENCHMARK(BM_RepaintPreview)->DenseRange(0, 8)->Unit(benchmark::kMicrosecond);

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
