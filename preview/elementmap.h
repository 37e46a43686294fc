#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace tintora {

// Which element drew each pixel of the 128 x 128 preview last: 1..63, or 0 where the last
// drawing there was a picture, the background picture or a fixed colour. The preview fills
// it as it paints, so it always goes with the picture shown.
class ElementMap {
public:
    static constexpr int kSize = 128;

    // 0 outside the preview.
    int elementAt(int x, int y) const
    {
        if (unsigned(x) >= unsigned(kSize) || unsigned(y) >= unsigned(kSize))
            return 0;
        return cells_[y * kSize + x];
    }
    std::uint8_t *cells() { return cells_.data(); }
    const std::uint8_t *row(int y) const { return cells_.data() + y * kSize; }
    // True when no element drew any pixel: pictures and fixed colours only.
    bool isEmpty() const
    {
        return std::all_of(cells_.begin(), cells_.end(), [](std::uint8_t cell) { return cell == 0; });
    }
    void clear() { cells_.fill(0); }

private:
    std::array<std::uint8_t, kSize * kSize> cells_{};
};

// How a drawing records itself in a map: rows above splitRow with element, the others with
// lowerElement (the lower half of a gradient is nearer its second colour). Without a map, or
// on a canvas of another size than the map's, nothing is recorded.
struct Mark {
    Mark() = default;
    Mark(ElementMap *map, int element)
        : map(map), element(std::uint8_t(element)), lowerElement(std::uint8_t(element))
    {
    }
    Mark(ElementMap *map, int upper, int lower, int splitRow)
        : map(map), element(std::uint8_t(upper)), lowerElement(std::uint8_t(lower)),
          splitRow(splitRow)
    {
    }

    std::uint8_t at(int y) const { return y < splitRow ? element : lowerElement; }
    // The cells to record in for a canvas of this size; null when nothing is recorded.
    std::uint8_t *cellsFor(int width, int height) const
    {
        const bool fits = width == ElementMap::kSize && height == ElementMap::kSize;
        return map && fits ? map->cells() : nullptr;
    }

    ElementMap *map = nullptr;
    std::uint8_t element = 0;
    std::uint8_t lowerElement = 0;
    int splitRow = std::numeric_limits<int>::max();
};

}  // namespace tintora
