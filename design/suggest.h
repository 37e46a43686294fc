// A scheme from a picture: its palette, given to the elements by their roles, with every text
// set to a tone that reads on what it is drawn on.
#pragma once

#include "design/contrast.h"
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

// A scheme made from a picture, and the places that stay below their bound in it (the
// analogue clock's hands over a busy picture) when no choice of colours lifts them.
struct Suggestion {
    ColourScheme scheme;
    std::vector<ContrastPlace> weak;
    SchemeTone tone = SchemeTone::Light;  // the one given: Dark or Light
};

// Every element of base coloured from picture (the 128 x 128 background it will be shown
// with), the name kept. Each variant chooses its colours differently. Checked on every
// screen in every state of the phone before it is given: nullopt only for a picture
// without colours. AsPicture takes the picture's tone, or the other one where only that
// one reads.
std::optional<Suggestion> SuggestScheme(const ColourScheme &base, const QImage &picture,
                                        const PreviewSettings &settings, SchemeTone tone,
                                        int variant);

}  // namespace tintora
