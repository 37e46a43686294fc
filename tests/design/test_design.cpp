#include "design/colourmath.h"
#include "design/contrast.h"
#include "design/roles.h"
#include "design/suggest.h"

#include "preview/previewfont.h"
#include "scheme/catalogue.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <random>
#include <set>
#include <tuple>

namespace tintora {
namespace {

PreviewSettings Settings()
{
    return PreviewSettings{QStringLiteral("BEE LINE"), 0, 0, 0, 0};
}

// The lowest ratio of each ink element on one screen.
std::map<int, double> WorstOnScreen(ContrastChecker &checker, const ColourScheme &scheme, int screen)
{
    std::map<int, double> worst;
    const Preview &preview = checker.paint(scheme, screen);
    ForEachInkPixel(preview.image(), preview.elementMap(), ElementSet{}, [&](const InkPixel &pixel) {
        const double ratio = ContrastRatio(pixel.inkLuminance, pixel.aroundLuminance);
        auto [place, added] = worst.emplace(pixel.element, ratio);
        place->second = std::min(place->second, ratio);
    });
    return worst;
}

QImage MakePicture(int kind);

// The worst of one figure over every pixel of an element, and where it was first met.
struct Worst {
    double figure = 1e9;
    Spot at;
};

class DesignTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InstallPreviewFontFromMemory()); }
};

// Fault caught: an ink element whose own pixels count as its surroundings, or a screen left
// out, would let black text on black pass somewhere.
TEST_F(DesignTest, BlackOnBlackIsFlaggedOnEveryScreenWhereItsTextShows)
{
    ColourScheme black;
    BuildDefaultScheme(black);
    for (SchemeEntry &entry : black.entries)
        entry = {0x000000, 0};
    ContrastChecker checker(Settings());
    std::map<int, int> screensShowing;
    for (int screen = 0; screen < kScreenCount; ++screen) {
        for (const auto &[element, ratio] : WorstOnScreen(checker, black, screen)) {
            EXPECT_LT(ratio, ContrastBound(element)) << "element " << element << " screen " << screen;
            ++screensShowing[element];
        }
    }
    // Main text shows on the idle screen, the menus, the notice, the datebook and messages.
    EXPECT_GE(screensShowing[2], 6);
    std::vector<ContrastPlace> places = checker.check(black);
    std::erase_if(places, [](const ContrastPlace &p) { return !IsInkRole(RoleOf(p.element)); });
    EXPECT_EQ(places.size(), screensShowing.size());
    EXPECT_TRUE(std::all_of(places.begin(), places.end(), [](const ContrastPlace &p) { return p.weak(); }));
}

// Fault caught: a row, a screen or a state keeping its best place instead of its worst, of
// two equal places the later one reported, or APCA's Lc taken at the worst ratio's place
// instead of its own worst.
TEST_F(DesignTest, EachElementsWorstPlaceIsTheFirstWhereItsFigureIsLowest)
{
    ColourScheme black, standard;
    BuildDefaultScheme(standard);
    BuildDefaultScheme(black);
    for (SchemeEntry &entry : black.entries)
        entry = {0x000000, 0};
    for (const auto &[scheme, picture] : {std::pair(black, QImage()), std::pair(standard, MakePicture(17))}) {
        ContrastChecker checker(Settings(), true);
        checker.setBackground(picture);
        std::map<int, Worst> ratios, lcs;
        for (int state = 0; state < checker.stateCount(); ++state) {
            for (int screen = 0; screen < kScreenCount; ++screen) {
                const Preview &preview = checker.paint(scheme, screen, state);
                ForEachInkPixel(preview.image(), preview.elementMap(), ElementSet{}, [&](const InkPixel &p) {
                    const Spot at{state, screen, p.x, p.y};
                    const double ratio = ContrastRatio(p.inkLuminance, p.aroundLuminance);
                    const double lc = std::abs(ApcaContrast(p.inkApca, p.aroundApca));
                    if (ratio < ratios[p.element].figure)
                        ratios[p.element] = {ratio, at};
                    if (lc < lcs[p.element].figure)
                        lcs[p.element] = {lc, at};
                });
            }
        }
        const auto same = [](const Spot &a, const Spot &b) {
            return std::tie(a.state, a.screen, a.x, a.y) == std::tie(b.state, b.screen, b.x, b.y);
        };
        int measured = 0;
        for (const ContrastPlace &place : checker.check(scheme)) {
            if (!IsInkRole(RoleOf(place.element)))
                continue;
            ++measured;
            const Worst &ratio = ratios[place.element], &lc = lcs[place.element];
            EXPECT_NEAR(place.ratio, ratio.figure, 1e-9) << "element " << place.element;
            EXPECT_TRUE(same(place.ratioAt, ratio.at))
                << "element " << place.element << " ratio at state " << place.ratioAt.state << " screen "
                << place.ratioAt.screen << " (" << place.ratioAt.x << ", " << place.ratioAt.y << "), first lowest at state "
                << ratio.at.state << " screen " << ratio.at.screen << " (" << ratio.at.x << ", " << ratio.at.y << ")";
            EXPECT_NEAR(std::abs(place.apca), lc.figure, 1e-9) << "element " << place.element;
            EXPECT_TRUE(same(place.lcAt, lc.at)) << "element " << place.element << " Lc";
        }
        EXPECT_EQ(measured, int(ratios.size()));
    }
}

