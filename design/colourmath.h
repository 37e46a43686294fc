// Colour arithmetic for contrast and palettes: linear light, WCAG 2 and APCA contrast, CIE Lab.
#pragma once

#include "scheme/colourscheme.h"

#include <algorithm>
#include <array>

namespace tintora {

// The relative luminance of WCAG 2: each 8-bit sRGB value made linear, then weighted.
class Luminance {
public:
    static const Luminance &instance();
    double of(Colour colour) const { return of(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }
    double of(int red, int green, int blue) const { return red_[red] + green_[green] + blue_[blue]; }

private:
    Luminance();
    // Each channel's linear value times its weight.
    std::array<double, 256> red_{}, green_{}, blue_{};
};

// WCAG 2 contrast ratio of two relative luminances, 1 to 21.
inline double ContrastRatio(double luminanceA, double luminanceB)
{
    const auto [darker, lighter] = std::minmax(luminanceA, luminanceB);
    return (lighter + 0.05) / (darker + 0.05);
}

// APCA's screen luminance: each 8-bit value to a plain 2.4 power, not sRGB's curve, then
// weighted. A table, as the check looks up every pixel it measures.
class ApcaLuminanceTable {
public:
    static const ApcaLuminanceTable &instance();
    double of(int red, int green, int blue) const
    {
        return 0.2126729 * power_[red] + 0.7151522 * power_[green] + 0.0721750 * power_[blue];
    }

private:
    ApcaLuminanceTable();
    std::array<double, 256> power_{};
};
inline double ApcaLuminance(Colour colour)
{
    return ApcaLuminanceTable::instance().of(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}
// APCA lightness contrast Lc of text on a background given as APCA luminances: positive for
// dark text on light, negative for light on dark, 0 below its noise floor.
double ApcaContrast(double textY, double backgroundY);

// CIE L*a*b* (D50), through Little CMS.
struct Lab {
    double L = 0, a = 0, b = 0;
    double chroma() const;
};
Lab ToLab(Colour colour);
// The nearest sRGB colour.
Colour FromLab(const Lab &lab);
// The same hue and chroma at another lightness, as near as sRGB holds it.
Colour WithLightness(Colour colour, double lightness);
// CIEDE2000.
double Difference(Colour a, Colour b);
double Difference(const Lab &a, const Lab &b);

// CIE LCh, the polar form of Lab: lightness, chroma and hue in degrees. Palettes are built in
// it because a tone taken at the same hue angle keeps the picture's hue, while sRGB's own
// lighter and darker shift it.
struct Lch {
    double L = 0, C = 0, h = 0;
};
Lch ToLch(Colour colour);
// The colour at lightness L of hue h, with the chroma asked for or, where sRGB holds less
// at that lightness and hue, the most it holds: the hue is kept, the chroma given up.
Colour ToneOf(double h, double chroma, double L);
// The angle between two hues, 0 to 180 degrees.
double HueDistance(double a, double b);

}  // namespace tintora
