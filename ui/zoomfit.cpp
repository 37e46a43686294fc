// Which preview sizes let the window fit the screen.
#include "zoomfit.h"

#include "previewdisplay.h"

namespace tintora {

QSize WindowSizeAtZoom(const QSize &outerAt1x, int zoom)
{
    const int grow = PreviewDisplay::kPreviewSize * (zoom - 1);
    return outerAt1x + QSize(grow, grow);
}

int LargestFittingZoom(const QSize &outerAt1x, const QSize &room)
{
    int largest = 1;
    for (int zoom = 2; zoom <= kMaxPreviewZoom; ++zoom) {
        const QSize outer = WindowSizeAtZoom(outerAt1x, zoom);
        if (outer.width() <= room.width() && outer.height() <= room.height())
            largest = zoom;
    }
    return largest;
}

}  // namespace tintora
