#include "contrast.h"

#include "colourmath.h"
#include "roles.h"

#include "preview/primitives.h"
#include "scheme/catalogue.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

namespace tintora {

namespace {

constexpr int kSize = ElementMap::kSize;

const ElementSet &InkElements()
{
    static const ElementSet ink = [] {
        ElementSet set{};
        for (int element = 1; element <= kElementCount; ++element)
            set[element] = IsInkRole(RoleOf(element));
        return set;
    }();
    return ink;
}

// Whether any of the rows within kSurroundRadius of y is marked.
bool AnyRowInReach(const std::array<bool, kSize> &rows, int y)
{
    return std::any_of(rows.begin() + std::max(0, y - kSurroundRadius),
                       rows.begin() + std::min(kSize, y + kSurroundRadius + 1), std::identity());
}

// The picture's luminance and the element behind each pixel, with a border of
// kSurroundRadius that counts as nothing, so that every 5 x 5 square lies inside.
class Surroundings {
public:
    static constexpr int kStride = kSize + 2 * kSurroundRadius;
    static constexpr std::uint8_t kNothing = 0xFF;
    static_assert(kElementCount < kNothing);

    // The last square's vector lanes reach past the border.
    Surroundings() : luminance_(kStride * (kStride + 1)), element_(kStride * (kStride + 1), kNothing) {}

    Surroundings(const QImage &image, const ElementMap &map, const ElementSet &ignored)
        : Surroundings()
    {
        for (int y = 0; y < kSize; ++y)
            forgetRow(map, y);
        fillInReach(image, map, ignored);
    }

    // Row y of the picture changed.
    void forgetRow(const ElementMap &map, int y)
    {
        const ElementSet &ink = InkElements();
        inkRow_[y] = std::any_of(map.row(y), map.row(y) + kSize, [&](std::uint8_t e) { return ink[e]; });
        filled_[y] = false;
    }
    // Only the rows that a square around an ink pixel reaches are ever read.
    void fillInReach(const QImage &image, const ElementMap &map, const ElementSet &ignored)
    {
        for (int y = 0; y < kSize; ++y) {
            if (!filled_[y] && AnyRowInReach(inkRow_, y))
                fill(image, map, ignored, y);
        }
    }
    bool inkRow(int y) const { return inkRow_[y]; }

    // visit(element, x, its luminance, the mean around it) for each ink pixel of row y that
    // has surroundings.
    template <typename Visit>
    void forEachInkPixel(const ElementMap &map, int y, Visit visit) const
    {
        const ElementSet &ink = InkElements();
        const std::uint8_t *drawnBy = map.row(y);
        for (int x = 0; x < kSize; ++x) {
            const int element = drawnBy[x];
            if (!ink[element])
                continue;
            if (const std::optional<double> mean = around(element, x, y))
                visit(element, x, luminance_[at(x, y)], *mean);
        }
    }

private:
    // The mean luminance around (x, y) of what other elements than element drew; nullopt
    // when there is none.
    std::optional<double> around(int element, int x, int y) const
    {
        // Eight lanes, of which five are the square's row: whole vector registers, no branch
        // (which pixels count is as good as random), no lane waiting on another.
        constexpr int kLanes = 8;
        constexpr std::array<int, kLanes> inSquare = {1, 1, 1, 1, 1, 0, 0, 0};
        static_assert(2 * kSurroundRadius + 1 == 5);
        std::array<float, kLanes> sum{};
        std::array<int, kLanes> count{};
        for (int v = -kSurroundRadius; v <= kSurroundRadius; ++v) {
            const float *lum = &luminance_[at(x - kSurroundRadius, y + v)];
            const std::uint8_t *drawnBy = &element_[at(x - kSurroundRadius, y + v)];
            for (int u = 0; u < kLanes; ++u) {
                const int counts = inSquare[u] & (drawnBy[u] != element) & (drawnBy[u] != kNothing);
                sum[u] += lum[u] * float(counts);
                count[u] += counts;
            }
        }
        double total = 0;
        int n = 0;
        for (int u = 0; u < kLanes; ++u) {
            total += sum[u];
            n += count[u];
        }
        return n ? std::optional(total / n) : std::nullopt;
    }

    static int at(int x, int y) { return (y + kSurroundRadius) * kStride + x + kSurroundRadius; }

