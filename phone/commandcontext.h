#pragma once

#include "commandwords.h"
#include "dialogs.h"
#include "phonelibrary.h"

#include "scheme/colourscheme.h"

#include <QString>

namespace tintora {

// What every file and phone command works with.
struct CommandContext {
    PhoneLibrary &phone;
    ColourScheme &scheme;
    Dialogs &dialogs;
    const CommandWords &words;

    QString say(const CommandNote &note) const { return words.text(note); }
};

// The scheme file on the phone: the folder setting and the file name joined by
// exactly one "/", so a folder written without its trailing slash still names
// the file the phone reads. An empty folder is the volume's root.
inline QString SchemePhonePath(QString spColorPath)
{
    while (spColorPath.endsWith(QLatin1Char('/')))
        spColorPath.chop(1);
    return spColorPath + QStringLiteral("/spcolor.sch");
}

}  // namespace tintora
