// Loading a large JPEG as the preview's 128 x 128 background, next to
// libjpeg's plain full-size decode of the same file into memory. The pictures
// (1, 6 and 24 megapixels) are made here with libjpeg's compressor.
// Loading and scaling should take at most 1.2 times the plain decode.
//
// BM_Crafted loads files under 4 KiB made to cost the decoder as much as they
// can: data of restart markers only, for every coding and sampling, and flat
// arithmetic-coded pictures as large as the work allowed for their size. The
// slowest should take less than twice the 1-megapixel photograph.
//
// Counter peak_rss_growth_KiB: how far the resident set rises above where it
// stood before one load (Linux; the peak is reset through /proc/self/clear_refs).

#include "preview/boxscaler.h"
#include "preview/jpegpicture.h"
#include "tests/preview/test_jpegwriter.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Picture {
    QString path;
    int width;
    int height;
};

// A smooth photo-like picture with fine grain, so the coder has real work.
QByteArray MakePicture(int width, int height)
{
    std::uint32_t grain = 12345;
    return tintora::test::WriteJpeg(width, height, {.quality = 90}, [&](int y, JSAMPLE *row) {
        for (int x = 0; x < width; ++x) {
            grain = grain * 1664525u + 1013904223u;
            const int noise = int(grain >> 28) - 8;
            const auto clamp = [](int v) { return JSAMPLE(v < 0 ? 0 : v > 255 ? 255 : v); };
            *row++ = clamp(x * 255 / width + noise);
            *row++ = clamp(y * 255 / height + noise);
            *row++ = clamp(((x / 64 + y / 64) % 2) * 80 + 90 + noise);
        }
    });
}

// Benchmark arguments: width and height of the picture.
const Picture &PictureOf(const benchmark::State &state)
{
    static QTemporaryDir folder;
    static std::map<std::pair<int, int>, Picture> pictures;
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    auto found = pictures.find({width, height});
    if (found == pictures.end()) {
        const QString path = folder.filePath(QStringLiteral("picture-%1x%2.jpg").arg(width).arg(height));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(MakePicture(width, height)) < 0)
            std::abort();
        found = pictures.emplace(std::pair(width, height), Picture{path, width, height}).first;
    }
    return found->second;
}

long StatusKiB(const std::string &field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    return -1;
}

// Runs load once and returns how far the resident set peaked above its level
// before, in KiB; -1 where the system cannot tell.
template <typename Load>
double PeakGrowthKiB(const Load &load)
{
    malloc_trim(0);  // memory freed by earlier runs must not be reused unseen
    {
        std::ofstream reset("/proc/self/clear_refs");
        reset << "5";
        if (!reset.flush())
            return -1;
    }
    const long before = StatusKiB("VmRSS");
    load();
    const long peak = StatusKiB("VmHWM");
    return before < 0 || peak < 0 ? -1 : double(peak - before);
}

// libjpeg alone: stdio source, RGB out, every row into one buffer.
void PlainDecode(const QString &path, std::vector<JSAMPLE> &pixels)
{
    FILE *input = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!input)
        std::abort();
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, input);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const std::size_t stride = std::size_t(cinfo.output_width) * 3;
    pixels.resize(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels.data() + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(input);
}

void BM_LoadJpegScaled(benchmark::State &state)
{
    const Picture &picture = PictureOf(state);
    const auto load = [&] {
        tintora::JpegError error;
        const auto scaled = tintora::LoadJpegScaled(picture.path, 128, 128, &error);
        if (!scaled)
            state.SkipWithError(error.detail.isEmpty() ? "the picture did not decode" : error.detail.toUtf8().constData());
        benchmark::DoNotOptimize(scaled);
    };
    state.counters["peak_rss_growth_KiB"] = PeakGrowthKiB(load);
    for (auto _ : state)
        load();
}

void BM_PlainDecode(benchmark::State &state)
{
    const Picture &picture = PictureOf(state);
    state.counters["peak_rss_growth_KiB"] = PeakGrowthKiB([&] {
        std::vector<JSAMPLE> pixels;
        PlainDecode(picture.path, pixels);
        benchmark::DoNotOptimize(pixels.data());
    });
    // The buffer is made once, so the timing is the decode and nothing else.
    std::vector<JSAMPLE> pixels;
    PlainDecode(picture.path, pixels);
    for (auto _ : state) {
        PlainDecode(picture.path, pixels);
        benchmark::DoNotOptimize(pixels.data());
    }
}

