#pragma once

#include <QProxyStyle>

namespace tintora {

// Draws each menu bar command in the font of its action, so that the bar's default item
// shows bold; a menu bar by itself draws every item in its own font.
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
