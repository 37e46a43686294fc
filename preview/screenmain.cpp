// Screen 0, the idle screen.
#include "screenmain.h"

#include "preview.h"

#include <cmath>
#include <numbers>

namespace tintora {
namespace {

constexpr double kPi = std::numbers::pi;

QPoint ClockPoint(int cx, int cy, double radius, double angle)
{
    return {static_cast<int>(std::trunc(cx + radius * std::cos(angle))),
            static_cast<int>(std::trunc(cy + radius * std::sin(angle)))};
}

void RadialLine(QImage &canvas, int cx, int cy, double from, double to, double angle,
                const Ink &ink)
{
    const QPoint a = ClockPoint(cx, cy, from, angle);
    const QPoint b = ClockPoint(cx, cy, to, angle);
    DrawLine(canvas, a.x(), a.y(), b.x(), b.y(), ink);
}

}  // namespace

const std::array<const char *, 12> ShortMonthNames = {
    "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SPT", "OCT", "NOV", "DEC"};

QString PadTwoDigits(const QString &text)
{
    return text.size() == 1 ? QStringLiteral("0") + text : text;
}

QString FormatDateText(const QDate &today, int dateFormat)
{
    const QString yy = PadTwoDigits(QString::number(today.year() - 2000));
    const QString mm = PadTwoDigits(QString::number(today.month()));
    const QString d = QString::number(today.day());
    switch (dateFormat) {
    case 0: return mm + ' ' + d + ' ' + yy;
    case 1: return d + ' ' + mm + ' ' + yy;
    case 2: return d + '-' + QLatin1String(ShortMonthNames[today.month() - 1]) + '-' + yy;
    default: return {};
    }
}

void DrawAnalogClock(QImage &canvas, int cx, int cy, const Ink &hand, bool blackTicks,
                     const QTime &time)
{
    // The ticks belong to no element.
    const Ink tick(blackTicks ? 0x000000 : 0xFFFFFF, Mark(hand.mark.map, 0));
    // Thirteen short ticks round the dial (twelve o'clock twice), then longer ones at the
    // quarters.
    for (int i = 0; i <= 12; ++i)
        RadialLine(canvas, cx, cy, 9, 10, i * kPi / 6, tick);
    for (int i = 0; i <= 4; ++i)
        RadialLine(canvas, cx, cy, 8, 10, i * kPi / 2, tick);
    // The hour hand on the twelve-hour dial: past 2 pi the cosine at 23:00 falls a pixel
    // short of 11:00's.
    const double hourAngle = (time.hour() % 12 + time.minute() / 60.0) * kPi / 6 - kPi / 2;
    RadialLine(canvas, cx, cy, 0, 6, hourAngle, hand);
    const double minuteAngle = time.minute() * kPi / 30 - kPi / 2;
    RadialLine(canvas, cx, cy, 0, 9, minuteAngle, hand);
}

void Preview::PaintMainScreen()
{
    PaintBackground();
    PaintSoftKeyBar(background_, SoftKeys::AllThree, QStringLiteral("PH.BOOK"),
                    QStringLiteral("CAMERA"));
    MenuKeyGlyph();
    pictures_.statusStrip.draw(canvas_, 0, 0, noElement());
    const QDateTime now = clock_.now();
    // The provider and the date in the main text, outlined.
    const Ink text = ink(Element::MainText);
    const Ink outline = ink(Element::MainTextOutline);
    DrawOutlinedText(5, 15, text, settings_.ProviderName, outline);
    DrawOutlinedText(5, 30, text, FormatDateText(now.date(), settings_.DateFormat), outline);
    // The clock: an analogue one with a black shadow a pixel down and right, or the time
    // in digits like the date.
    switch (settings_.ClockFormat) {
    case 0:
        DrawAnalogClock(canvas_, 116, 96, fixed(0x000000), true, now.time());
        DrawAnalogClock(canvas_, 115, 95, ink(Element::ClockHands), false, now.time());
        break;
    case 1:
        DrawOutlinedText(100, 95, text,
                         PadTwoDigits(QString::number(now.time().hour())) + ':' +
                             PadTwoDigits(QString::number(now.time().minute())),
                         outline);
        break;
    default:
        break;
    }
}

}  // namespace tintora
