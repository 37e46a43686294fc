#include "rebootprompt.h"

namespace tintora {

bool OfferRestart(CommandContext &context)
{
    if (!context.dialogs.askYesNo(context.say({CommandText::RestartQuestion})))
        return false;
    if (context.phone.P2K_Restart() == -1)
        context.dialogs.informFailure(context.say({CommandText::RestartFailed}));
    return true;
}

}  // namespace tintora
