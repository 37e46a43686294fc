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
    if (context.phone.P2K_Restart() == -1)
        context.dialogs.informFailure(context.pick(
            u"Телефон не перезагрузился; перезагрузите его сами, чтобы изменения вступили в силу"_s,
            u"The phone did not restart; restart it yourself for the changes to take effect"_s));
    return true;
}

}  // namespace tintora
