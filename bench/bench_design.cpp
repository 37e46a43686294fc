// The contrast check of all nine screens of one scheme over a background picture, against a
// repaint of the slowest screen: the check after an edit should take at most three such
// repaints for each phone state it paints.
//
// A suggestion from a 24-megapixel photograph, its decode included, beside loading the same
// picture as the preview's background: at most 1.2 times that. Both are timed by the wall
// clock, as the user waits for them: the suggestion paints the phone's states on several
// cores at once, which the CPU time of the calling thread alone would hide as a gain it is
// not, and on a loaded machine the wall time tells what the cores free give.

#include "bench/previewbench.h"
#include "design/contrast.h"
#include "design/suggest.h"
#include "preview/jpegpicture.h"
#include "tests/preview/test_jpegwriter.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using namespace tintora;

const PreviewSettings kSettings{QStringLiteral("BEE LINE"), 0, 2, 0, 1};

// Times the checks that step makes against repaints of the slowest screen (select menu
// item), one after each check, so that the machine's load weighs on both alike. The time
// shown is the checks'; the counter "repaints", for each state checked, is the goal's figure.
template <typename Step>
void CheckAgainstRepaints(benchmark::State &state, ContrastChecker &checker, Step step)
{
    using Clock = std::chrono::steady_clock;
    ColourScheme scheme;
    BuildDefaultScheme(scheme);
    ContrastChecker painter(kSettings);
    painter.setBackground(bench::VariedPicture());
    painter.paint(scheme, 2);
    checker.check(scheme);
    Clock::duration checking{}, repainting{};
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        step(scheme);
        benchmark::DoNotOptimize(checker.check(scheme));
        const Clock::time_point checked = Clock::now();
        benchmark::DoNotOptimize(painter.paint(scheme, 2).image().constBits());
        const Clock::time_point repainted = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(checked - start).count());
        checking += checked - start;
        repainting += repainted - checked;
    }
    state.counters["repaints"] = double(checking.count()) / double(repainting.count()) / checker.stateCount();
}

// From nothing: a new picture each time, so no screen's figures stand.
void BM_ContrastAllScreens(benchmark::State &state)
{
    ContrastChecker checker(kSettings);
    const std::array<QImage, 2> pictures = {bench::VariedPicture(), bench::VariedPicture().mirrored()};
    int run = 0;
    CheckAgainstRepaints(state, checker, [&](ColourScheme &) { checker.setBackground(pictures[run++ % 2]); });
}
BENCHMARK(BM_ContrastAllScreens)->Unit(benchmark::kMicrosecond)->UseManualTime();

// As the editor meets it: after an edit of one element, each of the 63 in turn.
void BM_ContrastAfterAnEdit(benchmark::State &state)
{
    ContrastChecker checker(kSettings);
    checker.setBackground(bench::VariedPicture());
    int edit = 0;
    CheckAgainstRepaints(state, checker, [&](ColourScheme &scheme) {
        scheme.entry(1 + edit++ % kElementCount).colour ^= 0x404040;
    });
}
BENCHMARK(BM_ContrastAfterAnEdit)->Unit(benchmark::kMicrosecond)->UseManualTime();

// The same in every state of the phone, as suggestions and check --all-states see it.
void BM_ContrastAllStatesAfterAnEdit(benchmark::State &state)
{
    ContrastChecker checker(kSettings, true);
    checker.setBackground(bench::VariedPicture());
    int edit = 0;
    CheckAgainstRepaints(state, checker, [&](ColourScheme &scheme) {
        scheme.entry(1 + edit++ % kElementCount).colour ^= 0x404040;
    });
}
BENCHMARK(BM_ContrastAllStatesAfterAnEdit)->Unit(benchmark::kMicrosecond)->UseManualTime();

// A smooth photo-like picture with fine grain, made once.
const QString &Photograph()
{
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString path = folder.filePath(QStringLiteral("photo.jpg"));
        const int width = 6000, height = 4000;
        std::uint32_t grain = 12345;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(test::WriteJpeg(width, height, {.quality = 90}, [&](int y, JSAMPLE *row) {
            for (int x = 0; x < width; ++x) {
                grain = grain * 1664525u + 1013904223u;
                const int noise = int(grain >> 28) - 8;
                const auto clamp = [](int v) { return JSAMPLE(v < 0 ? 0 : v > 255 ? 255 : v); };
                *row++ = clamp(x * 255 / width + noise);
                *row++ = clamp(y * 255 / height + noise);
                *row++ = clamp(((x / 640 + y / 640) % 2) * 80 + 90 + noise);
            }
        }));
        return path;
    }();
    return path;
}

void BM_DecodeForBackground(benchmark::State &state)
{
    const QString &path = Photograph();
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadJpegScaled(path, 128, 128, nullptr));
}
BENCHMARK(BM_DecodeForBackground)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_SuggestFromPhotograph(benchmark::State &state)
{
    const QString &path = Photograph();
    ColourScheme base;
    BuildDefaultScheme(base);
    for (auto _ : state) {
        const std::optional<QImage> picture = LoadJpegScaled(path, 128, 128, nullptr);
        benchmark::DoNotOptimize(SuggestScheme(base, *picture, kSettings, SchemeTone::AsPicture, 0));
    }
}
BENCHMARK(BM_SuggestFromPhotograph)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

int main(int argc, char **argv)
{
    return tintora::bench::RunPreviewBenchmarks<QGuiApplication>(argc, argv);
}
