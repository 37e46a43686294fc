// The colours a contrast row shows, so that a reader sees what reads badly rather than a figure.
#pragma once

#include "design/contrast.h"

#include <QColor>

namespace tintora {

// The text's own colour at the pixel its figure was measured at, and the mean colour of what
// the check counted around it there (the pixels within kSurroundRadius that other elements drew).
struct ContrastSwatches {
    QColor text;
    QColor around;
};
// painted: the screen and state of place.judged(), as ContrastChecker::paint gives it.
ContrastSwatches SwatchesOf(const Preview &painted, const ContrastPlace &place);

}  // namespace tintora
