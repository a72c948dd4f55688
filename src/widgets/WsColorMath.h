#pragma once

#include <cstdint>

#include "graphics/Colors.h"

// Colour arithmetic of the widget set on a 240-step hue, saturation and lightness scale.
// Every operation resolves system colours first and returns a plain RGB colour.

struct THsl {
    std::uint8_t H = 0;
    std::uint8_t S = 0;
    std::uint8_t L = 0;
    friend bool operator==(const THsl&, const THsl&) = default;
};

THsl SplitHsl(TColor color);
TColor JoinHsl(std::uint8_t h, std::uint8_t s, std::uint8_t l);

// Lightness is capped at 255, not 240: anything lifted past 240 comes out white.
TColor Darken(TColor color, std::uint8_t amount);
TColor Lighten(TColor color, std::uint8_t amount);
// Negative amounts darken, positive ones lighten; the amount is clamped to a byte.
TColor ShiftLightness(TColor color, int amount);

// Per channel a * w + b * (1 - w) with w = weight / 255.
TColor MixColors(TColor a, TColor b, std::uint8_t weight);
// Hue closer than 20 steps (no wrap-around) and lightness closer than 60.
bool TooSimilar(TColor a, TColor b);
// The hue turned by 120 steps at full saturation and the given lightness.
TColor OppositeHue(TColor color, std::uint8_t lightness);
