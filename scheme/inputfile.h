#pragma once

#include "colourscheme.h"

#include <QString>

namespace tintora {

// Whether an input file is refused before it is opened. A pipe, a socket or a
// device would block or never end, so only regular files are read; a name
// that does not exist, or a folder, passes, and opening it then tells why not.
bool IsRefusedInput(const QString &path);
// Why IsRefusedInput, or an empty string.
QString RefusedInputReason(const QString &path, Language language);

// "Cannot open NAME: REASON".
QString NotOpenedText(Language language, const QString &name, const QString &reason);

// Whether a command-line argument survives Qt's decoding unchanged. Outside
// Windows, whose command line Qt reads as UTF-16, bytes that are not UTF-8
// become U+FFFD, and the name would reach a different file.
bool IsExactArgument(const char *argument);

}  // namespace tintora
