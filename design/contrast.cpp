#include "contrast.h"

#include "colourmath.h"
#include "parallel.h"
#include "roles.h"

#include "preview/primitives.h"
#include "scheme/catalogue.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <tuple>

namespace tintora {

namespace {

constexpr int kSize = ElementMap::kSize;

// Each element's part in the measure: an ink, a cue (highlight or pressed key), or neither.
enum Measured : std::uint8_t { kNotMeasured, kInk, kCue };

const std::array<Measured, kElementCount + 1> &MeasuredElements()
{
    static const std::array<Measured, kElementCount + 1> measured = [] {
        std::array<Measured, kElementCount + 1> table{};
        for (int element = 1; element <= kElementCount; ++element) {
            const Role role = RoleOf(element);
            table[element] = IsInkRole(role) ? kInk : IsCueRole(role) ? kCue : kNotMeasured;
        }
        return table;
    }();
    return measured;
}

// Whether any of the rows within kSurroundRadius of y is marked.
bool AnyRowInReach(const std::array<bool, kSize> &rows, int y)
{
    return std::any_of(rows.begin() + std::max(0, y - kSurroundRadius),
                       rows.begin() + std::min(kSize, y + kSurroundRadius + 1), std::identity());
}

// Per pixel of a row, nonzero where it is marked; eight bytes spare at the end, so that it
// can be read eight at a time from any pixel.
using Columns = std::array<std::uint8_t, kSize + 8>;

// a |= b for count bytes, a multiple of eight, eight at a time.
void OrInto(std::uint8_t *a, const std::uint8_t *b, int count)
{
    for (int i = 0; i < count; i += 8) {
        std::uint64_t x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        x |= y;
        std::memcpy(a + i, &x, 8);
    }
}

// What one measured pixel and its surroundings give.
struct PixelFigures {
    double luminance, around;
    double apca, apcaAround;
};

// The picture's luminances and the element behind each pixel, with a border of
// kSurroundRadius that counts as nothing, so that every 5 x 5 square lies inside.
class Surroundings {
public:
    static constexpr int kStride = kSize + 2 * kSurroundRadius;
    static constexpr std::uint8_t kNothing = 0xFF;
    static_assert(kElementCount < kNothing);
    // Indexed by the element behind a pixel: whether it is left out of the surroundings.
    using Skipped = std::array<std::uint8_t, 256>;

    // The last square's vector lanes reach past the border.
    Surroundings()
        : luminance_(kStride * (kStride + 1)), apca_(kStride * (kStride + 1)),
          element_(kStride * (kStride + 1), kNothing)
    {
    }

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
        const auto &measured = MeasuredElements();
        measuredRow_[y] = std::any_of(map.row(y), map.row(y) + kSize,
                                      [&](std::uint8_t e) { return measured[e] != kNotMeasured; });
        filled_[y] = false;
    }
    // Row y changed where changed is marked: a row that is filled takes just those pixels.
    void changeRow(const QImage &image, const ElementMap &map, const ElementSet &ignored, int y,
                   const Columns &changed)
    {
        const bool filled = filled_[y];
        forgetRow(map, y);
        if (filled)
            fill(image, map, ignored, y, changed.data());
    }
    // Only the rows that a square around a measured pixel reaches are ever read.
    void fillInReach(const QImage &image, const ElementMap &map, const ElementSet &ignored)
    {
        for (int y = 0; y < kSize; ++y) {
            if (!filled_[y] && AnyRowInReach(measuredRow_, y))
                fill(image, map, ignored, y);
        }
    }
    bool measuredRow(int y) const { return measuredRow_[y]; }

    // visit(element, x, figures) for each pixel of row y of the kinds asked for that has
    // surroundings.
    template <typename Visit>
    void forEachPixel(const ElementMap &map, int y, bool cues, Visit visit) const
    {
        forEachMeasured(map, y, cues, [&](int element, int x) {
            if (const std::optional<PixelFigures> figures = figuresAt(element, x, y))
                visit(element, x, *figures);
        });
    }

