#include "previewfixture.h"

#include "preview/previewtext.h"
#include "preview/screenmain.h"

#include <set>

namespace tintora::testing {
namespace {

TEST(FormatDateTextTest, SixthOfDecember2026InEveryFormat)
{
    const QDate date(2026, 12, 6);
    EXPECT_EQ(FormatDateText(date, 0), QStringLiteral("12 6 26"));
    EXPECT_EQ(FormatDateText(date, 1), QStringLiteral("6 12 26"));
    EXPECT_EQ(FormatDateText(date, 2), QStringLiteral("6-DEC-26"));
    EXPECT_EQ(FormatDateText(date, 3), QString());
    EXPECT_EQ(FormatDateText(date, 200), QString());
}

TEST(FormatDateTextTest, MonthNamesPaddingAndCenturies)
{
    EXPECT_EQ(FormatDateText(QDate(2026, 9, 15), 2), QStringLiteral("15-SPT-26"));
    EXPECT_EQ(FormatDateText(QDate(2009, 1, 31), 0), QStringLiteral("01 31 09"));
    EXPECT_EQ(FormatDateText(QDate(1999, 5, 2), 1), QStringLiteral("2 05 -1"));
    EXPECT_EQ(FormatDateText(QDate(2100, 3, 1), 2), QStringLiteral("1-MAR-100"));
    EXPECT_EQ(PadTwoDigits(QStringLiteral("7")), QStringLiteral("07"));
    EXPECT_EQ(PadTwoDigits(QString()), QString());
    EXPECT_EQ(PadTwoDigits(QStringLiteral("123")), QStringLiteral("123"));
}

class MainScreenTest : public PreviewTest {
protected:
    QImage paintCopy(int screen) { return paint(screen).copy(); }
    // The pixels that the coloured pass of the hands paints: those that follow element 5.
    std::set<std::pair<int, int>> handPixels()
    {
        const Colour own = c(5);
        const QImage first = paintCopy(0);
        scheme.entry(5).colour = own ^ 0x00FF00;
        const QImage second = paintCopy(0);
        scheme.entry(5).colour = own;
        std::set<std::pair<int, int>> pixels;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                if (PixelAt(first, x, y) != PixelAt(second, x, y))
                    pixels.insert({x, y});
        return pixels;
    }
    // The pixels of an outlined text drawn alone onto a canvas of the background colour.
    QImage outlined(int x, int y, const QString &text)
    {
        QImage expected = NewCanvas(128, 128);
        FillRect(expected, {0, 0, 128, 128}, c(1));
        PreviewText drawer;
        for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, -1}, {-1, 1},
                              {1, 1}, {1, -1}})
            drawer.draw(expected, x + dx, y + dy, text, c(4), kTextPixels);
        drawer.draw(expected, x, y, text, c(2), kTextPixels);
        return expected;
    }
    void expectSameRegion(const QImage &expected, const QRect &region)
    {
        int differing = 0;
        for (int y = region.top(); y <= region.bottom(); ++y)
            for (int x = region.left(); x <= region.right(); ++x)
                differing += PixelAt(expected, x, y) != at(x, y);
        EXPECT_EQ(differing, 0);
    }
};

TEST_F(MainScreenTest, DigitalClockPadsHoursAndMinutes)
{
    settings.ClockFormat = 1;
    for (auto [time, text] : {std::pair{QTime(9, 5), "09:05"}, {QTime(23, 59), "23:59"}}) {
        clock.set(QDateTime(QDate(2026, 12, 6), time));
        paint(0);
        expectSameRegion(outlined(100, 95, QString::fromLatin1(text)), QRect(99, 94, 28, 14));
    }
}

TEST_F(MainScreenTest, OperatorAndDateAreOutlined)
{
    settings.DateFormat = 0;
    paint(0);
    expectSameRegion(outlined(5, 15, QStringLiteral("BEE LINE")), QRect(1, 14, 90, 14));
    expectSameRegion(outlined(5, 30, QStringLiteral("12 6 26")), QRect(1, 29, 90, 14));

    // No date and no operator: the background shows there.
    settings.DateFormat = 3;
    settings.ProviderName.clear();
    paint(0);
    for (int y = 14; y < 45; ++y)
        for (int x = 1; x < 90; ++x)
            ASSERT_EQ(at(x, y), c(1)) << x << "," << y;
}

