// The preview picture shown enlarged by whole pixels; reports the pixel clicked.
#pragma once

#include "settings/settings.h"

#include <QImage>
#include <QLabel>
#include <QTimer>

#include <optional>

#include <vector>

namespace tintora {

// The preview shown enlarged by whole pixels: at every zoom and device pixel ratio each
// preview pixel is a square of whole device pixels, never smoothed. The label's pixmap stays
// the preview at its own size; a click reports the preview pixel under the mouse.
class PreviewDisplay : public QLabel {
    Q_OBJECT
public:
    static constexpr int kPreviewSize = 128;

    explicit PreviewDisplay(QWidget *parent = nullptr);

    // A new picture ends a blink of the one before.
    void showPreview(const QImage &preview);
    // Preview pixels shown marked over the picture (the weak pixels of the contrast check).
    void setMarks(std::vector<QPoint> marks);
    const std::vector<QPoint> &marks() const { return marks_; }
    // Shows marked, the picture with some pixels marked, in a few short blinks over the
    // picture; the label's pixmap stays the unmarked picture.
    void blink(const QImage &marked);
    void endBlink();
    bool showsMark() const { return blinkStep_ % 2 == 0 && !marked_.isNull(); }
    int zoom() const { return zoom_; }
    // 1 to kMaxPreviewZoom; the display becomes 128 * zoom pixels square.
    void setZoom(int zoom);

    // Device pixels per preview pixel: the zoom times the ratio, rounded down to whole
    // pixels, at least one.
    static int DevicePixelsPerPixel(int zoom, qreal devicePixelRatio);
    // Every pixel repeated factor times across and down.
    static QImage Enlarged(const QImage &image, int factor);

signals:
    void pixelClicked(const QPoint &previewPixel);
    void pixelDoubleClicked(const QPoint &previewPixel);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void nextBlinkStep();
    // The preview pixel under a point of the display, if the point is on the picture.
    std::optional<QPoint> pixelAt(const QPointF &position) const;
    // Where the enlarged picture lies, in the display's own pixels, on whole device pixels.
    QRectF pictureRect(qreal devicePixelRatio) const;

    QImage preview_;
    std::vector<QPoint> marks_;
    int zoom_ = 1;
    QImage marked_;     // null when no blink is under way
    int blinkStep_ = 0;  // the mark shows at even steps
    QTimer blinkTimer_;
    // The release that ends a double click is not a click of its own.
    bool releaseEndsDoubleClick_ = false;
};

}  // namespace tintora
