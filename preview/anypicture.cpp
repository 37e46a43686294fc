#include "preview/anypicture.h"

#include "preview/boxscaler.h"
#include "scheme/inputfile.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

namespace tintora {
namespace {

// Qt's names of the formats read through Qt, as QImageReader::format() tells them.
constexpr const char *kQtFormats[] = {"png", "gif", "bmp", "webp"};

bool ReadThroughQt(const QByteArray &format)
{
    if (!QImageReader::supportedImageFormats().contains(format))
        return false;
    for (const char *known : kQtFormats) {
        if (format == known)
            return true;
    }
    return false;
}

// Bytes a decoded picture takes in Qt, at most four a pixel.
constexpr qint64 kBytesPerPixel = 4;

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
    if (size.isValid() && qint64(size.width()) * size.height() * kBytesPerPixel > kJpegMemoryBudget)
        return Refused(JpegError::Kind::HeldWholeOverBudget, path, size, {}, error);
    // Where the header did not tell the size, Qt's own bound holds the same line.
    reader.setAllocationLimit(int(kJpegMemoryBudget >> 20));
    QImage picture = reader.read();
    if (picture.isNull())
        return Refused(JpegError::Kind::Decoder, path, size, reader.errorString(), error);
    // Transparent parts show black, whatever colour their pixels keep.
    if (picture.hasAlphaChannel())
        picture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return ScaleToBox(picture, w, h);
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