    // visit(element, x) for each pixel of row y of the kinds asked for.
    template <typename Visit>
    void forEachMeasured(const ElementMap &map, int y, bool cues, Visit visit) const
    {
        const auto &measured = MeasuredElements();
        const std::uint8_t *drawnBy = map.row(y);
        for (int x = 0; x < kSize; ++x) {
            const int element = drawnBy[x];
            if (measured[element] == kInk || (measured[element] == kCue && cues))
                visit(element, x);
        }
    }

    // The figures of a pixel of a measured element. A text stands on everything but itself;
    // a cue on the surfaces and bars beside it, not on lines, icons or texts.
    std::optional<PixelFigures> figuresAt(int element, int x, int y) const
    {
        static const Skipped inkSkips = [] {
            Skipped skipped{};
            skipped[kNothing] = 1;
            return skipped;
        }();
        static const Skipped cueSkips = [] {
            Skipped skipped;
            skipped.fill(1);
            for (int element = 1; element <= kElementCount; ++element)
                skipped[element] = !IsCueGround(RoleOf(element));
            return skipped;
        }();
        return around(element, x, y, MeasuredElements()[element] == kCue ? cueSkips : inkSkips);
    }

private:
    // The pixel at (x, y) and the mean around it of what is neither element nor skipped;
    // nullopt when there is none.
    std::optional<PixelFigures> around(int element, int x, int y, const Skipped &skipped) const
    {
        // Eight lanes, of which five are the square's row: whole vector registers, no branch
        // (which pixels count is as good as random), no lane waiting on another.
        constexpr int kLanes = 8;
        constexpr std::array<int, kLanes> inSquare = {1, 1, 1, 1, 1, 0, 0, 0};
        static_assert(2 * kSurroundRadius + 1 == 5);
        std::array<float, kLanes> sum{}, apcaSum{};
        std::array<int, kLanes> count{};
        for (int v = -kSurroundRadius; v <= kSurroundRadius; ++v) {
            const int start = at(x - kSurroundRadius, y + v);
            const float *lum = &luminance_[start];
            const float *apca = &apca_[start];
            const std::uint8_t *drawnBy = &element_[start];
            for (int u = 0; u < kLanes; ++u) {
                const int counts = inSquare[u] & (drawnBy[u] != element) & (skipped[drawnBy[u]] ^ 1);
                sum[u] += lum[u] * float(counts);
                apcaSum[u] += apca[u] * float(counts);
                count[u] += counts;
            }
        }
        double total = 0, apcaTotal = 0;
        int n = 0;
        for (int u = 0; u < kLanes; ++u) {
            total += sum[u];
            apcaTotal += apcaSum[u];
            n += count[u];
        }
        if (n == 0)
            return std::nullopt;
        return PixelFigures{luminance_[at(x, y)], total / n, apca_[at(x, y)], apcaTotal / n};
    }

    static int at(int x, int y) { return (y + kSurroundRadius) * kStride + x + kSurroundRadius; }

    // Row y, or of it only the pixels marked in only.
    void fill(const QImage &image, const ElementMap &map, const ElementSet &ignored, int y,
              const std::uint8_t *only = nullptr)
    {
        const Luminance &luminance = Luminance::instance();
        const ApcaLuminanceTable &apcaLuminance = ApcaLuminanceTable::instance();
        const uchar *pixel = image.constScanLine(y);
        const std::uint8_t *drawnBy = map.row(y);
        float *lum = &luminance_[at(0, y)];
        float *apca = &apca_[at(0, y)];
        std::uint8_t *element = &element_[at(0, y)];
        for (int x = 0; x < kSize; ++x, pixel += 3) {
            if (only && !only[x])
                continue;
            lum[x] = float(luminance.of(pixel[0], pixel[1], pixel[2]));
            apca[x] = float(apcaLuminance.of(pixel[0], pixel[1], pixel[2]));
            element[x] = ignored[drawnBy[x]] ? kNothing : drawnBy[x];
        }
        filled_[y] = true;
    }

    std::array<bool, kSize> measuredRow_{};
    std::array<bool, kSize> filled_{};
    std::vector<float> luminance_;
    std::vector<float> apca_;
    std::vector<std::uint8_t> element_;
};

}  // namespace

