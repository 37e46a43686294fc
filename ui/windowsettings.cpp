#include "windowsettings.h"

#include "windowdialogs.h"
#include "wording.h"

namespace tintora {

WindowSettings::WindowSettings(const QString &path, WindowDialogs &dialogs)
    : file_(path), dialogs_(dialogs)
{
}

void WindowSettings::reportUnwritable()
{
    dialogs_.reportError(UnableToWriteText(file_.path(), file_.lastError()));
}

}  // namespace tintora
