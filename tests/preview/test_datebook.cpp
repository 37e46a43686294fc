#include "previewfixture.h"

#include "preview/screendatebook.h"

#include <tuple>

namespace tintora::testing {
namespace {

TEST(WeekRowsTest, RowsFollowTheWeekdayOfTheFirst)
{
    // March 2026 starts on a Sunday and has 31 days.
    EXPECT_EQ(WeekRowOfDay(1, 7), 1);
    EXPECT_EQ(WeekRowOfDay(2, 7), 2);
    EXPECT_EQ(WeekRowOfDay(8, 7), 2);
    EXPECT_EQ(WeekRowOfDay(9, 7), 3);
    EXPECT_EQ(WeekRowOfDay(31, 7), 6);
    EXPECT_EQ(WeekRowsInMonth(31, 7), 6);
    // February 2021 starts on a Monday and has 28 days.
    EXPECT_EQ(WeekRowOfDay(7, 1), 1);
    EXPECT_EQ(WeekRowOfDay(8, 1), 2);
    EXPECT_EQ(WeekRowsInMonth(28, 1), 4);
}

class DatebookTest : public PreviewTest {
protected:
    void today(int year, int month, int day) { clock.set(QDateTime(QDate(year, month, day), QTime(12, 0))); }
    // The bottom row of a day cell, right of its number: clear of text and grid.
    Colour cell(int column, int row) const { return at(column * 18 - 1, 43 + (row - 1) * 12); }
    // Column and week row of a day, counted from the weekday of the first.
    static std::pair<int, int> place(const QDate &date)
    {
        const int index = QDate(date.year(), date.month(), 1).dayOfWeek() - 1 + date.day() - 1;
        return {index % 7 + 1, index / 7 + 1};
    }
    // Whether a cell holds a number: anything but one colour inside its grid lines.
    bool holdsNumber(int column, int row) const
    {
        const Colour first = at((column - 1) * 18 + 2, 33 + (row - 1) * 12);
        for (int y = 33 + (row - 1) * 12; y < 44 + (row - 1) * 12; ++y)
            for (int x = (column - 1) * 18 + 2; x < column * 18 + 1; ++x)
                if (at(x, y) != first)
                    return true;
        return false;
    }
    // Whether a day's number shows in that colour in its cell.
    bool numberIn(int column, int row, Colour colour) const
    {
        for (int y = 32 + (row - 1) * 12; y < 43 + (row - 1) * 12; ++y)
            for (int x = (column - 1) * 18 + 2; x < column * 18; ++x)
                if (at(x, y) == colour)
                    return true;
        return false;
    }
};

TEST_F(DatebookTest, March2026HasSixRows)
{
    today(2026, 3, 10);  // a Tuesday
    settings.ChoosedDate = 20;  // a Friday
    paint(5);
    EXPECT_NE(cell(6, 1), c(35));  // before the first: the icon layer
    EXPECT_EQ(at(108, 43), c(13));
    EXPECT_EQ(at(109, 43), c(39));  // the grid line opens the first row
    EXPECT_EQ(at(110, 43), c(35));
    EXPECT_EQ(at(126, 43), c(13));  // the table stops short of the right edge
    EXPECT_EQ(cell(7, 1), c(35));
    EXPECT_TRUE(numberIn(7, 1, c(63)));  // day 1, a Sunday
    EXPECT_TRUE(numberIn(2, 6, c(2)));   // day 31, a Tuesday in the sixth row
    EXPECT_EQ(cell(1, 6), c(35));
    EXPECT_EQ(cell(2, 6), c(35));
    EXPECT_EQ(at(36, 103), c(35));       // the sixth row ends at day 31's column ...
    EXPECT_EQ(at(38, 103), c(13));       // ... and no further
    EXPECT_EQ(cell(2, 3), c(36));        // today, 10 March
    EXPECT_TRUE(numberIn(2, 3, c(37)));
    EXPECT_EQ(at(20, 20), c(36));        // and its weekday's header cell
    EXPECT_EQ(cell(5, 4), c(21));        // the chosen 20th
    EXPECT_TRUE(numberIn(5, 4, c(3)));
    EXPECT_EQ(at(3, 20), c(34));
    EXPECT_EQ(at(19, 50), c(39));
    EXPECT_EQ(at(19, 104), c(39));
    EXPECT_EQ(at(19, 105), c(13));
    EXPECT_EQ(at(2, 56), c(38));
    EXPECT_EQ(at(125, 92), c(38));
    EXPECT_EQ(at(126, 92), c(13));
    EXPECT_EQ(settings.ChoosedDate, 20);
}

TEST_F(DatebookTest, February2021HasFourRowsButTheFifthBandIsFilled)
{
    today(2021, 2, 3);
    paint(5);
    EXPECT_EQ(cell(1, 1), c(21));  // the chosen first
    EXPECT_EQ(cell(2, 1), c(35));
    EXPECT_EQ(at(2, 91), c(35));
    EXPECT_EQ(at(125, 91), c(35));
    EXPECT_EQ(at(2, 93), c(13));
    EXPECT_FALSE(numberIn(1, 5, c(2)));
}

TEST_F(DatebookTest, ChosenDayPastTheMonthBecomesTheFirst)
{
    today(2026, 4, 15);  // April has 30 days
    settings.ChoosedDate = 31;
    paint(5);
    EXPECT_EQ(settings.ChoosedDate, 1);
    // 1 April 2026 is a Wednesday.
    EXPECT_EQ(cell(3, 1), c(21));
    EXPECT_TRUE(numberIn(3, 1, c(3)));

    settings.ChoosedDate = 0;  // not from the dialog; drawn as the first, kept as it is
    paint(5);
    EXPECT_EQ(settings.ChoosedDate, 0);
    EXPECT_EQ(cell(3, 1), c(21));
}

TEST_F(DatebookTest, TodayAsTheChosenDayShowsTheChoice)
{
    today(2026, 4, 15);
    settings.ChoosedDate = 15;
    paint(5);
    EXPECT_EQ(cell(3, 3), c(21));
    EXPECT_TRUE(numberIn(3, 3, c(3)));
    EXPECT_FALSE(numberIn(3, 3, c(37)));
}

TEST_F(DatebookTest, WeekendLettersAndTodaysLetter)
{
    const auto letterShows = [this](int k, Colour colour) {
        for (int y = 16; y < 32; ++y)
            for (int x = (k - 1) * 18 + 2; x < k * 18; ++x)
                if (at(x, y) == colour)
                    return true;
        return false;
    };
    today(2026, 12, 5);  // a Saturday
    paint(5);
    EXPECT_TRUE(letterShows(6, c(37)));
    EXPECT_FALSE(letterShows(6, c(63)));
    EXPECT_TRUE(letterShows(7, c(63)));
    EXPECT_TRUE(letterShows(1, c(2)));
    EXPECT_EQ(at(92, 17), c(36));
}

// Month lengths typed from the calendar, not computed: 2100 is no leap year, 2000 is.
TEST_F(DatebookTest, MonthsHaveTheirGregorianLength)
{
    const std::tuple<int, int, int> months[] = {{2100, 2, 28}, {2000, 2, 29}, {2024, 2, 29},
                                                {2023, 2, 28}, {2026, 4, 30}, {2026, 12, 31}};
    for (auto [year, month, days] : months) {
        SCOPED_TRACE(::testing::Message() << year << "-" << month);
        today(year, month, 1);
        settings.ChoosedDate = 1;
        paint(5);
        const auto [lastColumn, lastRow] = place(QDate(year, month, 1).addDays(days - 1));
        EXPECT_TRUE(holdsNumber(lastColumn, lastRow));
        const int after = QDate(year, month, 1).dayOfWeek() - 1 + days;
        EXPECT_FALSE(holdsNumber(after % 7 + 1, after / 7 + 1));
    }
}

// Every number and letter in its colour: weekends in element 63, today in 37, the chosen
// day in 3, the rest in 2.
TEST_F(DatebookTest, EveryDayNumberAndLetterInItsColour)
{
    today(2026, 3, 10);  // a Tuesday; March 2026 starts on a Sunday
    settings.ChoosedDate = 21;  // a Saturday
    paint(5);
    for (int day = 1; day <= 31; ++day) {
        const QDate date(2026, 3, day);
        const int weekday = date.dayOfWeek();
        Colour expected = weekday >= 6 ? c(63) : c(2);
        if (day == 10)
            expected = c(37);
        if (day == 21)
            expected = c(3);
        const auto [column, row] = place(date);
        EXPECT_EQ(column, weekday);
        EXPECT_TRUE(numberIn(column, row, expected)) << "day " << day;
    }
    for (int k = 1; k <= 7; ++k) {
        const Colour expected = k == 2 ? c(37) : k >= 6 ? c(63) : c(2);
        bool shown = false;
        for (int y = 16; y < 32; ++y)
            for (int x = (k - 1) * 18 + 2; x < k * 18 + 1; ++x)
                shown = shown || at(x, y) == expected;
        EXPECT_TRUE(shown) << "letter " << k;
    }
}

TEST_F(DatebookTest, TitleNamesMonthAndYear)
{
    today(2026, 12, 5);
    paint(5);
    const QImage december = preview.image().copy();
    today(2026, 11, 5);
    paint(5);
    // Only the title and the table differ; the bar and its glyph stay.
    for (int y = 109; y < 127; ++y)
        for (int x = 1; x < 127; ++x)
            ASSERT_EQ(at(x, y), PixelAt(december, x, y));
    EXPECT_EQ(at(62, 120), 0u);
}

}  // namespace
}  // namespace tintora::testing
