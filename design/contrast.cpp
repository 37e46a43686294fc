#include "contrast.h"

#include "colourmath.h"
#include "roles.h"

#include "preview/primitives.h"
#include "scheme/catalogue.h"

#include <cmath>

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

// The relative luminance of every pixel of a 128 x 128 picture.
std::vector<float> LuminancePlane(const QImage &image)
{
    const Luminance &luminance = Luminance::instance();
    std::vector<float> plane(kSize * kSize);
    for (int y = 0; y < kSize; ++y) {
        const uchar *row = image.constScanLine(y);
        for (int x = 0; x < kSize; ++x, row += 3)
            plane[y * kSize + x] = float(luminance.of(row[0], row[1], row[2]));
    }
    return plane;
}

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
    const ElementSet &ink = InkElements();
    const std::vector<float> plane = LuminancePlane(image);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const int element = map.elementAt(x, y);
            if (!ink[element])
                continue;
            double sum = 0;
            int count = 0;
            const int top = std::max(0, y - kSurroundRadius), bottom = std::min(kSize - 1, y + kSurroundRadius);
            const int left = std::max(0, x - kSurroundRadius), right = std::min(kSize - 1, x + kSurroundRadius);
            for (int v = top; v <= bottom; ++v) {
                for (int u = left; u <= right; ++u) {
                    const int other = map.elementAt(u, v);
                    if (other != element && !ignored[other]) {
                        sum += plane[v * kSize + u];
                        ++count;
                    }
                }
            }
            if (count > 0)
                visit({element, x, y, plane[y * kSize + x], sum / count});
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

ContrastChecker::ContrastChecker(const PreviewSettings &settings)
    : settings_(settings),
      clock_(ContrastCheckMoment()),
      pictures_(LoadPreviewPictures()),
      preview_(scheme_, settings_, clock_, pictures_)
{
}

void ContrastChecker::setBackground(const QImage &scaled128)
{
    if (scaled128.isNull())
        preview_.clearBackgroundPicture();
    else
        preview_.setBackgroundPicture(scaled128);
}

const Preview &ContrastChecker::paint(const ColourScheme &scheme, int screen)
{
    scheme_ = scheme;
    preview_.RepaintPreview(screen);
    return preview_;
}

std::vector<ContrastPlace> ContrastChecker::check(const ColourScheme &scheme)
{
    scheme_ = scheme;
    std::array<ContrastPlace, kElementCount + 1> worst;
    std::array<bool, kElementCount + 1> seen{};
    for (int screen = 0; screen < kScreenCount; ++screen) {
        preview_.RepaintPreview(screen);
        const QImage &image = preview_.image();
        const ElementMap &map = preview_.elementMap();
        std::array<bool, kElementCount + 1> worseHere{};
        ForEachInkPixel(image, map, ElementSet{}, [&](const InkPixel &pixel) {
            const double ratio = ContrastRatio(pixel.inkLuminance, pixel.aroundLuminance);
            ContrastPlace &place = worst[pixel.element];
            if (seen[pixel.element] && ratio >= place.ratio)
                return;
            seen[pixel.element] = worseHere[pixel.element] = true;
            place = {pixel.element, screen, pixel.x, pixel.y, ratio, 0, ContrastBound(pixel.element)};
        });
        // APCA's powers only for the places that stay the worst of this screen.
        for (int element = 1; element <= kElementCount; ++element) {
            if (!worseHere[element])
                continue;
            ContrastPlace &place = worst[element];
            place.apca = ApcaContrast(ApcaLuminance(PixelAt(image, place.x, place.y)),
                                      ApcaAround(image, map, element, place.x, place.y));
        }
    }
    std::vector<ContrastPlace> places;
    for (int element = 1; element <= kElementCount; ++element) {
        if (seen[element])
            places.push_back(worst[element]);
    }
    std::stable_sort(places.begin(), places.end(),
                     [](const ContrastPlace &a, const ContrastPlace &b) { return a.ratio < b.ratio; });
    return places;
}

QString RatioText(double ratio)
{
    return QString::number(std::floor(ratio * 100) / 100, 'f', 2) + QStringLiteral(":1");
}

QString ContrastLine(const ContrastPlace &place, Language language)
{
    const QString name = language == kRussian ? RussianElementName(place.element)
                                              : EnglishElementName(place.element);
    const QString apca = QString::number(place.apca, 'f', 1);
    const QString bound = QString::number(place.bound, 'g', 2) + QStringLiteral(":1");
    if (language == kRussian) {
        return QStringLiteral("%1 %2: %3, APCA Lc %4, экран %5 %6 в (%7, %8), нужно %9")
            .arg(place.element).arg(name, RatioText(place.ratio), apca).arg(place.screen)
            .arg(ScreenCaption(place.screen, language)).arg(place.x).arg(place.y).arg(bound);
    }
    return QStringLiteral("%1 %2: %3, APCA Lc %4, screen %5 %6 at (%7, %8), needs %9")
        .arg(place.element).arg(name, RatioText(place.ratio), apca).arg(place.screen)
        .arg(ScreenCaption(place.screen, language)).arg(place.x).arg(place.y).arg(bound);
}

}  // namespace tintora
