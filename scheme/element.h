#pragma once

namespace tintora {

// The 63 colour elements of a scheme, by the number the file, the catalogue and the element
// map give each; the comments are the catalogue's English names. Code that names a
// particular element uses these; code that walks the table counts 1..kElementCount.
enum class Element : int {
    MainBackground = 1,           // Main Screen Background
    MainText,                     // Main text
    MainTextSelected,             // Main text when selected
    MainTextOutline,              // Border of the text on the main screen
    ClockHands,                   // Analog clock
    SoftKeyBarLine,               // Line on top of Bottom Bar
    SoftKeyBarTop,                // Bottom Bar(top)
    SoftKeyBarBottom,             // Bottom Bar(bottom)
    SoftKeyText,                  // Text in Bottom Bar
    PressedKeyTop,                // Bottom Bar(top)(When clicked)
    PressedKeyBottom,             // Bottom Bar(bottom)(When clicked)
    PressedKeyText,               // Text in Bottom Bar(When clicked)
    IconMenuBackground,           // Background of Nine Icon
    TitleBarTop,                  // The top of Title Bar
    TitleBarBottom,               // The bottom of Title Bar
    TitleText,                    // Text in Title Bar
    IconBorder,                   // Icon border
    SelectMenuBackground,         // Background of Select Menu
    MenuBorderOuter,              // Line in Menu border(outside)
    MenuBorderInner,              // Line in Menu border(inside)
    HighlightTop,                 // Select Menu(top)
    HighlightBottom,              // Select Menu(Bottom)
    ScrollBar,                    // ScrollBar
    ScrollButtonTop,              // ScrollBar Button(top)
    ScrollButtonBottom,           // ScrollBar Button(bottom)
    ScrollButtonUpperLine,        // 1e line of scrollbar
    ScrollButtonLowerLine,        // 2e line of scrollbar
    NoticeTitleTop,               // Notice Window Title(top)
    NoticeTitleBottom,            // Notice Window Title(bottom)
    NoticeTitleText,              // Text in Notice Window Title
    NoticeTitleOutline,           // Line surrounding Title Bar
    SubmenuUnderline,             // Underline in submenu
    SubmenuUnderlineSelected,     // Underline in submenu(selected)
    WeekBackground,               // Background for week
    CalendarTable,                // Main table in calendar
    TodayBackground,              // Background for "today"
    TodayText,                    // Text for "today"
    CalendarHorizontalLine,       // Horizontal line in calendar
    CalendarVerticalLine,         // Vertical line in calendar
    Cursor,                       // Cursor
    ITapLineBackground,           // Background of iTap line
    InputBorder,                  // Border when input
    MediaInfoBackground,          // Background of the information at multimedia
    MediaDescriptionText,         // Text at the discription of the pictures/ringtones/video
    TrackBarButton,               // TrackBar Button
    TrackBarButtonRightLine,      // Right line in TrackBar Button
    TrackBarButtonUpperLeftLine,  // Upeer and left line in TrackBar Button
    TrackBarTop,                  // TrackBar(top)
    TrackBarBottom,               // TrackBar(bottom)
    MediaLink,                    // Links in sound/pictures menu (certain branded flexes only)
    MediaLinkHighlighted,         // Links in sound/pictures menu when highlighted (...)
    Unknown1,
    Unknown2,
    Unknown3,
    EmergencyTitleTop,            // ("Emergency call" window) - The top of Title Bar
    EmergencyTitleBottom,         // ("Emergency call" window) - The bottom of Title Bar
    Unknown6,
    Unknown7,
    Unknown8,
    Unknown9,
    Unknown10,
    Unknown11,
    DatebookDayOffText,           // (Datebook) - Text of the day off
};

constexpr int ElementNumber(Element element) { return static_cast<int>(element); }

static_assert(ElementNumber(Element::DatebookDayOffText) == 63);

}  // namespace tintora
