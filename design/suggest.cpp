#include "suggest.h"

#include "colourmath.h"
#include "contrast.h"
#include "roles.h"

#include "scheme/catalogue.h"

#include <libimagequant.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>

namespace tintora {

namespace {

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;
// Texts are chosen with room to spare: their surroundings are measured before the other
// texts and the outline are coloured.
constexpr double kMargin = 1.1;

struct Sources {
    Colour background;
    Colour barTop;
    Colour barBottom;
    Colour accent;
    Colour secondAccent;
    std::vector<Colour> byChroma;
    bool dark;
};

// The lower colour of each band with a gradient.
bool IsBandBottom(int element)
{
    using enum Element;
    static constexpr std::array kBottoms = {
        SoftKeyBarBottom,   HighlightBottom,   TitleBarBottom, PressedKeyBottom,
        ScrollButtonBottom, NoticeTitleBottom, TrackBarBottom, EmergencyTitleBottom};
    return std::ranges::count(kBottoms, Element(element)) > 0;
}

double Lightness(Colour colour)
{
    return ToLab(colour).L;
}

// The same hue and chroma, by L* lighter (negative: darker).
Colour Lighter(Colour colour, double by)
{
    return WithLightness(colour, Lightness(colour) + by);
}

// The background made lighter or darker: the frames, and a highlight the palette has none for.
Colour ShadeOf(Colour background)
{
    return Lighter(background, Lightness(background) < 50 ? 30 : -30);
}

// A highlight is told from the background it sits on at a CIEDE2000 of 15.
bool StandsApart(Colour highlight, Colour background)
{
    return Difference(highlight, background) >= 15;
}

Colour ApartFrom(Colour background, Colour highlight)
{
    return StandsApart(highlight, background) ? highlight : ShadeOf(background);
}

Sources ChooseSources(const std::vector<PaletteColour> &palette, SchemeTone tone, int variant)
{
    std::vector<Colour> dominant;
    double meanLightness = 0;
    for (const PaletteColour &entry : palette) {
        dominant.push_back(entry.colour);
        meanLightness += entry.share * Lightness(entry.colour);
    }
    Sources sources;
    sources.dark = tone == SchemeTone::Dark || (tone == SchemeTone::AsPicture && meanLightness < 50);
    // A tone asked for puts the darkest (or lightest) colours behind the texts.
    if (tone != SchemeTone::AsPicture) {
        std::stable_sort(dominant.begin(), dominant.end(), [&](Colour a, Colour b) {
            return sources.dark ? Lightness(a) < Lightness(b) : Lightness(a) > Lightness(b);
        });
    }
    const int n = int(dominant.size());
    // The choices below repeat after n * n variants; taken there first, no sum overflows.
    variant %= n * n;
    const auto pick = [&](int k) { return dominant[(variant + k) % n]; };
    sources.background = pick(0);
    if (tone != SchemeTone::AsPicture) {
        const double L = Lightness(sources.background);
        if (sources.dark && L > 30)
            sources.background = WithLightness(sources.background, 18);
        else if (!sources.dark && L < 80)
            sources.background = WithLightness(sources.background, 90);
    }
    sources.barTop = n > 1 ? pick(1) : Lighter(pick(0), sources.dark ? 15 : -15);
    sources.barBottom = n > 2 ? pick(2) : Lighter(sources.barTop, sources.dark ? -10 : 10);
    sources.byChroma = dominant;
    std::stable_sort(sources.byChroma.begin(), sources.byChroma.end(),
                     [](Colour a, Colour b) { return ToLab(a).chroma() > ToLab(b).chroma(); });
    // The highlights: the most colourful of the colours that stand apart from the background.
    std::vector<Colour> apart;
    std::ranges::copy_if(sources.byChroma, std::back_inserter(apart),
                         [&](Colour colour) { return StandsApart(colour, sources.background); });
    if (apart.empty())
        apart.push_back(ShadeOf(sources.background));
    const int first = variant / n;
    sources.accent = apart[first % apart.size()];
    sources.secondAccent = apart[(first + 1) % apart.size()];
    return sources;
}

// The colours that are not text. Layers over the picture let it show through unless opaque.
void ColourSurfaces(ColourScheme &scheme, const Sources &sources, bool opaque)
{
    const Colour frame = ShadeOf(sources.background);
    const Colour accentBottom = Lighter(sources.accent, -12);
    for (int element = 1; element <= kElementCount; ++element) {
        SchemeEntry &entry = scheme.entry(element);
        entry.transparency = 0;
        switch (RoleOf(element)) {
        case Role::Background: entry.colour = sources.background; break;
        case Role::Bar: entry.colour = IsBandBottom(element) ? sources.barBottom : sources.barTop; break;
        case Role::PressedBar:
        case Role::Highlight:
            entry.colour = IsBandBottom(element) ? accentBottom : sources.accent;
            break;
        case Role::Today: entry.colour = sources.secondAccent; break;
        case Role::Frame: entry.colour = frame; break;
        case Role::Cursor: entry.colour = sources.accent; break;
        default: entry.colour = sources.background; break;
        }
    }
    if (!opaque) {
        scheme.entry(Element::IconMenuBackground).transparency = 7;
        for (Element element : {Element::SoftKeyBarTop, Element::SoftKeyBarBottom,
                                Element::TitleBarTop, Element::TitleBarBottom})
            scheme.entry(element).transparency = 4;
    }
}

// Surroundings of one ink element, sorted.
using Samples = std::vector<float>;

double WorstRatio(double luminance, const Samples &samples)
{
    if (samples.empty())
        return 21;
    // The sample nearest in luminance gives the least contrast.
    const auto above = std::lower_bound(samples.begin(), samples.end(), float(luminance));
    double worst = 21;
    if (above != samples.end())
        worst = std::min(worst, ContrastRatio(luminance, *above));
    if (above != samples.begin())
        worst = std::min(worst, ContrastRatio(luminance, *std::prev(above)));
    return worst;
}

// The tones of each palette colour that a text may take: its own lightness, then 5, 10 ...
// 100 L* lighter and darker, those within 0 to 100, with their luminance. Made once for a
// suggestion, as each is a round trip through Lab.
class InkTones {
public:
    struct Tone {
        Colour colour;
        double luminance;
    };

