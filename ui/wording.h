// The words, in the language of the installed translation, for what the lower layers report:
// the catalogue's names, the design help's roles and findings.
#pragma once

#include "design/contrast.h"
#include "design/roles.h"

#include <QString>

namespace tintora {

// Empty for a number that is no element, no screen.
QString ElementName(int element);
QString ScreenCaption(int screen);
QString RoleName(Role role);

// "2 Main text: 1.00:1, APCA Lc 0.0, screen 0 Main screen at (5, 17), needs 4.5:1"
QString ContrastLine(const ContrastPlace &place);
// The refusal of a picture no suggestion reads on.
QString NoReadableSuggestionText();

}  // namespace tintora
