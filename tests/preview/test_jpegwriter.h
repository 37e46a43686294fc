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

}  // namespace tintora::test