// Fault caught: a screen's figures kept after an element it paints changed, or figures that
// depend on which screen the checker painted before; a screen measured for a suggestion's
// texts giving another picture than its paint, or leaving figures the check then takes
// that a check from nothing would not give.
TEST_F(DesignTest, ACheckAfterEditsEqualsAFreshCheck)
{
    const auto figures = [](const std::vector<ContrastPlace> &places) {
        std::vector<std::tuple<int, int, int, int, double, double>> list;
        for (const ContrastPlace &p : places)
            list.emplace_back(p.element, p.ratioAt.screen, p.ratioAt.x, p.ratioAt.y, p.ratio, p.apca);
        return list;
    };
    ColourScheme scheme;
    BuildDefaultScheme(scheme);
    const QImage picture = MakePicture(17);
    PreviewSettings settings = Settings();
    ContrastChecker kept(settings);
    std::mt19937 random(7);
    for (int edit = 0; edit < 90; ++edit) {
        const int element = 1 + int(random() % kElementCount);
        scheme.entry(element).colour = random() & 0xFFFFFF;
        if (edit % 3 == 0)
            scheme.entry(element).transparency = random() % 16;
        if (edit == 30)
            kept.setBackground(picture);
        if (edit == 60)
            settings.ClockFormat = 1;
        kept.setSettings(settings);
        // Suggestions paint single screens between checks.
        if (edit % 7 == 3)
            kept.paint(scheme, 8 - edit % kScreenCount);
        ContrastChecker fresh(settings);
        fresh.setBackground(edit >= 30 ? picture : QImage());
        if (edit % 4 == 1) {
            const int screen = edit % kScreenCount;
            const ContrastChecker::Measured measured = kept.measured(scheme, screen, 0);
            const Preview &painted = fresh.paint(scheme, screen);
            ASSERT_EQ(measured.image, painted.image()) << "edit " << edit;
            ASSERT_EQ(measured.read, painted.elementsRead()) << "edit " << edit;
        }
        ASSERT_EQ(figures(kept.check(scheme)), figures(fresh.check(scheme))) << "edit " << edit;
    }
}

// Fault caught: luminance or ratio arithmetic off (sRGB curve, weights, the 0.05 flare).
TEST_F(DesignTest, WhiteTextOnBlackIsTwentyOneToOne)
{
    ColourScheme scheme;
    BuildDefaultScheme(scheme);
    scheme.entry(43).colour = 0x000000;  // multimedia background
    scheme.entry(44).colour = 0xFFFFFF;  // its text
    ContrastChecker checker(Settings());
    const Preview &preview = checker.paint(scheme, 7);
    double best = 0;
    ForEachInkPixel(preview.image(), preview.elementMap(), ElementSet{}, [&](const InkPixel &pixel) {
        if (pixel.element == 44)
            best = std::max(best, ContrastRatio(pixel.inkLuminance, pixel.aroundLuminance));
    });
    EXPECT_DOUBLE_EQ(best, 21.0);
    EXPECT_NEAR(ApcaContrast(ApcaLuminance(0xFFFFFF), ApcaLuminance(0x000000)), -107.9, 0.1);
    EXPECT_NEAR(ApcaContrast(ApcaLuminance(0x000000), ApcaLuminance(0xFFFFFF)), 106.0, 0.1);
}

