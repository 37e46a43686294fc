// Leaves Undo and Redo keys of an edit field to the window's history.
#include "historykeys.h"

#include <QKeyEvent>

namespace tintora {

bool HistoryKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Not accepted, so the window's shortcut runs instead of the field's own undo.
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tintora