void ForEachInkPixel(const QImage &image, const ElementMap &map, const ElementSet &ignored,
                     const std::function<void(const InkPixel &)> &visit)
{
    if (image.width() != kSize || image.height() != kSize || image.format() != QImage::Format_RGB888)
        return;
    const Surroundings surroundings(image, map, ignored);
    for (int y = 0; y < kSize; ++y) {
        if (surroundings.measuredRow(y)) {
            surroundings.forEachPixel(map, y, false, [&](int element, int x, const PixelFigures &f) {
                visit({element, x, y, f.luminance, f.around, f.apca, f.apcaAround});
            });
        }
    }
}

std::vector<QPoint> WeakPixels(const QImage &image, const ElementMap &map, ContrastStandard standard)
{
    std::vector<QPoint> weak;
    ForEachInkPixel(image, map, ElementSet{}, [&](const InkPixel &pixel) {
        const double bound = ContrastBound(pixel.element, standard);
        const bool below = BoundIsLc(pixel.element, standard)
                               ? std::abs(ApcaContrast(pixel.inkApca, pixel.aroundApca)) < bound
                               : ContrastRatio(pixel.inkLuminance, pixel.aroundLuminance) < bound;
        if (below)
            weak.emplace_back(pixel.x, pixel.y);
    });
    return weak;
}

QDateTime ContrastCheckMoment()
{
    // A Wednesday in a month of six week rows, so the datebook shows all its rows.
    return QDateTime(QDate(2025, 3, 12), QTime(10, 8));
}

std::vector<PreviewSettings> AllPreviewStates(const PreviewSettings &settings)
{
    // Pressed: left, menu, right, none. In March 2025 the 1st is a Saturday, the 12th the
    // check's today and the 3rd a Monday.
    constexpr int kStates = 4;
    constexpr std::array<std::uint16_t, 3> chosenDays = {1, 12, 3};
    std::vector<PreviewSettings> states(kStates, settings);
    for (int k = 0; k < kStates; ++k) {
        states[k].PressedSoftKey = std::uint8_t(k);
        states[k].ClockFormat = std::uint8_t(k % 2);
        states[k].DateFormat = std::uint8_t(k % 3);
        states[k].ChoosedDate = chosenDays[k % 3];
    }
    return states;
}

namespace {

// Of two figures, the one that should be kept as the worst: lower, or for Lc nearer 0.
bool Lower(double a, double b)
{
    return a < b;
}
bool NearerZero(double a, double b)
{
    return std::abs(a) < std::abs(b);
}

// What the last measure of one screen saw, so that the next one looks again only at the
// pixels within reach of those that changed.
struct ScreenFigures {
    // Painted from the scheme's entries that read holds, with the current settings and
    // background.
    bool current = false;
    Preview::ElementsRead read;
    ColourScheme scheme;
    // The worst places of each measured element on this screen, in element order.
    std::vector<ContrastPlace> worst;

    // The picture and element map measured last.
    const QImage &picture() const { return image; }
    const ElementMap &elements() const { return map; }

    void measure(int state, int screen, const QImage &image, const ElementMap &map)
    {
        takeChangedPixels(image, map);
        for (int y = 0; y < kSize; ++y) {
            if (!AnyRowInReach(changedRows, y))
                continue;
            // The changed columns of the rows within reach, shifted kSurroundRadius to the
            // right, so that the reach of pixel x starts at near[x].
            std::array<std::uint8_t, kSize + 2 * kSurroundRadius + 8> near{};
            for (int v = std::max(0, y - kSurroundRadius); v <= std::min(kSize - 1, y + kSurroundRadius); ++v)
                OrInto(near.data() + kSurroundRadius, changed[v].data(), kSize);
            Columns stale{};
            for (int u = 0; u <= 2 * kSurroundRadius; ++u)
                OrInto(stale.data(), near.data() + u, kSize);
            measureRow(y, stale);
        }
        gatherWorst(state, screen);
    }

private:
    // APCA's powers are the measure's dearest part. For one text luminance, |Lc| grows with
    // the distance of the surroundings from the text on either side, so a pixel of the same
    // text luminance whose surroundings lie farther out than those of one already measured
    // cannot come nearer 0, and its Lc is not worked out.
    struct LcReach {
        double text;
        double nearestAbove = std::numeric_limits<double>::infinity();
        double nearestBelow = -std::numeric_limits<double>::infinity();

