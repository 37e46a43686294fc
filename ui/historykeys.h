// Leaves Undo and Redo keys of an edit field to the window's history.
#pragma once

#include <QObject>

namespace tintora {

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
