#pragma once

#include "elementmap.h"
#include "scheme/colourscheme.h"

#include <QImage>
#include <QPoint>

#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

namespace tintora {

// Corners as the drawing calls take them: x covers left..right-1, y top..bottom-1.
struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;
};

// A colour and the mark it leaves in an element map; a plain colour leaves none.
struct Ink {
    Ink(Colour colour) : colour(colour) {}
    Ink(Colour colour, const Mark &mark) : colour(colour), mark(mark) {}

    Colour colour;
    Mark mark;
};

// Every image here is 24-bit (QImage::Format_RGB888); writes are clipped to it.
QImage NewCanvas(int width, int height);
Colour PixelAt(const QImage &image, int x, int y);
void SetPixel(QImage &image, int x, int y, Colour colour);

inline bool SameRgb(Colour a, Colour b)
{
    return ((a ^ b) & 0xFFFFFF) == 0;
}
// The element's colour plus one: white wraps to 0x01000000, whose colour bytes are black.
Colour KeyColour(Colour elementColour);
// The colour of a picture's bottom-left pixel, its see-through colour.
Colour BottomLeftKey(const QImage &picture);

// A line as the platform's LineTo draws it: from (x1, y1) up to, not including, (x2, y2).
void DrawLine(QImage &image, int x1, int y1, int x2, int y2, const Ink &ink);
// Consecutive lines through the points; only the very last point is left out.
void DrawPath(QImage &image, std::initializer_list<QPoint> points, const Ink &ink);
void DrawRectOutline(QImage &image, const PixelRect &rect, const Ink &ink);
void FillRect(QImage &image, const PixelRect &rect, const Ink &ink);
// Lines from (x1, y) to (x2, y) for y = yFirst..yLast, both included.
void HorizontalLines(QImage &image, int yFirst, int yLast, int x1, int x2, const Ink &ink);
// Lines from (x, y1) to (x, y2) for x = xFirst..xLast, both included.
void VerticalLines(QImage &image, int xFirst, int xLast, int y1, int y2, const Ink &ink);

void FillGradient(QImage &canvas, const PixelRect &rect, bool horizontal,
                  std::span<const Colour> colours, const Mark &mark = {});
// Top to bottom; the upper half of the rows is marked with first's element, the rest with
// last's.
void FillGradient(QImage &canvas, const PixelRect &rect, const Ink &first, const Ink &last);

void BlendLayer(const QImage &under, QImage &layer, int transparency, bool useKey, Colour key,
                int top, int left);

// Copies the pixels of an image of the same size, keeping target's own buffer.
void CopyPixels(QImage &target, const QImage &source);

// Copies picture onto canvas with its top-left corner at (left, top), leaving out the
// pixels whose colour bytes equal the key (every pixel without a key).
void DrawPicture(QImage &canvas, const QImage &picture, int left, int top,
                 std::optional<Colour> key, const Mark &mark = {});

// A picture with its key colour, prepared for drawing many times: the runs of pixels of
// each row that are not the key.
class KeyedPicture {
public:
    KeyedPicture() = default;
    KeyedPicture(const QImage &picture, Colour key);
    // The same pixels as DrawPicture (canvas, picture, left, top, key).
    void draw(QImage &canvas, int left, int top, const Mark &mark = {}) const;

private:
    struct Run {
        int y, x, length;
    };
    QImage picture_;
    std::vector<Run> runs_;
};

}  // namespace tintora
