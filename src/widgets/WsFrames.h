#pragma once

#include "graphics/Canvas.h"
#include "widgets/WsTypes.h"

// Borders by frame style. Each returns the rectangle left inside the border.

// The style's border in system colours on the chosen sides.
TRect DrawStyledEdges(TCanvas& canvas, const TRect& rect, TFrameStyle style, TSides sides);
TRect DrawStyledFrame(TCanvas& canvas, const TRect& rect, TFrameStyle style);

// The same shapes in darker and lighter shades of one base colour.
TRect DrawTintedEdges(TCanvas& canvas, const TRect& rect, TColor base, TSides sides,
                      TFrameStyle style);
TRect DrawTintedFrame(TCanvas& canvas, const TRect& rect, TColor base, TFrameStyle style);