// The full-size picture as a QImage: the About box's way of decoding.
void BM_DecodeJpeg(benchmark::State &state)
{
    const Picture &picture = PictureOf(state);
    const auto load = [&] {
        tintora::JpegError error;
        const auto full = tintora::DecodeJpeg(picture.path, &error);
        if (!full)
            state.SkipWithError(error.detail.isEmpty() ? "the picture did not decode" : error.detail.toUtf8().constData());
        benchmark::DoNotOptimize(full);
    };
    state.counters["peak_rss_growth_KiB"] = PeakGrowthKiB(load);
    for (auto _ : state)
        load();
}

// The box filter alone, fed the rows a decoder would give it.
void BM_BoxScaler(benchmark::State &state)
{
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    std::vector<std::uint8_t> row(std::size_t(width) * 3);
    for (std::size_t k = 0; k < row.size(); ++k)
        row[k] = std::uint8_t(k * 7);
    for (auto _ : state) {
        tintora::BoxScaler scaler(width, height, 128, 128);
        for (int y = 0; y < height; ++y)
            scaler.addRow(row.data());
        benchmark::DoNotOptimize(scaler.result());
    }
}

// 1, 6 and 24 MP at a camera's 3:2, and 6 MP as wide as the 24 MP one: the
// memory that remains is libjpeg's, which follows the width alone.
void PictureSizes(benchmark::internal::Benchmark *benchmark)
{
    benchmark->ArgNames({"width", "height"});
    benchmark->Args({1224, 816})->Args({3000, 2000})->Args({6000, 1000})->Args({6000, 4000});
    benchmark->Unit(benchmark::kMillisecond);
}

struct Crafted {
    std::string name;
    QByteArray file;
};

std::vector<Crafted> MakeCrafted()
{
    using tintora::test::JpegLayout;
    using tintora::test::Restarts;
    std::vector<Crafted> files;
    const auto add = [&](std::string name, const QByteArray &file) {
        if (file.size() < 4096)
            files.push_back({name + "-" + std::to_string(file.size()) + "B", file});
    };
    const auto &samplings = tintora::test::kCraftedSamplings;
    for (const bool arithmetic : {false, true}) {
        for (const bool progressive : {false, true}) {
            const std::string coding = std::string(arithmetic ? "arith" : "huff") + (progressive ? "-prog" : "-seq");
            for (const auto &s : samplings) {
                const JpegLayout layout{.input = s.input, .progressive = progressive, .arithmetic = arithmetic,
                                        .hSample = s.h, .vSample = s.v};
                for (const int side : {512, 1024}) {
                    add("restarts-" + coding + "-" + s.name + "-" + std::to_string(side),
                        tintora::test::RestartsOnly(layout, side, side, 16, Restarts::SkippingOne, 1500));
                }
                add("restarts-" + coding + "-" + s.name + "-65500",
                    tintora::test::RestartsOnly(layout, 65500, 65500, 65535, Restarts::SkippingOne, 60));
                if (!arithmetic)
                    continue;
                // Real data, but next to no bits a block.
                for (const int side : {724, 1024, 1448, 2048}) {
                    const int rowBytes = side * tintora::test::ComponentsOf(s.input);
                    add("flat-" + coding + "-" + s.name + "-" + std::to_string(side),
                        tintora::test::WriteJpeg(side, side, layout,
                                                 [&](int, JSAMPLE *row) { std::fill_n(row, rowBytes, JSAMPLE(77)); }));
                }
            }
        }
    }
    return files;
}

const std::vector<Crafted> &CraftedFiles()
{
    static const std::vector<Crafted> files = MakeCrafted();
    return files;
}

void BM_Crafted(benchmark::State &state)
{
    const Crafted &crafted = CraftedFiles()[std::size_t(state.range(0))];
    state.SetLabel(crafted.name);
    tintora::JpegWatch watch;
    bool loaded = false;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.setData(crafted.file);
        buffer.open(QIODevice::ReadOnly);
        tintora::JpegError error;
        loaded = tintora::LoadJpegScaled(buffer, 128, 128, &error, &watch).has_value();
    }
    state.counters["loaded"] = loaded;
    state.counters["work_blocks"] = double(watch.cost.entropyBlocks + watch.cost.outputBlocks);
    state.counters["made_up_blocks"] = double(watch.cost.madeUpBlocks);
}
BENCHMARK(BM_Crafted)->DenseRange(0, int(CraftedFiles().size()) - 1)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_BoxScaler)->Apply(PictureSizes);
BENCHMARK(BM_LoadJpegScaled)->Apply(PictureSizes);
BENCHMARK(BM_PlainDecode)->Apply(PictureSizes);
BENCHMARK(BM_DecodeJpeg)->Apply(PictureSizes);

}  // namespace

BENCHMARK_MAIN();
