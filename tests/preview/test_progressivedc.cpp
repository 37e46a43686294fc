#include "preview/boxscaler.h"
#include "preview/jpegpicture.h"
#include "preview/progressivedc.h"
#include "test_jpegwriter.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <csetjmp>
#include <string>

namespace tintora {
namespace {

using test::HandMadeProgressiveGray;
using test::JpegLayout;
using test::WriteJpeg;

std::optional<QImage> ReadAtOneEighth(const QByteArray &file, JpegError *error = nullptr, JpegWatch *watch = nullptr)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    QImage picture;
    int y = 0;
    const bool read = ReadProgressiveDc(
        buffer, error, watch, [&](int width, int height) { picture = QImage(width, height, QImage::Format_RGB888); },
        [&](const std::uint8_t *row) { std::copy_n(row, picture.width() * 3, picture.scanLine(y++)); });
    if (!read)
        return std::nullopt;
    EXPECT_EQ(y, picture.height());
    return picture;
}

struct JumpingError {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

// libjpeg's own picture at scale_denom 8.
QImage LibjpegAtOneEighth(const QByteArray &file)
{
    jpeg_decompress_struct cinfo{};
    JumpingError error{};
    cinfo.err = jpeg_std_error(&error.pub);
    error.pub.error_exit = [](j_common_ptr info) { std::longjmp(reinterpret_cast<JumpingError *>(info->err)->jump, 1); };
    QImage picture;
    if (setjmp(error.jump) == 0) {
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(file.constData()), static_cast<unsigned long>(file.size()));
        jpeg_read_header(&cinfo, TRUE);
        cinfo.scale_num = 1;
        cinfo.scale_denom = 8;
        cinfo.out_color_space = JCS_RGB;
        jpeg_start_decompress(&cinfo);
        picture = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB888);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = picture.scanLine(int(cinfo.output_scanline));
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        EXPECT_EQ(error.pub.num_warnings, 0);
    } else {
        ADD_FAILURE() << "libjpeg refused the picture";
    }
    jpeg_destroy_decompress(&cinfo);
    return picture;
}

// The reader's picture is libjpeg's at scale_denom 8, exactly: both take each block's
// mean from its DC coefficient with the same rounding, then the same integer colour
// tables and the same repeated chroma. libjpeg reads 4:2:0 chroma with a 2 x 2 inverse
// DCT, from AC coefficients too; its chroma here is flat within each 16 x 16 tile, so
// those are zero and the two still agree.
TEST(ProgressiveDc, EqualsLibjpegAtOneEighth)
{
    struct Case {
        const char *name;
        J_COLOR_SPACE input;
        J_COLOR_SPACE stored;
        int h, v;
        int width, height;
        int restartInterval;
    };
    const Case cases[] = {
        {"gray", JCS_GRAYSCALE, JCS_UNKNOWN, 1, 1, 77, 45, 0},
        {"gray restarts", JCS_GRAYSCALE, JCS_UNKNOWN, 1, 1, 64, 64, 5},
        {"444", JCS_YCbCr, JCS_UNKNOWN, 1, 1, 130, 67, 0},
        {"444 restarts", JCS_YCbCr, JCS_UNKNOWN, 1, 1, 41, 90, 3},
        {"422", JCS_YCbCr, JCS_UNKNOWN, 2, 1, 99, 33, 0},
        {"420", JCS_YCbCr, JCS_UNKNOWN, 2, 2, 131, 75, 0},
        {"420 restarts", JCS_YCbCr, JCS_UNKNOWN, 2, 2, 200, 144, 7},
        {"rgb", JCS_RGB, JCS_RGB, 1, 1, 50, 31, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const int components = c.input == JCS_GRAYSCALE ? 1 : 3;
        const JpegLayout layout{.input = c.input, .stored = c.stored, .quality = 80, .progressive = true,
                                .hSample = c.h, .vSample = c.v, .restartInterval = c.restartInterval};
        const QByteArray file = WriteJpeg(c.width, c.height, layout, [&](int y, JSAMPLE *row) {
            for (int x = 0; x < c.width; ++x) {
                const int tile = x / 16 * 7 + y / 16 * 13;
                row[x * components] = JSAMPLE((x * 37 + y * 11 + x * y) & 255);
                for (int k = 1; k < components; ++k)
                    row[x * components + k] = JSAMPLE((tile * (k == 1 ? 29 : 53) + 40) & 255);
            }
        });
        JpegError error;
        const std::optional<QImage> read = ReadAtOneEighth(file, &error);
        ASSERT_TRUE(read) << int(error.kind) << " " << error.detail.toStdString();
        EXPECT_EQ(*read, LibjpegAtOneEighth(file));
    }
}

// 9001 x 8999 grey in several scans: libjpeg would hold 1.27 million blocks of 128 bytes,
// more than the budget. It was refused; now it is read at 1/8.
TEST(ProgressiveDc, PictureTooLargeToHoldWholeIsReadAtOneEighth)
{
    const int width = 9001;
    const int height = 8999;
    const int across = (width + 7) / 8;
    const auto dc = [across](int bx, int by) { return bx * 200 / across - 100 + (by / 100) % 2 * 20; };
    const QByteArray file = HandMadeProgressiveGray(width, height, dc);

    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    JpegError error;
    EXPECT_FALSE(DecodeJpeg(buffer, &error));
    EXPECT_EQ(error.kind, JpegError::Kind::OverBudget) << "the whole decode must still be refused";

    QImage expected(across, (height + 7) / 8, QImage::Format_RGB888);
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < across; ++x) {
            const int grey = 128 + dc(x, y);
            expected.setPixel(x, y, qRgb(grey, grey, grey));
        }
    }
    buffer.seek(0);
    JpegWatch watch;
    error = {};
    const std::optional<QImage> picture = LoadJpegScaled(buffer, 128, 128, &error, &watch);
    ASSERT_TRUE(picture) << int(error.kind);
    EXPECT_EQ(*picture, ScaleToBox(expected, 128, 128));
    EXPECT_EQ(watch.reading.width, width);
    EXPECT_EQ(watch.reading.height, height);
    EXPECT_EQ(watch.reading.reducedBy, 8);
}

}  // namespace
}  // namespace tintora
