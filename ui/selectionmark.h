// The selected element's pixels marked on a copy of the preview, for the window alone.
#pragma once

#include "preview/elementmap.h"

#include <QImage>

namespace tintora {

// The preview with each pixel that element drew set to black or white, whichever stands out
// from the pixel's own colour; a null image when the element drew none.
QImage MarkedElement(const QImage &preview, const ElementMap &map, int element);

}  // namespace tintora
