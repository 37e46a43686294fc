#pragma once

#include "dialogs.h"
#include "phonelibrary.h"

#include "scheme/colourscheme.h"

#include <QString>

namespace tintora {

// Russian for 0, English otherwise.
inline QString InLanguage(Language language, const QString &russian, const QString &english)
{
    return language == kRussian ? russian : english;
}

// What every file and phone command works with. Made afresh for each command,
// so the language is the one at the moment the command runs.
struct CommandContext {
    PhoneLibrary &phone;
    ColourScheme &scheme;
    Dialogs &dialogs;
    Language language;

    QString pick(const QString &russian, const QString &english) const
    {
        return InLanguage(language, russian, english);
    }
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
