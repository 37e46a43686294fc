#include "primitives.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

namespace tintora {
namespace {

constexpr int kBytesPerPixel = 3;

std::uint8_t Red(Colour c) { return c & 0xFF; }
std::uint8_t Green(Colour c) { return (c >> 8) & 0xFF; }
std::uint8_t Blue(Colour c) { return (c >> 16) & 0xFF; }

Colour ReadPixel(const std::uint8_t *p)
{
    return Colour(p[0]) | (Colour(p[1]) << 8) | (Colour(p[2]) << 16);
}

void WritePixel(std::uint8_t *p, Colour c)
{
    p[0] = Red(c);
    p[1] = Green(c);
    p[2] = Blue(c);
}

// Clipped to the image; x covers x1..x2-1.
void Span(QImage &image, int y, int x1, int x2, Colour colour)
{
    if (y < 0 || y >= image.height())
        return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, image.width());
    if (x1 >= x2)
        return;
    std::uint8_t *p = image.scanLine(y) + x1 * kBytesPerPixel;
    for (int x = x1; x < x2; ++x, p += kBytesPerPixel)
        WritePixel(p, colour);
}

// The mixed byte round(under * alpha + layer * beta) for every pair of bytes, one table per
// transparency, built on first use.
const std::uint8_t *MixTable(int transparency)
{
    static std::array<std::unique_ptr<std::uint8_t[]>, 16> tables;
    std::unique_ptr<std::uint8_t[]> &table = tables[transparency];
    if (!table) {
        const double alpha = transparency * 17 / 255.0;
        const double beta = 1 - alpha;
        table = std::make_unique<std::uint8_t[]>(256 * 256);
        for (int under = 0; under < 256; ++under) {
            for (int layer = 0; layer < 256; ++layer)
                table[under * 256 + layer] =
                    static_cast<std::uint8_t>(std::nearbyint(under * alpha + layer * beta));
        }
    }
    return table.get();
}

}  // namespace

QImage NewCanvas(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(Qt::white);
    return image;
}

Colour PixelAt(const QImage &image, int x, int y)
{
    return ReadPixel(image.constScanLine(y) + x * kBytesPerPixel);
}

void SetPixel(QImage &image, int x, int y, Colour colour)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return;
    WritePixel(image.scanLine(y) + x * kBytesPerPixel, colour);
}

bool SameRgb(Colour a, Colour b)
{
    return (a & 0xFFFFFF) == (b & 0xFFFFFF);
}

Colour KeyColour(Colour elementColour)
{
    return elementColour + 1;
}

Colour BottomLeftKey(const QImage &picture)
{
    if (picture.isNull())
        return 0;
    return PixelAt(picture, 0, picture.height() - 1);
}

// Bresenham with the platform's tie rule: in the octants that run left or up (3, 5, 6 and 8,
// counted counter-clockwise from right-and-down), a step that lies exactly half-way is taken.
void DrawLine(QImage &image, int x1, int y1, int x2, int y2, Colour colour)
{
    const int dx = x2 - x1;
    const int dy = y2 - y1;
    if (dy == 0) {
        if (dx >= 0)
            Span(image, y1, x1, x2, colour);
        else
            Span(image, y1, x2 + 1, x1 + 1, colour);
        return;
    }
    int octant;
    if (dy > 0)
        octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
    else
        octant = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
    const int bias = (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
    const int adx = std::abs(dx);
    const int ady = std::abs(dy);
    const int xStep = dx < 0 ? -1 : 1;
    const int yStep = dy < 0 ? -1 : 1;
    const bool xMajor = adx > ady;
    const int major = xMajor ? adx : ady;
    const int minor = xMajor ? ady : adx;
    int err = 2 * minor - major;
    int x = x1;
    int y = y1;
    for (int n = 0; n < major; ++n) {
        SetPixel(image, x, y, colour);
        if (err + bias > 0) {
            if (xMajor)
                y += yStep;
            else
                x += xStep;
            err += 2 * minor - 2 * major;
        } else {
            err += 2 * minor;
        }
        if (xMajor)
            x += xStep;
        else
            y += yStep;
    }
}

void DrawPath(QImage &image, std::initializer_list<QPoint> points, Colour colour)
{
    const QPoint *from = nullptr;
    for (const QPoint &to : points) {
        if (from)
            DrawLine(image, from->x(), from->y(), to.x(), to.y(), colour);
        from = &to;
    }
}

void DrawRectOutline(QImage &image, const PixelRect &r, Colour colour)
{
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    Span(image, r.top, r.left, r.right, colour);
    Span(image, r.bottom - 1, r.left, r.right, colour);
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        SetPixel(image, r.left, y, colour);
        SetPixel(image, r.right - 1, y, colour);
    }
}

