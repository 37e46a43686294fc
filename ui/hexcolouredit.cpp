// The #RRGGBB field beside the colour swatch.
#include "hexcolouredit.h"

#include <QClipboard>
#include <QColor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QRegularExpressionValidator>

namespace tintora {

HexColourEdit::HexColourEdit(QWidget *parent) : QLineEdit(parent)
{
    setMaxLength(7);
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("#?[0-9A-Fa-f]{0,6}")), this));
    connect(this, &QLineEdit::editingFinished, this, [this] { enter(text()); });
    setColour(0);
}

void HexColourEdit::setColour(Colour colour)
{
    colour_ = colour & 0xFFFFFF;
    setText(Format(colour_));
}

QString HexColourEdit::Format(Colour colour)
{
    const QColor c(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    return c.name(QColor::HexRgb).toUpper();
}

std::optional<Colour> HexColourEdit::Parse(const QString &text)
{
    QString trimmed = text.trimmed();
    static const QRegularExpression bareHex(QStringLiteral("^[0-9A-Fa-f]{6}$"));
    if (bareHex.match(trimmed).hasMatch())
        trimmed.prepend(QLatin1Char('#'));
    const QColor c = QColor::fromString(trimmed);
    // Qt also reads #AARRGGBB and longer forms; a scheme colour has no alpha.
    if (!c.isValid() || (trimmed.startsWith(QLatin1Char('#')) && trimmed.size() != 7 &&
                         trimmed.size() != 4))
        return std::nullopt;
    return Colour(c.red()) | Colour(c.green()) << 8 | Colour(c.blue()) << 16;
}

void HexColourEdit::enter(const QString &text)
{
    const std::optional<Colour> entered = Parse(text);
    if (!entered) {
        setColour(colour_);
        return;
    }
    const bool changed = *entered != colour_;
    setColour(*entered);
    if (changed)
        emit colourEntered(*entered);
}

void HexColourEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy) && !hasSelectedText()) {
        QGuiApplication::clipboard()->setText(text());
        event->accept();
        return;
    }
    // A paste replaces the whole colour, in any form Parse takes.
    if (event->matches(QKeySequence::Paste)) {
        enter(QGuiApplication::clipboard()->text());
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace tintora