    explicit InkTones(const std::vector<Colour> &palette)
    {
        const Luminance &luminance = Luminance::instance();
        for (int step = 0; step <= 100; step += 5) {
            for (Colour source : palette) {
                const double L = Lightness(source);
                for (double target : {L + step, L - step}) {
                    if (target < 0 || target > 100)
                        continue;
                    const Colour tone = step == 0 ? source : WithLightness(source, target);
                    tones_.push_back({tone, luminance.of(tone)});
                }
            }
        }
    }
    // Nearest its own colour's lightness first.
    const std::vector<Tone> &inOrder() const { return tones_; }

private:
    std::vector<Tone> tones_;
};

// The first tone that reads on every sample, else the most readable.
Colour ChooseInk(const Samples &samples, double bound, const InkTones &tones)
{
    const Luminance &luminance = Luminance::instance();
    Colour best = kWhite;
    double bestRatio = 0;
    for (const InkTones::Tone &tone : tones.inOrder()) {
        const double ratio = WorstRatio(tone.luminance, samples);
        if (ratio >= bound * kMargin)
            return tone.colour;
        if (ratio > bestRatio)
            std::tie(best, bestRatio) = std::pair(tone.colour, ratio);
    }
    for (Colour extreme : {kWhite, kBlack}) {
        if (WorstRatio(luminance.of(extreme), samples) > bestRatio)
            std::tie(best, bestRatio) = std::pair(extreme, WorstRatio(luminance.of(extreme), samples));
    }
    return best;
}

// Paints every screen with the surfaces coloured, gathers what each ink element stands on,
// and colours the inks.
void ColourInks(ColourScheme &scheme, ContrastChecker &checker, const InkTones &tones)
{
    ElementSet notSurroundings{};
    for (int element = 1; element <= kElementCount; ++element) {
        const Role role = RoleOf(element);
        notSurroundings[element] = IsInkRole(role) || role == Role::TextOutline;
    }
    std::array<Samples, kElementCount + 1> samples;
    for (int screen = 0; screen < kScreenCount; ++screen) {
        const Preview &preview = checker.paint(scheme, screen);
        ForEachInkPixel(preview.image(), preview.elementMap(), notSurroundings,
                        [&](const InkPixel &pixel) {
                            samples[pixel.element].push_back(float(pixel.aroundLuminance));
                        });
    }
    std::array<std::optional<Colour>, int(Role::Unseen) + 1> byRole;
    for (int element = 1; element <= kElementCount; ++element) {
        if (!IsInkRole(RoleOf(element)) || samples[element].empty())
            continue;
        std::sort(samples[element].begin(), samples[element].end());
        scheme.entry(element).colour = ChooseInk(samples[element], ContrastBound(element), tones);
        byRole[int(RoleOf(element))].emplace(scheme.entry(element).colour);
    }
    // Inks no screen shows take the colour of their role, else of plain text.
    for (int element = 1; element <= kElementCount; ++element) {
        if (IsInkRole(RoleOf(element)) && samples[element].empty())
            scheme.entry(element).colour =
                byRole[int(RoleOf(element))].value_or(scheme.entry(Element::MainText).colour);
    }
    // The outline stands out from the text it surrounds.
    const double text = Luminance::instance().of(scheme.entry(Element::MainText).colour);
    scheme.entry(Element::MainTextOutline).colour = ContrastRatio(text, 1) > ContrastRatio(text, 0) ? kWhite : kBlack;
}

// How often, and how far in L*, the surfaces under a failing text move away from its ink.
constexpr int kSurfaceSteps = 10;
constexpr double kSurfaceStep = 5;

// Moves each surface element around the worst pixel of a weak text one step further from
// the text's lightness, so that the surfaces that read well keep the picture's colours.
// False when nothing could move (the text stands on the picture or fixed colours).
bool MoveSurroundingsAway(ColourScheme &scheme, ContrastChecker &checker,
                          const std::vector<ContrastPlace> &weak)
{
    std::array<double, kElementCount + 1> push{};
    for (const ContrastPlace &place : weak) {
        const Preview &preview = checker.paint(scheme, place.screen);
        const double ink = Lightness(scheme.entry(place.element).colour);
        for (int y = place.y - kSurroundRadius; y <= place.y + kSurroundRadius; ++y) {
            for (int x = place.x - kSurroundRadius; x <= place.x + kSurroundRadius; ++x) {
                const int element = preview.elementMap().elementAt(x, y);
                const Role role = RoleOf(element);
                if (element == 0 || IsInkRole(role) || role == Role::TextOutline)
                    continue;
                push[element] = Lightness(scheme.entry(element).colour) >= ink ? kSurfaceStep : -kSurfaceStep;
            }
        }
    }
    bool moved = false;
    for (int element = 1; element <= kElementCount; ++element) {
        if (push[element] == 0)
            continue;
        Colour &colour = scheme.entry(element).colour;
        const Colour pushed = Lighter(colour, push[element]);
        moved = moved || pushed != colour;
        colour = pushed;
    }
    return moved;
}

}  // namespace

std::vector<PaletteColour> PicturePalette(const QImage &picture, int maxColours)
{
    const QImage rgba = picture.convertToFormat(QImage::Format_RGBA8888);
    const std::unique_ptr<liq_attr, void (*)(liq_attr *)> attr(liq_attr_create(), liq_attr_destroy);
    liq_set_max_colors(attr.get(), maxColours);
    // A small picture and a handful of colours: the slower settings spend their time on
    // differences a scheme does not show.
    liq_set_speed(attr.get(), 7);
    const std::unique_ptr<liq_image, void (*)(liq_image *)> image(
        liq_image_create_rgba(attr.get(), rgba.constBits(), rgba.width(), rgba.height(), 0),
        liq_image_destroy);
    liq_result *quantized = nullptr;
    if (!image || liq_image_quantize(image.get(), attr.get(), &quantized) != LIQ_OK)
        return {};
    const std::unique_ptr<liq_result, void (*)(liq_result *)> result(quantized, liq_result_destroy);
    liq_set_dithering_level(result.get(), 0);
    std::vector<unsigned char> indices(std::size_t(rgba.width()) * rgba.height());
    liq_write_remapped_image(result.get(), image.get(), indices.data(), indices.size());
    const liq_palette *palette = liq_get_palette(result.get());
    std::vector<double> counts(palette->count);
    for (unsigned char index : indices)
        counts[index] += 1;
    std::vector<PaletteColour> colours;
    for (unsigned i = 0; i < palette->count; ++i) {
        const liq_color c = palette->entries[i];
        if (counts[i] > 0)
            colours.push_back({Colour(c.r) | Colour(c.g) << 8 | Colour(c.b) << 16, counts[i] / indices.size()});
    }
    std::stable_sort(colours.begin(), colours.end(),
                     [](const PaletteColour &a, const PaletteColour &b) { return a.share > b.share; });
    return colours;
}

std::optional<ColourScheme> SuggestScheme(const ColourScheme &base, const QImage &picture,
                                          const PreviewSettings &settings, SchemeTone tone,
                                          int variant)
{
    const std::vector<PaletteColour> palette = PicturePalette(picture);
    if (palette.empty())
        return std::nullopt;
    Sources sources = ChooseSources(palette, tone, std::max(0, variant));
    const InkTones tones(sources.byChroma);
    ContrastChecker checker(settings);
    checker.setBackground(picture);
    // Each round gives up more of the picture's look for readability: layers made opaque,
    // then the surfaces under the texts that still fail moved away from their ink a step at
    // a time, then every surface pushed to the dark end, then to the light end.
    for (int attempt = 0; attempt < 4; ++attempt) {
        ColourScheme scheme = base;
        if (attempt >= 2) {
            const bool dark = (attempt == 2) == sources.dark;
            for (Colour *surface : {&sources.background, &sources.barTop, &sources.barBottom,
                                    &sources.accent, &sources.secondAccent})
                *surface = WithLightness(*surface, dark ? 12 : 95);
            sources.accent = ApartFrom(sources.background, sources.accent);
            sources.secondAccent = ApartFrom(sources.background, sources.secondAccent);
        }
        ColourSurfaces(scheme, sources, attempt > 0);
        for (int step = 0; step <= (attempt == 1 ? kSurfaceSteps : 0); ++step) {
            ColourInks(scheme, checker, tones);
            std::vector<ContrastPlace> places = checker.check(scheme);
            std::erase_if(places, [](const ContrastPlace &p) { return !p.weak(); });
            if (places.empty())
                return scheme;
            if (!MoveSurroundingsAway(scheme, checker, places))
                break;
        }
    }
    return std::nullopt;
}

}  // namespace tintora
