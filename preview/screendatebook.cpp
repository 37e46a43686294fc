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
        HorizontalLines(canvas_, 33 + shift, 44 + shift, (dow - 1) * 18 + 1, dow * 18 + 1, cellInk);
    };

    PaintBackground();
    PaintIconLayer();
    CopyPixels(snapshot_, canvas_);
    PaintSoftKeyBar(snapshot_, SoftKeys::AllThree, QStringLiteral("EXIT"),
                    QStringLiteral("WEEK"));
    PaintTitleBar(0);
    DrawCentredText(64, 3,
                    QLatin1String(MonthNames[today.month() - 1]) + ' ' +
                        QString::number(today.year()),
                    ink(Element::TitleText));
    pictures_.datebookTabs.draw(canvas_, 0, 0, noElement());
    MenuKeyGlyph();
    // The row of weekday letters.
    HorizontalLines(canvas_, 16, 32, 2, 126, ink(Element::WeekBackground));
    // The table, from the first day's cell to the last day's, in five or six week rows.
    const Ink table = ink(Element::CalendarTable);
    HorizontalLines(canvas_, 33, 44, (firstDow - 1) * 18 + 1, 126, table);
    HorizontalLines(canvas_, 45, 79, 1, 126, table);
    if (WeekRowsInMonth(days, firstDow) == 6) {
        HorizontalLines(canvas_, 80, 92, 1, 126, table);
        HorizontalLines(canvas_, 92, 104, 1, lastDow * 18 + 1, table);
    } else {
        HorizontalLines(canvas_, 80, 92, 1, lastDow * 18 + 1, table);
    }
    // Today's weekday letter and day cell.
    HorizontalLines(canvas_, 16, 32, (todayDow - 1) * 18 + 1, todayDow * 18 + 1,
                    ink(Element::TodayBackground));
    fillDayCell(today.day(), ink(Element::TodayBackground));
    // The chosen day's cell in the highlight. The setting itself is mended; a day 0 from
    // the settings file is drawn as day 1.
    if (settings_.ChoosedDate > days)
        settings_.ChoosedDate = 1;
    const int chosen = settings_.ChoosedDate == 0 ? 1 : settings_.ChoosedDate;
    fillDayCell(chosen, ink(Element::HighlightTop));
    // Weekday letters and days: the weekend in its own colour, today and the chosen day in
    // theirs.
    const auto weekdayInk = [this](int dow) {
        return ink(dow >= 6 ? Element::DatebookDayOffText : Element::MainText);
    };
    for (int k = 1; k <= 7; ++k) {
        const Ink letterInk = k == todayDow ? ink(Element::TodayText) : weekdayInk(k);
        DrawCentredText(18 * k - 8, 15, QString(QLatin1Char(WeekdayInitials[k - 1])),
                        letterInk, kWeekdayLetterPixels);
    }
    for (int day = 1; day <= days; ++day) {
        const int dow = weekdayOf(day);
        Ink dayInk = weekdayInk(dow);
        if (day == today.day())
            dayInk = ink(Element::TodayText);
        if (day == chosen)
            dayInk = ink(Element::MainTextSelected);
        DrawText((dow - 1) * 18 + 3, WeekRowOfDay(day, firstDow) * 12 + 20,
                 QString::number(day), dayInk);
    }
    // The table's lines: six between the columns, six between the rows.
    for (int k = 1; k <= 6; ++k)
        DrawLine(canvas_, 18 * k + 1, 16, 18 * k + 1, 105, ink(Element::CalendarVerticalLine));
    for (int k = 1; k <= 6; ++k)
        DrawLine(canvas_, 2, 12 * k + 20, 126, 12 * k + 20, ink(Element::CalendarHorizontalLine));
}

}  // namespace tintora
