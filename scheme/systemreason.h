#pragma once

#include <QString>

namespace tintora {

// The system's reason for a failed file operation ("Permission denied", "Access is
// denied.") in the language of the installed translation, whichever language the system
// gave it in. Reasons outside the common ones are returned as they came.
QString SystemReason(const QString &reason);

}  // namespace tintora
