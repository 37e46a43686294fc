#pragma once

// Makes JPEG files with libjpeg's compressor, for the decoder's tests and the
// benchmark: colour spaces Qt's writer does not offer (CMYK, YCCK), and large
// pictures written one row at a time.

#include <QByteArray>
#include <QImage>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace tintora::test {

struct JpegLayout {
    J_COLOR_SPACE input = JCS_RGB;      // JCS_RGB, JCS_GRAYSCALE or JCS_CMYK
    J_COLOR_SPACE stored = JCS_UNKNOWN;  // libjpeg's default for the input when unknown
    bool adobeMarker = true;            // only ever removed, for plain CMYK
    int quality = 95;
    bool progressive = false;
    bool arithmetic = false;  // arithmetic coding instead of Huffman
    int hSample = 0, vSample = 0;  // of the first component; 0 keeps libjpeg's choice
    int restartInterval = 0;       // in MCUs
    bool scanPerComponent = false;  // sequential, each component in a scan of its own
};

inline int ComponentsOf(J_COLOR_SPACE space)
{
    return space == JCS_GRAYSCALE ? 1 : space == JCS_CMYK ? 4 : 3;
}

// fill(y, row) writes row y: width pixels of ComponentsOf(layout.input) bytes.
template <typename Fill>
QByteArray WriteJpeg(int width, int height, const JpegLayout &layout, Fill fill)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);

    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = ComponentsOf(layout.input);
    cinfo.in_color_space = layout.input;
    jpeg_set_defaults(&cinfo);
    if (layout.stored != JCS_UNKNOWN)
        jpeg_set_colorspace(&cinfo, layout.stored);
    if (!layout.adobeMarker)
        cinfo.write_Adobe_marker = FALSE;
    jpeg_set_quality(&cinfo, layout.quality, TRUE);
    if (layout.progressive)
        jpeg_simple_progression(&cinfo);
    cinfo.arith_code = layout.arithmetic ? TRUE : FALSE;
    if (layout.hSample > 0) {
        cinfo.comp_info[0].h_samp_factor = layout.hSample;
        cinfo.comp_info[0].v_samp_factor = layout.vSample;
    }
    cinfo.restart_interval = unsigned(layout.restartInterval);
    std::vector<jpeg_scan_info> scans;
    if (layout.scanPerComponent) {
        for (int c = 0; c < cinfo.num_components; ++c)
            scans.push_back({.comps_in_scan = 1, .component_index = {c}, .Ss = 0, .Se = 63, .Ah = 0, .Al = 0});
        cinfo.scan_info = scans.data();
        cinfo.num_scans = int(scans.size());
    }

    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(std::size_t(width) * std::size_t(cinfo.input_components));
    JSAMPROW rows[1] = {row.data()};
    for (int y = 0; y < height; ++y) {
        fill(y, row.data());
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);

    QByteArray file(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return file;
}

inline QByteArray WriteJpeg(const QImage &picture, const JpegLayout &layout = {})
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    return WriteJpeg(rgb.width(), rgb.height(), layout, [&](int y, JSAMPLE *row) {
        std::copy_n(rgb.constScanLine(y), rgb.width() * 3, row);
    });
}

// Files made to look like JPEGs that the decoder must not turn into pictures:
// the headers of a real file of the layout, announcing width x height, with a
// restart interval, whose first scan holds nothing but restart markers.
// The samplings the crafted files come in.
struct CraftedSampling {
    const char *name;
    J_COLOR_SPACE input;
    int h, v;
};
inline constexpr CraftedSampling kCraftedSamplings[] = {{"gray", JCS_GRAYSCALE, 1, 1},
                                                        {"444", JCS_RGB, 1, 1},
                                                        {"422", JCS_RGB, 2, 1},
                                                        {"420", JCS_RGB, 2, 2},
                                                        {"cmyk", JCS_CMYK, 1, 1}};

enum class Restarts { InOrder, SkippingOne, FarOff };

