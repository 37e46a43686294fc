#pragma once

#include "scheme/colourscheme.h"

#include <QImage>
#include <QString>

#include <optional>

class QIODevice;

namespace tintora {

// Wider or taller pictures are refused.
constexpr int kMaxJpegDimension = 65500;

// JPEG pictures decoded with libjpeg's default settings into 24-bit RGB
// (QImage::Format_RGB888); grayscale, CMYK and YCCK files become RGB too.
// On failure the result is empty and *error (if given) holds the reason in
// language: in English the decoder's own words where the decoder found the
// fault; in Russian ours, for the faults met most, else around the decoder's.
// Reading from a path, the reason starts with the path, and a file that is
// not a regular one is refused unopened. A file that ends before its end
// marker is refused whatever its coding ("Premature end of JPEG file"),
// never shown partly grey or with made-up rows.

// Decodes and stretches to w x h (ScaleToBox's result) row by row, so the
// full-size picture is never held in memory.
std::optional<QImage> LoadJpegScaled(const QString &path, int w, int h, QString *error,
                                     Language language = kEnglish);
std::optional<QImage> LoadJpegScaled(QIODevice &device, int w, int h, QString *error,
                                     Language language = kEnglish);

// Full size. The path may name a resource (":/about.jpg").
std::optional<QImage> DecodeJpeg(const QString &path, QString *error, Language language = kEnglish);
std::optional<QImage> DecodeJpeg(QIODevice &device, QString *error, Language language = kEnglish);

}  // namespace tintora
