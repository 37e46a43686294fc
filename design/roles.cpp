#include "roles.h"

namespace tintora {

// Taken from what each element draws on the screens where it draws; the elements no
// screen draws from their names.
const std::array<Role, kElementCount + 1> ElementRoleTable = {
    Role::Unseen,
    Role::Background,        // 1 Main Screen Background
    Role::TextOnBackground,  // 2 Main text
    Role::TextOnHighlight,   // 3 Main text when selected
    Role::TextOutline,       // 4 Border of the text on the main screen
    Role::ClockHands,        // 5 Analog clock
    Role::Frame,             // 6 Line on top of Bottom Bar
    Role::Bar,               // 7 Bottom Bar(top)
    Role::Bar,               // 8 Bottom Bar(bottom)
    Role::TextOnBar,         // 9 Text in Bottom Bar
    Role::PressedBar,        // 10 Bottom Bar(top)(When clicked)
    Role::PressedBar,        // 11 Bottom Bar(bottom)(When clicked)
    Role::TextOnBar,         // 12 Text in Bottom Bar(When clicked)
    Role::Background,        // 13 Background of Nine Icon
    Role::Bar,               // 14 The top of Title Bar
    Role::Bar,               // 15 The bottom of Title Bar
    Role::TextOnBar,         // 16 Text in Title Bar
    Role::Frame,             // 17 Icon border
    Role::Background,        // 18 Background of Select Menu
    Role::Frame,             // 19 Line in Menu border(outside)
    Role::Frame,             // 20 Line in Menu border(inside)
    Role::Highlight,         // 21 Select Menu(top)
    Role::Highlight,         // 22 Select Menu(Bottom)
    Role::Frame,             // 23 ScrollBar
    Role::Bar,               // 24 ScrollBar Button(top)
    Role::Bar,               // 25 ScrollBar Button(bottom)
    Role::Frame,             // 26 1e line of scrollbar
    Role::Frame,             // 27 2e line of scrollbar
    Role::Bar,               // 28 Notice Window Title(top)
    Role::Bar,               // 29 Notice Window Title(bottom)
    Role::TextOnBar,         // 30 Text in Notice Window Title
    Role::Frame,             // 31 Line surrounding Title Bar
    Role::Frame,             // 32 Underline in submenu
    Role::Frame,             // 33 Underline in submenu(selected)
    Role::Background,        // 34 Background for week
    Role::Background,        // 35 Main table in calendar
    Role::Today,             // 36 Background for "today"
    Role::TodayText,         // 37 Text for "today"
    Role::Frame,             // 38 Horizontal line in calendar
    Role::Frame,             // 39 Vertical line in calendar
    Role::Cursor,            // 40 Cursor
    Role::Background,        // 41 Background of iTap line
    Role::Frame,             // 42 Border when input
    Role::Background,        // 43 Background of the information at multimedia
    Role::TextOnBackground,  // 44 Text at the description of the pictures/ringtones/video
    Role::Highlight,         // 45 TrackBar Button
    Role::Frame,             // 46 Right line in TrackBar Button
    Role::Frame,             // 47 Upper and left line in TrackBar Button
    Role::Bar,               // 48 TrackBar(top)
    Role::Bar,               // 49 TrackBar(bottom)
    Role::TextOnBackground,  // 50 Links in sound/pictures menu
    Role::TextOnHighlight,   // 51 Links ... when highlighted
    Role::Unseen,            // 52 Unknown 1
    Role::Unseen,            // 53 Unknown 2
    Role::Unseen,            // 54 Unknown 3
    Role::Bar,               // 55 ("Emergency call" window) - The top of Title Bar
    Role::Bar,               // 56 ("Emergency call" window) - The bottom of Title Bar
    Role::Unseen,            // 57 Unknown 6
    Role::Unseen,            // 58 Unknown 7
    Role::Unseen,            // 59 Unknown 8
    Role::Unseen,            // 60 Unknown 9
    Role::Unseen,            // 61 Unknown 10
    Role::Unseen,            // 62 Unknown 11
    Role::Weekend,           // 63 (Datebook) - Text of the day off
};

bool IsInkRole(Role role)
{
    switch (role) {
    case Role::TextOnBackground:
    case Role::TextOnBar:
    case Role::TextOnHighlight:
    case Role::ClockHands:
    case Role::Weekend:
    case Role::TodayText:
        return true;
    default:
        return false;
    }
}

bool IsCueRole(Role role)
{
    return role == Role::Highlight || role == Role::PressedBar;
}

bool IsLcStandard(ContrastStandard standard)
{
    return standard == ContrastStandard::ApcaLc60 || standard == ContrastStandard::ApcaLc75;
}

bool BoundIsLc(int element, ContrastStandard standard)
{
    return IsLcStandard(standard) && !IsCueRole(RoleOf(element));
}

double ContrastBound(int element, ContrastStandard standard)
{
    const Role role = RoleOf(element);
    if (IsCueRole(role))
        return 3.0;
    const bool hands = role == Role::ClockHands;
    switch (standard) {
    case ContrastStandard::WcagAA: return hands ? 3.0 : 4.5;
    case ContrastStandard::WcagAAA: return hands ? 4.5 : 7.0;
    case ContrastStandard::ApcaLc60: return hands ? 45.0 : 60.0;
    case ContrastStandard::ApcaLc75: return hands ? 60.0 : 75.0;
    }
    return 4.5;
}

}  // namespace tintora
