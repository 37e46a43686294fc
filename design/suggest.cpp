#include "suggest.h"

#include "colourmath.h"
#include "contrast.h"
#include "parallel.h"
#include "roles.h"

#include "scheme/catalogue.h"

#include <libimagequant.h>
#ifdef _OPENMP
#include <omp.h>
#endif

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>

namespace tintora {

namespace {

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;
// Texts are chosen with room to spare: their surroundings are measured before the other
// texts are coloured, and a suggestion should stand an edit or two.
constexpr double kMargin = 1.1;
// The most chroma a text takes from its surface's hue: tinted, still plainly a text.
constexpr double kInkChroma = 24;
// Light schemes keep their main surfaces at or above this L*, dark ones at or below 100 less.
constexpr double kLightSurface = 70;

// The lower colour of each band with a gradient.
bool IsBandBottom(int element)
{
    using enum Element;
    static constexpr std::array kBottoms = {
        SoftKeyBarBottom,   HighlightBottom,   TitleBarBottom, PressedKeyBottom,
        ScrollButtonBottom, NoticeTitleBottom, TrackBarBottom, EmergencyTitleBottom};
    return std::ranges::count(kBottoms, Element(element)) > 0;
}

// The picture's hues as tonal palettes: each a hue and the chroma the picture gives it.
struct Hue {
    double h;
    double C;
    double L;  // as the picture has it
};

// How a variant colours its title bars: near the surface like the other bars, further
// toward the middle, or in the highlight's colour. The title text also stands on the
// surface, so the bars stay on the surface's side of the highlight; the soft-key bar keeps
// the surface's tone, as the highlight of the word choices touches it.
enum class BarStyle { Plain, Toned, Accent };

// What one variant takes from the picture: the surfaces' hue and tone, the lines', the
// highlights'.
struct Plan {
    Hue surface;
    Hue lines;  // the frames': the next most used hue after the surface's
    Hue accent;
    bool dark;
    double surfaceL;
    double accentL;
    BarStyle bars;
};

// The two surface tones the variants take in turn, in L* for a light scheme; a dark one
// mirrors them. Far enough apart to be told at a glance (CIEDE2000 over 5), both leaving
// the highlight room between its text and the surface.
constexpr std::array<double, 2> kSurfaceSteps = {97, 88};

// The L* whose relative luminance is Y.
double LightnessOf(double Y)
{
    return Y > 216.0 / 24389 ? 116 * std::cbrt(Y) - 16 : Y * 24389.0 / 27;
}

// The highlight stands 3:1 from the surface, and the text drawn on it, which also stands on
// the surface beside it, reads 4.5:1 on it: black text on a light scheme, white on a dark one.
// Their luminances' geometric middle leaves each bound the same room to spare.
double HighlightLightness(double surfaceL, bool dark)
{
    const double surface = Luminance::instance().of(ToneOf(0, 0, surfaceL)) + 0.05;
    const double middle = dark ? std::sqrt(1.05 / 4.5 * 3 * surface) : std::sqrt(0.05 * 4.5 * surface / 3);
    return LightnessOf(middle - 0.05);
}

// The palette's colours merged into hues: colours within 20 degrees of a hue with chroma join
// it, grey ones stand as one neutral hue.
std::vector<Hue> HuesOf(const std::vector<PaletteColour> &palette)
{
    struct Gathered {
        Hue hue;
        double share;
    };
    std::vector<Gathered> gathered;
    for (const PaletteColour &entry : palette) {
        const Lch lch = ToLch(entry.colour);
        const bool grey = lch.C < 6;
        const auto same = std::ranges::find_if(gathered, [&](const Gathered &g) {
            return grey ? g.hue.C < 6 : g.hue.C >= 6 && HueDistance(g.hue.h, lch.h) < 20;
        });
        if (same == gathered.end())
            gathered.push_back({{lch.h, lch.C, lch.L}, entry.share});
        else
            same->share += entry.share;  // the most used colour of the hue stands for it
    }
    std::stable_sort(gathered.begin(), gathered.end(),
                     [](const Gathered &a, const Gathered &b) { return a.share > b.share; });
    std::vector<Hue> hues;
    for (const Gathered &g : gathered)
        hues.push_back(g.hue);
    return hues;
}

double MeanLightness(const std::vector<PaletteColour> &palette)
{
    double mean = 0;
    for (const PaletteColour &entry : palette)
        mean += entry.share * ToLab(entry.colour).L;
    return mean;
}

Plan MakePlan(const std::vector<PaletteColour> &palette, bool dark, int variant)
{
    const std::vector<Hue> hues = HuesOf(palette);
    const int n = int(hues.size());
    Plan plan;
    plan.dark = dark;
    // Each variant its own bars first, then its own surface hue and tone, then highlight.
    plan.bars = BarStyle(variant % 3);
    const int turn = variant / 3;
    plan.surface = hues[turn % n];
    plan.lines = hues[(turn + 1) % n];
    // The highlight: the most colourful hue other than the surface's, in turn.
    std::vector<Hue> byChroma = hues;
    std::stable_sort(byChroma.begin(), byChroma.end(), [](const Hue &a, const Hue &b) { return a.C > b.C; });
    std::erase_if(byChroma, [&](const Hue &hue) { return n > 1 && HueDistance(hue.h, plan.surface.h) < 1e-9 && hue.C == plan.surface.C; });
    plan.accent = byChroma[(turn / n) % byChroma.size()];
    const double surfaceL = kSurfaceSteps[turn % kSurfaceSteps.size()];
    plan.surfaceL = dark ? 100 - surfaceL - 2 : surfaceL;
    plan.accentL = HighlightLightness(plan.surfaceL, dark);
    return plan;
}

bool IsTitleBar(int element)
{
    using enum Element;
    static constexpr std::array kTitles = {TitleBarTop,       TitleBarBottom,   NoticeTitleTop,
                                           NoticeTitleBottom, EmergencyTitleTop, EmergencyTitleBottom};
    return std::ranges::count(kTitles, Element(element)) > 0;
}

// The colours that are not text. Layers over the picture start translucent, a scrim the
// picture shows through.
void ColourSurfaces(ColourScheme &scheme, const Plan &plan)
{
    const double toward = plan.dark ? 1 : -1;  // bars and frames stand out toward the middle
    const Colour surface = ToneOf(plan.surface.h, plan.surface.C, plan.surfaceL);
    const Colour barTop = ToneOf(plan.surface.h, plan.surface.C, plan.surfaceL + toward * 6);
    const Colour barBottom = ToneOf(plan.surface.h, plan.surface.C, plan.surfaceL + toward * 12);
    const Colour frame = ToneOf(plan.lines.h, plan.lines.C, plan.surfaceL + toward * 30);
    const Colour accent = ToneOf(plan.accent.h, plan.accent.C, plan.accentL);
    const Colour accentBottom = ToneOf(plan.accent.h, plan.accent.C, plan.accentL + toward * 2);
    // Today's cell shares the chosen day's text, so it stays on the highlight's side.
    const Colour today = ToneOf(plan.accent.h, plan.accent.C, plan.accentL + toward * 4);
    const Colour tonedTop = ToneOf(plan.surface.h, plan.surface.C, plan.surfaceL + toward * 20);
    const Colour tonedBottom = ToneOf(plan.surface.h, plan.surface.C, plan.surfaceL + toward * 26);
    const auto band = [](int element, Colour top, Colour bottom) { return IsBandBottom(element) ? bottom : top; };
    for (int element = 1; element <= kElementCount; ++element) {
        SchemeEntry &entry = scheme.entry(element);
        entry.transparency = 0;
        switch (RoleOf(element)) {
        case Role::Background: entry.colour = surface; break;
        case Role::Bar:
            entry.colour = !IsTitleBar(element) || plan.bars == BarStyle::Plain ? band(element, barTop, barBottom)
                           : plan.bars == BarStyle::Accent ? band(element, accent, accentBottom)
                                                           : band(element, tonedTop, tonedBottom);
            break;
        case Role::PressedBar:
        case Role::Highlight: entry.colour = band(element, accent, accentBottom); break;
        case Role::Today: entry.colour = today; break;
        case Role::Frame: entry.colour = frame; break;
        case Role::Cursor: entry.colour = accent; break;
        default: entry.colour = surface; break;
        }
    }
    scheme.entry(Element::IconMenuBackground).transparency = 7;
    for (Element element : {Element::SoftKeyBarTop, Element::SoftKeyBarBottom, Element::TitleBarTop,
                            Element::TitleBarBottom})
        scheme.entry(element).transparency = 4;
    // The outline goes round the main texts on the picture: the surface's lightest (or
    // darkest) tone, which the texts then stand out from.
    scheme.entry(Element::MainTextOutline).colour =
        ToneOf(plan.surface.h, std::min(plan.surface.C, kInkChroma), plan.dark ? 4 : 98);
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

// The tones a text may take: of the hue of what it stands on, from the lightness that most
// resembles the scheme's texts outward, then black and white.
std::vector<Colour> InkTones(const Hue &hue, bool dark)
{
    std::vector<Colour> tones;
    const double start = dark ? 92 : 18;
    for (double step = 0; step <= 100; step += 4) {
        for (double L : {start + (dark ? step : -step), start - (dark ? step : -step)}) {
            if (L >= 0 && L <= 100 && (step > 0 || L == start))
                tones.push_back(ToneOf(hue.h, std::min(hue.C, kInkChroma), L));
        }
    }
    tones.push_back(kWhite);
    tones.push_back(kBlack);
    return tones;
}

// The first tone that reads on every sample with room to spare, else the most readable.
Colour ChooseInk(const Samples &samples, double bound, const std::vector<Colour> &tones)
{
    const Luminance &luminance = Luminance::instance();
    Colour best = tones.front();
    double bestRatio = 0;
    for (Colour tone : tones) {
        const double ratio = WorstRatio(luminance.of(tone), samples);
        if (ratio >= bound * kMargin)
            return tone;
        if (ratio > bestRatio)
            std::tie(best, bestRatio) = std::pair(tone, ratio);
    }
    return best;
}

// The tones a plan's texts may take, made once for all its rounds.
struct InkChoices {
    explicit InkChoices(const Plan &plan)
        : onSurface(InkTones(plan.surface, plan.dark)),
          // Text on a highlight takes the highlight's hue, on the surface's side, as it may
          // also stand on the surface beside the highlight.
          onAccent(InkTones(plan.accent, plan.dark))
    {
    }
    const std::vector<Colour> &of(Role role) const { return role == Role::TextOnHighlight ? onAccent : onSurface; }
    std::vector<Colour> onSurface, onAccent;
};

// What the ink elements of one screen in one state stand on, with the scheme's entries its
// paint read. The surroundings leave every text out, so only the entries of the other
// elements change them: a round that moved no surface this screen shows paints it no more.
struct InkGround {
    bool current = false;
    Preview::ElementsRead read;
    ColourScheme scheme;
    std::vector<std::pair<int, float>> pixels;  // element, luminance around

    bool stillTrue(const ColourScheme &now) const
    {
        if (!current)
            return false;
        for (int element = 1; element <= kElementCount; ++element) {
            if (read[element] && !IsInkRole(RoleOf(element)) && scheme.entry(element) != now.entry(element))
                return false;
        }
        return true;
    }
};
using InkGrounds = std::vector<std::array<InkGround, kScreenCount>>;  // by state

// Paints every screen in the first states with the surfaces and the outline coloured, gathers
// what each ink element stands on there (the outline included, other texts not), and colours
// the inks.
void ColourInks(ColourScheme &scheme, ContrastChecker &checker, const InkChoices &choices, InkGrounds &grounds,
                int states)
{
    ElementSet otherTexts{};
    for (int element = 1; element <= kElementCount; ++element)
        otherTexts[element] = IsInkRole(RoleOf(element));
    // Each state paints with a preview of its own, so the states are measured at once.
    ForEachInParallel(states, [&](int state) {
        for (int screen = 0; screen < kScreenCount; ++screen) {
            InkGround &ground = grounds[state][screen];
            if (ground.stillTrue(scheme))
                continue;
            // Measured as the check will: where the texts keep their colours, the check that
            // follows takes these figures.
            const ContrastChecker::Measured painted = checker.measured(scheme, screen, state);
            ground.pixels.clear();
            ForEachInkPixel(painted.image, painted.map, otherTexts, [&](const InkPixel &pixel) {
                ground.pixels.emplace_back(pixel.element, float(pixel.aroundLuminance));
            });
            ground.read = painted.read;
            ground.scheme = scheme;
            ground.current = true;
        }
    });
    std::array<Samples, kElementCount + 1> samples;
    for (int state = 0; state < states; ++state) {
        for (const InkGround &ground : grounds[state]) {
            for (const auto &[element, around] : ground.pixels)
                samples[element].push_back(around);
        }
    }
    std::array<std::optional<Colour>, int(Role::Unseen) + 1> byRole;
    for (int element = 1; element <= kElementCount; ++element) {
        const Role role = RoleOf(element);
        if (!IsInkRole(role) || samples[element].empty())
            continue;
        std::sort(samples[element].begin(), samples[element].end());
        scheme.entry(element).colour = ChooseInk(samples[element], ContrastBound(element), choices.of(role));
        byRole[int(role)].emplace(scheme.entry(element).colour);
    }
    // Inks no screen shows take the colour of their role, else of plain text.
    for (int element = 1; element <= kElementCount; ++element) {
        if (IsInkRole(RoleOf(element)) && samples[element].empty())
            scheme.entry(element).colour =
                byRole[int(RoleOf(element))].value_or(scheme.entry(Element::MainText).colour);
    }
}

// How far in L* a surface or cue moves in one step, and how much thicker a scrim gets.
constexpr double kSurfaceStep = 6;
constexpr int kScrimStep = 4;
constexpr int kRounds = 14;
// The states a search moves surfaces in before it checks all of them: as many as paint at once
// on two cores, and the states' settings show each pressed key and each clock kind.
constexpr int kSearchedStates = 2;

// The lightness a surface may take in the scheme's tone.
double KeptInTone(double L, bool dark)
{
    return dark ? std::min(L, 100 - kLightSurface) : std::max(L, kLightSurface);
}

// The lightness an element takes a step away from another's.
double SteppedAway(int element, const ColourScheme &scheme, double from, bool dark)
{
    const double L = ToLab(scheme.entry(element).colour).L;
    const double stepped = std::clamp(L + (L >= from ? kSurfaceStep : -kSurfaceStep), 0.0, 100.0);
    return RoleOf(element) == Role::Background ? KeptInTone(stepped, dark) : stepped;
}

// One step toward readability at each weak place: a layer around a weak text, or under a
// weak cue, over the picture first becomes a thicker scrim; else the surfaces around a text
// move away from its lightness, and those under a cue from the cue's, or where they can go
// no further the cue itself moves. False when nothing could change.
bool StepAway(ColourScheme &scheme, ContrastChecker &checker, const std::vector<ContrastPlace> &weak,
              bool dark)
{
    std::array<double, kElementCount + 1> push{};
    std::array<bool, kElementCount + 1> thicken{};
    for (const ContrastPlace &place : weak) {
        const Spot &at = place.judged();
        const Preview &preview = checker.paint(scheme, at.screen, at.state);
        const bool cue = IsCueRole(RoleOf(place.element));
        const double own = ToLab(scheme.entry(place.element).colour).L;
        double aroundL = 0;
        int count = 0;
        bool groundMoves = false;
        for (int y = at.y - kSurroundRadius; y <= at.y + kSurroundRadius; ++y) {
            for (int x = at.x - kSurroundRadius; x <= at.x + kSurroundRadius; ++x) {
                const int element = preview.elementMap().elementAt(x, y);
                const Role role = RoleOf(element);
                if (element == 0 || element == place.element || IsInkRole(role) || role == Role::TextOutline ||
                    (cue && !IsCueGround(role)))
                    continue;
                if (cue) {
                    aroundL += ToLab(PixelAt(preview.image(), x, y)).L;
                    ++count;
                }
                if (scheme.entry(element).transparency > 0) {
                    thicken[element] = true;
                    groundMoves = true;
                    continue;
                }
                const double L = ToLab(scheme.entry(element).colour).L;
                const double stepped = SteppedAway(element, scheme, own, dark);
                if (std::abs(stepped - L) > 0.5) {
                    push[element] = stepped - L;
                    groundMoves = true;
                }
            }
        }
        // The other cues carry texts that read on them as they are: this one moves alone.
        if (cue && count > 0 && !groundMoves)
            push[place.element] = own >= aroundL / count ? kSurfaceStep : -kSurfaceStep;
    }
    bool moved = false;
    for (int element = 1; element <= kElementCount; ++element) {
        SchemeEntry &entry = scheme.entry(element);
        if (thicken[element]) {
            entry.transparency = std::max(0, entry.transparency - kScrimStep);
            moved = true;
            continue;
        }
        if (push[element] == 0)
            continue;
        const Lch lch = ToLch(entry.colour);
        double L = std::clamp(lch.L + push[element], 0.0, 100.0);
        if (RoleOf(element) == Role::Background)
            L = KeptInTone(L, dark);
        const Colour pushed = ToneOf(lch.h, lch.C, L);
        moved = moved || pushed != entry.colour;
        entry.colour = pushed;
    }
    return moved;
}

// How far below its bound the weakest place of a scheme stands, for keeping the best round.
double Shortfall(const std::vector<ContrastPlace> &weak)
{
    double sum = 0;
    for (const ContrastPlace &place : weak)
        sum += 1 - place.ratio / place.bound;
    return sum;
}

}  // namespace

std::vector<PaletteColour> PicturePalette(const QImage &picture, int maxColours)
{
#ifdef _OPENMP
    // On 16384 pixels a team of OpenMP threads costs more than it shares out: its threads
    // spin while they wait, taking the cores from the painting that follows (and from the
    // rest of a loaded machine). The setting holds for this thread's parallel regions only.
    omp_set_num_threads(1);
#endif
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

namespace {

Suggestion SuggestInTone(const ColourScheme &base, const std::vector<PaletteColour> &palette,
                         ContrastChecker &checker, bool dark, int variant)
{
    const Plan plan = MakePlan(palette, dark, variant);
    ColourScheme scheme = base;
    ColourSurfaces(scheme, plan);
    // Each round colours the texts for the surfaces as they are, then moves what still
    // fails a step; the best round is given, with what stays weak in it.
    const InkChoices choices(plan);
    // The texts start in the tone most of them take, which no surroundings depend on: the
    // first check then paints again only the screens of those that take another.
    for (int element = 1; element <= kElementCount; ++element) {
        if (IsInkRole(RoleOf(element)))
            scheme.entry(element).colour = choices.of(RoleOf(element)).front();
    }
    InkGrounds grounds(checker.stateCount());
    // Most weak places show in any state: the rounds search in a few, and once they settle the
    // scheme is measured in all, going on in all only if another state shows a weak place.
    int states = std::min(kSearchedStates, checker.stateCount());
    std::optional<Suggestion> best;
    for (int round = 0; round < kRounds || !best; ++round) {
        ColourInks(scheme, checker, choices, grounds, states);
        std::vector<ContrastPlace> places = checker.check(scheme, states);
        std::erase_if(places, [](const ContrastPlace &p) { return !p.weak(); });
        const bool settled = places.empty() || round + 1 >= kRounds || !StepAway(scheme, checker, places, plan.dark);
        if (states < checker.stateCount()) {
            if (settled)
                states = checker.stateCount();
            continue;
        }
        if (!best || Shortfall(places) < Shortfall(best->weak))
            best = Suggestion{scheme, places, dark ? SchemeTone::Dark : SchemeTone::Light};
        if (settled)
            break;
    }
    return *best;
}

}  // namespace

std::optional<Suggestion> SuggestScheme(const ColourScheme &base, const QImage &picture,
                                        const PreviewSettings &settings, SchemeTone tone, int variant)
{
    // The palette and the checker's previews are made at once: neither needs the other.
    std::vector<PaletteColour> palette;
    std::optional<ContrastChecker> made;
    ForEachInParallel(2, [&](int job) {
        if (job == 0) {
            palette = PicturePalette(picture);
            return;
        }
        made.emplace(settings, true);
        made->setBackground(picture);
    });
    if (palette.empty())
        return std::nullopt;
    ContrastChecker &checker = *made;
    variant = std::max(0, variant);
    if (tone != SchemeTone::AsPicture)
        return SuggestInTone(base, palette, checker, tone == SchemeTone::Dark, variant);
    // The picture's own tone first; the other one when texts over the picture, which no
    // surface can help, read only that way (light windows in a night picture under dark
    // schemes' light texts).
    const bool dark = MeanLightness(palette) < 50;
    Suggestion first = SuggestInTone(base, palette, checker, dark, variant);
    if (first.weak.empty())
        return first;
    Suggestion other = SuggestInTone(base, palette, checker, !dark, variant);
    return Shortfall(other.weak) < Shortfall(first.weak) ? other : first;
}

}  // namespace tintora
