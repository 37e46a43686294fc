// tintora.ini for the editor: the one file every command reads and writes, and the settings
// it gave at start-up as the editor holds them.
#pragma once

#include "settings/profilefile.h"
#include "settings/settings.h"

#include <QString>

namespace tintora {

class WindowDialogs;

class WindowSettings {
public:
    WindowSettings(const QString &path, WindowDialogs &dialogs);

    // Nothing is cached: each read parses the file afresh.
    ProfileFile &file() { return file_; }
    // The settings in memory; the preview and the contrast check keep references to them.
    Settings &values() { return values_; }
    // The last write that failed, in the interface language with the system's reason.
    void reportUnwritable();

private:
    ProfileFile file_;
    WindowDialogs &dialogs_;
    Settings values_;
};

}  // namespace tintora
