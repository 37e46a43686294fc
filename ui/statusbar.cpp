// The status bar: the work mode's icon, the status text, notes and hints.
#include "statusbar.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace tintora {
namespace {

QPixmap WithoutBlack(const QImage &icon)
{
    QImage keyed = icon.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if (qRed(row[x]) == 0 && qGreen(row[x]) == 0 && qBlue(row[x]) == 0)
                row[x] = qRgba(0, 0, 0, 0);
        }
    }
    return QPixmap::fromImage(keyed);
}

}  // namespace

StatusBar::StatusBar(QWidget *parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    // QStatusBar repaints only where its own layout would show a message.
    connect(this, &QStatusBar::messageChanged, this, qOverload<>(&QWidget::update));
    hintTimer_.setSingleShot(true);
    connect(&hintTimer_, &QTimer::timeout, this, &StatusBar::clearHint);
}

void StatusBar::showHint(const QString &text, int milliseconds)
{
    hint_ = text;
    hintTimer_.start(milliseconds);
    update();
}

void StatusBar::clearHint()
{
    hintTimer_.stop();
    hint_.clear();
    update();
}

void StatusBar::setStatusIcon(const QImage &icon)
{
    icon_ = WithoutBlack(icon);
    update(QRect(0, 0, kIconPanelWidth, height()));
}

void StatusBar::setPanelText(const QString &text)
{
    panelText_ = text;
    clearMessage();
    update();
}

void StatusBar::setFilePath(const QString &path)
{
    filePath_ = path;
    update();
}

void StatusBar::addPanel(QWidget *widget)
{
    panel_ = widget;
    addPermanentWidget(widget);
}

void StatusBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    painter.fillRect(rect(), face);

    const QRect iconPanel(0, 2, kIconPanelWidth, height() - 2);
    const int right = panel_ && panel_->isVisible() ? panel_->geometry().left() - 2 : width();
    const QRect textPanel(kIconPanelWidth + 2, 2, right - kIconPanelWidth - 2, height() - 2);
    qDrawShadePanel(&painter, iconPanel, palette(), true, 1);
    qDrawShadePanel(&painter, textPanel, palette(), true, 1);

    paintStatusIcon(painter);

    painter.setPen(palette().color(QPalette::WindowText));
    const QRect textArea = textPanel.adjusted(3, 0, -3, 0);
    const QString text = !hint_.isEmpty()             ? hint_
                         : !currentMessage().isEmpty() ? currentMessage()
                                                       : panelText_;
    painter.drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft, text);

    constexpr int kGap = 12;
    const int room = textArea.width() - fontMetrics().horizontalAdvance(text) - kGap;
    if (!filePath_.isEmpty() && room > 0) {
        painter.drawText(textArea, Qt::AlignVCenter | Qt::AlignRight,
                         fontMetrics().elidedText(filePath_, Qt::ElideMiddle, room));
    }
}

// The square under the icon is cleared first, so the icon of the other mode never shows
// through.
void StatusBar::paintStatusIcon(QPainter &painter) const
{
    painter.fillRect(QRect(5, 5, 16, 16), palette().color(QPalette::Button));
    painter.drawPixmap(5, 5, icon_);
}

}  // namespace tintora
