#pragma once

#include "primitives.h"

#include <QDate>
#include <QImage>
#include <QString>
#include <QTime>

#include <array>

namespace tintora {

extern const std::array<const char *, 12> ShortMonthNames;

// "0" before a one-character text; any other text unchanged.
QString PadTwoDigits(const QString &text);
// Today's date in the form of the DateFormat setting (0 "12 6 26", 1 "6 12 26",
// 2 "6-DEC-26", anything else empty).
QString FormatDateText(const QDate &today, int dateFormat);
// Ticks and hands of the clock centred on (cx, cy), showing the hour and minute of time.
void DrawAnalogClock(QImage &canvas, int cx, int cy, const Ink &hand, bool blackTicks,
                     const QTime &time);

}  // namespace tintora
