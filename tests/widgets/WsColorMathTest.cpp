#include <gtest/gtest.h>

#include <cstdlib>

#include "widgets/WsColorMath.h"

namespace {

int ChannelDistance(TColor a, TColor b) {
    return std::max({std::abs(static_cast<int>(GetRValue(a)) - static_cast<int>(GetRValue(b))),
                     std::abs(static_cast<int>(GetGValue(a)) - static_cast<int>(GetGValue(b))),
                     std::abs(static_cast<int>(GetBValue(a)) - static_cast<int>(GetBValue(b)))});
}

TEST(WsColorMath, SplitHslOfPrimariesAndGreys) {
    EXPECT_EQ(SplitHsl(clWhite), (THsl{0, 0, 240}));
    EXPECT_EQ(SplitHsl(clBlack), (THsl{0, 0, 0}));
    EXPECT_EQ(SplitHsl(clRed), (THsl{0, 240, 120}));
    EXPECT_EQ(SplitHsl(clLime), (THsl{80, 240, 120}));
    EXPECT_EQ(SplitHsl(clBlue), (THsl{160, 240, 120}));
    // A hue just below red (magenta side) wraps to the top of the scale instead of going negative.
    EXPECT_EQ(SplitHsl(RGB(255, 0, 1)).H, 240);
    // 128/255 * 240 = 120.47 and 127/255 * 240 = 119.53: both round to 120.
    EXPECT_EQ(SplitHsl(RGB(128, 128, 128)).L, 120);
    EXPECT_EQ(SplitHsl(RGB(127, 127, 127)).L, 120);
}

TEST(WsColorMath, SplitHslResolvesSystemColours) {
    EXPECT_EQ(SplitHsl(clWindow), SplitHsl(clWhite));
    EXPECT_EQ(SplitHsl(clBtnFace), SplitHsl(RGB(240, 240, 240)));
}

TEST(WsColorMath, JoinHslOfKnownPoints) {
    EXPECT_EQ(JoinHsl(0, 0, 240), clWhite);
    EXPECT_EQ(JoinHsl(0, 0, 0), clBlack);
    EXPECT_EQ(JoinHsl(0, 240, 120), clRed);
    EXPECT_EQ(JoinHsl(0, 0, 120), RGB(128, 128, 128));  // 127.5 rounds to the even 128
    // The 239 divisor: hue 239 and 240 fall into the red sector again, with their own fraction.
    EXPECT_EQ(JoinHsl(239, 240, 120), clRed);
    EXPECT_EQ(JoinHsl(240, 240, 120), RGB(255, 6, 0));
    // Hue 160 is not quite blue on this scale: 160/239*6 lies a little past sector 4's start.
    EXPECT_EQ(JoinHsl(160, 240, 120), RGB(4, 0, 255));
}

TEST(WsColorMath, JoinHslSurvivesOutOfScaleInput) {
    EXPECT_EQ(JoinHsl(0, 0, 255), clWhite);
    const TColor c = JoinHsl(255, 255, 30);  // saturation past 240 would push a channel below 0
    EXPECT_EQ(GetBValue(c), 0u);
}

TEST(WsColorMath, RoundTripStaysWithinTheScaleStep) {
    int worst = 0;
    for (unsigned r = 0; r < 256; r += 15)
        for (unsigned g = 0; g < 256; g += 17)
            for (unsigned b = 0; b < 256; b += 51) {
                const TColor c = RGB(r, g, b);
                const THsl hsl = SplitHsl(c);
                worst = std::max(worst, ChannelDistance(JoinHsl(hsl.H, hsl.S, hsl.L), c));
            }
    // Half a hue step is about 3 units of a saturated channel, and the 239 divisor lets the hue
    // drift by up to one more step toward the top of the scale.
    EXPECT_LE(worst, 10);
    for (unsigned v = 0; v < 256; ++v) {
        const THsl hsl = SplitHsl(RGB(v, v, v));
        EXPECT_EQ(hsl.S, 0) << v;
        EXPECT_LE(ChannelDistance(JoinHsl(hsl.H, hsl.S, hsl.L), RGB(v, v, v)), 1) << v;
    }
}

TEST(WsColorMath, DarkenAndLightenMoveLightnessOnly) {
    EXPECT_EQ(Darken(RGB(240, 240, 240), 10), RGB(230, 230, 230));
    EXPECT_EQ(Darken(clWhite, 50), RGB(202, 202, 202));
    EXPECT_EQ(Darken(clRed, 200), clBlack);  // clamps at 0
    EXPECT_EQ(Lighten(clBlack, 120), RGB(128, 128, 128));
    const THsl before = SplitHsl(RGB(40, 90, 200));
    const THsl after = SplitHsl(Darken(RGB(40, 90, 200), 30));
    EXPECT_EQ(after.L, before.L - 30);
    EXPECT_NEAR(after.H, before.H, 1);
}

TEST(WsColorMath, LighteningPast240IsWhite) {
    for (TColor c : {clRed, clNavy, RGB(12, 200, 99), clBtnShadow, clBlack})
        EXPECT_EQ(Lighten(c, 255), clWhite) << std::hex << c;
    // Red sits at lightness 120; anything from 120 up lands at 240 or beyond.
    EXPECT_EQ(Lighten(clRed, 130), clWhite);
    EXPECT_NE(Lighten(clRed, 100), clWhite);
}

TEST(WsColorMath, ShiftLightnessBySign) {
    const TColor c = RGB(100, 150, 200);
    EXPECT_EQ(ShiftLightness(c, 0), c);
    EXPECT_EQ(ShiftLightness(clBtnFace, 0), clBtnFace);  // unchanged, not even resolved
    EXPECT_EQ(ShiftLightness(c, -20), Darken(c, 20));
    EXPECT_EQ(ShiftLightness(c, 30), Lighten(c, 30));
    EXPECT_EQ(ShiftLightness(c, -100000), clBlack);
    EXPECT_EQ(ShiftLightness(c, 100000), clWhite);
    EXPECT_EQ(ShiftLightness(c, INT32_MIN), clBlack);
}

TEST(WsColorMath, MixColorsWeights) {
    const TColor a = RGB(10, 200, 33);
    const TColor b = RGB(250, 3, 128);
    EXPECT_EQ(MixColors(a, b, 255), a);
    EXPECT_EQ(MixColors(a, b, 0), b);
    EXPECT_EQ(MixColors(clWhite, clBlack, 128), RGB(128, 128, 128));
    EXPECT_EQ(MixColors(clHighlight, clWindow, 77), RGB(178, 214, 243));
}

TEST(WsColorMath, TooSimilarComparesHueAndLightness) {
    EXPECT_TRUE(TooSimilar(clRed, RGB(230, 20, 20)));
    EXPECT_FALSE(TooSimilar(clRed, clBlue));              // hue far apart
    EXPECT_FALSE(TooSimilar(clRed, RGB(255, 200, 200)));  // same hue, much lighter
    // Hue is compared without wrap-around: 0 and 235 are neighbours on the wheel, yet not similar.
    EXPECT_FALSE(TooSimilar(clRed, RGB(255, 0, 30)));
    // Greys all have hue 0, so a grey is similar to a red of like lightness.
    EXPECT_TRUE(TooSimilar(clBtnFace, clWhite));
}

TEST(WsColorMath, OppositeHueTurnsBy120) {
    EXPECT_EQ(SplitHsl(OppositeHue(clRed, 120)).H, 120);
    EXPECT_EQ(SplitHsl(OppositeHue(clBlue, 120)).H, 40);
    const THsl cyanish = SplitHsl(OppositeHue(RGB(40, 60, 90), 180));
    EXPECT_EQ(cyanish.S, 240);
    EXPECT_EQ(cyanish.L, 180);
}

}  // namespace