        // Apart from equal surroundings, which give the same Lc, a margin far above the
        // powers' rounding keeps the skip on the safe side.
        bool fartherOut(double ink, double around) const
        {
            constexpr double kSlack = 1e-12;
            if (ink != text)
                return false;
            return around > text ? around == nearestAbove || around > nearestAbove + kSlack
                                 : around == nearestBelow || around < nearestBelow - kSlack;
        }
        void add(double ink, double around)
        {
            if (ink != text)
                return;
            if (around > text)
                nearestAbove = std::min(nearestAbove, around);
            else
                nearestBelow = std::max(nearestBelow, around);
        }
    };

    struct RowWorst {
        int element;
        int x;
        double ratio;
        int lcX;
        double lc;
        LcReach reach;
    };

    // Which pixels changed, and in which rows an element drew other pixels than before.
    void takeChangedPixels(const QImage &newImage, const ElementMap &newMap)
    {
        for (int y = 0; y < kSize; ++y) {
            const uchar *newPixel = newImage.constScanLine(y);
            const std::uint8_t *newDrawnBy = newMap.row(y);
            redrawnRows[y] = image.isNull() || std::memcmp(newDrawnBy, map.row(y), kSize) != 0;
            changedRows[y] = redrawnRows[y] || std::memcmp(newPixel, image.constScanLine(y), kSize * 3) != 0;
            changed[y].fill(0);
            if (!changedRows[y])
                continue;
            if (image.isNull()) {
                std::fill_n(changed[y].begin(), kSize, 1);
                surroundings.forgetRow(newMap, y);
                continue;
            }
            const uchar *pixel = image.constScanLine(y);
            const std::uint8_t *drawnBy = map.row(y);
            for (int x = 0; x < kSize; ++x) {
                changed[y][x] = (newPixel[3 * x] ^ pixel[3 * x]) | (newPixel[3 * x + 1] ^ pixel[3 * x + 1]) |
                                (newPixel[3 * x + 2] ^ pixel[3 * x + 2]) | (newDrawnBy[x] ^ drawnBy[x]);
            }
            surroundings.changeRow(newImage, newMap, ElementSet{}, y, changed[y]);
        }
        surroundings.fillInReach(newImage, newMap, ElementSet{});
        // Into this buffer: sharing the preview's would have its next paint copy it.
        CopyPixels(image, newImage);
        map = newMap;
    }

    // Pixels whose surroundings did not change keep their figures from the last measure.
    void measureRow(int y, const Columns &stale)
    {
        std::vector<PixelCache> &measured = pixels[y];
        if (redrawnRows[y]) {
            measured.clear();
            surroundings.forEachMeasured(map, y, true, [&](int, int x) { measured.push_back({x, std::nullopt}); });
        }
        std::vector<RowWorst> &row = rowWorst[y];
        row.clear();
        for (PixelCache &pixel : measured) {
            const int x = pixel.x;
            const int element = map.row(y)[x];
            if (redrawnRows[y] || stale[x])
                pixel = {x, surroundings.figuresAt(element, x, y)};
            if (!pixel.figures)
                continue;
            const PixelFigures &f = *pixel.figures;
            const double ratio = ContrastRatio(f.luminance, f.around);
            const auto kept = std::ranges::find(row, element, &RowWorst::element);
            if (kept == row.end()) {
                if (std::isnan(pixel.lc))
                    pixel.lc = ApcaContrast(f.apca, f.apcaAround);
                row.push_back({element, x, ratio, x, pixel.lc, {f.apca}});
                row.back().reach.add(f.apca, f.apcaAround);
                continue;
            }
            if (Lower(ratio, kept->ratio))
                std::tie(kept->x, kept->ratio) = std::pair(x, ratio);
            // Nothing comes nearer 0 than 0.
            if (kept->lc == 0 || kept->reach.fartherOut(f.apca, f.apcaAround))
                continue;
            kept->reach.add(f.apca, f.apcaAround);
            if (std::isnan(pixel.lc))
                pixel.lc = ApcaContrast(f.apca, f.apcaAround);
            if (NearerZero(pixel.lc, kept->lc))
                std::tie(kept->lcX, kept->lc) = std::pair(x, pixel.lc);
        }
    }