    void fill(const QImage &image, const ElementMap &map, const ElementSet &ignored, int y)
    {
        const Luminance &luminance = Luminance::instance();
        const uchar *pixel = image.constScanLine(y);
        const std::uint8_t *drawnBy = map.row(y);
        float *lum = &luminance_[at(0, y)];
        std::uint8_t *element = &element_[at(0, y)];
        for (int x = 0; x < kSize; ++x, pixel += 3) {
            lum[x] = float(luminance.of(pixel[0], pixel[1], pixel[2]));
            element[x] = ignored[drawnBy[x]] ? kNothing : drawnBy[x];
        }
        filled_[y] = true;
    }

    std::array<bool, kSize> inkRow_{};
    std::array<bool, kSize> filled_{};
    std::vector<float> luminance_;
    std::vector<std::uint8_t> element_;
};

// The same surroundings as ForEachInkPixel, in APCA's luminance.
double ApcaAround(const QImage &image, const ElementMap &map, int element, int x, int y)
{
    double sum = 0;
    int count = 0;
    for (int v = std::max(0, y - kSurroundRadius); v <= std::min(kSize - 1, y + kSurroundRadius); ++v) {
        for (int u = std::max(0, x - kSurroundRadius); u <= std::min(kSize - 1, x + kSurroundRadius); ++u) {
            if (map.elementAt(u, v) != element) {
                sum += ApcaLuminance(PixelAt(image, u, v));
                ++count;
            }
        }
    }
    return count ? sum / count : 0;
}

}  // namespace

void ForEachInkPixel(const QImage &image, const ElementMap &map, const ElementSet &ignored,
                     const std::function<void(const InkPixel &)> &visit)
{
    if (image.width() != kSize || image.height() != kSize || image.format() != QImage::Format_RGB888)
        return;
    const Surroundings surroundings(image, map, ignored);
    for (int y = 0; y < kSize; ++y) {
        if (surroundings.inkRow(y)) {
            surroundings.forEachInkPixel(map, y, [&](int element, int x, double luminance, double around) {
                visit({element, x, y, luminance, around});
            });
        }
    }
}

std::vector<QPoint> WeakPixels(const QImage &image, const ElementMap &map)
{
    std::vector<QPoint> weak;
    ForEachInkPixel(image, map, ElementSet{}, [&](const InkPixel &pixel) {
        if (ContrastRatio(pixel.inkLuminance, pixel.aroundLuminance) < ContrastBound(pixel.element))
            weak.emplace_back(pixel.x, pixel.y);
    });
    return weak;
}

QDateTime ContrastCheckMoment()
{
    // A Wednesday in a month of six week rows, so the datebook shows all its rows.
    return QDateTime(QDate(2025, 3, 12), QTime(10, 8));
}

// What the last measure of one screen saw, so that the next one looks again only at the
// rows that changed and the ink within reach of them.
struct ContrastChecker::ScreenFigures {
    // Painted from the scheme's entries that read holds, with the current settings and
    // background.
    bool current = false;
    Preview::ElementsRead read;
    ColourScheme scheme;
    // The worst place of each ink element on this screen, in element order.
    std::vector<ContrastPlace> worst;

    void measure(int screen, const QImage &image, const ElementMap &map)
    {
        const std::array<bool, kSize> changed = takeChangedRows(image, map);
        for (int y = 0; y < kSize; ++y) {
            if (AnyRowInReach(changed, y))
                measureRow(y);
        }
        gatherWorst(screen);
    }

private:
    struct RowWorst {
        int element;
        int x;
        double ratio;
    };

    std::array<bool, kSize> takeChangedRows(const QImage &newImage, const ElementMap &newMap)
    {
        std::array<bool, kSize> changed;
        for (int y = 0; y < kSize; ++y) {
            changed[y] = image.isNull() ||
                         std::memcmp(newImage.constScanLine(y), image.constScanLine(y), kSize * 3) != 0 ||
                         std::memcmp(newMap.row(y), map.row(y), kSize) != 0;
            if (changed[y])
                surroundings.forgetRow(newMap, y);
        }
        surroundings.fillInReach(newImage, newMap, ElementSet{});
        // Into this buffer: sharing the preview's would have its next paint copy it.
        CopyPixels(image, newImage);
        map = newMap;
        return changed;
    }

