#include "primitives.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
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

// An image's rows, looked up once per drawing call: QImage::scanLine() checks on every call
// whether the image is shared, which costs more than a short line of pixels.
template <typename Byte>
struct Rows {
    Byte *bits;
    qsizetype stride;
    int width;
    int height;

    Byte *at(int x, int y) const { return bits + y * stride + x * kBytesPerPixel; }
};

Rows<std::uint8_t> WritableRows(QImage &image)
{
    return {image.bits(), image.bytesPerLine(), image.width(), image.height()};
}

Rows<const std::uint8_t> ReadableRows(const QImage &image)
{
    return {image.constBits(), image.bytesPerLine(), image.width(), image.height()};
}

// The cells of the map that a drawing on a canvas records in; none when nothing is recorded.
struct Marks {
    std::uint8_t *cells = nullptr;
    Mark mark;

    std::uint8_t *row(int y) const { return cells + y * ElementMap::kSize; }
    void span(int y, int x1, int x2) const
    {
        if (cells)
            std::memset(row(y) + x1, mark.at(y), x2 - x1);
    }
    void pixel(int x, int y) const
    {
        if (cells)
            row(y)[x] = mark.at(y);
    }
};

Marks MarksOn(const QImage &canvas, const Mark &mark)
{
    return {mark.cellsFor(canvas.width(), canvas.height()), mark};
}

void PutPixel(const Rows<std::uint8_t> &rows, const Marks &marks, int x, int y, Colour colour)
{
    if (x >= 0 && y >= 0 && x < rows.width && y < rows.height) {
        WritePixel(rows.at(x, y), colour);
        marks.pixel(x, y);
    }
}

// Clipped to the image; x covers x1..x2-1.
void Span(const Rows<std::uint8_t> &rows, const Marks &marks, int y, int x1, int x2,
          Colour colour)
{
    if (y < 0 || y >= rows.height)
        return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, rows.width);
    if (x1 >= x2)
        return;
    marks.span(y, x1, x2);
    std::uint8_t *p = rows.at(x1, y);
    std::uint8_t *const end = p + (x2 - x1) * kBytesPerPixel;
    // Four pixels are twelve bytes, stored as whole words rather than byte by byte.
    std::uint8_t four[4 * kBytesPerPixel];
    for (int i = 0; i < 4 * kBytesPerPixel; i += kBytesPerPixel)
        WritePixel(four + i, colour);
    for (; end - p >= 4 * kBytesPerPixel; p += 4 * kBytesPerPixel)
        std::memcpy(p, four, sizeof four);
    for (; p != end; p += kBytesPerPixel)
        WritePixel(p, colour);
}

// Clipped to the image; y covers y1..y2-1.
void Column(const Rows<std::uint8_t> &rows, const Marks &marks, int x, int y1, int y2,
            Colour colour)
{
    if (x < 0 || x >= rows.width)
        return;
    y1 = std::max(y1, 0);
    y2 = std::min(y2, rows.height);
    for (int y = y1; y < y2; ++y) {
        WritePixel(rows.at(x, y), colour);
        marks.pixel(x, y);
    }
}

// Rows are worked on in pieces of this many pixels: a whole row of the preview.
constexpr int kChunk = 128;
constexpr int kMaxRowBytes = kChunk * kBytesPerPixel;
using RowBuffer = std::array<std::uint8_t, kMaxRowBytes>;

// kMaxRowBytes bytes to read that begin with a piece of a row: the row itself when the piece
// is a whole chunk, else the piece copied into buffer with zeros after it. The loops over
// rows then have a fixed length, which GCC turns into vector code even at -O2.
const std::uint8_t *WholeChunk(const std::uint8_t *row, int pixels, RowBuffer &buffer)
{
    if (pixels == kChunk)
        return row;
    const int bytes = pixels * kBytesPerPixel;
    std::memcpy(buffer.data(), row, bytes);
    std::memset(buffer.data() + bytes, 0, buffer.size() - bytes);
    return buffer.data();
}

// The mix of step 4 for every byte of a chunk, in 16-bit lanes.
void MixChunk(const std::uint8_t *__restrict under, const std::uint8_t *__restrict painted,
              std::uint8_t *__restrict mixed, std::uint16_t t)
{
    for (int i = 0; i < kMaxRowBytes; ++i) {
        // round(n / 15) = floor((n + 7) / 15), which the product gives exactly for every n up
        // to 15 * 255.
        const auto n = static_cast<std::uint16_t>(under[i] * t + painted[i] * (15 - t) + 7);
        mixed[i] = static_cast<std::uint8_t>((std::uint32_t(n) * 4370u) >> 16);
    }
}