// Fault caught: variants that repeat or hardly differ, such as variant numbers taken modulo
// the picture's hues, so that a picture of one hue gives one scheme and the highlight never
// changes; a variant number that overflows on the way to its colours.
TEST_F(DesignTest, TheFirstSixVariantsDifferVisiblyInTheirMainColours)
{
    ColourScheme base;
    BuildDefaultScheme(base);
    // The surfaces, bars and highlight people see first.
    constexpr std::array kMain = {1, 7, 13, 14, 18, 21};
    QImage grey(128, 128, QImage::Format_RGB888), twoHues(128, 128, QImage::Format_RGB888);
    grey.fill(QColor(128, 128, 128));
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            twoHues.setPixelColor(x, y, x < 80 ? QColor(40, 90, 190) : QColor(230, 140, 40));
    for (const QImage &picture : {grey, twoHues}) {
        std::vector<ColourScheme> variants;
        for (int variant = 0; variant < 6; ++variant) {
            const std::optional<Suggestion> suggestion =
                SuggestScheme(base, picture, Settings(), SchemeTone::AsPicture, variant);
            ASSERT_TRUE(suggestion);
            variants.push_back(suggestion->scheme);
        }
        for (int a = 0; a < 6; ++a) {
            for (int b = a + 1; b < 6; ++b) {
                double most = 0;
                for (int element : kMain)
                    most = std::max(most, Difference(variants[a].entry(element).colour, variants[b].entry(element).colour));
                EXPECT_GE(most, 5) << "variants " << a << " and " << b << " of the "
                                   << (picture == grey ? "grey" : "two-hued") << " picture";
            }
        }
        EXPECT_TRUE(SuggestScheme(base, picture, Settings(), SchemeTone::Dark, std::numeric_limits<int>::max()));
    }
}

// Fault caught: texts chosen at the very bound, the ink's safety margin dropped, so that the
// rounding of a colour by a unit or two (the phone's 16-bit display, a scheme edited in
// another tool) takes a suggested text below its bound.
TEST_F(DesignTest, ASuggestionStillReadsWithItsColoursRoundedToSixteenBits)
{
    ColourScheme base;
    BuildDefaultScheme(base);
    const auto rounded = [](Colour colour) {
        // Each channel to its nearest of 32 (green 64) steps, as 5-6-5 pixels show it.
        const auto channel = [](int value, int bits) {
            const int steps = (1 << bits) - 1;
            return (value * steps + 127) / 255 * 255 / steps;
        };
        return Colour(channel(colour & 0xFF, 5)) | Colour(channel(colour >> 8 & 0xFF, 6)) << 8 |
               Colour(channel(colour >> 16 & 0xFF, 5)) << 16;
    };
    for (int kind = 0; kind < 20; kind += 3) {
        const QImage picture = MakePicture(kind);
        const std::optional<Suggestion> suggestion =
            SuggestScheme(base, picture, Settings(), SchemeTone::AsPicture, kind % 6);
        ASSERT_TRUE(suggestion);
        ColourScheme shown = suggestion->scheme;
        for (SchemeEntry &entry : shown.entries)
            entry.colour = rounded(entry.colour);
        ContrastChecker checker(Settings(), true);
        checker.setBackground(picture);
        std::set<int> weak, named;
        for (const ContrastPlace &place : checker.check(shown)) {
            if (place.weak())
                weak.insert(place.element);
        }
        for (const ContrastPlace &place : suggestion->weak)
            named.insert(place.element);
        EXPECT_TRUE(std::ranges::includes(named, weak)) << "picture " << kind;
    }
}

// The twenty pictures: flat, gradients, noise and mixtures of them.
QImage MakePicture(int kind)
{
    QImage picture(128, 128, QImage::Format_RGB888);
    std::mt19937 random(kind);
    std::uniform_int_distribution<int> byte(0, 255);
    // Each channel drawn in turn, blue first: as arguments of one call their order would be
    // the compiler's, and the picture with it.
    const auto draw = [&] {
        const int blue = byte(random);
        const int green = byte(random);
        const int red = byte(random);
        return std::array{red, green, blue};
    };
    const auto [ar, ag, ab] = draw();
    const QColor a(ar, ag, ab);
    const auto [br, bg, bb] = draw();
    const QColor b(br, bg, bb);
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            const double t = kind % 3 == 0 ? x / 127.0 : kind % 3 == 1 ? y / 127.0 : (x + y) / 254.0;
            QColor c;
            if (kind < 5)  // flat
                c = a;
            else if (kind < 11)  // gradients
                c = QColor::fromRgbF(a.redF() + t * (b.redF() - a.redF()), a.greenF() + t * (b.greenF() - a.greenF()),
                                     a.blueF() + t * (b.blueF() - a.blueF()));
            else if (kind == 12)  // noise: grey
                c = QColor::fromHsv(0, 0, byte(random));
            else if (kind < 16) {  // noise: colour, or around a colour
                const auto [r, g, bl] = draw();
                c = kind == 11 ? QColor(r, g, bl)
                               : QColor(std::clamp(a.red() + r / 4 - 32, 0, 255), std::clamp(a.green() + g / 4 - 32, 0, 255),
                                        std::clamp(a.blue() + bl / 4 - 32, 0, 255));
            }
            else  // blocks and gradients with grain
                c = ((x / 32 + y / 32) % 2 ? a : b).lighter(100 + int(t * 40) + byte(random) % 20);
            picture.setPixelColor(x, y, c);
        }
    }
    return picture;
}

}  // namespace
}  // namespace tintora
