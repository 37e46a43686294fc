#include "menubaritemstyle.h"

#include <QAction>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>

namespace tintora {
namespace {

// The action of the item in option whose font differs from the bar's, if there is one; the
// bar's items are known by their place when drawn and by their text when measured.
const QAction *ActionWithOwnFont(const QWidget *widget, const QStyleOption *option,
                                 bool byRect)
{
    const auto *bar = qobject_cast<const QMenuBar *>(widget);
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (!bar || !item)
        return nullptr;
    for (QAction *action : bar->actions()) {
        const bool same = byRect ? bar->actionGeometry(action) == item->rect
                                 : action->text() == item->text;
        if (same && action->font().resolve(bar->font()) != bar->font())
            return action;
    }
    return nullptr;
}

}  // namespace

MenuBarItemStyle::MenuBarItemStyle(QStyle *base) : QProxyStyle(base) {}

// The bar measures the text in its own font; a wider font needs the difference.
QSize MenuBarItemStyle::sizeFromContents(ContentsType type, const QStyleOption *option,
                                         const QSize &size, const QWidget *widget) const
{
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type != CT_MenuBarItem)
        return result;
    if (const QAction *action = ActionWithOwnFont(widget, option, false)) {
        const QString text = action->text();
        const QFontMetrics own(action->font().resolve(widget->font()));
        result.rwidth() += own.size(Qt::TextShowMnemonic, text).width() -
                           widget->fontMetrics().size(Qt::TextShowMnemonic, text).width();
    }
    return result;
}

void MenuBarItemStyle::drawControl(ControlElement element, const QStyleOption *option,
                                   QPainter *painter, const QWidget *widget) const
{
    const QAction *action =
        element == CE_MenuBarItem ? ActionWithOwnFont(widget, option, true) : nullptr;
    if (!action) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    painter->save();
    painter->setFont(action->font().resolve(widget->font()));
    QProxyStyle::drawControl(element, option, painter, widget);
    painter->restore();
}

}  // namespace tintora
