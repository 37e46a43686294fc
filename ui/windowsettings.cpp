#include "windowsettings.h"

#include "windowdialogs.h"

namespace tintora {

WindowSettings::WindowSettings(const QString &path, WindowDialogs &dialogs)
    : file_(path), dialogs_(dialogs)
{
}

void WindowSettings::reportUnwritable(Language language)
{
    dialogs_.reportError(UnableToWriteText(language, file_.path(), file_.lastError()));
}

}  // namespace tintora
