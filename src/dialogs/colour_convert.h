// The colour arithmetic of the colour picker: a colour value to hue,
// saturation and lightness and back, the slider's lightness scale, and the
// 24 preset colours of its grid.
//
// The arithmetic is done exactly as the picker has always done it (double
// precision, multiplying by the nearest doubles of 1/255, 1/6, 1/3 and 2/3,
// truncating each channel), so a colour comes back the same every time: a
// round trip can lower a channel by one, as 0x00FFFF does to 0x00FFFE.
#pragma once

#include "windows.h"

// Hue, saturation and lightness, each in 0..1.
struct HslColour {
    double H = 0;
    double S = 0;
    double L = 0;
};

HslColour colourToHsl(COLORREF colour);
COLORREF hslToColour(const HslColour& hsl);

// The lightness slider runs from 0 (black) to 240 (white).
constexpr int LIGHTNESS_SLIDER_MAX = 240;
// The slider position of a lightness: trunc(L x 240).
int lightnessToSlider(double L);
// The lightness of a slider position: position x (nearest double of 1/240).
double sliderToLightness(int position);

// The preset swatches are the static controls 1021..1044, six to a row.
enum { COLOUR_PRESET_COUNT = 24, COLOUR_PRESET_COLUMNS = 6, COLOUR_PRESET_FIRST_ID = 1021 };
extern const COLORREF kColourPresets[COLOUR_PRESET_COUNT];
