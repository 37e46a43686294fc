// What a drag onto the window carries: a scheme file, a JPEG or nothing of use.
#pragma once

#include <QString>

class QMimeData;

namespace tintora {

// What a drag over the window carries, by the extension of its one local file: a scheme
// ("*.sch") to open, or a JPEG ("*.jpg", "*.jpeg") for the preview's background.
struct DroppedFile {
    enum Kind { None, Scheme, Picture };
    Kind kind = None;
    QString path;

    static DroppedFile From(const QMimeData *data);
};

}  // namespace tintora
