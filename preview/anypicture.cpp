#include "preview/anypicture.h"

#include "preview/boxscaler.h"
#include "scheme/inputfile.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

#include <algorithm>

namespace tintora {
namespace {

// Qt's names of the formats read through Qt, as QImageReader::format() tells them.
constexpr const char *kQtFormats[] = {"png", "gif", "bmp", "webp"};

bool ReadThroughQt(const QByteArray &format)
{
    return std::ranges::any_of(kQtFormats, [&format](const char *known) { return format == known; });
}

// What the picture takes held whole in the format the reader makes of it.
qint64 BytesWhole(const QImageReader &reader, QSize size)
{
    const QImage::Format format = reader.imageFormat();
    const qint64 bitsPerPixel = format == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
    return qint64(size.width()) * size.height() * std::max<qint64>(bitsPerPixel, 8) / 8;
}

std::optional<QImage> Refused(JpegError::Kind kind, const QString &path, QSize size, const QString &detail,
                              JpegError *error)
{
    if (error) {
        *error = JpegError();
        error->kind = kind;
        error->path = QDir::toNativeSeparators(path);
        error->width = size.width();
        error->height = size.height();
        error->detail = detail;
    }
    return std::nullopt;
}

std::optional<QImage> LoadThroughQt(QImageReader &reader, const QString &path, int w, int h, JpegError *error)
{
    const QSize size = reader.size();
    if (size.width() > kMaxJpegDimension || size.height() > kMaxJpegDimension)
        return Refused(JpegError::Kind::TooLarge, path, size, {}, error);
    if (size.isValid() && BytesWhole(reader, size) > kJpegMemoryBudget)
        return Refused(JpegError::Kind::HeldWholeOverBudget, path, size, {}, error);
    // Where the header did not tell the size, Qt's own bound holds the same line.
    reader.setAllocationLimit(int(kJpegMemoryBudget >> 20));
    const QImage picture = reader.read();
    if (picture.isNull())
        return Refused(JpegError::Kind::Decoder, path, size, reader.errorString(), error);
    // Row by row, as the JPEG decoder hands its rows to the same filter, so no second
    // picture of the whole size is made. Transparent parts show black, whatever colour
    // their pixels keep.
    const bool alpha = picture.hasAlphaChannel();
    BoxScaler scaler(picture.width(), picture.height(), w, h);
    for (int y = 0; y < picture.height(); ++y) {
        QImage row = picture.copy(0, y, picture.width(), 1);
        // Premultiplied colours read without their alpha are the pixels over black.
        if (alpha) {
            row = row.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            row = QImage(row.constBits(), row.width(), 1, row.bytesPerLine(), QImage::Format_RGB32).copy();
        }
        scaler.addRow(row.convertToFormat(QImage::Format_RGB888).constScanLine(0));
    }
    return scaler.result();
}

}  // namespace

QStringList BackgroundPictureSuffixes()
{
    QStringList suffixes = {QStringLiteral("jpg"), QStringLiteral("jpeg")};
    for (const char *format : kQtFormats) {
        if (QImageReader::supportedImageFormats().contains(format))
            suffixes << QString::fromLatin1(format);
    }
    return suffixes;
}

std::optional<QImage> LoadPictureScaled(const QString &path, int w, int h, JpegError *error, JpegWatch *watch)
{
    // Devices and files that do not open are refused, unread, as the JPEG decoder refuses them.
    QFile file(path);
    if (!IsSpecialFile(path) && file.open(QIODevice::ReadOnly)) {
        QImageReader reader(&file);
        if (ReadThroughQt(reader.format()))
            return LoadThroughQt(reader, path, w, h, error);
    }
    file.close();
    return LoadJpegScaled(path, w, h, error, watch);
}

}  // namespace tintora
