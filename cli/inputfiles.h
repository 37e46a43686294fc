#pragma once

#include "scheme/colourscheme.h"
#include "settings/settings.h"

#include <QString>

#include <optional>

namespace tintora::cli {

// A scheme file for a command: nullopt with the reason, in English, when it
// cannot be opened or read or is not a colour scheme. A file shorter than a
// scheme loads, with a warning on standard error.
std::optional<ColourScheme> ReadSchemeArgument(const QString &path, QString &error);

// The settings of an --ini file, which must exist and be readable: a mistyped name or
// an unreadable file would quietly give the defaults. A null path, no --ini, gives the
// defaults of a missing tintora.ini.
std::optional<Settings> ReadSettingsArgument(const QString &path, QString &error);

// All or nothing: a failed write leaves no file and no half of one. The exit status of the
// command: 0, or 1 after the reason on standard error.
int WriteSchemeImage(const QString &path, const SchemeImage &image);

}  // namespace tintora::cli
