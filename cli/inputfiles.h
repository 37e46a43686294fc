#pragma once

#include "scheme/colourscheme.h"
#include "settings/settings.h"

#include <QByteArrayView>
#include <QImage>
#include <QString>
#include <QStringList>

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

// A picture (JPEG, PNG, GIF, BMP, WebP) stretched to 128 x 128 for the preview: nullopt with the reason, in
// English, when it cannot be read.
std::optional<QImage> ReadPictureArgument(const QString &path, QString &error);

// "-", a command's OUT that is standard output.
bool IsStandardOutput(const QString &out);

// Why a command may not write OUT, or an empty string: OUT is one of its inputs, named by
// this or another path or through a hard link.
QString InputAsOutputReason(const QString &out, const QStringList &inputs);

// Why a command may not write a scheme to OUT, or an empty string. Standard output, a name
// not taken yet, a colour scheme (by its signature), a device, a pipe or a socket may be
// written; anything else only when forced; an input never.
QString RefusedSchemeOutputReason(const QString &out, const QStringList &inputs, bool force);

// The bytes to standard output for "-", else to the file, all or nothing: a failed write
// leaves no file and no half of one. The exit status of the command: 0, or 1 after the
// reason on standard error.
int WriteOutput(const QString &out, QByteArrayView bytes);
int WriteSchemeImage(const QString &out, const SchemeImage &image);

}  // namespace tintora::cli
