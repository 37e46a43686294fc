// The steps that several screens share, and the preview's text output.
#include "preview.h"

namespace tintora {
namespace {

constexpr Colour kBlack = 0x000000;

}  // namespace

void Preview::PaintBackground()
{
    if (PlainBackground) {
        FillRect(Image1, {0, 0, 128, 128}, ink(1));
        // Plain mode keeps the fill as the background, so a cleared picture is gone for good.
        CopyPixels(BackgroundPicture, Image1);
    } else {
        CopyPixels(Image1, BackgroundPicture);
        map_.clear();
    }
}

void Preview::DrawBlendedLayer(QImage &layer, const QImage &under, int element,
                               int lowerElement, int left, int top)
{
    const Colour key = KeyColour(colour(element));
    BlendLayer(under, layer, transparency(element), true, key, top, left);
    DrawPicture(Image1, layer, left, top, key,
                Mark(&map_, element, lowerElement, top + layer.height() / 2));
}

void Preview::PaintIconLayer()
{
    FillRect(VirtualFull128, {0, 0, 128, 128}, colour(13));
    DrawBlendedLayer(VirtualFull128, BackgroundPicture, 13, 13, 0, 0);
}

void Preview::PaintSoftKeyBar(const QImage &under, SoftKeys keys, const QString &leftText,
                              const QString &rightText)
{
    // 1. Bar.
    FillGradient(VirtualImage128, {0, 0, 128, 20}, colour(7), colour(8));
    DrawBlendedLayer(VirtualImage128, under, 7, 8, 0, 108);

    // 2. Pressed key, mixed with the bar just drawn.
    switch (settings_.PressedSoftKey) {
    case 0:
        FillGradient(VirtualImage55, {0, 0, 55, 20}, colour(10), colour(11));
        DrawBlendedLayer(VirtualImage55, Image1, 10, 11, 0, 108);
        break;
    case 1:
        if (keys == SoftKeys::AllThree) {
            FillGradient(VirtualImage18, {0, 0, 18, 20}, colour(10), colour(11));
            DrawBlendedLayer(VirtualImage18, Image1, 10, 11, 55, 108);
        }
        break;
    case 2:
        FillGradient(VirtualImage55, {0, 0, 55, 20}, colour(10), colour(11));
        DrawBlendedLayer(VirtualImage55, Image1, 10, 11, 73, 108);
        break;
    default:
        break;
    }

    // 3.
    DrawLine(Image1, 0, 108, 128, 108, ink(6));

    // 4. The texts below have no background box.
    frameBrush_.reset();

    // 5., 6.
    DrawText(3, 112, leftText, ink(settings_.PressedSoftKey == 0 ? 12 : 9));
    DrawText(125 - TextWidth(rightText), 112, rightText,
             ink(settings_.PressedSoftKey == 2 ? 12 : 9));
}

void Preview::MenuKeyGlyph()
{
    for (int y : {114, 115, 116})
        DrawLine(Image1, 61, y, 66, y, fixed(kBlack));
    for (int y : {118, 120, 122})
        DrawLine(Image1, 62, y, 65, y, fixed(kBlack));
}

void Preview::PaintTitleBar(int top)
{
    FillGradient(VirtualImage15, {0, 0, 128, 15}, colour(14), colour(15));
    DrawBlendedLayer(VirtualImage15, PreviewSnapshot, 14, 15, 0, top);
}

void Preview::PaintFinalFrame()
{
    if (frameBrush_)
        FillRect(Image1, {1, 1, 127, 127}, fixed(*frameBrush_));
    DrawRectOutline(Image1, {0, 0, 128, 128}, fixed(kBlack));
}

void Preview::DrawText(int x, int y, const QString &text, const Ink &ink, int pixelSize)
{
    text_.draw(Image1, x, y, text, ink, pixelSize);
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
