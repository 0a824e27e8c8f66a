// The picker's colour arithmetic: hue, saturation and lightness of the
// presets and back, what a round trip does to a channel, the lightness
// slider's scale, and greys.
#include <gtest/gtest.h>

#include <cstdlib>

#include "dialogs/colour_convert.h"

namespace {

int channelDistance(COLORREF a, COLORREF b) {
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8)
        worst = std::max(worst, std::abs((int)((a >> shift) & 0xFF) - (int)((b >> shift) & 0xFF)));
    return worst;
}

TEST(ColourConvert, PrimariesAndGreysHaveTheirTextbookHueSaturationAndLightness) {
    struct Case {
        COLORREF colour;
        double H, S, L;
    } cases[] = {
        {0x0000FF, 0.0, 1.0, 0.5},          // red
        {0x00FF00, 1.0 / 3, 1.0, 0.5},      // green
        {0xFF0000, 2.0 / 3, 1.0, 0.5},      // blue
        {0x00FFFF, 1.0 / 6, 1.0, 0.5},      // yellow
        {0xFF00FF, 5.0 / 6, 1.0, 0.5},      // magenta: hue below zero comes round
        {0x000080, 0.0, 1.0, 128.0 / 510},  // dark red
        {0x000000, 0.0, 0.0, 0.0},
        {0xFFFFFF, 0.0, 0.0, 1.0},
        {0x808080, 0.0, 0.0, 128.0 / 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.colour);
        HslColour hsl = colourToHsl(c.colour);
        EXPECT_NEAR(hsl.H, c.H, 1e-12);
        EXPECT_NEAR(hsl.S, c.S, 1e-12);
        EXPECT_NEAR(hsl.L, c.L, 1e-12);
    }
    // Black and white end exactly at the ends of the slider.
    EXPECT_EQ(colourToHsl(0xFFFFFF).L, 1.0);
    EXPECT_EQ(lightnessToSlider(colourToHsl(0xFFFFFF).L), 240);
    EXPECT_EQ(lightnessToSlider(colourToHsl(0x000000).L), 0);
}

TEST(ColourConvert, ARoundTripLowersAChannelByOneAtMostAndYellowComesBackAsFFFE) {
    EXPECT_EQ(hslToColour(colourToHsl(0x00FFFF)), 0x00FFFEu);
    EXPECT_EQ(hslToColour(colourToHsl(0x0000FF)), 0x0000FFu);
    EXPECT_EQ(hslToColour(colourToHsl(0xFFFFFF)), 0xFFFFFFu);
    EXPECT_EQ(hslToColour(colourToHsl(0x000000)), 0x000000u);
    int changed = 0;
    for (COLORREF preset : kColourPresets) {
        COLORREF back = hslToColour(colourToHsl(preset));
        EXPECT_LE(channelDistance(preset, back), 1) << std::hex << preset;
        // Truncation only ever lowers a channel.
        for (int shift = 0; shift < 24; shift += 8) EXPECT_LE((back >> shift) & 0xFF, (preset >> shift) & 0xFF);
        if (back != preset) ++changed;
    }
    EXPECT_GT(changed, 0);
    // And over a sweep of the whole colour cube.
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 15) {
                COLORREF c = RGB(r, g, b);
                ASSERT_LE(channelDistance(c, hslToColour(colourToHsl(c))), 1) << r << "," << g << "," << b;
            }
}

TEST(ColourConvert, TheSliderChangesOnlyTheLightness) {
    // Red at a quarter lightness is half red.
    HslColour red = colourToHsl(0x0000FF);
    red.L = sliderToLightness(60);
    EXPECT_EQ(hslToColour(red), 0x00007Fu);
    red.L = sliderToLightness(240);
    EXPECT_EQ(hslToColour(red), 0xFFFFFFu);
    red.L = sliderToLightness(0);
    EXPECT_EQ(hslToColour(red), 0x000000u);
    // A grey keeps red = green = blue = L at every position.
    HslColour grey = colourToHsl(0x808080);
    for (int position = 0; position <= 240; ++position) {
        grey.L = sliderToLightness(position);
        COLORREF c = hslToColour(grey);
        ASSERT_EQ(GetRValue(c), GetGValue(c));
        ASSERT_EQ(GetGValue(c), GetBValue(c));
        ASSERT_EQ(GetRValue(c), (unsigned)(long long)(grey.L * 255)) << position;
    }
    EXPECT_EQ(lightnessToSlider(0.5), 120);
    EXPECT_EQ(lightnessToSlider(sliderToLightness(137)), 137);
}

}  // namespace
