#pragma once

#include <cstdint>

#include "graphics/Canvas.h"

// The lines (rows or columns) of a shading that fall into an off-screen bitmap: the whole
// shading is Extent lines long and the bitmap shows lines [First, First + Count).
struct TBandWindow {
    long long Extent = 0;
    long long First = 0;
    int Count = 0;
    int Across = 0;  // the bitmap's size in the other direction
    bool Columns = false;
};

// Band fill of the end and centre directions: one 8-pixel strip drawn band by band with a
// brush each, then copied across the bitmap, doubling the copied area each time.
void ShadeBands(TCanvas& bitmapCanvas, const TBandWindow& window, bool centre, TColor start,
                TColor stop, std::uint8_t steps);
