#include "widgets/WsColorMath.h"

#include <algorithm>
#include <cstdlib>

#include "base/Rounding.h"

namespace {

std::uint8_t RoundToByte(double v) {
    return static_cast<std::uint8_t>(std::clamp<std::int64_t>(Round(v), 0, 255));
}

}  // namespace

THsl SplitHsl(TColor color) {
    const TColor rgb = ColorToRGB(color);
    const double r = GetRValue(rgb) / 255.0;
    const double g = GetGValue(rgb) / 255.0;
    const double b = GetBValue(rgb) / 255.0;
    const double mx = std::max({r, g, b});
    const double mn = std::min({r, g, b});
    const double l = (mx + mn) / 2;
    double h = 0;
    double s = 0;
    if (mx != mn) {
        const double d = mx - mn;
        s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
        if (r == mx)
            h = (g - b) / d;
        else if (g != mx)
            h = (r - g) / d + 4;
        else
            h = (b - r) / d + 2;
        h /= 6;
        if (h < 0) h += 1;
    }
    return {RoundToByte(h * 240), RoundToByte(s * 240), RoundToByte(l * 240)};
}

TColor JoinHsl(std::uint8_t hue, std::uint8_t saturation, std::uint8_t lightness) {
    const double l = lightness / 240.0;
    const double s = saturation / 240.0;
    const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    if (q <= 0) return clBlack;
    const double p = 2 * l - q;
    // The hue scale divides by 239 here, so hue 239 and 240 wrap into the red sector.
    const double h6 = hue / 239.0 * 6;
    const int sector = static_cast<int>(h6);
    const double f = h6 - sector;
    const double m = q * ((q - p) / q) * f;
    const double rising = p + m;
    const double falling = q - m;
    double r = q, g = rising, b = p;
    switch (sector) {
        case 1:
            r = falling, g = q, b = p;
            break;
        case 2:
            r = p, g = q, b = rising;
            break;
        case 3:
            r = p, g = falling, b = q;
            break;
        case 4:
            r = rising, g = p, b = q;
            break;
        case 5:
            r = q, g = p, b = falling;
            break;
        default:
            break;
    }
    auto channel = [](double c) { return RoundToByte(std::min(c, 1.0) * 255); };
    return RGB(channel(r), channel(g), channel(b));
}

TColor Darken(TColor color, std::uint8_t amount) {
    const THsl hsl = SplitHsl(color);
    return JoinHsl(hsl.H, hsl.S, static_cast<std::uint8_t>(std::max(hsl.L - amount, 0)));
}

TColor Lighten(TColor color, std::uint8_t amount) {
    const THsl hsl = SplitHsl(color);
    return JoinHsl(hsl.H, hsl.S, static_cast<std::uint8_t>(std::min(hsl.L + amount, 255)));
}

TColor ShiftLightness(TColor color, int amount) {
    if (amount < 0) return Darken(color, amount < -255 ? 255 : static_cast<std::uint8_t>(-amount));
    if (amount > 0) return Lighten(color, amount > 255 ? 255 : static_cast<std::uint8_t>(amount));
    return color;
}

TColor MixColors(TColor a, TColor b, std::uint8_t weight) {
    const TColor ca = ColorToRGB(a);
    const TColor cb = ColorToRGB(b);
    const float w = weight / 255.0f;
    auto mix = [w](unsigned x, unsigned y) {
        return RoundToByte(x * static_cast<double>(w) + (1 - static_cast<double>(w)) * y);
    };
    return RGB(mix(GetRValue(ca), GetRValue(cb)), mix(GetGValue(ca), GetGValue(cb)),
               mix(GetBValue(ca), GetBValue(cb)));
}

bool TooSimilar(TColor a, TColor b) {
    const THsl ha = SplitHsl(a);
    const THsl hb = SplitHsl(b);
    return std::abs(ha.H - hb.H) < 20 && std::abs(ha.L - hb.L) < 60;
}

TColor OppositeHue(TColor color, std::uint8_t lightness) {
    const THsl hsl = SplitHsl(color);
    const int h = hsl.H < 120 ? hsl.H + 120 : hsl.H - 120;
    return JoinHsl(static_cast<std::uint8_t>(h), 240, lightness);
}
