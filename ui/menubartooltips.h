// Tooltips for the commands that stand on the menu bar itself.
#pragma once

#include <QObject>

namespace tintora {

// A menu bar shows no tooltips of its own, not even for a disabled command, whose tooltip is
// the only place that says why it cannot be chosen (Connect without a phone). Installed on
// the bar, this shows the tooltip of the command under the pointer where it says more than
// the command's caption.
class MenuBarToolTips : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

}  // namespace tintora