// Finds rows that hold a key colour. Layers painted in one colour never hold their key, so
// their rows skip the choice pixel by pixel. Byte-wise over whole chunks, so that it runs on
// vector registers.
class KeyFinder {
public:
    // Rows are taken in pieces of up to kChunk pixels; rowPixels tells the last piece's size.
    KeyFinder(Colour key, int rowPixels)
    {
        const int tail = rowPixels % kChunk;
        fullStarts_.fill(0);
        tailStarts_.fill(0);
        for (int pixel = 0; pixel < kChunk; ++pixel) {
            const int i = pixel * kBytesPerPixel;
            WritePixel(pattern_.data() + i, key);
            fullStarts_[i] = 1;
            tailStarts_[i] = pixel < tail;
        }
    }

    // row: a whole chunk of bytes (WholeChunk), of which the first pixels count.
    bool in(const std::uint8_t *row, int pixels) const
    {
        const auto &starts = pixels == kChunk ? fullStarts_ : tailStarts_;
        // The red bytes alone first: in most rows no pixel has the key's red, and then the
        // other two need no look.
        std::uint8_t redFound = 0;
        for (int i = 0; i < kMaxRowBytes; ++i)
            redFound |= (row[i] == pattern_[i]) & starts[i];
        if (redFound == 0)
            return false;
        std::array<std::uint8_t, kMaxRowBytes + 2> same;
        for (int i = 0; i < kMaxRowBytes; ++i)
            same[i] = row[i] == pattern_[i];
        same[kMaxRowBytes] = same[kMaxRowBytes + 1] = 0;
        std::uint8_t found = 0;
        for (int i = 0; i < kMaxRowBytes; ++i)
            found |= same[i] & same[i + 1] & same[i + 2] & starts[i];
        return found != 0;
    }

private:
    std::array<std::uint8_t, kMaxRowBytes> pattern_;
    std::array<std::uint8_t, kMaxRowBytes> fullStarts_;
    std::array<std::uint8_t, kMaxRowBytes> tailStarts_;
};

// Per pixel of a row: where tested has the key colour, ifKey's pixel, elsewhere ifNot's; into
// target, which may be any of the three. Without a branch per pixel, since key and other
// pixels alternate unpredictably in the pictures.
void SelectRow(std::uint8_t *target, const std::uint8_t *tested, const std::uint8_t *ifKey,
               const std::uint8_t *ifNot, int count, Colour key)
{
    for (int i = 0; i < count * kBytesPerPixel; i += kBytesPerPixel) {
        const std::uint8_t *chosen = SameRgb(ReadPixel(tested + i), key) ? ifKey : ifNot;
        WritePixel(target + i, ReadPixel(chosen + i));
    }
}

