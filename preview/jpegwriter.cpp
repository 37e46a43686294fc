#include "preview/jpegwriter.h"

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace tintora {
namespace {

struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void Abandon(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorJump *>(cinfo->err)->jump, 1);
}

void Quiet(j_common_ptr, int) {}

}  // namespace

std::optional<QByteArray> EncodeJpeg(const QImage &picture, int quality)
{
    if (picture.isNull())
        return std::nullopt;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct cinfo{};
    ErrorJump error{};
    cinfo.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = Abandon;
    error.manager.emit_message = Quiet;
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    // Only libjpeg's own state lives across the jump: the picture and the buffer are
    // released after it.
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::free(buffer);
        return std::nullopt;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(rgb.width());
    cinfo.image_height = JDIMENSION(rgb.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    // The resolution in whichever unit holds it more nearly, as Qt chooses.
    const double inchX = rgb.dotsPerMeterX() * 2.54 / 100.0;
    const double inchY = rgb.dotsPerMeterY() * 2.54 / 100.0;
    const double byInch = std::abs(inchX - std::round(inchX)) + std::abs(inchY - std::round(inchY));
    const double byCm = std::abs(rgb.dotsPerMeterX() / 100.0 - std::round(rgb.dotsPerMeterX() / 100.0)) +
                        std::abs(rgb.dotsPerMeterY() / 100.0 - std::round(rgb.dotsPerMeterY() / 100.0));
    if (byInch < byCm) {
        cinfo.density_unit = 1;
        cinfo.X_density = UINT16(std::lround(inchX));
        cinfo.Y_density = UINT16(std::lround(inchY));
    } else {
        cinfo.density_unit = 2;
        cinfo.X_density = UINT16((rgb.dotsPerMeterX() + 50) / 100);
        cinfo.Y_density = UINT16((rgb.dotsPerMeterY() + 50) / 100);
    }
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

}  // namespace tintora
