// The steps that several screens share, and the preview's text output.
#include "preview.h"

namespace tintora {
namespace {

constexpr Colour kBlack = 0x000000;

}  // namespace

void Preview::PaintBackground()
{
    if (plainBackground_) {
        FillRect(canvas_, {0, 0, 128, 128}, ink(Element::MainBackground));
        // Plain mode keeps the fill as the background, so a cleared picture is gone for good.
        CopyPixels(background_, canvas_);
    } else {
        CopyPixels(canvas_, background_);
        map_.clear();
    }
}

void Preview::DrawBlendedLayer(QImage &layer, const QImage &under, Element element,
                               Element lowerElement, int left, int top)
{
    const Colour key = KeyColour(colour(element));
    BlendLayer(under, layer, transparency(element), true, key, top, left);
    DrawPicture(canvas_, layer, left, top, key,
                Mark(&map_, ElementNumber(element), ElementNumber(lowerElement),
                     top + layer.height() / 2));
}

void Preview::PaintIconLayer()
{
    FillRect(iconLayer_, {0, 0, 128, 128}, colour(Element::IconMenuBackground));
    DrawBlendedLayer(iconLayer_, background_, Element::IconMenuBackground,
                     Element::IconMenuBackground, 0, 0);
}

void Preview::PaintSoftKeyBar(const QImage &under, SoftKeys keys, const QString &leftText,
                              const QString &rightText)
{
    FillGradient(barLayer_, {0, 0, 128, 20}, colour(Element::SoftKeyBarTop),
                 colour(Element::SoftKeyBarBottom));
    DrawBlendedLayer(barLayer_, under, Element::SoftKeyBarTop, Element::SoftKeyBarBottom, 0,
                     108);

    // The pressed key, mixed with the bar just drawn.
    const auto pressedKey = [this](QImage &layer, int width, int left) {
        FillGradient(layer, {0, 0, width, 20}, colour(Element::PressedKeyTop),
                     colour(Element::PressedKeyBottom));
        DrawBlendedLayer(layer, canvas_, Element::PressedKeyTop, Element::PressedKeyBottom,
                         left, 108);
    };
    switch (settings_.PressedSoftKey) {
    case 0:
        pressedKey(sideKeyLayer_, 55, 0);
        break;
    case 1:
        if (keys == SoftKeys::AllThree)
            pressedKey(menuKeyLayer_, 18, 55);
        break;
    case 2:
        pressedKey(sideKeyLayer_, 55, 73);
        break;
    default:
        break;
    }

    DrawLine(canvas_, 0, 108, 128, 108, ink(Element::SoftKeyBarLine));

    // The texts below have no background box.
    frameBrush_.reset();

    DrawText(3, 112, leftText, softKeyInk(0));
    DrawText(125 - TextWidth(rightText), 112, rightText, softKeyInk(2));
}

Ink Preview::softKeyInk(int key)
{
    return ink(settings_.PressedSoftKey == key ? Element::PressedKeyText : Element::SoftKeyText);
}

void Preview::MenuKeyGlyph()
{
    for (int y : {114, 115, 116})
        DrawLine(canvas_, 61, y, 66, y, fixed(kBlack));
    for (int y : {118, 120, 122})
        DrawLine(canvas_, 62, y, 65, y, fixed(kBlack));
}

void Preview::PaintTitleBar(int top)
{
    FillGradient(titleLayer_, {0, 0, 128, 15}, colour(Element::TitleBarTop),
                 colour(Element::TitleBarBottom));
    DrawBlendedLayer(titleLayer_, snapshot_, Element::TitleBarTop, Element::TitleBarBottom, 0,
                     top);
}

void Preview::PaintFinalFrame()
{
    if (frameBrush_)
        FillRect(canvas_, {1, 1, 127, 127}, fixed(*frameBrush_));
    DrawRectOutline(canvas_, {0, 0, 128, 128}, fixed(kBlack));
}

void Preview::DrawText(int x, int y, const QString &text, const Ink &ink, int pixelSize)
{
    text_.draw(canvas_, x, y, text, ink, pixelSize);
}

void Preview::DrawCentredText(int centre, int y, const QString &text, const Ink &ink,
                              int pixelSize)
{
    DrawText(centre - TextWidth(text, pixelSize) / 2, y, text, ink, pixelSize);
}

void Preview::DrawOutlinedText(int x, int y, const Ink &textInk, const QString &text,
                               const Ink &outlineInk)
{
    static constexpr int kOutline[8][2] = {{-1, 0}, {1, 0},  {0, -1}, {0, 1},
                                           {-1, -1}, {-1, 1}, {1, 1},  {1, -1}};
    for (const auto &[dx, dy] : kOutline)
        DrawText(x + dx, y + dy, text, outlineInk);
    DrawText(x, y, text, textInk);
}

int Preview::TextWidth(const QString &text, int pixelSize)
{
    return text_.width(text, pixelSize);
}

}  // namespace tintora
