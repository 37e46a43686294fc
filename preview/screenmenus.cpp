// Screens 1 to 4: the icon menu, the pop-up list over it, the notice window, the submenu.
#include "preview.h"

namespace tintora {
namespace {

constexpr Colour kWhite = 0xFFFFFF;

}  // namespace

void Preview::PaintMainMenu()
{
    // 1.
    PaintBackground();
    // 2.
    PaintIconLayer();
    // 3.
    pictures_.ICONS.draw(Image1, 0, 0, noElement());
    // 4.
    CopyPixels(PreviewSnapshot, Image1);
    // 5.
    PaintSoftKeyBar(PreviewSnapshot, SoftKeys::LeftAndRight,
                    PhonebookTitle ? QStringLiteral("EXIT") : QStringLiteral("BACK"),
                    QStringLiteral("SELECT"));
    // 6.
    PaintTitleBar(0);
    // 7.
    DrawCentredText(64, 3,
                    PhonebookTitle ? QStringLiteral("Phonebook") : QStringLiteral("Multimedia"),
                    ink(16));
}

void Preview::PaintSelectMenuItem()
{
    // 1. The backdrop is the main menu as reached from the multimedia menu.
    PhonebookTitle = false;
    RepaintPreview(1);
    PhonebookTitle = true;
    // 2.
    CopyPixels(PreviewSnapshot, Image1);
    // 3. Dimming: always half-way, whatever element 13's own transparency; drawn whole.
    FillRect(VirtualnoBottom128, {0, 0, 128, 108}, colour(13));
    BlendLayer(PreviewSnapshot, VirtualnoBottom128, 8, true, KeyColour(colour(13)), 0, 0);
    DrawPicture(Image1, VirtualnoBottom128, 0, 0, std::nullopt, Mark(&map_, 13));
    // 4.
    DrawRectOutline(Image1, {3, 30, 125, 108}, ink(19));
    DrawRectOutline(Image1, {3, 30, 10, 108}, ink(19));
    DrawRectOutline(Image1, {4, 31, 124, 107}, ink(20));
    DrawRectOutline(Image1, {4, 31, 9, 107}, ink(20));
    // 5.
    VerticalLines(Image1, 10, 122, 32, 106, ink(18));
    // 6.
    VerticalLines(Image1, 5, 7, 32, 106, ink(23));
    // 7.
    FillGradient(Image1, {5, 38, 7, 63}, ink(24), ink(25));
    DrawLine(Image1, 5, 37, 7, 37, ink(26));
    DrawLine(Image1, 5, 64, 7, 64, ink(27));
    // 8.
    DrawLine(Image1, 0, 108, 128, 108, ink(6));
    // 9.
    FillGradient(Image1, {10, 50, 122, 70}, ink(21), ink(22));
    // 10.
    DrawText(30, 35, QStringLiteral("Themes"), ink(2));
    DrawText(30, 53, QStringLiteral("Sounds"), ink(3));
    DrawText(30, 71, QStringLiteral("Camera"), ink(2));
    DrawText(30, 89, QStringLiteral("Videos"), ink(2));
    // 11.
    pictures_.PICTURES.draw(Image1, 12, 32, noElement());
    pictures_.SOUND.draw(Image1, 12, 51, noElement());
    pictures_.CAMERA.draw(Image1, 12, 69, noElement());
    pictures_.VIDEO.draw(Image1, 12, 86, noElement());
}

// Texts here use the preview font that the other screens leave on the canvas.
void Preview::PaintNoticeWindow()
{
    // 1.
    VerticalLines(Image1, 1, 128, 1, 129, fixed(kWhite));
    // 2.
    DrawLine(Image1, 4, 51, 4, 107, ink(20));
    DrawLine(Image1, 124, 51, 124, 107, ink(20));
    // 3.
    VerticalLines(Image1, 5, 123, 52, 106, ink(18));
    // 4.
    FillGradient(Image1, {3, 15, 125, 51}, ink(28), ink(29));
    // 5.
    pictures_.WARNING.draw(Image1, 7, 15, noElement());
    // 6.
    DrawPath(Image1, {{3, 51}, {3, 15}, {125, 15}, {125, 51}}, ink(31));
    // 7.
    frameBrush_.reset();
    DrawCentredText(80, 20, QStringLiteral("Launching"), ink(30));
    DrawCentredText(80, 35, QStringLiteral("Browser"), ink(30));
    // 8.
    DrawLine(Image1, 3, 51, 3, 107, ink(19));
    DrawLine(Image1, 125, 51, 125, 107, ink(19));
    // 9. Straight onto the preview: no layers, no transparency.
    FillGradient(Image1, {0, 108, 128, 128}, ink(7), ink(8));
    if (settings_.PressedSoftKey == 0)
        FillGradient(Image1, {0, 108, 55, 128}, ink(10), ink(11));
    else if (settings_.PressedSoftKey == 2)
        FillGradient(Image1, {73, 108, 128, 128}, ink(10), ink(11));
    // 10.
    DrawText(3, 112, QStringLiteral("CANCEL"),
             ink(settings_.PressedSoftKey == 0 ? 12 : 9));
    const QString accept = QStringLiteral("ACCEPT");
    DrawText(125 - TextWidth(accept), 112, accept,
             ink(settings_.PressedSoftKey == 2 ? 12 : 9));
    // 11. One row above the bar, which keeps its gradient top row.
    DrawLine(Image1, 0, 107, 128, 107, ink(6));
    // 12.
    DrawCentredText(64, 65, QStringLiteral("Additional call charges"), ink(2));
    DrawCentredText(64, 80, QStringLiteral("may apply"), ink(2));
}

void Preview::PaintSelectSubmenuItem()
{
    // 1.
    PaintBackground();
    // 2.
    PaintIconLayer();
    // 3.
    pictures_.UPSTRING.draw(Image1, 0, 0, noElement());
    // 4.
    CopyPixels(PreviewSnapshot, Image1);
    // 5.
    PaintSoftKeyBar(PreviewSnapshot, SoftKeys::LeftAndRight, QStringLiteral("BACK"),
                    QStringLiteral("CHANGE"));
    // 6. Below the status strip: blended with the icon layer, not the strip.
    PaintTitleBar(15);
    // 7.
    DrawCentredText(64, 16, QStringLiteral("Ring Styles"), ink(16));
    // 8.
    VerticalLines(Image1, 1, 3, 30, 106, ink(23));
    DrawLine(Image1, 4, 30, 4, 106, ink(20));
    // 9.
    DrawLine(Image1, 0, 108, 128, 108, ink(6));
    // 10.
    FillGradient(Image1, {5, 68, 128, 88}, ink(21), ink(22));
    // 11.
    DrawText(10, 35, QStringLiteral("Style: Loud"), ink(2));
    DrawText(15, 53, QStringLiteral("Loud Detail"), ink(2));
    DrawText(10, 71, QStringLiteral("Ring Lights: Energiz..."), ink(3));
    DrawText(10, 89, QStringLiteral("Event Lights: On"), ink(2));
    // 12.
    DrawLine(Image1, 40, 47, 128, 47, ink(32));
    DrawLine(Image1, 80, 100, 128, 100, ink(32));
    DrawLine(Image1, 71, 83, 128, 83, ink(33));
}

}  // namespace tintora
