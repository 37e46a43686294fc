// Screens 1 to 4: the icon menu, the pop-up list over it, the notice window, the submenu.
#include "preview.h"

namespace tintora {
namespace {

constexpr Colour kWhite = 0xFFFFFF;

}  // namespace

void Preview::PaintMainMenu()
{
    PaintBackground();
    PaintIconLayer();
    pictures_.iconGrid.draw(canvas_, 0, 0, noElement());
    // The bar and the title are blended with the icons as drawn so far.
    CopyPixels(snapshot_, canvas_);
    PaintSoftKeyBar(snapshot_, SoftKeys::LeftAndRight,
                    phonebookTitle_ ? QStringLiteral("EXIT") : QStringLiteral("BACK"),
                    QStringLiteral("SELECT"));
    PaintTitleBar(0);
    DrawCentredText(64, 3,
                    phonebookTitle_ ? QStringLiteral("Phonebook") : QStringLiteral("Multimedia"),
                    ink(Element::TitleText));
}

void Preview::PaintSelectMenuItem()
{
    // The backdrop is the main menu as reached from the multimedia menu.
    phonebookTitle_ = false;
    RepaintPreview(1);
    phonebookTitle_ = true;
    CopyPixels(snapshot_, canvas_);
    // Dimming: always half-way, whatever the icon background's own transparency; drawn
    // whole.
    const Colour dimming = colour(Element::IconMenuBackground);
    FillRect(dimmingLayer_, {0, 0, 128, 108}, dimming);
    BlendLayer(snapshot_, dimmingLayer_, 8, true, KeyColour(dimming), 0, 0);
    DrawPicture(canvas_, dimmingLayer_, 0, 0, std::nullopt,
                Mark(&map_, ElementNumber(Element::IconMenuBackground)));
    // The list's double border, round the list and round the scroll bar beside it.
    const Ink outer = ink(Element::MenuBorderOuter);
    const Ink inner = ink(Element::MenuBorderInner);
    DrawRectOutline(canvas_, {3, 30, 125, 108}, outer);
    DrawRectOutline(canvas_, {3, 30, 10, 108}, outer);
    DrawRectOutline(canvas_, {4, 31, 124, 107}, inner);
    DrawRectOutline(canvas_, {4, 31, 9, 107}, inner);
    VerticalLines(canvas_, 10, 122, 32, 106, ink(Element::SelectMenuBackground));
    // The scroll bar and its button, with a line above and below the button.
    VerticalLines(canvas_, 5, 7, 32, 106, ink(Element::ScrollBar));
    FillGradient(canvas_, {5, 38, 7, 63}, ink(Element::ScrollButtonTop),
                 ink(Element::ScrollButtonBottom));
    DrawLine(canvas_, 5, 37, 7, 37, ink(Element::ScrollButtonUpperLine));
    DrawLine(canvas_, 5, 64, 7, 64, ink(Element::ScrollButtonLowerLine));
    DrawLine(canvas_, 0, 108, 128, 108, ink(Element::SoftKeyBarLine));
    // The highlight of the selected second row, then the rows' texts and icons.
    FillGradient(canvas_, {10, 50, 122, 70}, ink(Element::HighlightTop),
                 ink(Element::HighlightBottom));
    DrawText(30, 35, QStringLiteral("Themes"), ink(Element::MainText));
    DrawText(30, 53, QStringLiteral("Sounds"), ink(Element::MainTextSelected));
    DrawText(30, 71, QStringLiteral("Camera"), ink(Element::MainText));
    DrawText(30, 89, QStringLiteral("Videos"), ink(Element::MainText));
    pictures_.picturesIcon.draw(canvas_, 12, 32, noElement());
    pictures_.soundIcon.draw(canvas_, 12, 51, noElement());
    pictures_.cameraIcon.draw(canvas_, 12, 69, noElement());
    pictures_.videoIcon.draw(canvas_, 12, 86, noElement());
}

// Texts here use the preview font that the other screens leave on the canvas.
void Preview::PaintNoticeWindow()
{
    VerticalLines(canvas_, 1, 128, 1, 129, fixed(kWhite));
    // The window's body between its inner side lines, under a title with the globe sign.
    const Ink inner = ink(Element::MenuBorderInner);
    DrawLine(canvas_, 4, 51, 4, 107, inner);
    DrawLine(canvas_, 124, 51, 124, 107, inner);
    VerticalLines(canvas_, 5, 123, 52, 106, ink(Element::SelectMenuBackground));
    FillGradient(canvas_, {3, 15, 125, 51}, ink(Element::NoticeTitleTop),
                 ink(Element::NoticeTitleBottom));
    pictures_.globeSign.draw(canvas_, 7, 15, noElement());
    DrawPath(canvas_, {{3, 51}, {3, 15}, {125, 15}, {125, 51}}, ink(Element::NoticeTitleOutline));
    frameBrush_.reset();
    DrawCentredText(80, 20, QStringLiteral("Launching"), ink(Element::NoticeTitleText));
    DrawCentredText(80, 35, QStringLiteral("Browser"), ink(Element::NoticeTitleText));
    // The outer side lines.
    const Ink outer = ink(Element::MenuBorderOuter);
    DrawLine(canvas_, 3, 51, 3, 107, outer);
    DrawLine(canvas_, 125, 51, 125, 107, outer);
    // The soft-key bar straight onto the preview: no layers, no transparency.
    FillGradient(canvas_, {0, 108, 128, 128}, ink(Element::SoftKeyBarTop),
                 ink(Element::SoftKeyBarBottom));
    if (settings_.PressedSoftKey == 0 || settings_.PressedSoftKey == 2) {
        const int left = settings_.PressedSoftKey == 0 ? 0 : 73;
        FillGradient(canvas_, {left, 108, left + 55, 128}, ink(Element::PressedKeyTop),
                     ink(Element::PressedKeyBottom));
    }
    DrawText(3, 112, QStringLiteral("CANCEL"), softKeyInk(0));
    const QString accept = QStringLiteral("ACCEPT");
    DrawText(125 - TextWidth(accept), 112, accept, softKeyInk(2));
    // One row above the bar, which keeps its gradient top row.
    DrawLine(canvas_, 0, 107, 128, 107, ink(Element::SoftKeyBarLine));
    DrawCentredText(64, 65, QStringLiteral("Additional call charges"), ink(Element::MainText));
    DrawCentredText(64, 80, QStringLiteral("may apply"), ink(Element::MainText));
}

void Preview::PaintSelectSubmenuItem()
{
    PaintBackground();
    PaintIconLayer();
    pictures_.statusStrip.draw(canvas_, 0, 0, noElement());
    CopyPixels(snapshot_, canvas_);
    PaintSoftKeyBar(snapshot_, SoftKeys::LeftAndRight, QStringLiteral("BACK"),
                    QStringLiteral("CHANGE"));
    // Below the status strip: blended with the icon layer, not the strip.
    PaintTitleBar(15);
    DrawCentredText(64, 16, QStringLiteral("Ring Styles"), ink(Element::TitleText));
    // A narrow scroll bar at the left with the menu's inner border beside it.
    VerticalLines(canvas_, 1, 3, 30, 106, ink(Element::ScrollBar));
    DrawLine(canvas_, 4, 30, 4, 106, ink(Element::MenuBorderInner));
    DrawLine(canvas_, 0, 108, 128, 108, ink(Element::SoftKeyBarLine));
    FillGradient(canvas_, {5, 68, 128, 88}, ink(Element::HighlightTop),
                 ink(Element::HighlightBottom));
    DrawText(10, 35, QStringLiteral("Style: Loud"), ink(Element::MainText));
    DrawText(15, 53, QStringLiteral("Loud Detail"), ink(Element::MainText));
    DrawText(10, 71, QStringLiteral("Ring Lights: Energiz..."), ink(Element::MainTextSelected));
    DrawText(10, 89, QStringLiteral("Event Lights: On"), ink(Element::MainText));
    // The value rows' underlines; the selected row's is its own element.
    DrawLine(canvas_, 40, 47, 128, 47, ink(Element::SubmenuUnderline));
    DrawLine(canvas_, 80, 100, 128, 100, ink(Element::SubmenuUnderline));
    DrawLine(canvas_, 71, 83, 128, 83, ink(Element::SubmenuUnderlineSelected));
}

}  // namespace tintora
