// Contrast measured where it is seen: every text (and the clock's hands) against the pixels
// around its own, as the preview paints them on each screen.
#pragma once

#include "preview/clock.h"
#include "preview/elementmap.h"
#include "preview/preview.h"
#include "preview/previewpictures.h"
#include "preview/previewsettings.h"
#include "scheme/catalogue.h"
#include "scheme/colourscheme.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <array>
#include <functional>
#include <vector>

namespace tintora {

// How far around an ink pixel its surroundings reach: a square of 5 x 5 pixels.
constexpr int kSurroundRadius = 2;

// One pixel of an ink element and what lies around it: the mean relative luminance of the
// pixels within kSurroundRadius that other elements, pictures or fixed colours drew.
struct InkPixel {
    int element;
    int x, y;
    double inkLuminance;
    double aroundLuminance;
};
// The pixels of elements set in ignored do not count as surroundings; a pixel with nothing
// around it but its own element and ignored ones is left out.
using ElementSet = std::array<bool, kElementCount + 1>;
void ForEachInkPixel(const QImage &image, const ElementMap &map, const ElementSet &ignored,
                     const std::function<void(const InkPixel &)> &visit);

// The pixels of the picture where an ink element falls below its contrast bound.
std::vector<QPoint> WeakPixels(const QImage &image, const ElementMap &map);

// The worst place of one element: the lowest contrast any of its pixels has on any screen.
struct ContrastPlace {
    int element = 0;
    int screen = 0;
    int x = 0, y = 0;
    double ratio = 21;  // WCAG 2, 1 to 21
    double apca = 0;    // APCA Lc there
    double bound = 4.5;
    bool weak() const { return ratio < bound; }
};

// The check paints at a fixed moment, so its figures do not change with the time of day.
QDateTime ContrastCheckMoment();

// Paints every screen of a scheme and measures its ink elements. Keeps each screen's figures
// with the scheme elements its paint read, and paints again only the screens where one of
// those changed, so that a check after an edit costs the screens that show the edit.
class ContrastChecker {
public:
    explicit ContrastChecker(const PreviewSettings &settings);
    ~ContrastChecker();

    void setSettings(const PreviewSettings &settings);
    // A picture already scaled to 128 x 128; a null image for the plain background.
    void setBackground(const QImage &scaled128);

    // The worst place of every ink element drawn on some screen, worst (lowest ratio) first.
    std::vector<ContrastPlace> check(const ColourScheme &scheme);
    // Paints one screen of the scheme for a caller that measures it its own way.
    const Preview &paint(const ColourScheme &scheme, int screen);

private:
    struct ScreenFigures;
    bool stillTrue(const ScreenFigures &figures, const ColourScheme &scheme) const;
    void measure(int screen, ScreenFigures &figures);
    void forgetFigures();

    ColourScheme scheme_;
    PreviewSettings settings_;
    QImage background_;
    const FixedClock clock_;
    const PreviewPictures pictures_;
    Preview preview_;
    std::vector<ScreenFigures> screens_;
};

// Ratios are shown cut, not rounded, to two decimals: 4.499 never reads as 4.50.
QString RatioText(double ratio);

}  // namespace tintora
