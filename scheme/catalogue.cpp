#include "catalogue.h"

#include <QtGlobal>

namespace tintora {

namespace {

const std::array<const char *, kElementCount + 1> kEnglishNames = {
    nullptr,
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Main Screen Background"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Main text"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Main text when selected"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Border of the text on the main screen"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Analog clock"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Line on top of Bottom Bar"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Bottom Bar(top)"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Bottom Bar(bottom)"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Text in Bottom Bar"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Bottom Bar(top)(When clicked)"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Bottom Bar(bottom)(When clicked)"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Text in Bottom Bar(When clicked)"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Background of Nine Icon"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "The top of Title Bar"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "The bottom of Title Bar"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Text in Title Bar"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Icon border"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Background of Select Menu"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Line in Menu border(outside)"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Line in Menu border(inside)"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Select Menu(top)"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Select Menu(Bottom)"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "ScrollBar"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "ScrollBar Button(top)"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "ScrollBar Button(bottom)"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "1e line of scrollbar"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "2e line of scrollbar"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Notice Window Title(top)"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Notice Window Title(bottom)"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Text in Notice Window Title"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Line surrounding Title Bar"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Underline in submenu"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Underline in submenu(selected)"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Background for week"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Main table in calendar"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Background for \"today\""),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Text for \"today\""),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Horizontal line in calendar"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Vertical line in calendar"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Cursor"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Background of iTap line"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Border when input"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Background of the information at multimedia"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Text at the discription of the pictures/ringtones/video"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "TrackBar Button"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Right line in TrackBar Button"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Upeer and left line in TrackBar Button"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "TrackBar(top)"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "TrackBar(bottom)"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Links in sound/pictures menu (certain branded flexes only)"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Links in sound/pictures menu when highlighted (certain branded flexes only)"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Unknown 1"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Unknown 2"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Unknown 3"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "(\"Emergency call\" window) - The top of Title Bar"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "(\"Emergency call\" window) - The bottom of Title Bar"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Unknown 6"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Unknown 7"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Unknown 8"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Unknown 9"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Unknown 10"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "Unknown 11"),
    QT_TRANSLATE_NOOP("tintora::Catalogue", "(Datebook) - Text of the day off"),
};

bool IsElement(int element)
{
    return element >= 1 && element <= kElementCount;
}

}  // namespace

const std::array<ScreenGroup, kScreenCount> ScreenGroupTable = {{
    {QT_TRANSLATE_NOOP("tintora::Catalogue", "Main screen"), 1, 12},
    {QT_TRANSLATE_NOOP("tintora::Catalogue", "Main menu (Icons)"), 13, 5},
    {QT_TRANSLATE_NOOP("tintora::Catalogue", "Select menu item"), 18, 10},
    {QT_TRANSLATE_NOOP("tintora::Catalogue", "Notice window"), 28, 4},
    {QT_TRANSLATE_NOOP("tintora::Catalogue", "Select submenu item"), 32, 2},
    {QT_TRANSLATE_NOOP("tintora::Catalogue", "Datebook"), 34, 6},
    {QT_TRANSLATE_NOOP("tintora::Catalogue", "New message"), 40, 3},
    {QT_TRANSLATE_NOOP("tintora::Catalogue", "Multimedia"), 43, 9},
    {QT_TRANSLATE_NOOP("tintora::Catalogue", "Others..."), 52, 12},
}};

// Odd positions hold the top colour of a band, the next position its bottom.
const std::array<int, 14> LinkedPairTable = {7, 8, 10, 11, 14, 15, 21, 22, 24, 25, 28, 29, 48, 49};

const char *ElementNameSource(int element)
{
    return IsElement(element) ? kEnglishNames[element] : nullptr;
}

const char *ScreenCaptionSource(int screen)
{
    return screen >= 0 && screen < kScreenCount ? ScreenGroupTable[screen].caption : nullptr;
}

QString EnglishElementName(int element)
{
    return QString::fromUtf8(ElementNameSource(element));
}

QString EnglishScreenCaption(int screen)
{
    return QString::fromUtf8(ScreenCaptionSource(screen));
}

bool IsLinkedElement(int element)
{
    for (int linked : LinkedPairTable) {
        if (linked == element)
            return true;
    }
    return false;
}

void SyncLinkedTransparency(ColourScheme &scheme, int element)
{
    for (std::size_t p = 1; p <= LinkedPairTable.size(); ++p) {
        if (LinkedPairTable[p - 1] != element)
            continue;
        const int partner = p % 2 == 1 ? element + 1 : element - 1;
        scheme.entry(partner).transparency = scheme.entry(element).transparency;
    }
}

int ScreenOfElement(int element)
{
    for (int screen = 0; screen < kScreenCount; ++screen) {
        const ScreenGroup &group = ScreenGroupTable[screen];
        if (element >= group.firstElement && element < group.firstElement + group.count)
            return screen;
    }
    return -1;
}

}  // namespace tintora
