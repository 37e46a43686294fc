#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

namespace tintora {

// The integer part of x, plus 1 when the fraction is 0.5 or more; x >= 0.
std::int64_t RoundHalfUp(double x);

// Box filter onto a width x height picture that takes the source one RGB row
// at a time, top to bottom, as a JPEG decoder delivers it. Only the output
// rows whose boxes are open at the moment hold sums, so memory depends on the
// result's size, not on the source's.
class BoxScaler {
public:
    // All four sizes at least 1.
    BoxScaler(int sourceWidth, int sourceHeight, int width, int height);

    // rgb holds sourceWidth pixels of three bytes. Rows beyond the last box
    // are ignored.
    void addRow(const std::uint8_t *rgb);

    bool isComplete() const { return nextRowToEmit_ == height_; }
    // 24-bit, width x height; rows not yet complete are black.
    QImage result() const { return picture_; }

private:
    // First and last source index of one box, both included.
    struct Span {
        int first;
        int last;
    };

    static std::vector<Span> BoxSpans(int sourceLength, int length);
    int OpenRowCapacity() const;
    void sumBoxesOfRow(const std::uint8_t *rgb);
    void emitRow(int row);
    std::uint64_t *accumulator(int row) { return sums_.data() + std::size_t(row % capacity_) * rowSums_.size(); }

    int height_;
    std::vector<Span> columns_;
    std::vector<Span> rows_;
    int capacity_;
    std::vector<std::uint32_t> rowSums_;  // one source row, per box, per channel
    std::vector<std::uint64_t> sums_;     // ring of open output rows
    int sourceRow_ = 0;
    int nextRowToOpen_ = 0;
    int nextRowToEmit_ = 0;
    QImage picture_;
};

// The whole of source, stretched to w x h through BoxScaler.
QImage ScaleToBox(const QImage &source, int w, int h);

}  // namespace tintora