// The mark of every pixel of a row that is not the key.
void MarkRow(std::uint8_t *cells, const std::uint8_t *source, int count, Colour key,
             std::uint8_t element)
{
    for (int i = 0; i < count; ++i) {
        if (!SameRgb(ReadPixel(source + i * kBytesPerPixel), key))
            cells[i] = element;
    }
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
    PutPixel(WritableRows(image), Marks(), x, y, colour);
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
void DrawLine(QImage &image, int x1, int y1, int x2, int y2, const Ink &ink)
{
    const Rows<std::uint8_t> rows = WritableRows(image);
    const Marks marks = MarksOn(image, ink.mark);
    const Colour colour = ink.colour;
    const int dx = x2 - x1;
    const int dy = y2 - y1;
    if (dy == 0) {
        if (dx >= 0)
            Span(rows, marks, y1, x1, x2, colour);
        else
            Span(rows, marks, y1, x2 + 1, x1 + 1, colour);
        return;
    }
    if (dx == 0) {
        if (dy > 0)
            Column(rows, marks, x1, y1, y2, colour);
        else
            Column(rows, marks, x1, y2 + 1, y1 + 1, colour);
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
        PutPixel(rows, marks, x, y, colour);
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

void DrawPath(QImage &image, std::initializer_list<QPoint> points, const Ink &ink)
{
    const QPoint *from = nullptr;
    for (const QPoint &to : points) {
        if (from)
            DrawLine(image, from->x(), from->y(), to.x(), to.y(), ink);
        from = &to;
    }
}

void DrawRectOutline(QImage &image, const PixelRect &r, const Ink &ink)
{
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    const Rows<std::uint8_t> rows = WritableRows(image);
    const Marks marks = MarksOn(image, ink.mark);
    Span(rows, marks, r.top, r.left, r.right, ink.colour);
    Span(rows, marks, r.bottom - 1, r.left, r.right, ink.colour);
    Column(rows, marks, r.left, r.top + 1, r.bottom - 1, ink.colour);
    Column(rows, marks, r.right - 1, r.top + 1, r.bottom - 1, ink.colour);
}

void FillRect(QImage &image, const PixelRect &r, const Ink &ink)
{
    const int yFirst = std::max(r.top, 0);
    const int yEnd = std::min(r.bottom, image.height());
    const int x1 = std::max(r.left, 0);
    const int x2 = std::min(r.right, image.width());
    if (yFirst >= yEnd || x1 >= x2)
        return;
    // One row is filled pixel by pixel, the others are copies of it.
    const Rows<std::uint8_t> rows = WritableRows(image);
    const Marks marks = MarksOn(image, ink.mark);
    Span(rows, marks, yFirst, x1, x2, ink.colour);
    const std::uint8_t *first = rows.at(x1, yFirst);
    const int bytes = (x2 - x1) * kBytesPerPixel;
    for (int y = yFirst + 1; y < yEnd; ++y) {
        std::memcpy(rows.at(x1, y), first, bytes);
        marks.span(y, x1, x2);
    }
}

void HorizontalLines(QImage &image, int yFirst, int yLast, int x1, int x2, const Ink &ink)
{
    FillRect(image, {x1, yFirst, x2, yLast + 1}, ink);
}

void VerticalLines(QImage &image, int xFirst, int xLast, int y1, int y2, const Ink &ink)
{
    FillRect(image, {xFirst, y1, xLast + 1, y2}, ink);
}

void FillGradient(QImage &canvas, const PixelRect &rect, bool horizontal,
                  std::span<const Colour> colours, const Mark &mark)
{
    // n bands between n + 1 colours.
    const int n = static_cast<int>(colours.size()) - 1;
    if (n < 1)
        return;
    const int size = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
    struct Rgb {
        int r, g, b;
    };
    std::vector<Rgb> c;
    for (Colour colour : colours)
        c.push_back({Red(colour), Green(colour), Blue(colour)});
    // Each band is a rounded share of the rows; the last takes what is left. There is no
    // pen to keep: each line takes its colour directly.
    const int seg = static_cast<int>(std::nearbyint(static_cast<double>(size) / n));
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
            const Ink ink(colour, mark);
            if (horizontal)
                DrawLine(canvas, rect.left + p, rect.top, rect.left + p, rect.bottom, ink);
            else
                DrawLine(canvas, rect.left, rect.top + p, rect.right, rect.top + p, ink);
        }
    }
}

void FillGradient(QImage &canvas, const PixelRect &rect, const Ink &first, const Ink &last)
{
    const Colour colours[] = {first.colour, last.colour};
    const Mark mark(first.mark.map, first.mark.element, last.mark.element,
                    rect.top + (rect.bottom - rect.top) / 2);
    FillGradient(canvas, rect, false, colours, mark);
}

void BlendLayer(const QImage &under, QImage &layer, int transparency, bool useKey, Colour key,
                int top, int left)
{
    // Both are 24-bit already. alpha = t * 17 / 255 and beta = 1 - alpha are t / 15 and (15 - t) / 15 up to the last
    // bits of a double. round(under * alpha + layer * beta) takes the whole number nearest to
    // (under * t + layer * (15 - t)) / 15, a fifteenth never closer than 1/30 to a half, so
    // that error never tips it and the sum is rounded in whole numbers instead.
    const std::uint16_t t = static_cast<std::uint16_t>(std::clamp(transparency, 0, 15));
    if (t == 0)
        return;  // the layer stays as painted
    // Only where the layer lies over the under image.
    const int yFirst = std::max(0, top);
    const int yLast = std::min(under.height() - 1, layer.height() + top - 1);
    const int xFirst = std::max(0, left);
    const int xLast = std::min(under.width() - 1, layer.width() + left - 1);
    if (xFirst > xLast)
        return;
    const int count = xLast - xFirst + 1;
    const KeyFinder keys(key, count);
    const Rows<const std::uint8_t> underRows = ReadableRows(under);
    const Rows<std::uint8_t> layerRows = WritableRows(layer);
    // Every byte is mixed, then the key pixels get their layer colour back.
    for (int y = yFirst; y <= yLast; ++y) {
        for (int x = xFirst; x <= xLast; x += kChunk) {
            const int pixels = std::min(kChunk, xLast + 1 - x);
            const int bytes = pixels * kBytesPerPixel;
            std::uint8_t *l = layerRows.at(x - left, y - top);
            RowBuffer below, painted, mixed;
            const std::uint8_t *paintedChunk = WholeChunk(l, pixels, painted);
            MixChunk(WholeChunk(underRows.at(x, y), pixels, below), paintedChunk, mixed.data(),
                     t);
            if (useKey && keys.in(paintedChunk, pixels))
                SelectRow(l, l, l, mixed.data(), pixels, key);
            else
                std::memcpy(l, mixed.data(), bytes);
        }
    }
}

void CopyPixels(QImage &target, const QImage &source)
{
    if (target.size() != source.size() || target.format() != source.format()) {
        target = source.copy();
        return;
    }
    const Rows<const std::uint8_t> from = ReadableRows(source);
    const Rows<std::uint8_t> to = WritableRows(target);
    for (int y = 0; y < from.height; ++y)
        std::memcpy(to.at(0, y), from.at(0, y), from.width * kBytesPerPixel);
}

void DrawPicture(QImage &canvas, const QImage &picture, int left, int top,
                 std::optional<Colour> key, const Mark &mark)
{
    const int yFirst = std::max(0, top);
    const int yEnd = std::min(canvas.height(), picture.height() + top);
    const int xFirst = std::max(0, left);
    const int xEnd = std::min(canvas.width(), picture.width() + left);
    if (xFirst >= xEnd)
        return;
    const std::optional<KeyFinder> keys =
        key ? std::optional<KeyFinder>(std::in_place, *key, xEnd - xFirst) : std::nullopt;
    const Rows<const std::uint8_t> pictureRows = ReadableRows(picture);
    const Rows<std::uint8_t> canvasRows = WritableRows(canvas);
    const Marks marks = MarksOn(canvas, mark);
    for (int y = yFirst; y < yEnd; ++y) {
        for (int x = xFirst; x < xEnd; x += kChunk) {
            const int pixels = std::min(kChunk, xEnd - x);
            const int bytes = pixels * kBytesPerPixel;
            std::uint8_t *target = canvasRows.at(x, y);
            const std::uint8_t *source = pictureRows.at(x - left, y - top);
            RowBuffer drawn;
            if (keys && keys->in(WholeChunk(source, pixels, drawn), pixels)) {
                SelectRow(target, source, target, source, pixels, *key);
                if (marks.cells)
                    MarkRow(marks.row(y) + x, source, pixels, *key, mark.at(y));
            } else {
                std::memcpy(target, source, bytes);
                marks.span(y, x, x + pixels);
            }
        }
    }
}

KeyedPicture::KeyedPicture(const QImage &picture, Colour key)
    : picture_(picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width();) {
            if (SameRgb(PixelAt(picture, x, y), key)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < picture.width() && !SameRgb(PixelAt(picture, x, y), key))
                ++x;
            runs_.push_back({y, start, x - start});
        }
    }
}

void KeyedPicture::draw(QImage &canvas, int left, int top, const Mark &mark) const
{
    const Rows<const std::uint8_t> pictureRows = ReadableRows(picture_);
    const Rows<std::uint8_t> canvasRows = WritableRows(canvas);
    const Marks marks = MarksOn(canvas, mark);
    for (const Run &run : runs_) {
        const int y = top + run.y;
        const int x1 = std::max(left + run.x, 0);
        const int x2 = std::min(left + run.x + run.length, canvasRows.width);
        if (y < 0 || y >= canvasRows.height || x1 >= x2)
            continue;
        std::memcpy(canvasRows.at(x1, y), pictureRows.at(x1 - left, run.y),
                    (x2 - x1) * kBytesPerPixel);
        marks.span(y, x1, x2);
    }
}

}  // namespace tintora
