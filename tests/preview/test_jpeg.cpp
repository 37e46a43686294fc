#include "preview/boxscaler.h"
#include "preview/jpegpicture.h"
#include "test_jpegwriter.h"

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <string>
#include <ostream>
#include <random>
#include <vector>

namespace tintora {
namespace {

using test::JpegLayout;
using test::WriteJpeg;

// What a refusal holds, for the failure message.
std::string Described(const JpegError &error)
{
    return "refusal " + std::to_string(int(error.kind)) + " " + (error.path + QStringLiteral(": ") + error.detail).toStdString();
}

std::optional<QImage> DecodeBytes(const QByteArray &file, JpegError *error)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    return DecodeJpeg(buffer, error);
}

std::optional<QImage> LoadScaledBytes(const QByteArray &file, JpegError *error)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    return LoadJpegScaled(buffer, 128, 128, error);
}

// Flat 16 x 16 tiles, aligned with the coder's blocks, survive compression
// almost unchanged.
constexpr int kTile = 16;

QImage Tiles(int columns, int rows, const std::vector<QColor> &colours)
{
    QImage picture(columns * kTile, rows * kTile, QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixelColor(x, y, colours[std::size_t((y / kTile) * columns + x / kTile) % colours.size()]);
    return picture;
}

QImage Noise(int width, int height, unsigned seed)
{
    QImage picture(width, height, QImage::Format_RGB888);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 3; ++x)
            picture.scanLine(y)[x] = std::uint8_t(random());
    return picture;
}

// A photograph-like picture: smooth, with a camera's grain.
QImage Photo(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB888);
    std::mt19937 random(3);
    for (int y = 0; y < height; ++y) {
        std::uint8_t *row = picture.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int grain = int(random() % 17) - 8;
            row[3 * x] = std::uint8_t(std::clamp(x * 255 / width + grain, 0, 255));
            row[3 * x + 1] = std::uint8_t(std::clamp(y * 255 / height + grain, 0, 255));
            row[3 * x + 2] = std::uint8_t(std::clamp(((x / 40 + y / 30) % 2) * 90 + 80 + grain, 0, 255));
        }
    }
    return picture;
}

// Largest difference of any channel of any pixel.
int LargestDifference(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width() * 3; ++x)
            largest = std::max(largest, std::abs(int(a.constScanLine(y)[x]) - int(b.constScanLine(y)[x])));
    return largest;
}

TEST(DecodeJpeg, RgbPictureKeepsItsSizeAndColours)
{
    const QImage source = Tiles(5, 3, {Qt::red, Qt::green, Qt::blue, Qt::white, Qt::black, QColor(200, 120, 40), QColor(17, 99, 180)});
    JpegError error;
    const auto picture = DecodeBytes(WriteJpeg(source, {.quality = 100}), &error);
    ASSERT_TRUE(picture) << Described(error);
    EXPECT_EQ(picture->size(), QSize(80, 48));
    EXPECT_EQ(picture->format(), QImage::Format_RGB888);
    // Colour is stored at half resolution and smoothed across tile borders,
    // so only the middle of each tile keeps its colour exactly.
    const QRect middle(kTile / 4, kTile / 4, kTile / 2, kTile / 2);
    for (int y = 0; y < source.height(); y += kTile)
        for (int x = 0; x < source.width(); x += kTile)
            EXPECT_LE(LargestDifference(picture->copy(middle.translated(x, y)), source.copy(middle.translated(x, y))), 3)
                << "tile at " << x << "," << y;
}

TEST(DecodeJpeg, GrayscaleBecomesThreeEqualChannels)
{
    const int width = 40, height = 24;
    const QByteArray file = WriteJpeg(width, height, {.input = JCS_GRAYSCALE, .quality = 100},
                                      [](int, JSAMPLE *row) {
                                          for (int x = 0; x < width; ++x)
                                              row[x] = JSAMPLE(x / 8 * 50 + 20);
                                      });
    JpegError error;
    const auto picture = DecodeBytes(file, &error);
    ASSERT_TRUE(picture) << Described(error);
    ASSERT_EQ(picture->size(), QSize(width, height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QColor colour = picture->pixelColor(x, y);
            ASSERT_EQ(colour.red(), colour.green());
            ASSERT_EQ(colour.red(), colour.blue());
            ASSERT_NEAR(colour.red(), x / 8 * 50 + 20, 2) << x << "," << y;
        }
    }
}

// Ink amounts 0..255 per tile; paper shows through what the ink leaves.
struct Ink {
    int c, m, y, k;
    QColor rgb() const
    {
        const auto left = [&](int ink) { return (255 - ink) * (255 - k) / 255; };
        return QColor(left(c), left(m), left(y));
    }
};

const std::vector<Ink> kInks = {{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}, {0, 0, 0, 255}, {0, 255, 255, 0}, {40, 80, 160, 100}};

struct FourColourCase {
    const char *name;
    J_COLOR_SPACE stored;
    bool adobeMarker;  // Adobe's files store 255 - ink
};

void PrintTo(const FourColourCase &layout, std::ostream *out)
{
    *out << layout.name;
}

