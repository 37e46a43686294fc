#pragma once

#include "colourscheme.h"

#include <QString>

namespace tintora {

// The system's reason for a failed file operation ("Permission denied", "Access is
// denied.") in the interface language, whichever language the system gave it in. Reasons
// outside the common ones are returned as they came.
QString SystemReason(Language language, const QString &reason);

}  // namespace tintora
