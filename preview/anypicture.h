// Background pictures in the formats people keep wallpapers in.
#pragma once

#include "preview/jpegpicture.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>

namespace tintora {

// The file extensions of the pictures taken as background, JPEG first: PNG, GIF, BMP, and
// WebP where this Qt has its reader.
QStringList BackgroundPictureSuffixes();

// A JPEG, PNG, GIF (its first frame), BMP or WebP picture, told by its content, stretched to
// w x h by the box filter. JPEG goes through LoadJpegScaled with its bounds; the others are
// held whole by Qt's readers, so one whose header announces more than kJpegMemoryBudget is
// refused before it is decoded. A file that is none of them is refused as LoadJpegScaled
// refuses it. A watch follows JPEG decodes only.
std::optional<QImage> LoadPictureScaled(const QString &path, int w, int h, JpegError *error,
                                        JpegWatch *watch = nullptr);

}  // namespace tintora
