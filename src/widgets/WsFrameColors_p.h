#pragma once

#include <array>

#include "graphics/Colors.h"
#include "widgets/WsTypes.h"

// Line colours by frame style, indexed by TFrameStyle up to fsFlatBold. The pairs of the
// two-ring styles (fsLowered, fsButtonDown, fsRaised, fsButtonUp) are placeholders: those
// styles draw from the ring tables.
inline constexpr std::size_t kFrameColorCount = fsFlatBold + 1;
extern const std::array<TColor, kFrameColorCount> UpperLeftFrameColors;
extern const std::array<TColor, kFrameColorCount> LowerRightFrameColors;

// Two rings drawn from the outside in.
struct TFrameRings {
    TColor OuterUpperLeft;
    TColor OuterLowerRight;
    TColor InnerUpperLeft;
    TColor InnerLowerRight;
};

// The ring colours of fsLowered, fsRaised, fsButtonUp and fsButtonDown; nullptr for others.
const TFrameRings* FrameRingColors(TFrameStyle style);
