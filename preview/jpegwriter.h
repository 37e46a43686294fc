#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>

namespace tintora {

// A picture as a baseline JPEG, written as Qt's own JPEG writer writes it (quality 75, the
// picture's resolution in its header), so that every build writes the same bytes from the
// same libjpeg, also where Qt has no JPEG writer. nullopt for a null picture.
std::optional<QByteArray> EncodeJpeg(const QImage &picture, int quality = 75);

}  // namespace tintora
