#pragma once

#include "clock.h"
#include "previewfont.h"
#include "previewpictures.h"
#include "previewsettings.h"
#include "previewtext.h"
#include "primitives.h"
#include "scheme/colourscheme.h"

#include <QImage>
#include <QString>

#include <bitset>
#include <optional>

namespace tintora {

// The 128 x 128 imitation of the phone screen. Every repaint draws the whole picture afresh
// from the scheme, the settings, the clock and the background; the scheme and the settings
// are the caller's, read at each paint.
class Preview {
public:
    Preview(const ColourScheme &scheme, PreviewSettings &settings, const Clock &clock,
            const PreviewPictures &pictures);

    // Screens 0..8; any other value draws only the final frame over the last picture.
    void RepaintPreview(int screen);

    const QImage &image() const { return canvas_; }
    // Which element drew each pixel of image() last.
    const ElementMap &elementMap() const { return map_; }
    const QImage &backgroundPicture() const { return background_; }
    bool plainBackground() const { return plainBackground_; }
    bool phonebookTitle() const { return phonebookTitle_; }

    // The scheme's elements read since forgetElementsRead(): besides them a repaint depends
    // only on the settings, the clock and the pictures, so a caller may skip a repaint when
    // none of them changed.
    using ElementsRead = std::bitset<kElementCount + 1>;
    const ElementsRead &elementsRead() const { return elementsRead_; }
    void forgetElementsRead() { elementsRead_.reset(); }

    // A picture already scaled to 128 x 128.
    void setBackgroundPicture(const QImage &scaled128);
    void clearBackgroundPicture();

private:
    enum class SoftKeys { LeftAndRight, AllThree };

    // One file per group of screens.
    void PaintMainScreen();
    void PaintMainMenu();
    void PaintSelectMenuItem();
    void PaintNoticeWindow();
    void PaintSelectSubmenuItem();
    void PaintDatebook();
    void PaintMessageEntry();
    void PaintMultimedia();
    void PaintOthers();

    // Steps the screens share.
    void PaintBackground();
    void PaintIconLayer();
    void PaintSoftKeyBar(const QImage &under, SoftKeys keys, const QString &leftText,
                         const QString &rightText);
    // The ink of a soft key's text: 0 left, 2 right, as the pressed-key setting counts.
    Ink softKeyInk(int key);
    void MenuKeyGlyph();
    void PaintTitleBar(int top);
    void PaintFinalFrame();
    // Paints nothing itself: blends the painted layer with under and draws it onto canvas_,
    // both at (left, top), with the key of the element that filled it. The layer's upper
    // half is marked as element's, the lower half as lowerElement's.
    void DrawBlendedLayer(QImage &layer, const QImage &under, Element element,
                          Element lowerElement, int left, int top);

    void DrawText(int x, int y, const QString &text, const Ink &ink,
                  int pixelSize = kTextPixels);
    void DrawCentredText(int centre, int y, const QString &text, const Ink &ink,
                         int pixelSize = kTextPixels);
    void DrawOutlinedText(int x, int y, const Ink &textInk, const QString &text,
                          const Ink &outlineInk);
    int TextWidth(const QString &text, int pixelSize = kTextPixels);

    Colour colour(Element element) { return entryRead(element).colour; }
    // What draws on canvas_: an element's colour, or a colour of no element.
    Ink ink(Element element) { return Ink(colour(element), Mark(&map_, ElementNumber(element))); }
    Ink fixed(Colour colour) { return Ink(colour, noElement()); }
    // What the pictures leave.
    Mark noElement() { return Mark(&map_, 0); }
    int transparency(Element element) { return entryRead(element).transparency; }
    const SchemeEntry &entryRead(Element element)
    {
        elementsRead_.set(ElementNumber(element));
        return scheme_.entry(element);
    }

    const ColourScheme &scheme_;
    PreviewSettings &settings_;
    const Clock &clock_;
    // The pictures with their keys, prepared once: they do not change during a run.
    struct KeyedPictures {
        KeyedPicture statusStrip, iconGrid, videoIcon, soundIcon, cameraIcon, picturesIcon,
            globeSign, datebookTabs, playerControl, rightArrow, inputModeSign;
    };
    const KeyedPictures pictures_;
    PreviewText text_;

    // The picture shown; every screen draws straight onto it.
    QImage canvas_;
    // Layers painted afresh, blended with what lies under them and drawn onto canvas_:
    // the soft-key bar, a pressed left or right key, the pressed middle key, the icon
    // menu's background, the title bar, and the select menu's dimming of the screen above
    // the bar.
    QImage barLayer_;
    QImage sideKeyLayer_;
    QImage menuKeyLayer_;
    QImage iconLayer_;
    QImage titleLayer_;
    QImage dimmingLayer_;
    // The user's picture scaled to the screen, or the plain background's fill.
    QImage background_;
    // canvas_ as it was part-way through a paint: what a later layer is blended with.
    QImage snapshot_;
    ElementMap map_;
    bool plainBackground_ = true;
    bool phonebookTitle_ = true;
    // The canvas brush the final frame fills with: clear (none) unless the last screen that
    // set it was the "Others..." screen.
    std::optional<Colour> frameBrush_;
    ElementsRead elementsRead_;
};

}  // namespace tintora
