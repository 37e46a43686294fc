#pragma once

#include "commandcontext.h"
#include "workmode.h"

#include <cstdint>

namespace tintora {

struct SaveResult {
    // The whole image reached the file or the phone.
    bool saved = false;
    // The window shows the scheme name in its name field and sets the caption
    // "Tintora - [" + name + "]" (a computer save only).
    bool showName = false;
    // The phone was told to restart after the reboot prompt.
    bool restarted = false;
};

// Save (saveScheme): the branch of the work mode. saveTitle is the Save button's present
// caption, the title of the save dialog.
SaveResult SaveCommand(CommandContext &context, WorkMode workMode, QString &currentFilePath,
                       const QString &phonePath, const QString &saveTitle);

// Writes the scheme to the current file, asking for one while there is none; the dialog
// starts on suggestedName. The file is replaced whole or left as it was; a file that cannot
// be opened for writing is reported with the system's reason, never passed over.
SaveResult SaveToComputer(CommandContext &context, QString &currentFilePath,
                          const QString &saveTitle,
                          const QString &suggestedName = QStringLiteral("spcolor.sch"));

// Writes the scheme file at phonePath (SchemePhonePath), then offers a restart.
SaveResult SaveToPhone(CommandContext &context, const QString &phonePath);

}  // namespace tintora
