// The application title used by captions, message boxes and the settings folder.
#pragma once

#include <QString>

namespace tintora {

// The application title: the main window's caption, the title of every message box and
// the name under which the settings folder is found.
inline constexpr char kApplicationTitle[] = "Tintora";

// "Tintora - [" + name + "]".
inline QString SchemeCaption(const QString &name)
{
    return QString::fromLatin1(kApplicationTitle) + QStringLiteral(" - [") + name + QLatin1Char(']');
}

}  // namespace tintora
