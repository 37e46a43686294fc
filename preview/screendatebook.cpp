// Screen 5, the datebook: the current month as a table of week rows.
#include "screendatebook.h"

#include "preview.h"

namespace tintora {

const std::array<const char *, 12> MonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

const char WeekdayInitials[8] = "MTWTFSS";

int WeekRowOfDay(int day, int firstDow)
{
    const int cells = day + firstDow - 1;
    return cells / 7 + (cells % 7 != 0 ? 1 : 0);
}

int WeekRowsInMonth(int daysInMonth, int firstDow)
{
    return WeekRowOfDay(daysInMonth, firstDow);
}

void Preview::PaintDatebook()
{
    const QDate today = clock_.now().date();
    const int days = today.daysInMonth();
    const int firstDow = QDate(today.year(), today.month(), 1).dayOfWeek();
    const int lastDow = QDate(today.year(), today.month(), days).dayOfWeek();
    const int todayDow = today.dayOfWeek();
    const auto weekdayOf = [firstDow](int day) { return (firstDow - 1 + day - 1) % 7 + 1; };
    // The cell of a day: lines for the day's twelve rows, over its column.
    const auto fillDayCell = [&](int day, const Ink &cellInk) {
        const int dow = weekdayOf(day);
        const int shift = (WeekRowOfDay(day, firstDow) - 1) * 12;
        HorizontalLines(Image1, 33 + shift, 44 + shift, (dow - 1) * 18 + 1, dow * 18 + 1, cellInk);
    };

    // 1.
    PaintBackground();
    // 2.
    PaintIconLayer();
    // 3.
    CopyPixels(PreviewSnapshot, Image1);
    // 4.
    PaintSoftKeyBar(PreviewSnapshot, SoftKeys::AllThree, QStringLiteral("EXIT"),
                    QStringLiteral("WEEK"));
    // 5.
    PaintTitleBar(0);
    // 6.
    DrawCentredText(64, 3,
                    QLatin1String(MonthNames[today.month() - 1]) + ' ' +
                        QString::number(today.year()),
                    ink(16));
    // 7.
    pictures_.BUTTONS.draw(Image1, 0, 0, noElement());
    // 8.
    MenuKeyGlyph();
    // 9.
    HorizontalLines(Image1, 16, 32, 2, 126, ink(34));
    // 10.
    HorizontalLines(Image1, 33, 44, (firstDow - 1) * 18 + 1, 126, ink(35));
    HorizontalLines(Image1, 45, 79, 1, 126, ink(35));
    if (WeekRowsInMonth(days, firstDow) == 6) {
        HorizontalLines(Image1, 80, 92, 1, 126, ink(35));
        HorizontalLines(Image1, 92, 104, 1, lastDow * 18 + 1, ink(35));
    } else {
        HorizontalLines(Image1, 80, 92, 1, lastDow * 18 + 1, ink(35));
    }
    // 11.
    HorizontalLines(Image1, 16, 32, (todayDow - 1) * 18 + 1, todayDow * 18 + 1, ink(36));
    fillDayCell(today.day(), ink(36));
    // 12. The setting itself is mended; a day 0 from the settings file is drawn as day 1.
    if (settings_.ChoosedDate > days)
        settings_.ChoosedDate = 1;
    const int chosen = settings_.ChoosedDate == 0 ? 1 : settings_.ChoosedDate;
    fillDayCell(chosen, ink(21));
    // 13.
    for (int k = 1; k <= 7; ++k) {
        Ink letterInk = ink(k >= 6 ? 63 : 2);
        if (k == todayDow)
            letterInk = ink(37);
        DrawCentredText(18 * k - 8, 15, QString(QLatin1Char(WeekdayInitials[k - 1])),
                        letterInk, kWeekdayLetterPixels);
    }
    // 14.
    for (int day = 1; day <= days; ++day) {
        const int dow = weekdayOf(day);
        Ink dayInk = ink(dow >= 6 ? 63 : 2);
        if (day == today.day())
            dayInk = ink(37);
        if (day == chosen)
            dayInk = ink(3);
        DrawText((dow - 1) * 18 + 3, WeekRowOfDay(day, firstDow) * 12 + 20,
                 QString::number(day), dayInk);
    }
    // 15.
    for (int k = 1; k <= 6; ++k)
        DrawLine(Image1, 18 * k + 1, 16, 18 * k + 1, 105, ink(39));
    // 16.
    for (int k = 1; k <= 6; ++k)
        DrawLine(Image1, 2, 12 * k + 20, 126, 12 * k + 20, ink(38));
}

}  // namespace tintora