    // Of equal places the first in reading order stands.
    void gatherWorst(int state, int screen)
    {
        std::array<std::optional<ContrastPlace>, kElementCount + 1> places;
        for (int y = 0; y < kSize; ++y) {
            for (const RowWorst &candidate : rowWorst[y]) {
                std::optional<ContrastPlace> &place = places[candidate.element];
                if (!place) {
                    place = ContrastPlace{candidate.element, {state, screen, candidate.x, y},
                                          {state, screen, candidate.lcX, y}, candidate.ratio, candidate.lc};
                    continue;
                }
                if (Lower(candidate.ratio, place->ratio)) {
                    place->ratioAt = {state, screen, candidate.x, y};
                    place->ratio = candidate.ratio;
                }
                if (NearerZero(candidate.lc, place->apca)) {
                    place->lcAt = {state, screen, candidate.lcX, y};
                    place->apca = candidate.lc;
                }
            }
        }
        worst.clear();
        for (const std::optional<ContrastPlace> &place : places) {
            if (place)
                worst.push_back(*place);
        }
    }

    QImage image;
    ElementMap map;
    Surroundings surroundings;
    std::vector<std::vector<RowWorst>> rowWorst = std::vector<std::vector<RowWorst>>(kSize);
    // The measured pixels of each row in order, with their figures and, once worked out, Lc.
    struct PixelCache {
        int x;
        std::optional<PixelFigures> figures;
        double lc = std::numeric_limits<double>::quiet_NaN();
    };
    std::vector<std::vector<PixelCache>> pixels = std::vector<std::vector<PixelCache>>(kSize);
    std::array<Columns, kSize> changed;
    std::array<bool, kSize> changedRows, redrawnRows;
};

}  // namespace

// One phone state: its settings, its preview and the figures of its screens.
class ContrastChecker::State {
public:
    State(const PreviewSettings &settings, const PreviewPictures &pictures)
        : settings_(settings),
          clock_(ContrastCheckMoment()),
          preview_(scheme_, settings_, clock_, pictures),
          screens_(kScreenCount)
    {
    }

    void setSettings(const PreviewSettings &settings)
    {
        if (settings == asked_)
            return;
        asked_ = settings_ = settings;
        forgetFigures();
    }

    void setBackground(const QImage &scaled128)
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

    const Preview &paint(const ColourScheme &scheme, int screen)
    {
        scheme_ = scheme;
        preview_.RepaintPreview(screen);
        return preview_;
    }

    // The figures of one screen, measured again when an element its paint read changed.
    const ScreenFigures &screenFigures(int state, int screen, const ColourScheme &scheme)
    {
        ScreenFigures &figures = screens_[screen];
        if (!stillTrue(figures, scheme)) {
            scheme_ = scheme;
            preview_.forgetElementsRead();
            preview_.RepaintPreview(screen);
            figures.measure(state, screen, preview_.image(), preview_.elementMap());
            figures.read = preview_.elementsRead();
            figures.scheme = scheme;
            figures.current = true;
        }
        return figures;
    }

    bool measuresScreen(int screen) const { return !screens_[screen].worst.empty(); }

private:
    bool stillTrue(const ScreenFigures &figures, const ColourScheme &scheme) const
    {
        if (!figures.current)
            return false;
        for (int element = 1; element <= kElementCount; ++element) {
            if (figures.read[element] && figures.scheme.entry(element) != scheme.entry(element))
                return false;
        }
        return true;
    }

