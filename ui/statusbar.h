// The status bar: the work mode's icon, the status text, notes and hints.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QStatusBar>
#include <QTimer>

namespace tintora {

// Two panels: panel 0, 30 pixels wide, holds the work mode's icon; panel 1 the status text,
// or a note given with showMessage() until the status text is set again.
class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kIconPanelWidth = 30;

    explicit StatusBar(QWidget *parent = nullptr);

    // The icon's black background is left out when it is drawn.
    void setStatusIcon(const QImage &icon);
    void setPanelText(const QString &text);
    QString panelText() const { return panelText_; }
    // A hint shown over the note and the status text for a while; the note stays beneath.
    void showHint(const QString &text, int milliseconds);
    void clearHint();
    QString hint() const { return hint_; }
    // The file being edited, shown at the right of panel 1 behind the status text and
    // shortened in its middle to fit; empty shows nothing.
    void setFilePath(const QString &path);
    QString filePath() const { return filePath_; }
    // A permanent widget right of panel 1, which then ends before it.
    void addPanel(QWidget *widget);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintStatusIcon(QPainter &painter) const;

    QPixmap icon_;
    QString panelText_;
    QString hint_;
    QTimer hintTimer_;
    QString filePath_;
    QWidget *panel_ = nullptr;
};

}  // namespace tintora
