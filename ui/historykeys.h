// Leaves Undo and Redo keys of an edit field to the window's history.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

namespace tintora {

// The platform's Redo keys (platformKeys), and Ctrl+Y and Ctrl+Shift+Z on every system, as
// people coming from either one press them: X11 desktops have only the second.
QList<QKeySequence> WithRedoKeysOfEverySystem(QList<QKeySequence> platformKeys);
QList<QKeySequence> RedoKeys();

// Installed on an edit field, it leaves the Undo and Redo keys to the window's history, so
// that they undo the last change of the scheme wherever the focus is.
class HistoryKeys : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

}  // namespace tintora