void FillRect(QImage &image, const PixelRect &r, Colour colour)
{
    for (int y = std::max(r.top, 0); y < std::min(r.bottom, image.height()); ++y)
        Span(image, y, r.left, r.right, colour);
}

void HorizontalLines(QImage &image, int yFirst, int yLast, int x1, int x2, Colour colour)
{
    FillRect(image, {x1, yFirst, x2, yLast + 1}, colour);
}

void VerticalLines(QImage &image, int xFirst, int xLast, int y1, int y2, Colour colour)
{
    FillRect(image, {xFirst, y1, xLast + 1, y2}, colour);
}

void FillGradient(QImage &canvas, const PixelRect &rect, bool horizontal,
                  std::span<const Colour> colours)
{
    // 1.
    const int n = static_cast<int>(colours.size()) - 1;
    if (n < 1)
        return;
    const int size = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
    // 2.
    struct Rgb {
        int r, g, b;
    };
    std::vector<Rgb> c;
    for (Colour colour : colours)
        c.push_back({Red(colour), Green(colour), Blue(colour)});
    // 3. and 6.: there is no pen to keep; each line takes its colour directly.
    // 4.
    const int seg = static_cast<int>(std::nearbyint(static_cast<double>(size) / n));
    // 5.
    for (int i = 0; i < n; ++i) {
        const int L = i == n - 1 ? size - i * seg - 1 : seg;
        for (int j = 0; j <= L; ++j) {
            const int p = i * seg + j;
            // A one-pixel gradient would divide 0 by 0; its only row is the first colour.
            const double f = L == 0 ? 0.0 : static_cast<double>(j) / L;
            const auto channel = [f](int from, int to) {
                return static_cast<Colour>(std::trunc(from + (to - from) * f));
            };
            const Colour colour = channel(c[i].r, c[i + 1].r) |
                                  (channel(c[i].g, c[i + 1].g) << 8) |
                                  (channel(c[i].b, c[i + 1].b) << 16);
            if (horizontal)
                DrawLine(canvas, rect.left + p, rect.top, rect.left + p, rect.bottom, colour);
            else
                DrawLine(canvas, rect.left, rect.top + p, rect.right, rect.top + p, colour);
        }
    }
}

void FillGradient(QImage &canvas, const PixelRect &rect, Colour first, Colour last)
{
    const Colour colours[] = {first, last};
    FillGradient(canvas, rect, false, colours);
}

void BlendLayer(const QImage &under, QImage &layer, int transparency, bool useKey, Colour key,
                int top, int left)
{
    // 1. Both are 24-bit already. 2. The mix of every byte pair is tabled.
    const std::uint8_t *mix = MixTable(std::clamp(transparency, 0, 15));
    // 3.
    const int yFirst = std::max(0, top);
    const int yLast = std::min(under.height() - 1, layer.height() + top - 1);
    const int xFirst = std::max(0, left);
    const int xLast = std::min(under.width() - 1, layer.width() + left - 1);
    // 4.
    for (int y = yFirst; y <= yLast; ++y) {
        const std::uint8_t *u = under.constScanLine(y) + xFirst * kBytesPerPixel;
        std::uint8_t *l = layer.scanLine(y - top) + (xFirst - left) * kBytesPerPixel;
        for (int x = xFirst; x <= xLast; ++x, u += kBytesPerPixel, l += kBytesPerPixel) {
            if (useKey && SameRgb(ReadPixel(l), key))
                continue;
            for (int b = 0; b < kBytesPerPixel; ++b)
                l[b] = mix[u[b] * 256 + l[b]];
        }
    }
}

void DrawPicture(QImage &canvas, const QImage &picture, int left, int top,
                 std::optional<Colour> key)
{
    const int yFirst = std::max(0, top);
    const int yEnd = std::min(canvas.height(), picture.height() + top);
    const int xFirst = std::max(0, left);
    const int xEnd = std::min(canvas.width(), picture.width() + left);
    if (xFirst >= xEnd)
        return;
    for (int y = yFirst; y < yEnd; ++y) {
        const std::uint8_t *s = picture.constScanLine(y - top) + (xFirst - left) * kBytesPerPixel;
        std::uint8_t *d = canvas.scanLine(y) + xFirst * kBytesPerPixel;
        if (!key) {
            std::copy_n(s, (xEnd - xFirst) * kBytesPerPixel, d);
            continue;
        }
        for (int x = xFirst; x < xEnd; ++x, s += kBytesPerPixel, d += kBytesPerPixel) {
            if (!SameRgb(ReadPixel(s), *key))
                std::copy_n(s, kBytesPerPixel, d);
        }
    }
}

}  // namespace tintora
