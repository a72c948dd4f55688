#pragma once

#include <string_view>

// Line metrics of a font at one size, in pixels. Height is the cell height (ascent + descent);
// InternalLeading is the part of the cell above the em square.
struct TFontMetrics {
    int EmPixels = 0;
    int Ascent = 0;
    int Descent = 0;
    int Height = 0;
    int InternalLeading = 0;
    int AveCharWidth = 0;
    friend bool operator==(const TFontMetrics&, const TFontMetrics&) = default;
};

// The line metrics that the named family has on the desktop platform the layouts were made on,
// for a TFont::Height (negative: em pixels; positive: cell height; zero: the default size).
// Unknown families measure like Arial.
TFontMetrics PlatformFontMetrics(std::string_view family, int height);
