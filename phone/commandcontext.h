#pragma once

#include "dialogs.h"
#include "phonelibrary.h"

#include "scheme/colourscheme.h"

#include <QString>

namespace tintora {

// What every file and phone command works with. Made afresh for each command,
// so the language is the one at the moment the command runs.
struct CommandContext {
    PhoneLibrary &phone;
    ColourScheme &scheme;
    Dialogs &dialogs;
    Language language;

    // Russian for 0, English otherwise.
    QString pick(const QString &russian, const QString &english) const
    {
        return language == kRussian ? russian : english;
    }
};

// The scheme file on the phone: the folder setting directly followed by the
// file name, no separator added.
inline QString SchemePhonePath(const QString &spColorPath)
{
    return spColorPath + QStringLiteral("spcolor.sch");
}

}  // namespace tintora