class FourColourJpeg : public testing::TestWithParam<FourColourCase> {};

TEST_P(FourColourJpeg, BecomesRgb)
{
    const FourColourCase layout = GetParam();
    const int columns = int(kInks.size());
    const QByteArray file = WriteJpeg(columns * kTile, kTile,
                                      {.input = JCS_CMYK, .stored = layout.stored, .adobeMarker = layout.adobeMarker, .quality = 100},
                                      [&](int, JSAMPLE *row) {
                                          for (int x = 0; x < columns * kTile; ++x) {
                                              const Ink &ink = kInks[std::size_t(x / kTile)];
                                              const int values[4] = {ink.c, ink.m, ink.y, ink.k};
                                              for (int i = 0; i < 4; ++i)
                                                  *row++ = JSAMPLE(layout.adobeMarker ? 255 - values[i] : values[i]);
                                          }
                                      });
    JpegError error;
    const auto picture = DecodeBytes(file, &error);
    ASSERT_TRUE(picture) << Described(error);
    ASSERT_EQ(picture->size(), QSize(columns * kTile, kTile));
    for (int tile = 0; tile < columns; ++tile) {
        const QColor expected = kInks[std::size_t(tile)].rgb();
        const QColor actual = picture->pixelColor(tile * kTile + kTile / 2, kTile / 2);
        EXPECT_NEAR(actual.red(), expected.red(), 3) << "tile " << tile;
        EXPECT_NEAR(actual.green(), expected.green(), 3) << "tile " << tile;
        EXPECT_NEAR(actual.blue(), expected.blue(), 3) << "tile " << tile;
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, FourColourJpeg,
                         testing::Values(FourColourCase{"AdobeCmyk", JCS_CMYK, true}, FourColourCase{"PlainCmyk", JCS_CMYK, false},
                                         FourColourCase{"AdobeYcck", JCS_YCCK, true}),
                         [](const auto &info) { return std::string(info.param.name); });

struct ScaledCase {
    const char *name;
    int width;
    int height;
    JpegLayout layout;
};

void PrintTo(const ScaledCase &scaled, std::ostream *out)
{
    *out << scaled.name << " " << scaled.width << "x" << scaled.height;
}

class LoadJpegScaledCase : public testing::TestWithParam<ScaledCase> {};

TEST_P(LoadJpegScaledCase, EqualsScalingTheFullPicture)
{
    const ScaledCase scaled = GetParam();
    const QImage noise = Noise(scaled.width, scaled.height, unsigned(scaled.width));
    const QByteArray file =
        WriteJpeg(scaled.width, scaled.height, scaled.layout, [&](int y, JSAMPLE *row) {
            const int components = test::ComponentsOf(scaled.layout.input);
            for (int x = 0; x < scaled.width * components; ++x)
                row[x] = noise.constScanLine(y)[x % (scaled.width * 3)];
        });
    JpegError error;
    const auto full = DecodeBytes(file, &error);
    ASSERT_TRUE(full) << Described(error);
    const auto loaded = LoadScaledBytes(file, &error);
    ASSERT_TRUE(loaded) << Described(error);
    EXPECT_EQ(loaded->size(), QSize(128, 128));
    EXPECT_EQ(loaded->format(), QImage::Format_RGB888);
    EXPECT_EQ(*loaded, ScaleToBox(*full, 128, 128));
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, LoadJpegScaledCase,
    testing::Values(ScaledCase{"Photo", 333, 236, {}}, ScaledCase{"Small", 50, 30, {}},
                    ScaledCase{"Tall", 20, 700, {}}, ScaledCase{"Grayscale", 97, 61, {.input = JCS_GRAYSCALE}},
                    ScaledCase{"Progressive", 800, 600, {.progressive = true}},
                    ScaledCase{"Cmyk", 150, 90, {.input = JCS_CMYK}},
                    ScaledCase{"WidestAllowed", kMaxJpegDimension, 2, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(JpegFiles, AreReadFromAPath)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QImage source = Noise(300, 200, 9);
    const QString path = folder.filePath("picture.jpg");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WriteJpeg(source));
    file.close();

    JpegError error;
    const auto full = DecodeJpeg(path, &error);
    ASSERT_TRUE(full) << Described(error);
    EXPECT_EQ(full->size(), QSize(300, 200));
    const auto loaded = LoadJpegScaled(path, 128, 128, &error);
    ASSERT_TRUE(loaded) << Described(error);
    EXPECT_EQ(*loaded, ScaleToBox(*full, 128, 128));
}

// Every reason from a file names the file, with the values its words show.
TEST(JpegFiles, ReasonsNameTheFile)
{
    QTemporaryDir folder;
    const QString notJpeg = folder.filePath("shot.png");
    QFile file(notJpeg);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x89PNG\r\n\x1A\n");
    file.close();
    const QString cut = folder.filePath("cut.jpg");
    QFile cutFile(cut);
    ASSERT_TRUE(cutFile.open(QIODevice::WriteOnly));
    const QByteArray whole = WriteJpeg(Noise(64, 64, 3));
    const qsizetype cutSize = whole.size() * 7 / 10;
    cutFile.write(whole.left(cutSize));
    cutFile.close();

    const struct {
        QString path;
        JpegError::Kind kind;
        std::uint64_t count;
        int firstBytes[2];
    } cases[] = {
        {notJpeg, JpegError::Kind::NotJpeg, 0, {0x89, 0x50}},
        {cut, JpegError::Kind::FileEnded, std::uint64_t(cutSize), {0, 0}},
        {folder.filePath("none.jpg"), JpegError::Kind::NotOpened, 0, {0, 0}},
    };
    const auto expect = [](const JpegError &error, const auto &c) {
        EXPECT_EQ(error.kind, c.kind) << Described(error);
        EXPECT_EQ(error.path, QDir::toNativeSeparators(c.path));
        EXPECT_EQ(error.count, c.count);
        EXPECT_EQ(error.firstBytes[0], c.firstBytes[0]);
        EXPECT_EQ(error.firstBytes[1], c.firstBytes[1]);
    };
    for (const auto &c : cases) {
        JpegError error;
        EXPECT_FALSE(LoadJpegScaled(c.path, 128, 128, &error));
        expect(error, c);
        error = {};
        EXPECT_FALSE(DecodeJpeg(c.path, &error));
        expect(error, c);
    }
}

#if defined(Q_OS_UNIX)
// A pipe would block the program until a writer came; it is refused unopened.
TEST(JpegFiles, APipeIsRefusedWithoutBeingOpened)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("pipe.jpg");
    const QByteArray name = QFile::encodeName(path);
    ASSERT_EQ(::mkfifo(name.constData(), 0600), 0);
    // Held open with a whole picture in it, so a reader that opened it would decode it.
    const int held = ::open(name.constData(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(held, 0);
    const QByteArray picture = WriteJpeg(Tiles(2, 2, {Qt::red}));
    ASSERT_EQ(::write(held, picture.constData(), picture.size()), picture.size());
    JpegError error;
    EXPECT_FALSE(LoadJpegScaled(path, 128, 128, &error));
    ::close(held);
    EXPECT_EQ(error.kind, JpegError::Kind::NotRegularFile);
    EXPECT_EQ(error.path, path);
}
#endif

TEST(JpegFiles, MissingFileSaysWhichFileCannotBeOpened)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("no such picture.jpg");
    JpegError error;
    EXPECT_FALSE(LoadJpegScaled(path, 128, 128, &error));
    EXPECT_EQ(error.kind, JpegError::Kind::NotOpened);
    EXPECT_TRUE(error.path.endsWith("no such picture.jpg")) << Described(error);
    EXPECT_FALSE(error.detail.isEmpty());
    error = {};
    EXPECT_FALSE(DecodeJpeg(path, &error));
    EXPECT_EQ(error.kind, JpegError::Kind::NotOpened);
    EXPECT_TRUE(error.path.endsWith("no such picture.jpg")) << Described(error);
}

// Each refusal is checked on both ways of loading, which share the decoder
// but not the handling of the picture.
void ExpectRefused(const QByteArray &file, JpegError::Kind kind, std::uint64_t count = 0)
{
    JpegError error;
    EXPECT_FALSE(DecodeBytes(file, &error));
    EXPECT_EQ(error.kind, kind) << Described(error);
    EXPECT_EQ(error.count, count);
    error = {};
    EXPECT_FALSE(LoadScaledBytes(file, &error));
    EXPECT_EQ(error.kind, kind) << Described(error);
    EXPECT_EQ(error.count, count);
}

TEST(JpegRefusal, OtherFilesAndEmptyFilesGetTheDecodersMessage)
{
    ExpectRefused(QByteArray("GIF89a\x01\x00\x01\x00", 10), JpegError::Kind::NotJpeg);
    ExpectRefused(QByteArray(), JpegError::Kind::Empty);
}

struct Layout {
    const char *name;
    JpegLayout layout;
};

const Layout kLayouts[] = {
    {"baseline", {}},
    {"progressive", {.progressive = true}},
    {"arithmetic", {.arithmetic = true}},
    {"progressive-arithmetic", {.progressive = true, .arithmetic = true}},
    {"scan-per-component", {.scanPerComponent = true}},
    {"arithmetic-restarts", {.arithmetic = true, .restartInterval = 4}},
};

// Where the first scan's entropy-coded data begins, past its header.
qsizetype FirstScanData(const QByteArray &file)
{
    const qsizetype scan = file.indexOf("\xFF\xDA");
    EXPECT_GT(scan, 0);
    return scan + 2 + ((std::uint8_t(file[scan + 2]) << 8) | std::uint8_t(file[scan + 3]));
}

// Where the entropy-coded data that begins at from ends: at the first marker
// that is neither a stuffed byte nor a restart.
qsizetype EndOfScanData(const QByteArray &file, qsizetype from)
{
    for (qsizetype at = from; at + 1 < file.size(); ++at) {
        const int next = std::uint8_t(file[at + 1]);
        if (std::uint8_t(file[at]) == 0xFF && next != 0 && next != 0xFF && (next < 0xD0 || next > 0xD7))
            return at;
    }
    return file.size();
}

// A file cut anywhere, in its tables, its scan headers, between scans or in
// its data, was once refused in the words of whatever part of libjpeg met the
// made-up end ("JPEG datastream contains no image", "Invalid component ID 255
// in SOS"), and arithmetic data cut short was drawn from guesses; it now says
// where the file ends, and never shows a partly grey or made-up picture.
TEST(JpegRefusal, TruncatedFileSaysWhereItEnds)
{
    for (const Layout &layout : kLayouts) {
        const QByteArray file = WriteJpeg(Noise(200, 150, 4), layout.layout);
        const qsizetype scan = file.indexOf("\xFF\xDA");
        const qsizetype scanData = FirstScanData(file);
        const qsizetype firstScanEnds = EndOfScanData(file, scanData);
        std::vector<std::pair<const char *, qsizetype>> cuts = {
            {"in its tables", scan / 2},       {"before its first scan", scan}, {"in a scan header", scan + 6},
            {"after a scan header", scanData}, {"at 30 %", file.size() * 3 / 10}, {"at 60 %", file.size() * 6 / 10},
            {"at 85 %", file.size() * 85 / 100}};
        if (firstScanEnds < file.size() - 2)
            cuts.push_back({"after its first scan", firstScanEnds});
        // Huffman data is missed by the bit; arithmetic decoding may guess up
        // to its read-ahead past the end.
        if (!layout.layout.arithmetic)
            cuts.push_back({"a byte before its end marker", file.size() - 3});
        for (const auto &[where, size] : cuts) {
            SCOPED_TRACE(testing::Message() << layout.name << " cut " << where << " (" << size << " bytes)");
            ExpectRefused(file.left(size), JpegError::Kind::FileEnded, std::uint64_t(size));
        }
    }
}

// The end marker adds nothing to a picture whose blocks are all there: such a
// file was once refused as cut short.
TEST(JpegRefusal, FileLackingOnlyItsEndMarkerLoads)
{
    for (const Layout &layout : kLayouts) {
        SCOPED_TRACE(layout.name);
        const QByteArray file = WriteJpeg(Photo(200, 150), layout.layout);
        ASSERT_TRUE(file.endsWith("\xFF\xD9"));
        JpegError error;
        const auto whole = DecodeBytes(file, &error);
        ASSERT_TRUE(whole) << Described(error);
        const auto lacking = DecodeBytes(file.chopped(2), &error);
        ASSERT_TRUE(lacking) << Described(error);
        EXPECT_EQ(*lacking, *whole);
        EXPECT_TRUE(LoadScaledBytes(file.chopped(2), &error)) << Described(error);
    }
}

TEST(JpegRefusal, PictureWiderOrTallerThanTheLimitIsRefused)
{
    const QByteArray file = WriteJpeg(Noise(10, 10, 6));
    const qsizetype frame = file.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    // Frame header: marker, length (2), precision, height (2), width (2).
    const auto announce = [&](int width, int height) {
        QByteArray patched = file;
        patched[frame + 5] = char(height >> 8);
        patched[frame + 6] = char(height & 0xFF);
        patched[frame + 7] = char(width >> 8);
        patched[frame + 8] = char(width & 0xFF);
        return patched;
    };
    // libjpeg-turbo refuses such a picture itself, in its own words.
    const auto namesTheLimit = [](const JpegError &error) {
        return error.kind == JpegError::Kind::TooLarge ||
               (error.kind == JpegError::Kind::Decoder && error.detail.contains("65500"));
    };
    for (const QByteArray &patched : {announce(65535, 10), announce(kMaxJpegDimension + 1, 10),
                                      announce(10, kMaxJpegDimension + 1)}) {
        JpegError error;
        EXPECT_FALSE(DecodeBytes(patched, &error));
        EXPECT_TRUE(namesTheLimit(error)) << Described(error);
        error = {};
        EXPECT_FALSE(LoadScaledBytes(patched, &error));
        EXPECT_TRUE(namesTheLimit(error)) << Described(error);
    }
}

// A header that announces a large picture in front of a few bytes of data:
// frame header is marker, length (2), precision, height (2), width (2).
QByteArray Announcing(const JpegLayout &layout, int width, int height)
{
    QByteArray file = WriteJpeg(Noise(16, 16, 10), layout);
    // Start of frame: C0 baseline, C2 progressive, C9 and CA their arithmetic-coded forms.
    const int code = layout.arithmetic ? (layout.progressive ? 0xCA : 0xC9) : (layout.progressive ? 0xC2 : 0xC0);
    const char marker[] = {'\xFF', char(code), 0};
    const qsizetype frame = file.indexOf(marker);
    EXPECT_GT(frame, 0);
    file[frame + 5] = char(height >> 8);
    file[frame + 6] = char(height & 0xFF);
    file[frame + 7] = char(width >> 8);
    file[frame + 8] = char(width & 0xFF);
    return file;
}

TEST(JpegRefusal, ProgressivePictureThatWouldNotFitTheMemoryBudgetIsRefusedBeforeItsDataIsRead)
{
    // 100 megapixels need about 300 MB held whole; 6,000 x 6,000 about 108 MB.
    // Scaled, the reader at 1/8 takes the Huffman-coded one over, and its header alone
    // shows that its few hundred bytes cannot hold so many blocks.
    const QByteArray huffman = Announcing({.progressive = true}, 10000, 10000);
    JpegError error;
    EXPECT_FALSE(DecodeBytes(huffman, &error));
    EXPECT_EQ(error.kind, JpegError::Kind::OverBudget) << Described(error);
    EXPECT_FALSE(LoadScaledBytes(huffman, &error));
    EXPECT_EQ(error.kind, JpegError::Kind::TooMuchWork) << Described(error);
    ExpectRefused(Announcing({.progressive = true, .arithmetic = true}, 20000, 20000), JpegError::Kind::OverBudget);
}

std::optional<QImage> LoadWatched(const QByteArray &file, JpegError *error, JpegWatch &watch)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    return LoadJpegScaled(buffer, 128, 128, error, &watch);
}

std::uint64_t WorkAllowed(const QByteArray &file)
{
    return kJpegWorkPerByte * std::uint64_t(file.size()) + kJpegFreeWork;
}

constexpr JpegError::Kind kMadeUp = JpegError::Kind::MadeUp;
constexpr JpegError::Kind kTooMuchWork = JpegError::Kind::TooMuchWork;

struct Hostile {
    std::string name;
    QByteArray file;
    JpegError::Kind reason;
};

std::vector<Hostile> HostileFiles()
{
    using test::Restarts;
    using test::RestartsOnly;
    std::vector<Hostile> files;
    const auto &samplings = test::kCraftedSamplings;
    const std::pair<Restarts, const char *> orders[] = {
        {Restarts::InOrder, "in-order"}, {Restarts::SkippingOne, "skipping-one"}, {Restarts::FarOff, "far-off"}};
    for (const bool arithmetic : {false, true}) {
        for (const bool progressive : {false, true}) {
            for (const auto &sampling : samplings) {
                for (const auto &[order, orderName] : orders) {
                    const JpegLayout layout{.input = sampling.input, .progressive = progressive, .arithmetic = arithmetic,
                                            .hSample = sampling.h, .vSample = sampling.v};
                    files.push_back({std::string(arithmetic ? "arithmetic-" : "huffman-") +
                                         (progressive ? "progressive-" : "sequential-") + sampling.name + "-" + orderName,
                                     RestartsOnly(layout, 512, 512, 16, order, 100), kMadeUp});
                }
            }
        }
    }
    // The shape first met: 65,500 pixels square, a long interval, a few hundred bytes.
    files.push_back({"arithmetic-65500-square", RestartsOnly({.arithmetic = true}, 65500, 65500, 65535, Restarts::SkippingOne, 60),
                     kTooMuchWork});
    files.push_back({"huffman-65500-square", RestartsOnly({}, 65500, 65500, 65535, Restarts::InOrder, 60), kTooMuchWork});
    files.push_back({"baseline-announcing-65500-square", Announcing({}, kMaxJpegDimension, kMaxJpegDimension), kTooMuchWork});
    files.push_back({"progressive-announcing-6000-square", Announcing({.progressive = true}, 6000, 6000), kTooMuchWork});
    // Found by fuzz_jpeg (fuzz/corpus/fuzz_jpeg/found-arithmetic-cmyk-*.jpg): 64531 x 9994
    // arithmetic-coded CMYK pixels, cut short, or with data stopping at a marker.
    const QByteArray found[] = {
        QByteArray(
            "\xFF\xD8\xFF\xDB\x00\x43\x00\x14\x0E\x0F\x12\x0F\x0D\x14\x12\x10"
            "\x12\x17\x15\x14\x18\x1E\x32\x21\x1E\xFF\x04\xFF\xFF\xFF\xFF\xFF"
            "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x1C"
            "\x1C\x1E\x3D\x2C\x2E\x24\x32\x49\x40\x4C\x4B\x47\x40\x46\x45\x50"
            "\x5A\x73\x62\x50\x55\x6D\x56\x45\x46\x64\x88\x65\x6D\x77\x7B\x2B"
            "\x81\x82\x81\x4E\x60\x7B\x68\x73\x82\x96\x73\x7E\x81\x7C\xFF\xC9"
            "\x00\x14\x08\x27\x0A\xFC\x13\x04\x43\x11\x00\x4D\x11\x00\x59\x11"
            "\x00\x4B\x11\x00\xFF\xCC\x00\x06\x00\x10\x10\x05\xFF\xDA\x00\x0E"
            "\x04\x43\x00\x4D\x00\x59\x00\x4B\x00\x00\x3F\x2D\x5E\x60\x7C\xEC"
            "\xE5\xFB\x1B\x8E\x2E\xCB\x43\x9C\x66", 153),
        QByteArray(
            "\xFF\xD8\xFF\xDB\x00\x43\x00\x14\x0E\x0F\x12\x0F\x0D\x14\x12\x10"
            "\x12\x17\xEA\xEB\xE7\xE1\x34\x21\x1E\xFF\x04\xFF\xFF\xFF\xFF\xFF"
            "\xFF\xFF\xDF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x1C"
            "\x1C\x1E\x3D\x2C\x2E\x24\x32\x49\x40\x4C\x4B\x47\x40\x46\x45\x50"
            "\x5A\x73\x62\x50\x55\x6D\x56\x45\x46\x64\x88\x65\x6D\x77\x7B\x2B"
            "\x81\x82\x81\x4E\x60\x7B\x68\x73\x82\x96\x73\x7E\x81\x7C\xFF\xC9"
            "\x00\x14\x08\x27\x0A\xFC\x13\x04\x43\x11\x00\x4D\x11\x00\x59\x11"
            "\x00\x4B\x11\x00\xFF\xCC\x00\x06\x00\x10\x10\x05\xFF\xDA\x00\x0E"
            "\x04\x43\x00\x4D\x00\x59\x00\x4B\x00\x00\x3F\x2D\x5E\x60\x7C\xEC"
            "\xE5\xFB\x1B\x8E\x2E\xCB\x43\x9C\x66\x14\x0E\x0F\x12\x0F\x0D\x14"
            "\x12\x10\x12\x17\xEA\xEB\xE7\xE1\x34\x21\x1E\xFF\x04\xFF\xFF\xFF"
            "\xFF\xFF\xFF\xFF\xDF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF"
            "\xFF\x1C\x1C\x1E\x3D\x2C\x2E\x24\x32\x49\x40\x4C\x4B\x47\x40\x46"
            "\x45\x50\x5A\x73\x62\x50\x55\x6D\x56\x45\x46\x64\x88\x65\x6D\x77"
            "\x7B\x2B\x81\x82\x81\x4E\x60\x7B\x68\x73\x82\x96\x73\x7E\x81\x7C"
            "\xFF\xC9\x00\x14\x08\x27\x0A\xFC\x13\x04\x43\x11\x00\x4D\x11\x00"
            "\x59\x11\x00\x4B\x11\x00\xFF\xCC\x00\x06\x00\x10\x10\x05\xFF\xDA"
            "\x00\x0E\x04\x43\x00\x4D\x00\x59\x00\x4B\x00\x00\x3F\x2D\x5E\x60"
            "\x7C\xEC\xE5\xFB\x1B\x8E", 294),
        QByteArray(
            "\xFF\xD8\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55"
            "\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55"
            "\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55"
            "\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55"
            "\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55"
            "\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\x55\xFF"
            "\xDB\x00\x43\x00\x14\x0E\x0F\x12\x0F\x21\x1E\xFF\x04\xFF\xFF\xFF"
            "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF"
            "\xFF\x1C\x1C\x1E\x3D\x2C\x2E\x24\x32\x49\x40\x4C\x4B\x47\x40\x46"
            "\x45\x50\xFF\xD9\x5A\x73\x62\x50\x55\x6D\x56\x45\x46\x64\x88\x65"
            "\x6D\x77\x7B\x2B\x81\x82\x81\x4E\x60\x7B\x68\x73\x82\x96\x73\x7E"
            "\x81\x7C\xFF\xC9\x00\x14\x08\x27\x0A\xFC\x5B\x04\x43\x11\x00\x4D"
            "\x11\x00\x59\x11\x00\x4B\x11\x00\xFF\xCC\x00\x06\x00\x10\x10\x05"
            "\xFF\xDA\x00\x0E\x04\x43\x00\x4D\x00\x59\x00\x4B\x00\x00\x40\x46"
            "\x45\xFF\xD0\x73\x62\x8E\x2E\xCB\x43\x9C\x66", 235)
    };
    for (const QByteArray &file : found)
        files.push_back({"found-" + std::to_string(files.size()), file, kTooMuchWork});
    return files;
}

// Files made to look like JPEGs, whose data holds little or nothing of the
// picture they announce, were once decoded for seconds to minutes and some
// accepted as pictures of made-up grey. Each is refused, having cost no more
// work than its size allows.
TEST(JpegRefusal, FilesWhoseDataCannotHoldTheirPictureAreRefusedCheaply)
{
    for (const Hostile &hostile : HostileFiles()) {
        SCOPED_TRACE(hostile.name);
        JpegWatch watch;
        JpegError error;
        EXPECT_FALSE(LoadWatched(hostile.file, &error, watch));
        EXPECT_EQ(error.kind, hostile.reason) << Described(error);
        EXPECT_LE(watch.cost.entropyBlocks + watch.cost.outputBlocks, WorkAllowed(hostile.file));
        EXPECT_LE(watch.cost.madeUpBlocks, std::max(watch.cost.blocks / kJpegMadeUpShare, kJpegMadeUpLimit) + 64);
    }
}

QImage Flat(int size, QColor colour)
{
    QImage picture(size, size, QImage::Format_RGB888);
    picture.fill(colour);
    return picture;
}

// A company's wallpaper: white, with a striped mark in its middle third.
QImage LogoOnWhite(int size)
{
    QImage picture = Flat(size, Qt::white);
    for (int y = size / 3; y < 2 * size / 3; ++y)
        for (int x = size / 3; x < 2 * size / 3; ++x)
            if ((x / 7 + y / 5) % 3 != 0)
                picture.setPixelColor(x, y, QColor(200, 30, 40));
    return picture;
}

// The line is drawn well clear of real pictures: any coding, any restart interval,
// sequential pictures with a scan for each component too. Arithmetic coding leaves
// out the data of a flat end, so flat pictures and logos on white, of one interval
// or many, were once refused as made up, or as too much work for their few bytes.
TEST(JpegRefusal, PicturesOfEveryCodingAndRestartIntervalMakeNothingUp)
{
    const std::pair<const char *, QImage> pictures[] = {{"photograph", Photo(333, 250)},
                                                        {"white", Flat(64, Qt::white)},
                                                        {"mid-grey", Flat(1000, QColor(128, 128, 128))},
                                                        {"logo", LogoOnWhite(333)}};
    for (const auto &[name, picture] : pictures)
        for (const bool arithmetic : {false, true})
            for (const int scans : {0, 1, 3})  // progressive, sequential in one scan, in three
                for (const int interval : {0, 1, 3, 64})
                    for (const int h : {1, 2}) {
                        SCOPED_TRACE(testing::Message() << name << " arithmetic " << arithmetic << " scans " << scans
                                                        << " interval " << interval << " h " << h);
                        const QByteArray file =
                            WriteJpeg(picture, {.quality = 75, .progressive = scans == 0, .arithmetic = arithmetic,
                                                .hSample = h, .vSample = h, .restartInterval = interval,
                                                .scanPerComponent = scans == 3});
                        JpegWatch watch;
                        JpegError error;
                        EXPECT_TRUE(LoadWatched(file, &error, watch)) << Described(error);
                        EXPECT_EQ(watch.cost.madeUpBlocks, 0u);
                    }
}

// A camera's file with restart intervals, one of them damaged: the decoder makes
// up the rest of that interval, a small share of the picture, and the picture loads.
TEST(JpegRefusal, PhotographWithADamagedRestartIntervalLoads)
{
    const QByteArray file = WriteJpeg(Photo(1024, 768), {.quality = 75, .restartInterval = 64});
    const qsizetype marker = file.indexOf("\xFF\xD3", file.indexOf("\xFF\xDA"));  // ending the fourth interval
    ASSERT_GT(marker, 0);
    const QByteArray damaged = file.left(marker - 60) + file.mid(marker);
    JpegWatch watch;
    JpegError error;
    EXPECT_TRUE(LoadWatched(damaged, &error, watch)) << Described(error);
    EXPECT_GT(watch.cost.madeUpBlocks, 0u);
    EXPECT_LE(watch.cost.madeUpBlocks, 64u * 6);
}

// A file's only scan, cut at its restart markers.
struct Intervals {
    QByteArray before;             // up to the scan's data
    std::vector<QByteArray> data;  // each interval's
    QByteArray after;              // from the marker that ends the scan
};

Intervals SplitScan(const QByteArray &file)
{
    const qsizetype start = FirstScanData(file);
    Intervals split{file.left(start), {}, {}};
    const qsizetype end = EndOfScanData(file, start);
    qsizetype from = start;
    for (qsizetype at = start; at < end; ++at) {
        if (std::uint8_t(file[at]) == 0xFF && std::uint8_t(file[at + 1]) != 0) {
            split.data.push_back(file.mid(from, at - from));
            from = at + 2;
        }
    }
    split.data.push_back(file.mid(from, end - from));
    split.after = file.mid(end);
    return split;
}

// The scan again, without the data of the intervals emptied, and with a
// restart marker after its last interval when endAtRestart.
QByteArray Rejoined(const Intervals &split, const std::vector<std::size_t> &emptied, bool endAtRestart)
{
    QByteArray file = split.before;
    for (std::size_t i = 0; i < split.data.size(); ++i) {
        if (std::find(emptied.begin(), emptied.end(), i) == emptied.end())
            file += split.data[i];
        if (i + 1 < split.data.size() || endAtRestart)
            file += QByteArray(1, '\xFF') + char(0xD0 + i % 8);
    }
    return file + split.after;
}

// count intervals, every other one from the second.
std::vector<std::size_t> Spread(std::size_t count)
{
    std::vector<std::size_t> intervals;
    for (std::size_t i = 0; i < count; ++i)
        intervals.push_back(2 * i + 1);
    return intervals;
}

// The file made exactly size bytes long by a comment after its start marker.
QByteArray Padded(const QByteArray &file, qsizetype size)
{
    const qsizetype length = size - file.size() - 2;  // the length counts its own two bytes
    EXPECT_GE(length, 2);
    return file.left(2) + QByteArray("\xFF\xFE", 2) + char(length >> 8) + char(length & 0xFF) +
           QByteArray(length - 2, ' ') + file.mid(2);
}

QByteArray GrayJpeg(int width, int height, const JpegLayout &layout, int flatFromRow)
{
    std::mt19937 random(12);
    JpegLayout gray = layout;
    gray.input = JCS_GRAYSCALE;
    return WriteJpeg(width, height, gray, [&](int y, JSAMPLE *row) {
        for (int x = 0; x < width; ++x)
            row[x] = y < flatFromRow ? JSAMPLE(random()) : JSAMPLE(200);
    });
}

// Each bound with a file just inside it and one just outside, in the numbers
// the README gives: at most 1 block in 32 made up, at most 32 blocks of work a
// byte and 524,288 more. Arithmetic data that stops at a marker which does not
// end its interval is made up past its read-ahead, with the intervals held in
// doubt before it; stopping at the end marker, the same data is a flat end.
TEST(JpegRefusal, BoundsHoldAtTheirEdges)
{
    // 1024 blocks, one interval each: 32 may be missing.
    const Intervals huffman = SplitScan(GrayJpeg(256, 256, {.quality = 75, .restartInterval = 1}, 256));
    const Intervals arithmetic = SplitScan(GrayJpeg(256, 256, {.quality = 75, .arithmetic = true, .restartInterval = 1}, 256));
    ASSERT_EQ(huffman.data.size(), 1024u);
    ASSERT_EQ(arithmetic.data.size(), 1024u);
    const auto andLast = [](std::vector<std::size_t> intervals) {
        intervals.push_back(1023);
        return intervals;
    };
    // 128 x 128, its lower half flat: 256 blocks, 8 of which may be missing.
    const Intervals flatEnd = SplitScan(GrayJpeg(128, 128, {.quality = 75, .arithmetic = true}, 64));
    // Flat, 512 x 518 blocks, decoded and put out: 530,432 blocks of work, which
    // 192 bytes pay for.
    const QByteArray flat = GrayJpeg(4096, 4144, {.arithmetic = true}, 0);
    const qsizetype paid = (2 * 512 * 518 - 524288) / 32;

    const struct {
        const char *name;
        QByteArray file;
        JpegError::Kind reason;  // None: the picture loads
        std::uint64_t madeUp;
    } edges[] = {
        {"huffman, 32 intervals empty", Rejoined(huffman, Spread(32), false), JpegError::Kind::None, 32},
        {"huffman, 33 intervals empty", Rejoined(huffman, Spread(33), false), kMadeUp, 0},
        {"arithmetic, 31 intervals empty and the last ending at a restart marker",
         Rejoined(arithmetic, andLast(Spread(31)), true), JpegError::Kind::None, 32},
        {"arithmetic, 32 intervals empty and the last ending at a restart marker",
         Rejoined(arithmetic, andLast(Spread(32)), true), kMadeUp, 0},
        {"arithmetic, 100 intervals empty between the right markers", Rejoined(arithmetic, Spread(100), false), JpegError::Kind::None, 0},
        {"arithmetic, a flat end stopping at the end marker", Rejoined(flatEnd, {}, false), JpegError::Kind::None, 0},
        {"arithmetic, a flat end stopping at a restart marker", Rejoined(flatEnd, {}, true), kMadeUp, 0},
        {"work paid for to the block", Padded(flat, paid), JpegError::Kind::None, 0},
        {"work a byte short", Padded(flat, paid - 1), kTooMuchWork, 0},
    };
    for (const auto &edge : edges) {
        SCOPED_TRACE(edge.name);
        JpegWatch watch;
        JpegError error;
        const bool loaded = LoadWatched(edge.file, &error, watch).has_value();
        if (edge.reason != JpegError::Kind::None) {
            EXPECT_FALSE(loaded);
            EXPECT_EQ(error.kind, edge.reason) << Described(error);
        } else {
            EXPECT_TRUE(loaded) << Described(error);
            EXPECT_EQ(watch.cost.madeUpBlocks, edge.madeUp);
        }
    }
}

TEST(JpegRefusal, GarbageAfterTheStartMarkerIsAnError)
{
    std::mt19937 random(7);
    for (int attempt = 0; attempt < 50; ++attempt) {
        QByteArray file("\xFF\xD8", 2);
        for (int i = 0; i < 4000; ++i)
            file.append(char(random()));
        JpegError error;
        EXPECT_FALSE(LoadScaledBytes(file, &error)) << "attempt " << attempt;
        EXPECT_NE(error.kind, JpegError::Kind::None) << "attempt " << attempt;
    }
}

TEST(JpegRefusal, DamagedPictureDataGivesAPictureOrAnErrorNeverACrash)
{
    const QByteArray file = WriteJpeg(Noise(256, 192, 8));
    std::mt19937 random(8);
    for (int attempt = 0; attempt < 50; ++attempt) {
        QByteArray damaged = file;
        const qsizetype from = file.size() / 4 + qsizetype(random() % std::uint32_t(file.size() / 2));
        for (qsizetype i = from; i < from + 64 && i < damaged.size() - 2; ++i)
            damaged[i] = char(random());
        JpegError error;
        const auto picture = LoadScaledBytes(damaged, &error);
        if (picture)
            EXPECT_EQ(picture->size(), QSize(128, 128));
        else
            EXPECT_NE(error.kind, JpegError::Kind::None) << "attempt " << attempt;
    }
}

}  // namespace
}  // namespace tintora
