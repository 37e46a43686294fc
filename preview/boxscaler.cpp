#include "preview/boxscaler.h"

#include <algorithm>
#include <cmath>

namespace tintora {

std::int64_t RoundHalfUp(double x)
{
    // Not floor(x + 0.5): that sum rounds 0.49999999999999994 up to 1.
    const double whole = std::trunc(x);
    return static_cast<std::int64_t>(whole) + (x - whole >= 0.5 ? 1 : 0);
}

BoxScaler::BoxScaler(int sourceWidth, int sourceHeight, int width, int height)
    : height_(height),
      columns_(BoxSpans(sourceWidth, width)),
      rows_(BoxSpans(sourceHeight, height)),
      capacity_(OpenRowCapacity()),
      rowSums_(std::size_t(width) * 3),
      sums_(std::size_t(capacity_) * rowSums_.size()),
      picture_(width, height, QImage::Format_RGB888)
{
    picture_.fill(Qt::black);
}

// The boxes along one axis: 32-bit float steps and positions, the end clamped
// to the last index once it reaches the length, each end's index clamped too,
// so a source shorter than the result still gives every box one pixel.
std::vector<BoxScaler::Span> BoxScaler::BoxSpans(int sourceLength, int length)
{
    std::vector<Span> spans(static_cast<std::size_t>(length));
    const float step = static_cast<float>(sourceLength) / static_cast<float>(length);
    const std::int64_t lastIndex = sourceLength - 1;
    float end = 0;
    for (Span &span : spans) {
        const float start = end;
        end = start + step;
        if (!(end < static_cast<float>(sourceLength)))
            end = static_cast<float>(lastIndex);
        span.first = int(std::min(RoundHalfUp(start), lastIndex));
        span.last = int(std::min(RoundHalfUp(end), lastIndex));
    }
    return spans;
}

// The most output rows that hold one source row at the same time: two where
// boxes share a border row, more when the source has fewer rows than the result.
int BoxScaler::OpenRowCapacity() const
{
    int most = 1;
    int oldestOpen = 0;
    for (int row = 0; row < height_; ++row) {
        while (rows_[oldestOpen].last < rows_[row].first)
            ++oldestOpen;
        most = std::max(most, row - oldestOpen + 1);
    }
    return most;
}

void BoxScaler::addRow(const std::uint8_t *rgb)
{
    const int y = sourceRow_++;
    if (isComplete())
        return;
    while (nextRowToOpen_ < height_ && rows_[nextRowToOpen_].first == y) {
        std::uint64_t *sums = accumulator(nextRowToOpen_++);
        std::fill(sums, sums + rowSums_.size(), 0);
    }
    sumBoxesOfRow(rgb);
    for (int row = nextRowToEmit_; row < nextRowToOpen_; ++row) {
        std::uint64_t *sums = accumulator(row);
        for (std::size_t k = 0; k < rowSums_.size(); ++k)
            sums[k] += rowSums_[k];
    }
    while (nextRowToEmit_ < nextRowToOpen_ && rows_[nextRowToEmit_].last == y)
        emitRow(nextRowToEmit_++);
}

// Integer sums are exact, so a 32-bit sum per box and channel is all a row
// needs (65,500 pixels of 255 fit).
void BoxScaler::sumBoxesOfRow(const std::uint8_t *rgb)
{
    std::uint32_t *out = rowSums_.data();
    for (const Span &column : columns_) {
        const std::uint8_t *pixel = rgb + std::size_t(column.first) * 3;
        const std::uint8_t *const end = rgb + std::size_t(column.last + 1) * 3;
        std::uint32_t red = 0, green = 0, blue = 0;
        for (; pixel != end; pixel += 3) {
            red += pixel[0];
            green += pixel[1];
            blue += pixel[2];
        }
        *out++ = red;
        *out++ = green;
        *out++ = blue;
    }
}

void BoxScaler::emitRow(int row)
{
    const std::uint64_t *sums = accumulator(row);
    const std::int64_t boxHeight = rows_[row].last - rows_[row].first + 1;
    std::uint8_t *out = picture_.scanLine(row);
    for (const Span &column : columns_) {
        const double count = double((column.last - column.first + 1) * boxHeight);
        for (int channel = 0; channel < 3; ++channel)
            *out++ = std::uint8_t(RoundHalfUp(double(*sums++) / count));
    }
}

QImage ScaleToBox(const QImage &source, int w, int h)
{
    const QImage rgb = source.convertToFormat(QImage::Format_RGB888);
    BoxScaler scaler(rgb.width(), rgb.height(), w, h);
    for (int y = 0; y < rgb.height(); ++y)
        scaler.addRow(rgb.constScanLine(y));
    return scaler.result();
}

}  // namespace tintora
