// Which preview sizes let the window fit the screen.
#pragma once

#include <QSize>

namespace tintora {

// The window's outer size, frame included, at a preview zoom: each step of zoom adds one
// preview's width across and its height down.
QSize WindowSizeAtZoom(const QSize &outerAt1x, int zoom);

// The largest zoom, 1 to kMaxPreviewZoom, at which the window fits in room (the screen's
// available area); every smaller zoom fits too. 1 when not even that fits, as there is
// nothing smaller to offer.
int LargestFittingZoom(const QSize &outerAt1x, const QSize &room);

}  // namespace tintora