TEST_F(MainScreenTest, AnalogHandsAtThreeOClock)
{
    clock.set(QDateTime(QDate(2026, 12, 6), QTime(3, 0)));
    paint(0);
    // Hour hand: from the centre to (121, 95), its end left out.
    for (int x = 115; x < 121; ++x)
        EXPECT_EQ(at(x, 95), c(5)) << x;
    EXPECT_EQ(at(121, 95), c(1));
    // Minute hand: straight up to (115, 86), where the white twelve o'clock tick shows.
    for (int y = 87; y <= 95; ++y)
        EXPECT_EQ(at(115, y), c(5)) << y;
    EXPECT_EQ(at(115, 86), 0xFFFFFFu);
    // The black shadow lies one pixel right of and below.
    EXPECT_EQ(at(121, 96), 0x000000u);
    EXPECT_EQ(at(116, 87), 0x000000u);
    // Quarter ticks from radius 8 to 10 at three, six and nine o'clock.
    EXPECT_EQ(at(123, 95), 0xFFFFFFu);
    EXPECT_EQ(at(124, 95), 0xFFFFFFu);
    EXPECT_EQ(at(115, 103), 0xFFFFFFu);
    EXPECT_EQ(at(107, 95), 0xFFFFFFu);

    // At 15:30 the minute hand points down and the hour hand half past three.
    clock.set(QDateTime(QDate(2026, 12, 6), QTime(15, 30)));
    paint(0);
    EXPECT_EQ(at(115, 103), c(5));
    EXPECT_EQ(at(115, 102), c(5));
    EXPECT_EQ(at(115, 87), 0xFFFFFFu);
}

// Tips worked out by hand from radius 6 (hour) and 9 (minute) around (115, 95), truncated:
// the hour hand moves on with the minutes, and the afternoon's hands are the morning's.
TEST_F(MainScreenTest, HandsEndWhereTheirAnglesPoint)
{
    struct Case {
        QTime time;
        QPoint hourTip, minuteTip;
    };
    const Case cases[] = {
        {QTime(3, 30), {120, 96}, {115, 104}},   // hour at 15 degrees past three
        {QTime(10, 50), {111, 90}, {107, 90}},   // 235 and 210 degrees
        {QTime(18, 15), {114, 100}, {124, 95}},  // 97.5 degrees
        {QTime(11, 0), {112, 89}, {115, 86}},    // 240 degrees: cos is -0.5 exactly
        {QTime(23, 0), {112, 89}, {115, 86}},
        {QTime(0, 0), {115, 89}, {115, 86}},
        {QTime(12, 0), {115, 89}, {115, 86}},
    };
    for (const Case &each : cases) {
        clock.set(QDateTime(QDate(2026, 12, 6), each.time));
        QImage expected = NewCanvas(128, 128);
        FillRect(expected, {0, 0, 128, 128}, 0);
        DrawLine(expected, 115, 95, each.hourTip.x(), each.hourTip.y(), 0xFFFFFF);
        DrawLine(expected, 115, 95, each.minuteTip.x(), each.minuteTip.y(), 0xFFFFFF);
        std::set<std::pair<int, int>> expectedPixels;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                if (PixelAt(expected, x, y) != 0)
                    expectedPixels.insert({x, y});
        EXPECT_EQ(handPixels(), expectedPixels)
            << each.time.toString().toStdString();
    }
}

TEST_F(MainScreenTest, EveryAfternoonMinuteLooksLikeTheMorningOne)
{
    settings.DateFormat = 3;
    for (int minutes = 0; minutes < 12 * 60; ++minutes) {
        const QTime morning(minutes / 60, minutes % 60);
        clock.set(QDateTime(QDate(2026, 12, 6), morning));
        const QImage am = paintCopy(0);
        clock.set(QDateTime(QDate(2026, 12, 6), morning.addSecs(12 * 3600)));
        ASSERT_TRUE(paintCopy(0) == am) << "at " << morning.toString().toStdString() << " + 12 h";
    }
}

}  // namespace
}  // namespace tintora::testing
