#include "previewfixture.h"

#include <map>

namespace tintora::testing {
namespace {

class ElementMapTest : public PreviewTest {
protected:
    // Colours far apart, so that a mix of neighbours on a screen does not meet a third one.
    void SetUp() override
    {
        for (int e = 1; e <= kElementCount; ++e)
            scheme.entry(e).colour = (std::uint32_t(e) * 0x9E3779B1u >> 8) & 0xFFFFFF;
    }
    // Each element colour of the distinct scheme and its element.
    std::map<Colour, int> elementOfColour() const
    {
        std::map<Colour, int> result;
        for (int e = 1; e <= kElementCount; ++e)
            result[c(e)] = e;
        return result;
    }
};

// Catches a drawing onto the preview that leaves the map behind (a stale element from an
// earlier step) or records the wrong element: every pixel that shows an element's own colour
// must name that element, and every pixel in a colour of no element must name none.
TEST_F(ElementMapTest, EveryPixelInAnElementsColourNamesThatElement)
{
    const std::map<Colour, int> elements = elementOfColour();
    for (int screen = 0; screen <= 8; ++screen) {
        for (int pressed = 0; pressed <= 3; ++pressed) {
            settings.PressedSoftKey = std::uint8_t(pressed);
            settings.ClockFormat = std::uint8_t(pressed % 2);
            paint(screen);
            const ElementMap &map = preview.elementMap();
            for (int y = 0; y < 128; ++y) {
                for (int x = 0; x < 128; ++x) {
                    const Colour pixel = at(x, y);
                    const auto found = elements.find(pixel);
                    const bool fixedColour =
                        pixel == 0x000000 || pixel == 0xFFFFFF || pixel == 0x808080;
                    if (found == elements.end() && !fixedColour)
                        continue;
                    const int expected = found != elements.end() ? found->second : 0;
                    ASSERT_EQ(map.elementAt(x, y), expected)
                        << "screen " << screen << " key " << pressed << " at " << x << "," << y;
                }
            }
        }
    }
}

// Catches a background picture that is taken for element 1 (Main Screen Background), and a
// map that keeps the plain background's element after the picture is loaded.
TEST_F(ElementMapTest, TheBackgroundPictureNamesNoElementThePlainBackgroundElementOne)
{
    paint(0);
    EXPECT_EQ(preview.elementMap().elementAt(64, 60), 1);
    QImage picture(128, 128, QImage::Format_RGB888);
    picture.fill(QColor(10, 200, 30));
    preview.setBackgroundPicture(picture);
    paint(0);
    EXPECT_EQ(preview.elementMap().elementAt(64, 60), 0);
    EXPECT_EQ(preview.elementMap().elementAt(30, 125), 8);  // the bar still names its element
}

// Catches a gradient recorded as one element: its upper half is nearer the first colour.
TEST_F(ElementMapTest, AGradientNamesItsFirstElementAboveTheMiddleAndItsSecondBelow)
{
    paint(2);  // selection bar: rows 50..69 from element 21 to element 22
    EXPECT_EQ(preview.elementMap().elementAt(100, 50), 21);
    EXPECT_EQ(preview.elementMap().elementAt(100, 59), 21);
    EXPECT_EQ(preview.elementMap().elementAt(100, 60), 22);
    EXPECT_EQ(preview.elementMap().elementAt(100, 69), 22);
    EXPECT_EQ(preview.elementMap().elementAt(-1, 60), 0);
    EXPECT_EQ(preview.elementMap().elementAt(128, 60), 0);
}

// Catches marks written into a canvas of another size, whose rows the map does not share.
TEST_F(ElementMapTest, DrawingOnAnotherCanvasRecordsNothing)
{
    ElementMap map;
    QImage layer = NewCanvas(55, 20);
    FillRect(layer, {0, 0, 55, 20}, Ink(0x123456, Mark(&map, 7)));
    QImage canvas = NewCanvas(128, 128);
    FillRect(canvas, {0, 0, 10, 10}, Ink(0x123456, Mark(&map, 9)));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 55; ++x)
            ASSERT_EQ(map.elementAt(x, y), x < 10 && y < 10 ? 9 : 0) << x << "," << y;
}

}  // namespace
}  // namespace tintora::testing