    void measureRow(int y)
    {
        std::vector<RowWorst> &row = rowWorst[y];
        row.clear();
        surroundings.forEachInkPixel(map, y, [&](int element, int x, double luminance, double around) {
            const double ratio = ContrastRatio(luminance, around);
            const auto kept = std::ranges::find(row, element, &RowWorst::element);
            if (kept == row.end())
                row.push_back({element, x, ratio});
            else if (ratio < kept->ratio)
                *kept = {element, x, ratio};
        });
    }

    // Of equal places the first in reading order stands.
    void gatherWorst(int screen)
    {
        std::array<std::optional<QPoint>, kElementCount + 1> pixel;
        std::array<double, kElementCount + 1> ratio;
        for (int y = 0; y < kSize; ++y) {
            for (const RowWorst &candidate : rowWorst[y]) {
                if (!pixel[candidate.element] || candidate.ratio < ratio[candidate.element]) {
                    pixel[candidate.element] = QPoint(candidate.x, y);
                    ratio[candidate.element] = candidate.ratio;
                }
            }
        }
        worst.clear();
        for (int element = 1; element <= kElementCount; ++element) {
            if (!pixel[element])
                continue;
            const int x = pixel[element]->x(), y = pixel[element]->y();
            const double apca = ApcaContrast(ApcaLuminance(PixelAt(image, x, y)),
                                             ApcaAround(image, map, element, x, y));
            worst.push_back({element, screen, x, y, ratio[element], apca, ContrastBound(element)});
        }
    }

    QImage image;
    ElementMap map;
    Surroundings surroundings;
    std::vector<std::vector<RowWorst>> rowWorst = std::vector<std::vector<RowWorst>>(kSize);
};

ContrastChecker::ContrastChecker(const PreviewSettings &settings)
    : settings_(settings),
      clock_(ContrastCheckMoment()),
      pictures_(LoadPreviewPictures()),
      preview_(scheme_, settings_, clock_, pictures_),
      screens_(kScreenCount)
{
}

ContrastChecker::~ContrastChecker() = default;

void ContrastChecker::setSettings(const PreviewSettings &settings)
{
    if (settings == settings_)
        return;
    settings_ = settings;
    forgetFigures();
}

void ContrastChecker::setBackground(const QImage &scaled128)
{
    if (scaled128 == background_)
        return;
    background_ = scaled128;
    if (scaled128.isNull())
        preview_.clearBackgroundPicture();
    else
        preview_.setBackgroundPicture(scaled128);
    forgetFigures();
}

void ContrastChecker::forgetFigures()
{
    for (ScreenFigures &figures : screens_)
        figures.current = false;
}

const Preview &ContrastChecker::paint(const ColourScheme &scheme, int screen)
{
    scheme_ = scheme;
    preview_.RepaintPreview(screen);
    return preview_;
}

bool ContrastChecker::stillTrue(const ScreenFigures &figures, const ColourScheme &scheme) const
{
    if (!figures.current)
        return false;
    for (int element = 1; element <= kElementCount; ++element) {
        if (figures.read[element] && figures.scheme.entry(element) != scheme.entry(element))
            return false;
    }
    return true;
}

void ContrastChecker::measure(int screen, ScreenFigures &figures)
{
    preview_.forgetElementsRead();
    preview_.RepaintPreview(screen);
    figures.measure(screen, preview_.image(), preview_.elementMap());
    figures.read = preview_.elementsRead();
    figures.scheme = scheme_;
    figures.current = true;
}

std::vector<ContrastPlace> ContrastChecker::check(const ColourScheme &scheme)
{
    scheme_ = scheme;
    std::array<std::optional<ContrastPlace>, kElementCount + 1> worst;
    for (int screen = 0; screen < kScreenCount; ++screen) {
        ScreenFigures &figures = screens_[screen];
        if (!stillTrue(figures, scheme))
            measure(screen, figures);
        // Of equal places the first screen's stands.
        for (const ContrastPlace &place : figures.worst) {
            std::optional<ContrastPlace> &kept = worst[place.element];
            if (!kept || place.ratio < kept->ratio)
                kept = place;
        }
    }
    std::vector<ContrastPlace> places;
    for (const std::optional<ContrastPlace> &place : worst) {
        if (place)
            places.push_back(*place);
    }
    std::stable_sort(places.begin(), places.end(),
                     [](const ContrastPlace &a, const ContrastPlace &b) { return a.ratio < b.ratio; });
    return places;
}

QString RatioText(double ratio)
{
    return QString::number(std::floor(ratio * 100) / 100, 'f', 2) + QStringLiteral(":1");
}

}  // namespace tintora
