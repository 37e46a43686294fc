// The colours a contrast row shows, so that a reader sees what reads badly rather than a figure.
#include "contrastswatches.h"

namespace tintora {

ContrastSwatches SwatchesOf(const Preview &painted, const ContrastPlace &place)
{
    const QImage &image = painted.image();
    const ElementMap &map = painted.elementMap();
    const Spot &at = place.judged();
    ContrastSwatches swatches{image.pixelColor(at.x, at.y), QColor()};
    long red = 0, green = 0, blue = 0, count = 0;
    for (int y = at.y - kSurroundRadius; y <= at.y + kSurroundRadius; ++y) {
        for (int x = at.x - kSurroundRadius; x <= at.x + kSurroundRadius; ++x) {
            if (x < 0 || y < 0 || x >= ElementMap::kSize || y >= ElementMap::kSize ||
                map.elementAt(x, y) == place.element)
                continue;
            const QRgb pixel = image.pixel(x, y);
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
            ++count;
        }
    }
    if (count > 0)
        swatches.around = QColor(int(red / count), int(green / count), int(blue / count));
    return swatches;
}

}  // namespace tintora
