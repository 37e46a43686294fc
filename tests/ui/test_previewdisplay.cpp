#include "ui/previewdisplay.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace tintora::test {
namespace {

// A picture whose every pixel differs from its neighbours, so a smoothed, shifted or
// unevenly enlarged copy cannot match it.
QImage Checkered()
{
    QImage image(128, 128, QImage::Format_RGB888);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            image.setPixelColor(x, y, QColor((x * 37 + y) % 256, (y * 53 + x * 3) % 256,
                                             ((x ^ y) * 11) % 256));
    return image;
}

// The display painted into a picture of its size at a device pixel ratio.
QImage Rendered(PreviewDisplay &display, qreal ratio)
{
    QImage target(display.size() * ratio, QImage::Format_RGB32);
    target.setDevicePixelRatio(ratio);
    target.fill(Qt::magenta);
    display.render(&target);
    target.setDevicePixelRatio(1);
    return target;
}

struct Case {
    int zoom;
    qreal ratio;
};

class WholePixelTest : public ::testing::TestWithParam<Case> {};

// Catches smoothing and uneven enlargement: every device pixel must be exactly the preview
// pixel it lies over, each preview pixel a square of zoom x ratio device pixels.
TEST_P(WholePixelTest, EveryDevicePixelIsItsPreviewPixel)
{
    const auto [zoom, ratio] = GetParam();
    PreviewDisplay display;
    const QImage preview = Checkered();
    display.showPreview(preview);
    display.setZoom(zoom);
    ASSERT_EQ(display.size(), QSize(128 * zoom, 128 * zoom));
    const QImage shown = Rendered(display, ratio);
    const int k = int(zoom * ratio);
    ASSERT_EQ(shown.size(), QSize(128 * k, 128 * k));
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            ASSERT_EQ(QColor(shown.pixel(x, y)), preview.pixelColor(x / k, y / k))
                << "zoom " << zoom << " ratio " << ratio << " at " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(ZoomsAndRatios, WholePixelTest,
                         ::testing::Values(Case{1, 1}, Case{2, 1}, Case{3, 1}, Case{4, 1},
                                           Case{1, 2}, Case{2, 2}, Case{4, 2}));

class ClickTest : public ::testing::TestWithParam<int> {};

// Catches a click mapped through the zoom the wrong way round or off by a pixel, and one a
// screen pixel past the picture's right or lower edge (a press on the last pixel whose
// release comes just outside) taken for a pixel 128 that the preview does not have.
TEST_P(ClickTest, AClickReportsThePreviewPixelUnderItAndNothingPastTheEdge)
{
    const int zoom = GetParam();
    PreviewDisplay display;
    display.showPreview(Checkered());
    display.setZoom(zoom);
    QList<QPoint> reported;
    QObject::connect(&display, &PreviewDisplay::pixelClicked,
                     [&](const QPoint &pixel) { reported << pixel; });
    const int last = 128 * zoom - 1;
    const struct {
        QPoint press, release;
    } clicks[] = {{{0, 0}, {0, 0}},
                  {{zoom - 1, zoom - 1}, {zoom - 1, zoom - 1}},
                  {{zoom, 2 * zoom + zoom - 1}, {zoom, 2 * zoom + zoom - 1}},
                  {{last, last}, {last, last}},
                  {{last, 0}, {last + 1, 0}},
                  {{0, last}, {0, last + 1}},
                  {{last, last}, {last + 1, last + 1}}};
    for (const auto &click : clicks) {
        QMouseEvent press(QEvent::MouseButtonPress, click.press, display.mapToGlobal(click.press),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, click.release,
                            display.mapToGlobal(click.release), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(&display, &press);
        QApplication::sendEvent(&display, &release);
    }
    EXPECT_EQ(reported, QList<QPoint>({{0, 0}, {0, 0}, {1, 2}, {127, 127}}));
}

INSTANTIATE_TEST_SUITE_P(EveryZoom, ClickTest, ::testing::Values(1, 2, 3, 4));

// Catches a fractional ratio that stretches pixels unevenly: they stay whole and the
// picture stays inside the display.
TEST(PreviewDisplayTest, AFractionalRatioKeepsWholePixels)
{
    EXPECT_EQ(PreviewDisplay::DevicePixelsPerPixel(1, 1.5), 1);
    EXPECT_EQ(PreviewDisplay::DevicePixelsPerPixel(2, 1.5), 3);
    EXPECT_EQ(PreviewDisplay::DevicePixelsPerPixel(3, 1.25), 3);
    EXPECT_EQ(PreviewDisplay::DevicePixelsPerPixel(1, 2.0 - 1e-9), 2);
}

}  // namespace
}  // namespace tintora::test
