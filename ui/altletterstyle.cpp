// Menus underline their Alt letters only while the keyboard works them.
#include "altletterstyle.h"

#include <QGuiApplication>
#include <QMenuBar>

namespace tintora {

AltLetterStyle::AltLetterStyle(QStyle *base, QMenuBar *bar) : QProxyStyle(base), bar_(bar) {}

int AltLetterStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                              QStyleHintReturn *returnData) const
{
    const int base = QProxyStyle::styleHint(hint, option, widget, returnData);
#ifdef Q_OS_WIN
    // Windows does this itself, and honours a user's wish to see the letters always.
    return base;
#endif
    if (hint != SH_UnderlineShortcut || !base)
        return base;
    const bool keyboard = (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier)
                          || (bar_ && bar_->hasFocus());
    return keyboard ? base : 0;
}

}  // namespace tintora
