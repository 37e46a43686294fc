// Contrast measured where it is seen: every text (and the clock's hands) against the pixels
// around its own, as the preview paints them on each screen.
#pragma once

#include "design/roles.h"
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
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace tintora {

// How far around an ink pixel its surroundings reach: a square of 5 x 5 pixels.
constexpr int kSurroundRadius = 2;

// One pixel of an ink element and what lies around it: the mean relative luminance (and APCA
// luminance) of the pixels within kSurroundRadius that other elements, pictures or fixed
// colours drew.
struct InkPixel {
    int element;
    int x, y;
    double inkLuminance;
    double aroundLuminance;
    double inkApca;
    double aroundApca;
};
// The pixels of elements set in ignored do not count as surroundings; a pixel with nothing
// around it but its own element and ignored ones is left out.
using ElementSet = std::array<bool, kElementCount + 1>;
void ForEachInkPixel(const QImage &image, const ElementMap &map, const ElementSet &ignored,
                     const std::function<void(const InkPixel &)> &visit);

// The pixels of the picture where an ink element falls below its contrast bound.
std::vector<QPoint> WeakPixels(const QImage &image, const ElementMap &map,
                               ContrastStandard standard = ContrastStandard::WcagAA);

// Where a figure was measured: which of the checked phone states, which screen, which pixel.
struct Spot {
    int state = 0;
    int screen = 0;
    int x = 0, y = 0;
};

// The worst places of one element: the lowest WCAG ratio and the APCA Lc nearest 0 that any
// of its pixels has on any screen in any state checked. A highlight or pressed key is
// measured at its edge against what it sits on.
struct ContrastPlace {
    int element = 0;
    Spot ratioAt;
    Spot lcAt;
    double ratio = 21;  // WCAG 2, 1 to 21
    double apca = 0;    // APCA Lc at lcAt, signed
    double bound = 4.5;
    bool boundIsLc = false;
    bool weak() const { return boundIsLc ? std::abs(apca) < bound : ratio < bound; }
    // The place of the figure the bound judges.
    const Spot &judged() const { return boundIsLc ? lcAt : ratioAt; }
};

// The check paints at a fixed moment, so its figures do not change with the time of day.
QDateTime ContrastCheckMoment();

// The phone states that change what the screens draw: each pressed soft key and none, both
// clock kinds, each date format, the datebook's chosen day on a weekend, on today and on a
// weekday. These settings draw in places apart from one another, so four states, each
// taking the next value of every setting, show every value without one hiding another.
std::vector<PreviewSettings> AllPreviewStates(const PreviewSettings &settings);

// Paints every screen of a scheme, in the states asked for, and measures its ink elements.
// Keeps each screen's figures with the scheme elements its paint read, and paints again
// only the screens where one of those changed, so that a check after an edit costs the
// screens that show the edit.
class ContrastChecker {
public:
    // The settings given, or every state that AllPreviewStates makes of them.
    explicit ContrastChecker(const PreviewSettings &settings, bool allStates = false);
    ~ContrastChecker();

    void setSettings(const PreviewSettings &settings);
    // A picture already scaled to 128 x 128; a null image for the plain background.
    void setBackground(const QImage &scaled128);
    void setStandard(ContrastStandard standard) { standard_ = standard; }
    ContrastStandard standard() const { return standard_; }

    // The worst places of every ink, highlight and pressed element drawn on some screen,
    // weakest against its bound first.
    std::vector<ContrastPlace> check(const ColourScheme &scheme) { return check(scheme, stateCount()); }
    // The same over the first states only, for a search that checks every state once it settles.
    std::vector<ContrastPlace> check(const ColourScheme &scheme, int states);
    // Paints one screen of the scheme in one of the states for a caller that measures it its
    // own way.
    const Preview &paint(const ColourScheme &scheme, int screen, int state = 0);
    // Paints one screen of the scheme in one of the states and measures it as check() does,
    // unless the figures of the same entries stand, and gives what it measured, which stays
    // until the screen in that state is measured again: a check of the same scheme that
    // follows paints it no more.
    struct Measured {
        const QImage &image;
        const ElementMap &map;
        const Preview::ElementsRead &read;  // the scheme's entries the paint read
    };
    Measured measured(const ColourScheme &scheme, int screen, int state);
    int stateCount() const { return int(states_.size()); }
    // How many of the screens the last check measured something on, in any state.
    int screensMeasured() const;

private:
    class State;
    // Read once for every state's preview.
    const PreviewPictures pictures_;
    std::vector<std::unique_ptr<State>> states_;
    bool allStates_;
    ContrastStandard standard_ = ContrastStandard::WcagAA;
};

// Ratios are shown cut, not rounded, to two decimals: 4.499 never reads as 4.50.
QString RatioText(double ratio);

}  // namespace tintora
