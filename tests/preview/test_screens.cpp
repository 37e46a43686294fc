#include "previewfixture.h"

#include <QGuiApplication>
#include <QPalette>

#include <set>

namespace tintora::testing {
namespace {

class ScreensTest : public PreviewTest {
protected:
    bool shows(Colour colour) const
    {
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                if (at(x, y) == colour)
                    return true;
        return false;
    }
    // Gradient row j of 20 from element 7 to element 8, one channel at a time.
    Colour barRow(int j) const
    {
        Colour result = 0;
        for (int shift : {0, 8, 16}) {
            const int from = (c(7) >> shift) & 0xFF;
            const int to = (c(8) >> shift) & 0xFF;
            const int exact = from * 19 + (to - from) * j;  // over 19, never negative
            result |= Colour(exact / 19) << shift;
        }
        return result;
    }
};

TEST_F(ScreensTest, EveryScreenHasTheBlackFrame)
{
    for (int screen = 0; screen <= 9; ++screen) {
        paint(screen);
        for (int i = 0; i < 128; ++i) {
            ASSERT_EQ(at(i, 0), 0u) << "screen " << screen;
            ASSERT_EQ(at(i, 127), 0u) << "screen " << screen;
            ASSERT_EQ(at(0, i), 0u) << "screen " << screen;
            ASSERT_EQ(at(127, i), 0u) << "screen " << screen;
        }
    }
}

TEST_F(ScreensTest, AScreenPastTheListOnlyFramesTheLastPicture)
{
    paint(1);
    const QImage before = preview.image().copy();
    EXPECT_EQ(paint(9), before);
    EXPECT_EQ(paint(255), before);
}

TEST_F(ScreensTest, SoftKeyBarIsTheGradientMixedWithWhatIsUnder)
{
    scheme.entry(7) = {0x000000, 0};
    scheme.entry(8) = {0xFFFFFF, 0};
    paint(0);
    EXPECT_EQ(at(1, 108), c(6));
    for (int j = 1; j < 19; ++j)
        EXPECT_EQ(at(1, 108 + j), barRow(j)) << "row " << j;

    scheme.entry(7) = {0x2040E0, 8};
    scheme.entry(8) = {0xE04020, 8};
    paint(0);
    for (int j = 1; j < 19; ++j)
        EXPECT_EQ(at(1, 108 + j), MixedColour(c(1), barRow(j), 8)) << "row " << j;

    scheme.entry(7).transparency = 15;
    paint(0);
    EXPECT_EQ(at(1, 120), c(1));
}

TEST_F(ScreensTest, MiddleKeyHighlightOnlyOnScreensWithAMenuKey)
{
    scheme.entry(10) = {0x00FF00, 0};
    scheme.entry(11) = {0x00FF00, 0};
    for (int screen = 0; screen <= 7; ++screen) {
        settings.PressedSoftKey = 1;
        const QImage pressed = paint(screen).copy();
        settings.PressedSoftKey = 3;
        const QImage none = paint(screen).copy();
        const bool knowsMenuKey = screen == 0 || screen == 5 || screen == 7;
        EXPECT_EQ(PixelAt(pressed, 57, 110) == 0x00FF00u, knowsMenuKey) << "screen " << screen;
        EXPECT_EQ(PixelAt(pressed, 72, 110) == 0x00FF00u, knowsMenuKey) << "screen " << screen;
        EXPECT_NE(PixelAt(pressed, 73, 110), 0x00FF00u);
        EXPECT_EQ(pressed == none, !knowsMenuKey) << "screen " << screen;
    }
}

TEST_F(ScreensTest, PressedSideKeysTakeTheClickedColours)
{
    scheme.entry(10) = {0x00FF00, 0};
    scheme.entry(11) = {0x00FF00, 0};
    for (int screen : {0, 1, 3, 4, 5, 6, 7}) {
        settings.PressedSoftKey = 0;
        paint(screen);
        EXPECT_EQ(at(54, 120), 0x00FF00u) << "screen " << screen;
        EXPECT_NE(at(55, 120), 0x00FF00u) << "screen " << screen;
        EXPECT_TRUE(shows(c(12))) << "screen " << screen;
        settings.PressedSoftKey = 2;
        paint(screen);
        EXPECT_EQ(at(73, 120), 0x00FF00u) << "screen " << screen;
        EXPECT_NE(at(72, 120), 0x00FF00u) << "screen " << screen;
        EXPECT_TRUE(shows(c(12))) << "screen " << screen;
        settings.PressedSoftKey = 3;
        paint(screen);
        EXPECT_FALSE(shows(c(12))) << "screen " << screen;
        EXPECT_TRUE(shows(c(9))) << "screen " << screen;
    }
}

TEST_F(ScreensTest, NoticeWindowIsWhiteWithItsBarOneRowHigher)
{
    paint(3);
    EXPECT_EQ(at(1, 1), 0xFFFFFFu);
    EXPECT_EQ(at(126, 13), 0xFFFFFFu);
    EXPECT_EQ(at(1, 106), 0xFFFFFFu);
    EXPECT_EQ(at(1, 107), c(6));
    EXPECT_EQ(at(1, 108), c(7));  // the gradient's own top row
    EXPECT_EQ(at(1, 126), barRow(18));
    EXPECT_EQ(at(3, 30), c(31));   // title edges, open at the bottom
    EXPECT_EQ(at(60, 15), c(31));
    EXPECT_EQ(at(3, 51), c(19));
    EXPECT_EQ(at(4, 60), c(20));
    EXPECT_EQ(at(124, 60), c(20));
    EXPECT_EQ(at(123, 60), c(18));
    EXPECT_EQ(at(124, 107), c(6));
    EXPECT_EQ(at(120, 50), c(29));  // the title gradient's last row
    EXPECT_FALSE(shows(c(1)));

    const QImage plain = preview.image().copy();
    QImage picture = NewCanvas(128, 128);
    FillRect(picture, {0, 0, 128, 128}, 0x123456);
    preview.setBackgroundPicture(picture);
    EXPECT_EQ(paint(3), plain);
}

TEST_F(ScreensTest, OthersShowTheButtonFaceAndNoSchemeColour)
{
    const QColor face = QGuiApplication::palette().color(QPalette::Button);
    const Colour expected = Colour(face.red()) | Colour(face.green()) << 8 |
                            Colour(face.blue()) << 16;
    const QImage first = paint(8).copy();
    EXPECT_EQ(at(1, 1), expected);
    EXPECT_EQ(at(126, 126), expected);
    EXPECT_EQ(at(64, 64), expected);
    scheme.entry(50).colour = 0x0A0B0C;
    scheme.entry(1).colour = 0x0D0E0F;
    EXPECT_EQ(paint(8), first);
    // The solid brush stays on the canvas until a screen clears it.
    paint(1);
    const QImage menu = preview.image().copy();
    paint(8);
    paint(1);
    EXPECT_EQ(paint(9), menu);
}

TEST_F(ScreensTest, MultimediaCoversTheBackgroundEverywhere)
{
    QImage picture = NewCanvas(128, 128);
    FillRect(picture, {0, 0, 128, 128}, 0x123456);
    preview.setBackgroundPicture(picture);
    scheme.entry(7).transparency = 8;
    paint(7);
    EXPECT_FALSE(shows(c(1)));
    EXPECT_FALSE(shows(0x123456));
    EXPECT_EQ(at(1, 1), c(43));
    EXPECT_EQ(at(126, 107), c(43));
    EXPECT_EQ(at(40, 95), c(48));
    EXPECT_EQ(at(124, 104), c(49));
    EXPECT_EQ(at(52, 100), c(45));
    EXPECT_EQ(at(50, 100), c(47));
    EXPECT_EQ(at(54, 95), c(47));
    EXPECT_EQ(at(55, 95), c(46));
    EXPECT_EQ(at(55, 103), c(46));
    EXPECT_EQ(at(55, 104), c(49));
    EXPECT_EQ(at(62, 118), 0u);  // the menu-key glyph
}

TEST_F(ScreensTest, SelectMenuItemDimsTheMultimediaMenu)
{
    scheme.entry(13) = {0xFFFFFF, 11};
    paint(1);
    const QImage phonebook = preview.image().copy();
    paint(2);
    EXPECT_TRUE(preview.phonebookTitle());
    // Rows 15..29 hold no text on either menu: the backdrop there is screen 1's.
    for (int y = 15; y < 30; ++y)
        for (int x = 1; x < 127; x += 5)
            ASSERT_EQ(at(x, y), MixedColour(PixelAt(phonebook, x, y), 0xFFFFFF, 8)) << x << "," << y;
    // The bar below row 108 is not dimmed.
    for (int x = 1; x < 127; ++x)
        ASSERT_EQ(at(x, 126), PixelAt(phonebook, x, 126));
    EXPECT_EQ(at(3, 30), c(19));
    EXPECT_EQ(at(9, 60), c(19));
    EXPECT_EQ(at(4, 31), c(20));
    EXPECT_EQ(at(8, 60), c(20));
    EXPECT_EQ(at(6, 38), c(24));
    EXPECT_EQ(at(6, 37), c(26));
    EXPECT_EQ(at(6, 64), c(27));
    EXPECT_EQ(at(6, 80), c(23));
    EXPECT_EQ(at(121, 40), c(18));
    EXPECT_EQ(at(121, 50), c(21));
    EXPECT_EQ(at(1, 108), c(6));
}

TEST_F(ScreensTest, MainMenuTitlesFollowThePhonebookFlag)
{
    paint(1);
    const QImage phonebook = preview.image().copy();
    paint(2);
    paint(1);
    EXPECT_EQ(preview.image(), phonebook);
    EXPECT_TRUE(shows(c(16)));
}

TEST_F(ScreensTest, SubmenuTitleBlendsWithTheIconLayer)
{
    scheme.entry(13) = {0x405060, 0};
    scheme.entry(14) = {0xC0A080, 8};
    scheme.entry(15) = {0xC0A080, 0};
    paint(4);
    EXPECT_EQ(at(1, 15), MixedColour(c(13), c(14), 8));
    EXPECT_EQ(at(1, 29), MixedColour(c(13), c(14), 8));
    EXPECT_EQ(at(1, 30), c(23));
    EXPECT_EQ(at(4, 60), c(20));
    EXPECT_EQ(at(6, 87), c(22));
    EXPECT_EQ(at(6, 68), c(21));
    EXPECT_EQ(at(127 - 1, 83), c(33));
    EXPECT_EQ(at(126, 47), c(32));
    EXPECT_EQ(at(39, 47), c(13));
}

TEST_F(ScreensTest, MessageEntryFillsItsAreaOpaque)
{
    scheme.entry(13) = {0x405060, 8};
    paint(6);
    const Colour iconLayer = MixedColour(c(1), c(13), 8);
    EXPECT_EQ(at(1, 13), iconLayer);
    EXPECT_EQ(at(1, 14), c(1));
    EXPECT_EQ(at(1, 27), c(1));
    EXPECT_EQ(at(1, 28), c(13));
    EXPECT_EQ(at(3, 70), c(13));
    EXPECT_EQ(at(7, 45), c(32));
    EXPECT_EQ(at(126, 81), c(32));
    EXPECT_EQ(at(4, 95), c(41));
    EXPECT_EQ(at(19, 106), c(21));
    for (auto [from, to] : {std::pair{56, 63}, {57, 62}, {58, 61}, {59, 60}}) {
        const int y = 40 - (from - 56);
        EXPECT_EQ(at(from - 1, y), c(13));
        EXPECT_EQ(at(from, y), 0x808080u);
        EXPECT_EQ(at(to, y), 0x808080u);
        EXPECT_EQ(at(to + 1, y), c(13));
    }
    EXPECT_TRUE(shows(c(40)));
    EXPECT_TRUE(shows(c(16)));
}

TEST_F(ScreensTest, BackgroundPictureShowsUntilCleared)
{
    QImage picture = NewCanvas(128, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            SetPixel(picture, x, y, Colour(x * 2) | Colour(y * 2) << 8);
    preview.setBackgroundPicture(picture);
    EXPECT_FALSE(preview.plainBackground());
    paint(0);
    EXPECT_EQ(at(2, 60), PixelAt(picture, 2, 60));
    EXPECT_EQ(at(90, 50), PixelAt(picture, 90, 50));
    // Where the icons are see-through and the icon layer is invisible, the picture shows.
    scheme.entry(13).transparency = 15;
    paint(1);
    int seen = 0;
    for (int y = 30; y < 100; ++y) {
        for (int x = 1; x < 127; ++x) {
            if (PixelAt(pictures->iconGrid, x, y) == 0x0000FF) {
                EXPECT_EQ(at(x, y), PixelAt(picture, x, y));
                ++seen;
            }
        }
    }
    EXPECT_GT(seen, 0);

    preview.clearBackgroundPicture();
    EXPECT_TRUE(preview.plainBackground());
    paint(0);
    EXPECT_EQ(at(2, 60), c(1));
    EXPECT_EQ(PixelAt(preview.backgroundPicture(), 90, 50), c(1));
}

}  // namespace
}  // namespace tintora::testing
