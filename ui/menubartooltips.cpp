#include "menubartooltips.h"

#include <QAction>
#include <QHelpEvent>
#include <QMenuBar>
#include <QToolTip>

namespace tintora {

bool MenuBarToolTips::eventFilter(QObject *watched, QEvent *event)
{
    auto *bar = qobject_cast<QMenuBar *>(watched);
    if (!bar || event->type() != QEvent::ToolTip)
        return false;
    const auto *help = static_cast<QHelpEvent *>(event);
    QAction *action = bar->actionAt(help->pos());
    // An action given no tooltip answers its caption, which the bar already shows.
    if (!action || action->toolTip() == action->iconText()) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(help->globalPos(), action->toolTip(), bar, bar->actionGeometry(action));
    return true;
}

}  // namespace tintora
