// The preview picture shown enlarged by whole pixels; reports the pixel clicked.
#include "previewdisplay.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEngine>

#include <algorithm>
#include <cmath>
#include <utility>

namespace tintora {
namespace {

// Three marks and the pauses between them: long enough to catch the eye, short enough to
// leave the colours to be judged.
constexpr int kBlinkSteps = 5;
constexpr int kBlinkStepMilliseconds = 180;

}  // namespace

PreviewDisplay::PreviewDisplay(QWidget *parent) : QLabel(parent)
{
    // The picture covers the display, and paints what it leaves free itself: nothing is
    // painted under it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    blinkTimer_.setInterval(kBlinkStepMilliseconds);
    connect(&blinkTimer_, &QTimer::timeout, this, &PreviewDisplay::nextBlinkStep);
}

void PreviewDisplay::showPreview(const QImage &preview)
{
    // Kept in the surface's own format, so that the enlarged copy is drawn without a
    // conversion.
    preview_ = preview.convertToFormat(QImage::Format_RGB32);
    endBlink();
    // The pixmap is what the label reports as its picture; painting uses the image.
    setPixmap(QPixmap::fromImage(preview));
}

void PreviewDisplay::setMarks(std::vector<QPoint> marks)
{
    if (marks == marks_)
        return;
    marks_ = std::move(marks);
    update();
}

void PreviewDisplay::blink(const QImage &marked)
{
    marked_ = marked.convertToFormat(QImage::Format_RGB32);
    blinkStep_ = 0;
    blinkTimer_.start();
    update();
}

void PreviewDisplay::endBlink()
{
    blinkTimer_.stop();
    marked_ = QImage();
    update();
}

void PreviewDisplay::nextBlinkStep()
{
    if (++blinkStep_ >= kBlinkSteps)
        endBlink();
    else
        update();
}

void PreviewDisplay::setZoom(int zoom)
{
    zoom_ = std::clamp(zoom, 1, kMaxPreviewZoom);
    resize(kPreviewSize * zoom_, kPreviewSize * zoom_);
    update();
}

int PreviewDisplay::DevicePixelsPerPixel(int zoom, qreal devicePixelRatio)
{
    // A hair of tolerance for ratios such as 1.9999999 that stand for 2.
    return std::max(1, int(std::floor(zoom * devicePixelRatio + 1e-6)));
}

QImage PreviewDisplay::Enlarged(const QImage &image, int factor)
{
    if (factor == 1)
        return image;
    // Fast transformation repeats pixels; at a whole factor it neither drops nor mixes any.
    return image.scaled(image.width() * factor, image.height() * factor, Qt::IgnoreAspectRatio,
                        Qt::FastTransformation);
}

QRectF PreviewDisplay::pictureRect(qreal devicePixelRatio) const
{
    const int devicePixels = DevicePixelsPerPixel(zoom_, devicePixelRatio) * kPreviewSize;
    const QSize deviceSize(std::lround(width() * devicePixelRatio),
                           std::lround(height() * devicePixelRatio));
    // Centred when whole pixels cannot fill the display (ratios such as 1.5).
    const int left = (deviceSize.width() - devicePixels) / 2;
    const int top = (deviceSize.height() - devicePixels) / 2;
    return QRectF(left / devicePixelRatio, top / devicePixelRatio,
                  devicePixels / devicePixelRatio, devicePixels / devicePixelRatio);
}

void PreviewDisplay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The device painted on, which is not the widget when it is rendered into a picture.
    const qreal ratio = painter.paintEngine()->paintDevice()->devicePixelRatioF();
    const QRectF picture = pictureRect(ratio);
    if (preview_.isNull() || picture != QRectF(rect()))
        painter.fillRect(rect(), palette().window());
    if (preview_.isNull())
        return;
    // Without smoothing the painter repeats pixels; onto whole device pixels at a whole
    // factor it neither drops nor mixes any.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(picture, showsMark() ? marked_ : preview_);
    // Magenta drawn around the marked pixels, on their unmarked neighbours, so that a weak
    // text keeps its own colour: a line a quarter of a pixel wide, at least one device pixel.
    const qreal perPixel = picture.width() / kPreviewSize;
    const qreal line = std::max(perPixel / 4, 1 / ratio);
    std::vector<bool> marked(kPreviewSize * kPreviewSize, false);
    for (const QPoint &mark : marks_)
        marked[mark.y() * kPreviewSize + mark.x()] = true;
    const auto isMarked = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < kPreviewSize && y < kPreviewSize && marked[y * kPreviewSize + x];
    };
    const QColor magenta(255, 0, 255);
    for (const QPoint &mark : marks_) {
        const qreal left = picture.left() + mark.x() * perPixel;
        const qreal top = picture.top() + mark.y() * perPixel;
        const struct {
            int dx, dy;
            QRectF edge;
        } sides[] = {{-1, 0, QRectF(left - line, top, line, perPixel)},
                     {1, 0, QRectF(left + perPixel, top, line, perPixel)},
                     {0, -1, QRectF(left, top - line, perPixel, line)},
                     {0, 1, QRectF(left, top + perPixel, perPixel, line)}};
        for (const auto &side : sides) {
            const int x = mark.x() + side.dx, y = mark.y() + side.dy;
            if (x >= 0 && y >= 0 && x < kPreviewSize && y < kPreviewSize && !isMarked(x, y))
                painter.fillRect(side.edge, magenta);
        }
    }
}

void PreviewDisplay::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void PreviewDisplay::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const bool endsDoubleClick = std::exchange(releaseEndsDoubleClick_, false);
    if (event->button() != Qt::LeftButton || endsDoubleClick)
        return;
    if (const std::optional<QPoint> pixel = pixelAt(event->position()))
        emit pixelClicked(*pixel);
}

void PreviewDisplay::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    releaseEndsDoubleClick_ = true;
    if (const std::optional<QPoint> pixel = pixelAt(event->position()))
        emit pixelDoubleClicked(*pixel);
}

std::optional<QPoint> PreviewDisplay::pixelAt(const QPointF &position) const
{
    const QRectF picture = pictureRect(devicePixelRatioF());
    const qreal perPixel = picture.width() / kPreviewSize;
    const QPointF inside = position - picture.topLeft();
    const int x = int(std::floor(inside.x() / perPixel));
    const int y = int(std::floor(inside.y() / perPixel));
    if (x >= 0 && y >= 0 && x < kPreviewSize && y < kPreviewSize)
        return QPoint(x, y);
    return std::nullopt;
}

}  // namespace tintora
