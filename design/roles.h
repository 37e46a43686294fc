// What each element is for: the part it plays on the screens where it draws.
#pragma once

#include "scheme/colourscheme.h"

#include <array>

namespace tintora {

enum class Role {
    Background,       // a surface texts stand on
    Bar,              // a band with a gradient: soft keys, titles, track bar
    PressedBar,       // the soft key held down
    Highlight,        // the selected row, the chosen day
    Frame,            // lines, borders, scroll bars
    TextOnBackground,
    TextOnBar,
    TextOnHighlight,
    TextOutline,      // the border around the main screen's texts
    ClockHands,
    Weekend,          // the datebook's days off
    Today,            // the datebook's "today" cell
    TodayText,
    Cursor,
    Unseen,           // no screen of the preview draws it
};

// Indexed by element number 1..63; index 0 is unused.
extern const std::array<Role, kElementCount + 1> ElementRoleTable;

inline Role RoleOf(int element)
{
    return element >= 1 && element <= kElementCount ? ElementRoleTable[element] : Role::Unseen;
}

// Texts, and the clock's hands, are measured against what lies around them.
bool IsInkRole(Role role);
// The contrast an ink element needs: 4.5:1 for text, 3:1 for the clock's hands, which are
// large graphics rather than text.
double ContrastBound(int element);

}  // namespace tintora
