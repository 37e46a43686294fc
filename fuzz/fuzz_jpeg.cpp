// Any bytes as a background picture: a 128 x 128 picture or a reason, and for
// a picture small enough to hold whole, the same result as scaling it whole.
// Whatever the outcome, the decoder may not have worked more than the file's
// size allows, and an accepted picture may not have more made up than allowed:
// a slow input or a made-up picture is a finding with its file. The reader at 1/8 of
// progressive pictures too large to hold whole is fed the same bytes on its own.
#include "fuzzsupport.h"

#include "preview/boxscaler.h"
#include "preview/jpegpicture.h"
#include "preview/progressivedc.h"

#include <QBuffer>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

using namespace tintora;

// Pictures up to this size are also decoded whole, a cost the fuzzer can bear.
constexpr std::uint64_t kWholePixels = 1 << 18;

struct HeaderError {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

// The size the header announces, 0 x 0 when there is no header to read.
std::uint64_t AnnouncedPixels(const std::uint8_t *data, std::size_t size)
{
    jpeg_decompress_struct cinfo{};
    HeaderError error{};
    cinfo.err = jpeg_std_error(&error.pub);
    error.pub.error_exit = [](j_common_ptr info) {
        std::longjmp(reinterpret_cast<HeaderError *>(info->err)->jump, 1);
    };
    error.pub.emit_message = [](j_common_ptr, int) {};
    std::uint64_t pixels = 0;
    if (setjmp(error.jump) == 0) {
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
        if (jpeg_read_header(&cinfo, TRUE) == JPEG_HEADER_OK)
            pixels = std::uint64_t(cinfo.image_width) * cinfo.image_height;
    }
    jpeg_destroy_decompress(&cinfo);
    return pixels;
}

// Blocks of work one MCU may overrun the line by, before the decoder stops.
constexpr std::uint64_t kLastMcu = 10;

std::optional<QImage> Load(const QByteArray &bytes, bool whole, JpegError *error)
{
    QBuffer buffer;
    buffer.setData(bytes);
    FUZZ_CHECK(buffer.open(QIODevice::ReadOnly));
    JpegWatch watch;
    std::optional<QImage> picture =
        whole ? DecodeJpeg(buffer, error, &watch) : LoadJpegScaled(buffer, 128, 128, error, &watch);
    const JpegCost &cost = watch.cost;
    FUZZ_CHECK(cost.entropyBlocks + cost.outputBlocks <= kJpegWorkPerByte * std::uint64_t(bytes.size()) + kJpegFreeWork + kLastMcu);
    if (picture) {
        FUZZ_CHECK(cost.madeUpBlocks <= cost.blocks / kJpegMadeUpShare);
        FUZZ_CHECK(cost.madeUpBlocks <= kJpegMadeUpLimit);
    }
    return picture;
}

// Whatever the whole decode makes of the bytes: the picture at 1/8, each of its rows
// once, or a reason, within the same bound on work.
void ReadAtOneEighth(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    FUZZ_CHECK(buffer.open(QIODevice::ReadOnly));
    JpegWatch watch;
    JpegError error;
    int width = 0;
    int height = 0;
    int rows = 0;
    const bool read = ReadProgressiveDc(
        buffer, &error, &watch,
        [&](int w, int h) {
            FUZZ_CHECK(width == 0);
            width = w;
            height = h;
        },
        [&](const std::uint8_t *) { ++rows; });
    const JpegCost &cost = watch.cost;
    FUZZ_CHECK(cost.entropyBlocks + cost.outputBlocks <= kJpegWorkPerByte * std::uint64_t(bytes.size()) + kJpegFreeWork + kLastMcu);
    if (!read) {
        FUZZ_CHECK(error.kind != JpegError::Kind::None);
        return;
    }
    FUZZ_CHECK(width > 0 && height > 0 && rows == height);
    FUZZ_CHECK(cost.madeUpBlocks == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    ReadAtOneEighth(bytes);
    JpegError error;
    const std::optional<QImage> scaled = Load(bytes, false, &error);
    if (!scaled) {
        FUZZ_CHECK(error.kind != JpegError::Kind::None);
        return 0;
    }
    FUZZ_CHECK(scaled->size() == QSize(128, 128));
    FUZZ_CHECK(scaled->format() == QImage::Format_RGB888);

    if (AnnouncedPixels(data, size) > kWholePixels)
        return 0;
    const std::optional<QImage> whole = Load(bytes, true, &error);
    FUZZ_CHECK(whole);
    FUZZ_CHECK(ScaleToBox(*whole, 128, 128) == *scaled);
    return 0;
}
