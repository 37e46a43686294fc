// Screens 6, 7 and 8: message entry, multimedia, and the elements without a picture.
#include "preview.h"

#include <QGuiApplication>
#include <QPalette>

namespace tintora {
namespace {

constexpr Colour kGrey = 0x808080;
constexpr Colour kWhite = 0xFFFFFF;

// The window system's button face; without a GUI (a console program) the common
// light grey of desktop themes.
Colour ButtonFaceColour()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return 0xF0F0F0;
    const QColor face = QGuiApplication::palette().color(QPalette::Button);
    return Colour(face.red()) | (Colour(face.green()) << 8) | (Colour(face.blue()) << 16);
}

}  // namespace

void Preview::PaintMessageEntry()
{
    PaintBackground();
    PaintIconLayer();
    PaintSoftKeyBar(background_, SoftKeys::LeftAndRight, QStringLiteral("DELETE"),
                    QStringLiteral("SELECT"));
    // The title row in the main background, under the status strip and the input mode.
    HorizontalLines(canvas_, 14, 27, 0, 128, ink(Element::MainBackground));
    pictures_.statusStrip.draw(canvas_, 0, 0, noElement());
    pictures_.inputModeSign.draw(canvas_, 3, 15, noElement());
    DrawText(37, 15, QStringLiteral("Msg"), ink(Element::TitleText));
    DrawText(108, 15, QStringLiteral("442"), ink(Element::MainTextSelected));
    // The page: opaque, whatever the icon background's transparency, with ruled lines.
    HorizontalLines(canvas_, 28, 107, 0, 128, ink(Element::IconMenuBackground));
    for (int y : {45, 63, 81})
        DrawLine(canvas_, 7, y, 128, y, ink(Element::SubmenuUnderline));
    // The word being typed, the rest of the predicted word in grey, the cursor between.
    const QString typed = QStringLiteral("Motoro");
    const int w = TextWidth(typed);
    DrawText(7, 33, typed, ink(Element::MainText));
    DrawText(w + 9, 33, QStringLiteral("la"), fixed(kGrey));
    DrawLine(canvas_, w + 7, 45, w + 7, 30, ink(Element::Cursor));
    // A small grey triangle above the line.
    for (int k = 1; k <= 5; ++k)
        DrawLine(canvas_, 55 + k, 41 - k, 65 - k, 41 - k, fixed(kGrey));
    // The iTap line of word choices, its first choice highlighted.
    HorizontalLines(canvas_, 90, 107, 3, 128, ink(Element::ITapLineBackground));
    HorizontalLines(canvas_, 90, 107, 19, w + 21, ink(Element::HighlightTop));
    DrawText(20, 92, typed, ink(Element::MainTextSelected));
    pictures_.rightArrow.draw(canvas_, 105, 90, noElement());
}

void Preview::PaintMultimedia()
{
    PaintBackground();
    // No icon layer on this screen.
    PaintSoftKeyBar(background_, SoftKeys::AllThree, QStringLiteral("BACK"),
                    QStringLiteral("DETAILS"));
    MenuKeyGlyph();
    // The information covers the background everywhere above the bar.
    HorizontalLines(canvas_, 1, 107, 0, 128, ink(Element::MediaInfoBackground));
    const Ink text = ink(Element::MediaDescriptionText);
    DrawText(5, 15, QStringLiteral("Kestrova - Connec..."), text);
    DrawText(5, 30, QStringLiteral("0:56"), text);
    DrawText(5, 45, QStringLiteral("48 kbps                 336Kb"), text);
    DrawText(65, 80, QStringLiteral("Playing..."), text);
    pictures_.playerControl.draw(canvas_, 5, 75, noElement());
    // The track bar with its button, lit at the upper left and shaded at the right.
    FillGradient(canvas_, {40, 95, 125, 105}, ink(Element::TrackBarTop),
                 ink(Element::TrackBarBottom));
    HorizontalLines(canvas_, 95, 104, 50, 55, ink(Element::TrackBarButton));
    DrawPath(canvas_, {{50, 104}, {50, 95}, {55, 95}}, ink(Element::TrackBarButtonUpperLeftLine));
    DrawLine(canvas_, 55, 95, 55, 104, ink(Element::TrackBarButtonRightLine));
}

void Preview::PaintOthers()
{
    frameBrush_ = ButtonFaceColour();
    FillRect(canvas_, {0, 0, 128, 128}, fixed(kWhite));
    // The final frame fills the square with that brush.
}

}  // namespace tintora
