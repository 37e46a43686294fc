// Draws menu bar commands in their action's font, so the default one shows bold.
#include "menubaritemstyle.h"

#include <QAction>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>

#include <algorithm>

namespace tintora {
namespace {

// The bar's item for the option: known by its place when drawn and by its text when
// measured.
const QAction *ItemAction(const QMenuBar *bar, const QStyleOptionMenuItem *item, bool byRect)
{
    for (QAction *action : bar->actions()) {
        if (byRect ? bar->actionGeometry(action) == item->rect : action->text() == item->text)
            return action;
    }
    return nullptr;
}

int TextWidth(const QFont &font, const QString &text)
{
    return QFontMetrics(font).size(Qt::TextShowMnemonic, text).width();
}

// Padding an item keeps beside its text however narrow the bar.
constexpr int kLeastPadding = 4;
// Smallest size the bar's font is brought down to.
constexpr qreal kLeastPointSize = 6.0;

// How the bar's items fit its width: the font they are drawn in and how much less padding
// each gets than the style's. A bar wide enough keeps both as they are.
struct Fit {
    QFont font;
    int squeeze = 0;
};

Fit FitBar(const QStyle *style, const QMenuBar *bar, int padding)
{
    // The bar sets a spacing before every item and keeps a margin at both ends.
    const int margins = 2 * (style->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, bar) +
                             style->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, bar));
    const int spacing = style->pixelMetric(QStyle::PM_MenuBarItemSpacing, nullptr, bar);
    Fit fit{bar->font(), 0};
    for (;;) {
        int width = margins;
        int count = 0;
        for (const QAction *action : bar->actions()) {
            if (!action->isVisible() || action->isSeparator())
                continue;
            width += TextWidth(action->font().resolve(fit.font), action->text()) + padding +
                     spacing;
            ++count;
        }
        const int excess = width - bar->width();
        if (excess <= 0 || count == 0)
            return fit;
        fit.squeeze = std::min((excess + count - 1) / count, std::max(0, padding - kLeastPadding));
        if (excess <= fit.squeeze * count || fit.font.pointSizeF() <= kLeastPointSize)
            return fit;
        fit.squeeze = 0;
        fit.font.setPointSizeF(fit.font.pointSizeF() - 0.5);
    }
}

int Padding(const QSize &itemSize, const QMenuBar *bar, const QStyleOptionMenuItem *item)
{
    return itemSize.width() - TextWidth(bar->font(), item->text);
}

}  // namespace

MenuBarItemStyle::MenuBarItemStyle(QStyle *base) : QProxyStyle(base) {}

// The bar measures every text in its own font; the item is as wide as its own text in the
// font it is drawn in.
QSize MenuBarItemStyle::sizeFromContents(ContentsType type, const QStyleOption *option,
                                         const QSize &size, const QWidget *widget) const
{
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    const auto *bar = qobject_cast<const QMenuBar *>(widget);
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (type != CT_MenuBarItem || !bar || !item)
        return result;
    const int padding = Padding(result, bar, item);
    const Fit fit = FitBar(this, bar, padding);
    const QAction *action = ItemAction(bar, item, false);
    const QFont font = action ? action->font().resolve(fit.font) : fit.font;
    result.setWidth(TextWidth(font, item->text) + padding - fit.squeeze);
    return result;
}

void MenuBarItemStyle::drawControl(ControlElement element, const QStyleOption *option,
                                   QPainter *painter, const QWidget *widget) const
{
    const auto *bar = qobject_cast<const QMenuBar *>(widget);
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (element != CE_MenuBarItem || !bar || !item) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QSize natural = QProxyStyle::sizeFromContents(
        CT_MenuBarItem, option, QFontMetrics(bar->font()).size(Qt::TextShowMnemonic, item->text),
        widget);
    const Fit fit = FitBar(this, bar, Padding(natural, bar, item));
    const QAction *action = ItemAction(bar, item, true);
    painter->save();
    painter->setFont(action ? action->font().resolve(fit.font) : fit.font);
    QProxyStyle::drawControl(element, option, painter, widget);
    painter->restore();
}

}  // namespace tintora
