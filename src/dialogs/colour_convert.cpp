// Colour values to hue, saturation and lightness and back.
#include "dialogs/colour_convert.h"

#include <algorithm>

namespace {

constexpr double kOneOver255 = 1.0 / 255.0;
constexpr double kOneSixth = 1.0 / 6.0;
constexpr double kOneThird = 1.0 / 3.0;
constexpr double kTwoThirds = 2.0 / 3.0;
constexpr double kOneOver240 = 1.0 / 240.0;

// One channel of the conversion back: where `t` lies on the hue circle
// decides how far between p and q the channel is.
double hueToChannel(double p, double q, double t) {
    if (t < 0) t += 1;
    if (t > 1) t -= 1;
    if (6 * t < 1) return p + (q - p) * t * 6;
    if (2 * t < 1) return q;
    if (!(3 * t < 2)) return p;
    return p + (q - p) * (kTwoThirds - t) * 6;
}

// A channel in 0..1 as a byte: truncated toward zero, its low 8 bits kept.
unsigned channelByte(double value) { return (unsigned)(long long)(value * 255) & 0xFF; }

}  // namespace

const COLORREF kColourPresets[COLOUR_PRESET_COUNT] = {
    0x80FCF8, 0x00FFFF, 0x0080FF, 0xF8FC80, 0xF88000, 0x900000,  // 1021..1026
    0x8080FF, 0x0000FF, 0x000080, 0x80FC80, 0x00FF00, 0x008000,  // 1027..1032
    0x95C7C8, 0x008080, 0x004080, 0xFF8080, 0xF800F8, 0x400080,  // 1033..1038
    0xFFFFFF, 0xFF0080, 0x400040, 0x404000, 0x808080, 0x000000,  // 1039..1044
};

HslColour colourToHsl(COLORREF colour) {
    double r = (double)GetRValue(colour) * kOneOver255;
    double g = (double)GetGValue(colour) * kOneOver255;
    double b = (double)GetBValue(colour) * kOneOver255;
    double max = std::max({r, g, b});
    double min = std::min({r, g, b});
    HslColour hsl;
    hsl.L = (min + max) * 0.5;
    if (max == min) return hsl;  // a grey: no hue, no saturation
    double d = max - min;
    hsl.S = hsl.L < 0.5 ? d / (max + min) : d / (2 - max - min);
    if (r == max)
        hsl.H = (g - b) / d;
    else if (g == max)
        hsl.H = (b - r) / d + 2;
    else
        hsl.H = (r - g) / d + 4;
    hsl.H *= kOneSixth;
    if (hsl.H < 0) hsl.H += 1;
    return hsl;
}

COLORREF hslToColour(const HslColour& hsl) {
    double r, g, b;
    if (hsl.S == 0) {
        r = g = b = hsl.L;
    } else {
        double q = hsl.L < 0.5 ? hsl.L * (1 + hsl.S) : hsl.L + hsl.S - hsl.L * hsl.S;
        double p = 2 * hsl.L - q;
        r = hueToChannel(p, q, hsl.H + kOneThird);
        g = hueToChannel(p, q, hsl.H);
        b = hueToChannel(p, q, hsl.H - kOneThird);
    }
    return RGB(channelByte(r), channelByte(g), channelByte(b));
}

int lightnessToSlider(double L) { return (int)(L * LIGHTNESS_SLIDER_MAX); }

double sliderToLightness(int position) { return position * kOneOver240; }
