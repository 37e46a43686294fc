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
// A highlight or a pressed key: a cue that must stand apart from what it sits on.
bool IsCueRole(Role role);
// What a cue sits on: a surface or a bar.
inline bool IsCueGround(Role role)
{
    return role == Role::Background || role == Role::Bar;
}

// What a text must reach: WCAG 2's ratio at level AA (4.5:1) or AAA (7:1), or APCA's Lc 60
// or 75 (small body text).
enum class ContrastStandard { WcagAA, WcagAAA, ApcaLc60, ApcaLc75 };
bool IsLcStandard(ContrastStandard standard);
// The contrast an element needs under a standard: the text's bound; for the clock's hands,
// large graphics rather than text, WCAG's 3:1 (4.5:1 at AAA, as for large text) or 15 Lc
// less; for a highlight or pressed key WCAG's 3:1 for non-text cues in every standard.
double ContrastBound(int element, ContrastStandard standard = ContrastStandard::WcagAA);
bool BoundIsLc(int element, ContrastStandard standard);

}  // namespace tintora
