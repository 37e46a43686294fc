// Draws menu bar commands in their action's font, so the default one shows bold.
#pragma once

#include <QProxyStyle>

namespace tintora {

// Draws each menu bar command in the font of its action, so that the bar's default item
// shows bold; a menu bar by itself draws every item in its own font. The window's width is
// fixed, so a bar too narrow for all its commands first takes the room out of their padding,
// then draws them in a smaller font, rather than hide one behind its extension button.
class MenuBarItemStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit MenuBarItemStyle(QStyle *base);

    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override;
};

}  // namespace tintora
