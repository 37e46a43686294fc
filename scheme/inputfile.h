#pragma once

#include <QString>

namespace tintora {

// A device, a pipe or a socket. As input it is refused before it is opened: it would
// block or never end, so only regular files are read; a name that does not exist, or a
// folder, passes, and opening it then tells why not. As output it is written into, never
// replaced.
bool IsSpecialFile(const QString &path);
// Whether a command-line argument survives Qt's decoding unchanged. Outside
// Windows, whose command line Qt reads as UTF-16, bytes that are not UTF-8
// become U+FFFD, and the name would reach a different file.
bool IsExactArgument(const char *argument);

}  // namespace tintora
