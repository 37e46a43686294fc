// Leaves Undo and Redo keys of an edit field to the window's history.
#include "historykeys.h"

#include <QKeyEvent>

namespace tintora {

QList<QKeySequence> WithRedoKeysOfEverySystem(QList<QKeySequence> platformKeys)
{
    for (const QKeySequence &everywhere : {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)})
        if (!platformKeys.contains(everywhere))
            platformKeys.append(everywhere);
    return platformKeys;
}

QList<QKeySequence> RedoKeys()
{
    return WithRedoKeysOfEverySystem(QKeySequence::keyBindings(QKeySequence::Redo));
}

bool HistoryKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QKeySequence pressed(key->keyCombination());
        // Not accepted, so the window's shortcut runs instead of the field's own undo.
        if (key->matches(QKeySequence::Undo) || RedoKeys().contains(pressed))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tintora
