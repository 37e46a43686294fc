#include "colourmath.h"

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tintora {

namespace {

// sRGB to Lab and back, made once; without the cache a transform may be shared by threads.
struct LabTransforms {
    LabTransforms()
    {
        cmsHPROFILE srgb = cmsCreate_sRGBProfile();
        cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
        toLab = cmsCreateTransform(srgb, TYPE_RGB_8, lab, TYPE_Lab_DBL,
                                   INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOCACHE);
        fromLab = cmsCreateTransform(lab, TYPE_Lab_DBL, srgb, TYPE_RGB_8,
                                     INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOCACHE);
        // Unclipped, so that a colour outside sRGB shows as a channel outside 0 to 1.
        fromLabUnbounded = cmsCreateTransform(lab, TYPE_Lab_DBL, srgb, TYPE_RGB_DBL,
                                              INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOCACHE);
        cmsCloseProfile(srgb);
        cmsCloseProfile(lab);
    }
    cmsHTRANSFORM toLab;
    cmsHTRANSFORM fromLab;
    cmsHTRANSFORM fromLabUnbounded;
};

const LabTransforms &Transforms()
{
    static const LabTransforms transforms;
    return transforms;
}

}  // namespace

Luminance::Luminance()
{
    // sRGB's transfer curve: a power of 2.4 with a straight foot.
    const cmsFloat64Number parameters[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
    cmsToneCurve *curve = cmsBuildParametricToneCurve(nullptr, 4, parameters);
    for (int v = 0; v < 256; ++v) {
        const double linear = cmsEvalToneCurveFloat(curve, cmsFloat32Number(v / 255.0));
        red_[v] = 0.2126 * linear;
        green_[v] = 0.7152 * linear;
        blue_[v] = 0.0722 * linear;
    }
    cmsFreeToneCurve(curve);
}

const Luminance &Luminance::instance()
{
    static const Luminance luminance;
    return luminance;
}

ApcaLuminanceTable::ApcaLuminanceTable()
{
    for (int v = 0; v < 256; ++v)
        power_[v] = std::pow(v / 255.0, 2.4);
}

const ApcaLuminanceTable &ApcaLuminanceTable::instance()
{
    static const ApcaLuminanceTable table;
    return table;
}

// APCA 0.0.98G-4g.
double ApcaContrast(double textY, double backgroundY)
{
    constexpr double kBlackThreshold = 0.022, kBlackClamp = 1.414;
    const auto clampBlack = [](double y) {
        return y > kBlackThreshold ? y : y + std::pow(kBlackThreshold - y, kBlackClamp);
    };
    textY = clampBlack(textY);
    backgroundY = clampBlack(backgroundY);
    if (std::abs(backgroundY - textY) < 0.0005)
        return 0;
    if (backgroundY > textY) {
        const double sapc = (std::pow(backgroundY, 0.56) - std::pow(textY, 0.57)) * 1.14;
        return sapc < 0.1 ? 0 : (sapc - 0.027) * 100;
    }
    const double sapc = (std::pow(backgroundY, 0.65) - std::pow(textY, 0.62)) * 1.14;
    return sapc > -0.1 ? 0 : (sapc + 0.027) * 100;
}

double Lab::chroma() const
{
    return std::hypot(a, b);
}

Lab ToLab(Colour colour)
{
    const std::uint8_t rgb[3] = {std::uint8_t(colour), std::uint8_t(colour >> 8),
                                 std::uint8_t(colour >> 16)};
    cmsCIELab lab;
    cmsDoTransform(Transforms().toLab, rgb, &lab, 1);
    return {lab.L, lab.a, lab.b};
}

Colour FromLab(const Lab &lab)
{
    const cmsCIELab in{lab.L, lab.a, lab.b};
    std::uint8_t rgb[3];
    cmsDoTransform(Transforms().fromLab, &in, rgb, 1);
    return Colour(rgb[0]) | Colour(rgb[1]) << 8 | Colour(rgb[2]) << 16;
}

Colour WithLightness(Colour colour, double lightness)
{
    Lab lab = ToLab(colour);
    lab.L = std::clamp(lightness, 0.0, 100.0);
    return FromLab(lab);
}

double Difference(Colour a, Colour b)
{
    return Difference(ToLab(a), ToLab(b));
}

double Difference(const Lab &a, const Lab &b)
{
    const cmsCIELab ca{a.L, a.a, a.b}, cb{b.L, b.a, b.b};
    return cmsCIE2000DeltaE(&ca, &cb, 1, 1, 1);
}

Lch ToLch(Colour colour)
{
    const Lab lab = ToLab(colour);
    const double h = std::atan2(lab.b, lab.a) * 180 / std::numbers::pi;
    return {lab.L, lab.chroma(), h < 0 ? h + 360 : h};
}

namespace {

Lab FromLch(double L, double C, double h)
{
    const double radians = h * std::numbers::pi / 180;
    return {L, C * std::cos(radians), C * std::sin(radians)};
}

bool InSrgb(const Lab &lab)
{
    const cmsCIELab in{lab.L, lab.a, lab.b};
    double rgb[3];
    cmsDoTransform(Transforms().fromLabUnbounded, &in, rgb, 1);
    constexpr double kSlack = 0.5 / 255;
    return std::all_of(rgb, rgb + 3, [](double v) { return v >= -kSlack && v <= 1 + kSlack; });
}

}  // namespace

Colour ToneOf(double h, double chroma, double L)
{
    L = std::clamp(L, 0.0, 100.0);
    if (InSrgb(FromLch(L, chroma, h)))
        return FromLab(FromLch(L, chroma, h));
    double inside = 0, outside = chroma;
    for (int halving = 0; halving < 14; ++halving) {
        const double middle = (inside + outside) / 2;
        (InSrgb(FromLch(L, middle, h)) ? inside : outside) = middle;
    }
    return FromLab(FromLch(L, inside, h));
}

double HueDistance(double a, double b)
{
    const double d = std::fmod(std::abs(a - b), 360.0);
    return d > 180 ? 360 - d : d;
}

}  // namespace tintora
