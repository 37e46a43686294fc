// Menus underline their Alt letters only while the keyboard works them.
#pragma once

#include <QPointer>
#include <QProxyStyle>

class QMenuBar;

namespace tintora {

// Underlines the menus' Alt letters only while the keyboard works the menus, as Windows
// does: while Alt is held or the menu bar has taken the keyboard. Otherwise every caption
// shows exactly its text.
class AltLetterStyle : public QProxyStyle {
    Q_OBJECT
public:
    AltLetterStyle(QStyle *base, QMenuBar *bar);

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override;

private:
    QPointer<QMenuBar> bar_;
};

}  // namespace tintora
