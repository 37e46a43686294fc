// A label that can be clicked, hovered and reached with the keyboard.
#pragma once

#include <QLabel>

namespace tintora {

// A label that reports clicks and the mouse entering and leaving it. Given a focus policy, it
// takes the keyboard focus too, shows it, and Space or Enter click it.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget *parent = nullptr);

signals:
    void clicked();
    void mouseEntered();
    void mouseLeft();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

}  // namespace tintora
