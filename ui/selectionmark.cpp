// The selected element's pixels marked on a copy of the preview, for the window alone.
#include "selectionmark.h"

namespace tintora {

QImage MarkedElement(const QImage &preview, const ElementMap &map, int element)
{
    QImage marked = preview.convertToFormat(QImage::Format_RGB32);
    bool any = false;
    for (int y = 0; y < ElementMap::kSize && y < marked.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(marked.scanLine(y));
        for (int x = 0; x < ElementMap::kSize && x < marked.width(); ++x) {
            if (map.elementAt(x, y) != element)
                continue;
            any = true;
            row[x] = qGray(row[x]) >= 128 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
        }
    }
    return any ? marked : QImage();
}

}  // namespace tintora
