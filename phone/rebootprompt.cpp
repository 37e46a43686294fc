#include "rebootprompt.h"

namespace tintora {

using namespace Qt::Literals::StringLiterals;

bool OfferRestart(CommandContext &context)
{
    const QString question =
        context.pick(u"Изменения вступят в силу только после перезагрузки телефона\r"
                     u"Перезагрузить телефон сейчас?"_s,
                     u"Changes will come into force only after reboot of phone\r"
                     u"Reboot phone now?"_s);
    if (!context.dialogs.askYesNo(question))
        return false;
    context.phone.P2K_Restart();
    return true;
}

}  // namespace tintora
