#pragma once

#include "commandcontext.h"

namespace tintora {

// Asks whether to restart the phone so a change takes effect; restarts it on
// Yes. True when the restart was asked for.
bool OfferRestart(CommandContext &context);

}  // namespace tintora
