#pragma once

#include "commandcontext.h"
#include "workmode.h"

#include <cstdint>

namespace tintora {

struct OpenResult {
    // The window resets its view: screen 0 and its first element, the name in
    // the name field, the caption "Tintora - [" + name + "]" (also for an empty
    // name), the swatch and transparency controls, repaintPreview(0).
    bool resetView = false;
    // The scheme was replaced from the file.
    bool loaded = false;
    // For the status bar: why a computer file was not opened, or how short it was.
    QString note;
};

// LoadSchemeFile, telling a read failure (reportError) and a file that is no scheme (inform);
// note, when given, receives what the window's status bar says afterwards: why a file was not
// opened, how few bytes a short file had, else nothing.
LoadOutcome LoadSchemeAndReport(ColourScheme &scheme, const QString &path, Messages &messages,
                                const CommandWords &words, QString *note = nullptr);

// Open (openScheme): the branch of the work mode.
OpenResult OpenCommand(CommandContext &context, WorkMode workMode, QString &currentFilePath,
                       const QString &phonePath);

// Asks for a file and loads it. The current file path becomes the chosen file
// only when it loaded: a refused or unreadable file is never the target of a
// later Save.
OpenResult OpenFromComputer(CommandContext &context, QString &currentFilePath);

// Loads a file the user named some other way (a recent file, a file dropped on the
// window), as OpenFromComputer loads a chosen one.
OpenResult OpenSchemeFile(CommandContext &context, const QString &path, QString &currentFilePath);

// Reads the scheme file at phonePath (SchemePhonePath) from the phone.
OpenResult OpenFromPhone(CommandContext &context, const QString &phonePath);

}  // namespace tintora
