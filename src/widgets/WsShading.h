#pragma once

#include <cstdint>

#include "framework/DisplaySettings.h"
#include "graphics/Canvas.h"
#include "widgets/WsTypes.h"

// Fills the rectangle with a colour ramp from start to stop. The picture is built off screen
// and put on the canvas in one copy, so a shaded control never shows half-drawn states.
// steps groups lines into coarser bands; every caller passes 1.
void ShadeRect(TCanvas& canvas, const TRect& rect, TGradientDirection direction, TColor start,
               TColor stop, std::uint8_t steps = 1);

// Shades only the outer two-pixel ring of the rectangle (the glow of hot buttons), and only on
// full-colour screens.
void ShadeFrameRing(const TDisplaySettings& display, TCanvas& canvas, const TRect& rect,
                    TGradientDirection direction, TColor start, TColor stop);
