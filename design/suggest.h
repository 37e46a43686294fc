// A scheme from a picture: its palette, given to the elements by their roles, with every text
// set to a tone that reads on what it is drawn on.
#pragma once

#include "preview/previewsettings.h"
#include "scheme/colourscheme.h"

#include <QImage>
#include <QString>

#include <optional>
#include <vector>

namespace tintora {

// The picture's colours as libimagequant reduces them, most used first.
struct PaletteColour {
    Colour colour;
    double share;  // of the picture's pixels, 0 to 1
};
std::vector<PaletteColour> PicturePalette(const QImage &picture, int maxColours = 8);

enum class SchemeTone { AsPicture, Dark, Light };

// Every element of base coloured from picture (the 128 x 128 background it will be shown
// with), the name kept. Each variant chooses its colours differently. Checked on every
// screen before it is given: nullopt when no choice reads on this picture.
std::optional<ColourScheme> SuggestScheme(const ColourScheme &base, const QImage &picture,
                                          const PreviewSettings &settings, SchemeTone tone,
                                          int variant);

}  // namespace tintora
