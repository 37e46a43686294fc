// The #RRGGBB field beside the colour swatch.
#pragma once

#include "scheme/colourscheme.h"

#include <QLineEdit>

#include <optional>

namespace tintora {

// The selected element's colour as #RRGGBB. A colour typed (confirmed with Enter or by
// leaving the field) or pasted is reported; anything else brings the shown colour back.
// Copy without a selection copies the whole colour.
class HexColourEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit HexColourEdit(QWidget *parent = nullptr);

    void setColour(Colour colour);
    Colour colour() const { return colour_; }

    // "#RRGGBB" or "RRGGBB" in either case, "#RGB", or a colour name as Qt knows them,
    // with blanks around it.
    static std::optional<Colour> Parse(const QString &text);
    static QString Format(Colour colour);

signals:
    void colourEntered(Colour colour);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void enter(const QString &text);

    Colour colour_ = 0;
};

}  // namespace tintora