inline QByteArray RestartsOnly(const JpegLayout &layout, int width, int height, int interval, Restarts order,
                               int markers)
{
    JpegLayout plain = layout;
    plain.restartInterval = 0;
    const int rowBytes = 16 * ComponentsOf(layout.input);
    const QByteArray real = WriteJpeg(16, 16, plain, [&](int, JSAMPLE *row) { std::fill_n(row, rowBytes, JSAMPLE(90)); });
    QByteArray file;
    qsizetype at = 2;  // past the start marker
    while (at + 4 <= real.size() && std::uint8_t(real[at + 1]) != 0xDA) {
        const int code = std::uint8_t(real[at + 1]);
        const qsizetype length = (std::uint8_t(real[at + 2]) << 8) | std::uint8_t(real[at + 3]);
        QByteArray segment = real.mid(at, 2 + length);
        const bool frame = code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
        if (frame) {
            segment[5] = char(height >> 8);
            segment[6] = char(height & 0xFF);
            segment[7] = char(width >> 8);
            segment[8] = char(width & 0xFF);
        }
        file += segment;
        at += 2 + length;
    }
    file = real.left(2) + file + QByteArray("\xFF\xDD\x00\x04", 4) + char(interval >> 8) + char(interval & 0xFF);
    const qsizetype scanLength = (std::uint8_t(real[at + 2]) << 8) | std::uint8_t(real[at + 3]);
    file += real.mid(at, 2 + scanLength);
    // Skipping one is a marker resynchronisation takes for one of the next two;
    // four off it neither expects nor has passed.
    const int step = order == Restarts::InOrder ? 1 : order == Restarts::SkippingOne ? 2 : 4;
    for (int i = 0; i < markers; ++i)
        file += QByteArray(1, '\xFF') + char(0xD0 + (i * step) % 8);
    return file + QByteArray("\xFF\xD9", 2);
}

// A grayscale progressive JPEG written by hand, as large as libjpeg's compressor could
// make only by holding all its coefficients: a DC scan of each block's value dc(bx, by)
// (the DC step being 8, a block's pixels are 128 + that value), then one AC scan that
// leaves every other coefficient zero, in runs of empty blocks.
template <typename Dc>
QByteArray HandMadeProgressiveGray(int width, int height, Dc dc)
{
    QByteArray file("\xFF\xD8", 2);
    const auto segment = [&file](int marker, const QByteArray &body) {
        const int length = int(body.size()) + 2;
        file += char(0xFF);
        file += char(marker);
        file += char(length >> 8);
        file += char(length & 0xFF);
        file += body;
    };
    std::uint32_t bits = 0;
    int count = 0;
    const auto put = [&](int value, int n) {
        for (int i = n - 1; i >= 0; --i) {
            bits = (bits << 1) | ((value >> i) & 1);
            if (++count == 8) {
                file += char(bits);
                if (bits == 0xFF)
                    file += char(0);
                bits = 0;
                count = 0;
            }
        }
    };
    const auto flush = [&] {
        while (count != 0)
            put(1, 1);
    };
    segment(0xDB, QByteArray(1, '\0') + char(8) + QByteArray(63, char(1)));
    const char frame[] = {8, char(height >> 8), char(height & 0xFF), char(width >> 8), char(width & 0xFF), 1, 1, 0x11, 0};
    segment(0xC2, QByteArray(frame, sizeof frame));
    // Every code is 4 bits: the DC sizes 0 to 11, and runs of 2^0 to 2^14 empty blocks.
    QByteArray tables = QByteArray(1, char(0x00)) + QByteArray(3, '\0') + char(12) + QByteArray(12, '\0');
    for (int size = 0; size < 12; ++size)
        tables += char(size);
    tables += QByteArray(1, char(0x10)) + QByteArray(3, '\0') + char(15) + QByteArray(12, '\0');
    for (int run = 0; run < 15; ++run)
        tables += char(run << 4);
    segment(0xC4, tables);

    const int across = (width + 7) / 8;
    const int down = (height + 7) / 8;
    segment(0xDA, QByteArray("\x01\x01\x00\x00\x00\x00", 6));
    int previous = 0;
    for (int by = 0; by < down; ++by) {
        for (int bx = 0; bx < across; ++bx) {
            const int value = dc(bx, by);
            const int difference = value - previous;
            previous = value;
            int size = 0;
            while ((std::abs(difference) >> size) != 0)
                ++size;
            put(size, 4);
            put(difference >= 0 ? difference : difference + (1 << size) - 1, size);
        }
    }
    flush();
    segment(0xDA, QByteArray("\x01\x01\x00\x01\x3F\x00", 6));
    for (long left = long(across) * down; left > 0;) {
        const int run = int(std::min(left, 32767L));
        int log = 0;
        while ((run >> (log + 1)) != 0)
            ++log;
        put(log, 4);
        put(run - (1 << log), log);
        left -= run;
    }
    flush();
    return file + QByteArray("\xFF\xD9", 2);
}

}  // namespace tintora::test
