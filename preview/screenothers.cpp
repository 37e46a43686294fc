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
    // 1.
    PaintBackground();
    // 2.
    PaintIconLayer();
    // 3.
    PaintSoftKeyBar(BackgroundPicture, SoftKeys::LeftAndRight, QStringLiteral("DELETE"),
                    QStringLiteral("SELECT"));
    // 4.
    HorizontalLines(Image1, 14, 27, 0, 128, ink(1));
    // 5.
    pictures_.UPSTRING.draw(Image1, 0, 0, noElement());
    pictures_.ITAP.draw(Image1, 3, 15, noElement());
    // 6.
    DrawText(37, 15, QStringLiteral("Msg"), ink(16));
    DrawText(108, 15, QStringLiteral("442"), ink(3));
    // 7. Opaque, whatever element 13's transparency.
    HorizontalLines(Image1, 28, 107, 0, 128, ink(13));
    // 8.
    for (int y : {45, 63, 81})
        DrawLine(Image1, 7, y, 128, y, ink(32));
    // 9.
    const QString typed = QStringLiteral("Motoro");
    const int w = TextWidth(typed);
    DrawText(7, 33, typed, ink(2));
    DrawText(w + 9, 33, QStringLiteral("la"), fixed(kGrey));
    // 10.
    DrawLine(Image1, w + 7, 45, w + 7, 30, ink(40));
    // 11.
    for (int k = 1; k <= 5; ++k)
        DrawLine(Image1, 55 + k, 41 - k, 65 - k, 41 - k, fixed(kGrey));
    // 12.
    HorizontalLines(Image1, 90, 107, 3, 128, ink(41));
    // 13.
    HorizontalLines(Image1, 90, 107, 19, w + 21, ink(21));
    // 14.
    DrawText(20, 92, typed, ink(3));
    // 15.
    pictures_.ARROW.draw(Image1, 105, 90, noElement());
}

void Preview::PaintMultimedia()
{
    // 1.
    PaintBackground();
    // 2. No icon layer on this screen.
    PaintSoftKeyBar(BackgroundPicture, SoftKeys::AllThree, QStringLiteral("BACK"),
                    QStringLiteral("DETAILS"));
    // 3.
    MenuKeyGlyph();
    // 4. Covers the background everywhere above the bar.
    HorizontalLines(Image1, 1, 107, 0, 128, ink(43));
    // 5.
    DrawText(5, 15, QStringLiteral("Kestrova - Connec..."), ink(44));
    DrawText(5, 30, QStringLiteral("0:56"), ink(44));
    DrawText(5, 45, QStringLiteral("48 kbps                 336Kb"), ink(44));
    DrawText(65, 80, QStringLiteral("Playing..."), ink(44));
    // 6.
    pictures_.PLAY.draw(Image1, 5, 75, noElement());
    // 7.
    FillGradient(Image1, {40, 95, 125, 105}, ink(48), ink(49));
    // 8.
    HorizontalLines(Image1, 95, 104, 50, 55, ink(45));
    // 9.
    DrawPath(Image1, {{50, 104}, {50, 95}, {55, 95}}, ink(47));
    // 10.
    DrawLine(Image1, 55, 95, 55, 104, ink(46));
}

void Preview::PaintOthers()
{
    // 1.
    frameBrush_ = ButtonFaceColour();
    FillRect(Image1, {0, 0, 128, 128}, fixed(kWhite));
    // 2. The final frame fills the square with that brush.
}

}  // namespace tintora
