#pragma once

#include "graphics/Canvas.h"
#include "widgets/WsTypes.h"

// Line-level border drawing. Each operation returns the rectangle left inside what it drew,
// so borders chain from the outside in. A line colour of clNone draws nothing on those sides,
// yet the rectangle still moves in. The canvas state is the same afterwards as before.

// Upper-left colour on the left and top sides, lower-right colour on the right and bottom.
TRect DrawEdges(TCanvas& canvas, const TRect& rect, TColor upperLeft, TSides sides,
                TColor lowerRight);
// DrawEdges count times, each inside the previous one.
TRect DrawEdgeRings(TCanvas& canvas, const TRect& rect, TColor upperLeft, TSides sides, int count,
                    TColor lowerRight);
// A two-pixel groove (or bump, with the colours swapped) whose corners join cleanly.
TRect DrawGroove(TCanvas& canvas, const TRect& rect, TColor upperLeft, TColor lowerRight,
                 TSides sides);
// A one-pixel ring whose corner pixels are moved one pixel inward; the corners left behind
// take cornerColor unless it is clNone.
TRect DrawRoundedRing(TCanvas& canvas, const TRect& rect, TColor color, TSides sides,
                      TColor cornerColor);

TRect DrawOutline(TCanvas& canvas, const TRect& rect, TColor color);
// A one-pixel outline whose four corner pixels are left out (status panes).
TRect DrawCornerlessOutline(TCanvas& canvas, const TRect& rect, TColor color);
// Every second pixel of the four edges in black (focus rectangles).
TRect DrawDottedOutline(TCanvas& canvas, const TRect& rect);

// The rectangle with each chosen side moved inward by the given number of pixels.
TRect ShrinkSides(const TRect& rect, TSides sides, int by);