    void forgetFigures()
    {
        for (ScreenFigures &figures : screens_)
            figures.current = false;
    }

    ColourScheme scheme_;
    // The settings asked for, and those the preview paints with (it mends a chosen day
    // past the month's end).
    PreviewSettings asked_, settings_;
    QImage background_;
    const FixedClock clock_;
    Preview preview_;
    std::vector<ScreenFigures> screens_;
};

ContrastChecker::ContrastChecker(const PreviewSettings &settings, bool allStates)
    : pictures_(LoadPreviewPictures()), allStates_(allStates)
{
    for (const PreviewSettings &state : allStates ? AllPreviewStates(settings) : std::vector{settings}) {
        states_.push_back(std::make_unique<State>(state, pictures_));
        states_.back()->setSettings(state);
    }
}

ContrastChecker::~ContrastChecker() = default;

void ContrastChecker::setSettings(const PreviewSettings &settings)
{
    const std::vector<PreviewSettings> states = allStates_ ? AllPreviewStates(settings) : std::vector{settings};
    for (std::size_t k = 0; k < states.size(); ++k)
        states_[k]->setSettings(states[k]);
}

void ContrastChecker::setBackground(const QImage &scaled128)
{
    for (const std::unique_ptr<State> &state : states_)
        state->setBackground(scaled128);
}

const Preview &ContrastChecker::paint(const ColourScheme &scheme, int screen, int state)
{
    return states_[state]->paint(scheme, screen);
}

ContrastChecker::Measured ContrastChecker::measured(const ColourScheme &scheme, int screen, int state)
{
    const ScreenFigures &figures = states_[state]->screenFigures(state, screen, scheme);
    return {figures.picture(), figures.elements(), figures.read};
}

int ContrastChecker::screensMeasured() const
{
    int count = 0;
    for (int screen = 0; screen < kScreenCount; ++screen) {
        count += std::ranges::any_of(states_, [&](const std::unique_ptr<State> &state) {
            return state->measuresScreen(screen);
        });
    }
    return count;
}

std::vector<ContrastPlace> ContrastChecker::check(const ColourScheme &scheme, int states)
{
    // Each state paints with a preview of its own; their figures are gathered in order.
    std::vector<std::array<const std::vector<ContrastPlace> *, kScreenCount>> figures(states);
    ForEachInParallel(states, [&](int state) {
        for (int screen = 0; screen < kScreenCount; ++screen)
            figures[state][screen] = &states_[state]->screenFigures(state, screen, scheme).worst;
    });
    std::array<std::optional<ContrastPlace>, kElementCount + 1> worst;
    for (int state = 0; state < states; ++state) {
        for (int screen = 0; screen < kScreenCount; ++screen) {
            // Of equal places the first state's and screen's stands.
            for (const ContrastPlace &place : *figures[state][screen]) {
                std::optional<ContrastPlace> &kept = worst[place.element];
                if (!kept) {
                    kept = place;
                    continue;
                }
                if (Lower(place.ratio, kept->ratio))
                    std::tie(kept->ratioAt, kept->ratio) = std::pair(place.ratioAt, place.ratio);
                if (NearerZero(place.apca, kept->apca))
                    std::tie(kept->lcAt, kept->apca) = std::pair(place.lcAt, place.apca);
            }
        }
    }
    std::vector<ContrastPlace> places;
    for (std::optional<ContrastPlace> &place : worst) {
        if (!place)
            continue;
        place->bound = ContrastBound(place->element, standard_);
        place->boundIsLc = BoundIsLc(place->element, standard_);
        places.push_back(*place);
    }
    // Weakest against its own bound first.
    const auto share = [](const ContrastPlace &p) { return (p.boundIsLc ? std::abs(p.apca) : p.ratio) / p.bound; };
    std::stable_sort(places.begin(), places.end(),
                     [&](const ContrastPlace &a, const ContrastPlace &b) { return share(a) < share(b); });
    return places;
}

QString RatioText(double ratio)
{
    return QString::number(std::floor(ratio * 100) / 100, 'f', 2) + QStringLiteral(":1");
}

}  // namespace tintora
